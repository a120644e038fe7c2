#pragma once
// The zone tint on a QImage. The chart picture is worked on as QImage::Format_BGR888, whose
// bytes lie blue, green, red in memory as the tint expects.

#include "chart/zonetint.h"

#include <QImage>

namespace luftikon {

// Converts `picture` to Format_BGR888 in place when it is in another format (a loaded 24-bit
// BMP comes back as Format_RGB32).
void toBgrPicture(QImage& picture);

// The rows of a Format_BGR888 picture, its device pixel ratio as the scale; an empty view for
// any other format.
BgrRows bgrRowsOf(QImage& picture);

// Converts to Format_BGR888, then paints the zones (intensity 0..8, pen width of the chart).
void paintZonesOnPicture(QImage& picture, int greenLimit, int redLimit, int intensity, int penWidth);

} // namespace luftikon
