#include "chart/zonetint.h"

#include "chart/scales.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

namespace luftikon {

namespace {

struct Band {
    int first = 0; // rows, both ends included; empty when first > last
    int last = -1;
    bool contains(int row) const { return row >= first && row <= last; }
};

// Tint colours in picture byte order B, G, R.
constexpr std::array<int, 3> GreenTint{49, 247, 14};   // (14, 247, 49)
constexpr std::array<int, 3> YellowTint{0, 255, 255};  // (255, 255, 0)
constexpr std::array<int, 3> RedTint{14, 18, 247};     // (247, 18, 14)

bool usable(const BgrRows& p)
{
    return p.bits != nullptr && p.width > 0 && p.height > 0 && p.bytesPerLine >= qsizetype(p.width) * 3;
}

uchar* rowAt(const BgrRows& p, int y) { return p.bits + qsizetype(y) * p.bytesPerLine; }

// The three bands in pass order, clipped to the picture. A band whose ends are the wrong way
// round (red limit above the green one) is empty, as a counting loop from the one to the other is.
struct Bands {
    Band green, yellow, red;
};

Bands zoneBands(const BgrRows& p, int greenLimit, int redLimit)
{
    const int yG = LimitY(greenLimit);
    const int yR = LimitY(redLimit);
    const auto clip = [&](int first, int last) { return Band{std::max(first, 0), std::min(last, p.height - 1)}; };
    return {clip(ZoneTop, yG), clip(yG, yR), clip(yR, p.height - 1 - ZoneBottomKeep)};
}

struct Columns {
    int first = 0;
    int last = -1;
};

Columns tintColumns(const BgrRows& p) { return {ZoneLeft, std::min(ZoneRight, p.width - 1)}; }

// A horizontal line from x 40 to 782 with round ends, as a pen of `width` pixels draws it.
void drawBorderLine(const BgrRows& p, int y, int width, Rgb colour)
{
    if (y < 0)
        return; // the limit lies on no scale
    width = std::clamp(width, 1, 255);
    const int firstRow = y - width / 2;
    const double centre = firstRow + width / 2.0;
    const double radius = width / 2.0;
    for (int row = std::max(firstRow, 0); row < firstRow + width && row < p.height; ++row) {
        int left = 40;
        int right = 782;
        if (width > 1) {
            const double dy = row + 0.5 - centre;
            const double reach = std::sqrt(std::max(0.0, radius * radius - dy * dy));
            left = int(std::ceil(40 - reach));
            right = int(std::floor(782 + reach));
        }
        left = std::max(left, 0);
        right = std::min(right, p.width - 1);
        uchar* px = rowAt(p, row) + qsizetype(left) * 3;
        for (int x = left; x <= right; ++x, px += 3) {
            px[0] = colour.b;
            px[1] = colour.g;
            px[2] = colour.r;
        }
    }
}

void drawBorderLines(const BgrRows& p, int greenLimit, int redLimit, int penWidth)
{
    drawBorderLine(p, LimitY(greenLimit), penWidth, MarkerGreen);
    drawBorderLine(p, LimitY(redLimit), penWidth, MarkerRed);
}

void tintRowInto(const uchar* from, uchar* to, Columns cols, const std::array<int, 3>& tint)
{
    for (int x = cols.first; x <= cols.last; ++x) {
        const qsizetype i = qsizetype(x) * 3;
        for (int ch = 0; ch < 3; ++ch)
            to[i + ch] = uchar(TintChannel(from[i + ch], tint[std::size_t(ch)]));
    }
}

// One channel table per byte of a pixel: B, G, R.
using PixelTable = std::array<std::array<uchar, 256>, 3>;

// Everything the n + 1 rounds do to a row that lies in the given bands, in pass order.
PixelTable roundsTable(bool green, bool yellow, bool red, int rounds)
{
    PixelTable table;
    for (int ch = 0; ch < 3; ++ch) {
        const auto c = std::size_t(ch);
        for (int v = 0; v < 256; ++v) {
            int o = v;
            for (int round = 0; round < rounds; ++round) {
                if (green)
                    o = TintChannel(o, GreenTint[c]);
                if (yellow)
                    o = TintChannel(o, YellowTint[c]);
                if (red)
                    o = TintChannel(o, RedTint[c]);
            }
            table[c][std::size_t(v)] = uchar(o);
        }
    }
    return table;
}

void applyTable(uchar* px, int count, const PixelTable& t)
{
    const uchar* tb = t[0].data();
    const uchar* tg = t[1].data();
    const uchar* tr = t[2].data();
    // Chart templates are mostly runs of one colour: reuse the last result while the input repeats.
    uchar lastIn[3] = {px[0], px[1], px[2]};
    uchar lastOut[3] = {tb[lastIn[0]], tg[lastIn[1]], tr[lastIn[2]]};
    for (int i = 0; i < count; ++i, px += 3) {
        if (px[0] != lastIn[0] || px[1] != lastIn[1] || px[2] != lastIn[2]) {
            lastIn[0] = px[0];
            lastIn[1] = px[1];
            lastIn[2] = px[2];
            lastOut[0] = tb[px[0]];
            lastOut[1] = tg[px[1]];
            lastOut[2] = tr[px[2]];
        }
        px[0] = lastOut[0];
        px[1] = lastOut[1];
        px[2] = lastOut[2];
    }
}

} // namespace

void PaintZonesLiteral(const BgrRows& picture, int greenLimit, int redLimit, int intensity, int penWidth)
{
    if (!usable(picture))
        return;
    intensity = std::clamp(intensity, 0, ZoneMaxIntensity);
    if (intensity == 0) {
        drawBorderLines(picture, greenLimit, redLimit, penWidth);
        return;
    }
    const Bands bands = zoneBands(picture, greenLimit, redLimit);
    const Columns cols = tintColumns(picture);
    const qsizetype rowBytes = qsizetype(picture.width) * 3;
    std::vector<uchar> work(std::size_t(rowBytes * picture.height));
    const std::array<std::pair<Band, std::array<int, 3>>, 3> passes{
        {{bands.green, GreenTint}, {bands.yellow, YellowTint}, {bands.red, RedTint}}};

    for (int round = 0; round <= intensity; ++round) {
        for (const auto& [band, tint] : passes) {
            for (int y = 0; y < picture.height; ++y) {
                const uchar* from = rowAt(picture, y);
                uchar* to = work.data() + qsizetype(y) * rowBytes;
                std::memcpy(to, from, std::size_t(rowBytes));
                if (band.contains(y))
                    tintRowInto(from, to, cols, tint);
            }
            for (int y = 0; y < picture.height; ++y)
                std::memcpy(rowAt(picture, y), work.data() + qsizetype(y) * rowBytes, std::size_t(rowBytes));
        }
    }
}

void PaintZones(const BgrRows& picture, int greenLimit, int redLimit, int intensity, int penWidth)
{
    if (!usable(picture))
        return;
    intensity = std::clamp(intensity, 0, ZoneMaxIntensity);
    if (intensity == 0) {
        drawBorderLines(picture, greenLimit, redLimit, penWidth);
        return;
    }
    const Bands bands = zoneBands(picture, greenLimit, redLimit);
    const Columns cols = tintColumns(picture);
    if (cols.first > cols.last)
        return;

    // A pixel's fate depends only on its value and on which bands its row lies in; the
    // tables for the (at most eight) band sets are built on first use.
    std::array<std::optional<PixelTable>, 8> tables;
    const int count = cols.last - cols.first + 1;
    for (int y = 0; y < picture.height; ++y) {
        const bool g = bands.green.contains(y);
        const bool ye = bands.yellow.contains(y);
        const bool r = bands.red.contains(y);
        const std::size_t set = std::size_t(g) | std::size_t(ye) << 1 | std::size_t(r) << 2;
        if (set == 0)
            continue;
        if (!tables[set])
            tables[set] = roundsTable(g, ye, r, intensity + 1);
        applyTable(rowAt(picture, y) + qsizetype(cols.first) * 3, count, *tables[set]);
    }
}

} // namespace luftikon
