#include "chart/strokes.h"

#include <gtest/gtest.h>
#include <vector>

using namespace luftikon;

namespace {

constexpr Rgb Ink{10, 20, 30};

struct Picture {
    static constexpr int W = 40, H = 30;
    std::vector<uchar> bytes = std::vector<uchar>(size_t(H * W * 3), 0xEE);
    BgrRows rows() { return {bytes.data(), W, H, W * 3}; }
    bool inked(int x, int y) const
    {
        const uchar* p = bytes.data() + (y * W + x) * 3;
        return p[0] == Ink.b && p[1] == Ink.g && p[2] == Ink.r;
    }
    int inkedInRow(int y) const
    {
        int n = 0;
        for (int x = 0; x < W; ++x)
            n += inked(x, y);
        return n;
    }
};

} // namespace

TEST(strokeSegment, HorizontalLinesCoverTheRowsOfTheBorderLineRule)
{
    // Rows y - w/2 .. y - w/2 + w - 1, as the zone border lines of the same width.
    for (int width : {1, 2, 3, 4, 5}) {
        Picture g;
        strokeSegment(g.rows(), 10, 15, 30, 15, width, Ink);
        const int first = 15 - width / 2;
        for (int y = 0; y < Picture::H; ++y)
            EXPECT_EQ(g.inked(20, y), y >= first && y < first + width) << "width " << width << " row " << y;
        // Round ends reach half the width beyond the end points.
        EXPECT_TRUE(g.inked(30, 15));
        EXPECT_FALSE(g.inked(10 - width / 2 - 1, 15)) << width;
        EXPECT_FALSE(g.inked(31 + width / 2, 15)) << width;
    }
}

TEST(strokeSegment, OnePixelLinesHaveNoGapsAtAnySlope)
{
    Picture shallow;
    strokeSegment(shallow.rows(), 2, 3, 37, 12, 1, Ink);
    for (int x = 2; x <= 37; ++x) {
        int n = 0;
        for (int y = 0; y < Picture::H; ++y)
            n += shallow.inked(x, y);
        EXPECT_TRUE(n == 1 || n == 2) << x;
    }
    Picture steep;
    strokeSegment(steep.rows(), 5, 1, 12, 28, 1, Ink);
    for (int y = 1; y <= 28; ++y)
        EXPECT_TRUE(steep.inkedInRow(y) == 1 || steep.inkedInRow(y) == 2) << y;
}

TEST(strokeSegment, AMarkerStrokeIsARoundDotOverItsPoint)
{
    Picture g;
    strokeSegment(g.rows(), 21, 10, 20, 11, 4, Ink); // the marker of (20, 10), width 4
    EXPECT_TRUE(g.inked(20, 10));
    int pixels = 0;
    for (int y = 0; y < Picture::H; ++y)
        pixels += g.inkedInRow(y);
    EXPECT_GE(pixels, 16);
    EXPECT_LE(pixels, 24);
    EXPECT_EQ(g.inkedInRow(4), 0);
    EXPECT_EQ(g.inkedInRow(16), 0);
}
