#include "chart/strokes.h"

#include <gtest/gtest.h>
#include <vector>

using namespace luftikon;

namespace {

constexpr Rgb Ink{10, 20, 30};

// A picture inside a larger buffer: every byte around it must stay as it was.
struct Guarded {
    static constexpr int W = 40, H = 30, Pad = 64;
    std::vector<uchar> bytes = std::vector<uchar>(size_t(Pad + H * (W * 3 + 5) + Pad), 0xEE);
    BgrRows rows() { return {bytes.data() + Pad, W, H, W * 3 + 5}; }
    bool inked(int x, int y) const
    {
        const uchar* p = bytes.data() + Pad + y * (W * 3 + 5) + x * 3;
        return p[0] == Ink.b && p[1] == Ink.g && p[2] == Ink.r;
    }
    int inkedInRow(int y) const
    {
        int n = 0;
        for (int x = 0; x < W; ++x)
            n += inked(x, y);
        return n;
    }
    bool guardsIntact() const
    {
        for (int i = 0; i < Pad; ++i)
            if (bytes[size_t(i)] != 0xEE || bytes[bytes.size() - 1 - size_t(i)] != 0xEE)
                return false;
        for (int y = 0; y < H; ++y)
            for (int i = W * 3; i < W * 3 + 5; ++i)
                if (bytes[size_t(Pad + y * (W * 3 + 5) + i)] != 0xEE)
                    return false;
        return true;
    }
};

} // namespace

TEST(StrokeSegment, HorizontalLinesCoverTheRowsOfTheBorderLineRule)
{
    // Rows y - w/2 .. y - w/2 + w - 1, as the zone border lines of the same width.
    for (int width : {1, 2, 3, 4, 5}) {
        Guarded g;
        StrokeSegment(g.rows(), 10, 15, 30, 15, width, Ink);
        const int first = 15 - width / 2;
        for (int y = 0; y < Guarded::H; ++y) {
            const bool expected = y >= first && y < first + width;
            EXPECT_EQ(g.inked(20, y), expected) << "width " << width << " row " << y;
        }
        // Round ends reach half the width beyond the end points, on the line's own rows.
        EXPECT_TRUE(g.inked(10, 15));
        EXPECT_TRUE(g.inked(30, 15));
        EXPECT_FALSE(g.inked(10 - width / 2 - 1, 15)) << width;
        EXPECT_FALSE(g.inked(31 + width / 2, 15)) << width;
    }
}

TEST(StrokeSegment, OnePixelLinesHaveNoGapsAtAnySlope)
{
    Guarded g;
    StrokeSegment(g.rows(), 2, 3, 37, 12, 1, Ink); // shallow
    for (int x = 2; x <= 37; ++x) {
        int n = 0;
        for (int y = 0; y < Guarded::H; ++y)
            n += g.inked(x, y);
        EXPECT_GE(n, 1) << x;
        EXPECT_LE(n, 2) << x;
    }
    Guarded steep;
    StrokeSegment(steep.rows(), 5, 1, 12, 28, 1, Ink);
    for (int y = 1; y <= 28; ++y) {
        EXPECT_GE(steep.inkedInRow(y), 1) << y;
        EXPECT_LE(steep.inkedInRow(y), 2) << y;
    }
}

TEST(StrokeSegment, AMarkerStrokeIsARoundDotOverItsPoint)
{
    Guarded g;
    StrokeSegment(g.rows(), 21, 10, 20, 11, 4, Ink); // the marker of (20, 10), width 4
    EXPECT_TRUE(g.inked(20, 10));
    int pixels = 0;
    for (int y = 0; y < Guarded::H; ++y)
        pixels += g.inkedInRow(y);
    EXPECT_GE(pixels, 16);
    EXPECT_LE(pixels, 24);
    EXPECT_EQ(g.inkedInRow(4), 0);
    EXPECT_EQ(g.inkedInRow(16), 0);
}

TEST(StrokeSegment, FarOffCoordinatesWriteOnlyInsideThePicture)
{
    Guarded g;
    // From inside to two billion rows below, and lines wholly outside on every side.
    StrokeSegment(g.rows(), 20, 5, 15, 2147483647.0, 3, Ink);
    StrokeSegment(g.rows(), -5e9, -5e9, 5e9, -4e9, 20, Ink);
    StrokeSegment(g.rows(), -100, 10, -50, 20, 6, Ink);
    StrokeSegment(g.rows(), 100, 10, 150, 20, 6, Ink);
    StrokeSegment(g.rows(), 39, 0, 39, 29, 255, Ink); // wider than the picture
    StrokeSegment(g.rows(), 0, 0, 1, 1, 2, Rgb{1, 2, 3});
    EXPECT_TRUE(g.guardsIntact());
    // The long line enters the picture where it should: straight down from (20, 5).
    Guarded h;
    StrokeSegment(h.rows(), 20, 5, 20, 2147483647.0, 1, Ink);
    EXPECT_TRUE(h.inked(20, 29));
    EXPECT_FALSE(h.inked(20, 3));
    EXPECT_TRUE(h.guardsIntact());
}

TEST(StrokeSegment, NothingHappensOnAnEmptyPicture)
{
    StrokeSegment(BgrRows{}, 0, 0, 10, 10, 3, Ink);
    std::vector<uchar> tiny(3, 0xEE);
    StrokeSegment(BgrRows{tiny.data(), 1, 1, 2}, 0, 0, 1, 1, 3, Ink); // rows too short for the width
    EXPECT_EQ(tiny[0], 0xEE);
}
