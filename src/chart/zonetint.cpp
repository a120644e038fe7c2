#include "chart/zonetint.h"

#include "chart/scales.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
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
constexpr std::array<int, 3> GreenTint{49, 247, 14};  // (14, 247, 49)
constexpr std::array<int, 3> YellowTint{0, 255, 255}; // (255, 255, 0)
constexpr std::array<int, 3> RedTint{14, 18, 247};    // (247, 18, 14)

bool usable(const BgrRows& p)
{
    return p.bits != nullptr && p.scale >= 1 && p.width > 0 && p.height > 0 && p.bytesPerLine >= qsizetype(p.width) * 3;
}

uchar* rowAt(const BgrRows& p, int y)
{
    return p.bits + qsizetype(y) * p.bytesPerLine;
}

// The three bands in pass order, clipped to the picture. A band whose ends are the wrong way
// round (red limit above the green one) is empty, as a counting loop from the one to the other is.
struct Bands {
    Band green, yellow, red;
};

Bands zoneBands(const BgrRows& p, int greenLimit, int redLimit)
{
    // A limit beyond the scale lies at its nearer end: a red limit clicked below 0 leaves no red
    // zone, where the scale's "nowhere" would have made the whole chart red.
    const int yG = limitY(std::clamp(greenLimit, 0, LimitScaleTop));
    const int yR = limitY(std::clamp(redLimit, 0, LimitScaleTop));
    // Rows of chart coordinates from `first` to `last`, each `scale` pixel rows high.
    const int k = p.scale;
    const auto clip = [&](int first, int last) {
        return Band{std::max(k * first, 0), std::min(k * last + k - 1, p.height - 1)};
    };
    return {clip(ZoneTop, yG), clip(yG, yR), Band{std::max(k * yR, 0), p.height - 1 - k * ZoneBottomKeep}};
}

struct Columns {
    int first = 0;
    int last = -1;
};

Columns tintColumns(const BgrRows& p)
{
    return {p.scale * ZoneLeft, std::min(p.scale * ZoneRight + p.scale - 1, p.width - 1)};
}

// A horizontal line from x 40 to 782 with round ends, as a pen of `width` pixels draws it.
void drawBorderLine(const BgrRows& p, int y, int width, Rgb colour)
{
    if (y < 0)
        return; // the limit lies on no scale
    width = std::clamp(width, 1, 255);
    const int k = p.scale;
    // In picture pixels: the pen covers the chart rows y - width/2 .. y - width/2 + width - 1.
    const double centre = k * (y - width / 2 + width / 2.0);
    const double radius = k * width / 2.0;
    const int firstRow = int(std::ceil(centre - radius - 0.5));
    const int lastRow = int(std::floor(centre + radius - 0.5));
    for (int row = std::max(firstRow, 0); row <= lastRow && row < p.height; ++row) {
        int left = k * 40;
        int right = k * 782 + k - 1;
        if (width > 1) {
            const double dy = row + 0.5 - centre;
            const double reach = std::sqrt(std::max(0.0, radius * radius - dy * dy));
            left = int(std::ceil(left - reach));
            right = int(std::floor(right + reach));
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
    drawBorderLine(p, limitY(greenLimit), penWidth, MarkerGreen);
    drawBorderLine(p, limitY(redLimit), penWidth, MarkerRed);
}

void tintRowInto(const uchar* from, uchar* to, Columns cols, const std::array<int, 3>& tint)
{
    for (int x = cols.first; x <= cols.last; ++x) {
        const qsizetype i = qsizetype(x) * 3;
        for (int ch = 0; ch < 3; ++ch)
            to[i + ch] = uchar(tintChannel(from[i + ch], tint[std::size_t(ch)]));
    }
}

// One channel table per byte of a pixel: B, G, R.
using ChannelTable = std::array<uchar, 256>;
using PixelTable = std::array<ChannelTable, 3>;

constexpr PixelTable stepTable(const std::array<int, 3>& tint)
{
    PixelTable t{};
    for (std::size_t ch = 0; ch < 3; ++ch)
        for (int v = 0; v < 256; ++v)
            t[ch][std::size_t(v)] = uchar(tintChannel(v, tint[ch]));
    return t;
}

// One tint of each zone colour, worked out by the compiler.
constexpr PixelTable GreenStep = stepTable(GreenTint);
constexpr PixelTable YellowStep = stepTable(YellowTint);
constexpr PixelTable RedStep = stepTable(RedTint);

// `first`, then `then`, into `out` (which must be neither of them).
void compose(const PixelTable& first, const PixelTable& then, PixelTable& out)
{
    for (std::size_t ch = 0; ch < 3; ++ch)
        for (std::size_t v = 0; v < 256; ++v)
            out[ch][v] = then[ch][first[ch][v]];
}

// Everything the rounds do to a row that lies in the given bands, in pass order.
void roundsTable(bool green, bool yellow, bool red, int rounds, PixelTable& out)
{
    PixelTable round;
    for (std::size_t ch = 0; ch < 3; ++ch) {
        for (std::size_t v = 0; v < 256; ++v) {
            uchar o = uchar(v);
            if (green)
                o = GreenStep[ch][o];
            if (yellow)
                o = YellowStep[ch][o];
            if (red)
                o = RedStep[ch][o];
            round[ch][v] = o;
        }
    }
    // round applied `rounds` times, by squaring: a few table passes instead of one per round.
    PixelTable buffers[3];
    const PixelTable* power = &round;
    const PixelTable* result = nullptr;
    const auto spare = [&]() -> PixelTable& { // one of three is always neither power nor result
        for (PixelTable& b : buffers)
            if (&b != power && &b != result)
                return b;
        return buffers[0]; // not reached
    };
    for (int k = rounds; k > 0; k >>= 1) {
        const bool last = (k >> 1) == 0;
        if (k & 1) {
            PixelTable& next = last ? out : spare();
            if (result)
                compose(*result, *power, next);
            else
                next = *power;
            result = &next;
        }
        if (!last) {
            PixelTable& squared = spare();
            compose(*power, *power, squared);
            power = &squared;
        }
    }
}

// The tables of every band set for `intensity` (1..8). They depend on nothing else, so all of
// them are built once, on first use, instead of at each drawing.
const std::array<PixelTable, 8>& tablesFor(int intensity)
{
    using AllTables = std::array<std::array<PixelTable, 8>, ZoneMaxIntensity + 1>;
    static const std::unique_ptr<const AllTables> all = [] {
        auto built = std::make_unique<AllTables>();
        for (int i = 1; i <= ZoneMaxIntensity; ++i)
            for (std::size_t set = 1; set < 8; ++set)
                roundsTable(set & 1, set & 2, set & 4, i + 1, (*built)[std::size_t(i)][set]);
        return built;
    }();
    return (*all)[std::size_t(intensity)];
}

// Chart templates repeat themselves: a day column is 24 pixels wide and most rows equal the
// one above. A stretch equal to its neighbour gets the neighbour's result copied instead of
// being looked up again; the pixels are the same either way. Stretches are done from right
// to left and rows from the bottom up, so a neighbour is compared while still untouched and
// its result is ready when the equal stretch next to it needs it.
void applyTable(uchar* px, int pixels, const PixelTable& t)
{
    const uchar* tb = t[0].data();
    const uchar* tg = t[1].data();
    const uchar* tr = t[2].data();
    for (int i = 0; i < pixels; ++i, px += 3) {
        px[0] = tb[px[0]];
        px[1] = tg[px[1]];
        px[2] = tr[px[2]];
    }
}

constexpr int DayPixels = 24; // one day column of the grid, in chart coordinates

bool sameBytes(const uchar* a, const uchar* b, std::size_t bytes)
{
    std::uint64_t diff = 0;
    for (std::size_t i = 0; i < bytes; i += 8) {
        std::uint64_t x, y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        diff |= x ^ y;
    }
    return diff == 0;
}

// `dayPixels`: a day column in picture pixels; its byte count is a multiple of 8.
void tintSpan(uchar* px, int pixels, int dayPixels, const PixelTable& table)
{
    const std::size_t dayBytes = std::size_t(dayPixels) * 3;
    bool sameAsRight = false;
    for (int j = (pixels - 1) / dayPixels; j >= 0; --j) {
        uchar* at = px + std::size_t(j) * dayBytes;
        const int n = std::min(dayPixels, pixels - j * dayPixels);
        const bool leftIsSame = j > 0 && n == dayPixels && sameBytes(at - dayBytes, at, dayBytes);
        if (sameAsRight)
            std::memcpy(at, at + dayBytes, dayBytes);
        else
            applyTable(at, n, table);
        sameAsRight = leftIsSame;
    }
}

struct TintPlan {
    int intensity;
    Bands bands;
    Columns cols;
};

// The common start of both tints: nothing on an unusable picture, the two border lines at
// intensity 0, otherwise what to tint how often.
std::optional<TintPlan> planTint(const BgrRows& picture, int greenLimit, int redLimit, int intensity, int penWidth)
{
    if (!usable(picture))
        return std::nullopt;
    intensity = std::clamp(intensity, 0, ZoneMaxIntensity);
    if (intensity == 0) {
        drawBorderLines(picture, greenLimit, redLimit, penWidth);
        return std::nullopt;
    }
    return TintPlan{intensity, zoneBands(picture, greenLimit, redLimit), tintColumns(picture)};
}

} // namespace

void paintZonesLiteral(const BgrRows& picture, int greenLimit, int redLimit, int intensity, int penWidth)
{
    const auto plan = planTint(picture, greenLimit, redLimit, intensity, penWidth);
    if (!plan)
        return;
    const int rounds = plan->intensity;
    const Bands& bands = plan->bands;
    const Columns& cols = plan->cols;
    const qsizetype rowBytes = qsizetype(picture.width) * 3;
    std::vector<uchar> work(std::size_t(rowBytes * picture.height));
    const std::array<std::pair<Band, std::array<int, 3>>, 3> passes{
        {{bands.green, GreenTint}, {bands.yellow, YellowTint}, {bands.red, RedTint}}};

    for (int round = 0; round <= rounds; ++round) {
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

void paintZones(const BgrRows& picture, int greenLimit, int redLimit, int intensity, int penWidth)
{
    const auto plan = planTint(picture, greenLimit, redLimit, intensity, penWidth);
    if (!plan)
        return;
    const int rounds = plan->intensity;
    const Bands& bands = plan->bands;
    const Columns& cols = plan->cols;
    if (cols.first > cols.last)
        return;

    // A pixel's fate depends only on its value and on which bands its row lies in.
    const std::array<PixelTable, 8>& tables = tablesFor(rounds);
    const auto bandSet = [&](int y) {
        return std::size_t(bands.green.contains(y)) | std::size_t(bands.yellow.contains(y)) << 1 |
               std::size_t(bands.red.contains(y)) << 2;
    };
    const int pixels = cols.last - cols.first + 1;
    const std::size_t bytes = std::size_t(pixels) * 3;
    bool sameAsBelow = false;
    for (int y = picture.height - 1; y >= 0; --y) {
        const std::size_t set = bandSet(y);
        uchar* row = rowAt(picture, y) + qsizetype(cols.first) * 3;
        const bool aboveIsSame =
            set != 0 && y > 0 && bandSet(y - 1) == set && std::memcmp(row - picture.bytesPerLine, row, bytes) == 0;
        if (set != 0) {
            if (sameAsBelow) {
                std::memcpy(row, row + picture.bytesPerLine, bytes);
            }
            else {
                tintSpan(row, pixels, DayPixels * std::max(picture.scale, 1), tables[set]);
            }
        }
        sameAsBelow = aboveIsSame;
    }
}

} // namespace luftikon
