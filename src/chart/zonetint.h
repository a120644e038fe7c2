#pragma once
// The limit zones of the month chart, painted straight onto the pixel rows of a 24-bit picture.
// Works on any buffer laid out like QImage::Format_BGR888: three bytes per pixel in the order
// blue, green, red, rows `bytesPerLine` apart. (Format_RGB888 stores red first: do not use it.)

#include <QtGlobal>

namespace luftikon {

struct BgrRows {
    uchar* bits = nullptr;
    int width = 0;
    int height = 0;
    qsizetype bytesPerLine = 0;
    // Pixels per chart coordinate, in each direction: a picture made for a screen of twice the
    // density has scale 2, and every chart pixel named below covers 2 x 2 of its pixels.
    int scale = 1;
};

inline constexpr int ZoneTop = 61;       // first tinted row
inline constexpr int ZoneLeft = 39;      // first tinted column
inline constexpr int ZoneRight = 782;    // last tinted column
inline constexpr int ZoneBottomKeep = 4; // rows at the bottom that are never tinted
inline constexpr int ZoneMaxIntensity = 8;

// One channel tinted once with the channel `tint` of the zone colour at strength 50/256.
constexpr int tintChannel(int old, int tint)
{
    return ((old * tint * 50) / 256 + old * (255 - 50)) / 256;
}

// Intensity 0 draws the two border lines, pen width `penWidth` (round ends), green at the
// green limit and red at the red limit, x 40..782. Intensity 1..8 tints the green, yellow
// and red bands intensity + 1 times. Intensities outside 0..8 are clamped. Limits off the
// scale, bands reaching past the picture and a red limit above the green one never touch a
// byte outside the picture; a line whose limit is off the scale is not drawn.
void paintZones(const BgrRows& picture, int greenLimit, int redLimit, int intensity, int penWidth);

// The same picture the slow way round: every pass reads the picture into a full working copy
// and copies it back. Kept as the reference the fast one is checked and measured against.
void paintZonesLiteral(const BgrRows& picture, int greenLimit, int redLimit, int intensity, int penWidth);

} // namespace luftikon
