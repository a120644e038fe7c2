#pragma once
// Straight strokes with round ends on the raw rows of a 24-bit picture, in copy mode and
// without smoothing, so every pixel carries exactly the pen's colour.

#include "chart/scales.h"
#include "chart/zonetint.h"

namespace luftikon {

// Paints every pixel whose centre lies within width/2 of the segment (x1, y1)-(x2, y2): the
// line with round ends a pen of that width draws. Like the zone border lines, an odd width is
// centred on the pixel the coordinates name and an even width on its top left corner, so a
// horizontal line of width w at y covers the rows y - w/2 .. y - w/2 + w - 1. Coordinates
// may lie anywhere, millions of pixels off the picture; only the picture's bytes are written.
// Widths below 1 count as 1. Coordinates and width are in chart pixels: on a picture of a
// larger scale the stroke covers the same part of the chart with more pixels.
void strokeSegment(const BgrRows& picture, double x1, double y1, double x2, double y2, int width, Rgb colour);

} // namespace luftikon
