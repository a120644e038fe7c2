#include "chart/strokes.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace luftikon {

namespace {

struct interval {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();
    bool empty() const { return lo > hi; }
    void join(double a, double b)
    {
        lo = std::min(lo, a);
        hi = std::max(hi, b);
    }
};

// The x range of the disc around (cx, cy) on the horizontal line at y.
inline void discOnRow(interval& row, double cx, double cy, double r, double y)
{
    const double dy = y - cy;
    if (dy > r || dy < -r)
        return;
    const double reach = std::sqrt(r * r - dy * dy);
    row.join(cx - reach, cx + reach);
}

// ceil and floor for values already known to fit an int, without a library call per row.
inline int ceilInt(double v)
{
    const int i = int(v);
    return i < v ? i + 1 : i;
}

inline int floorInt(double v)
{
    const int i = int(v);
    return i > v ? i - 1 : i;
}

// The band around the segment between the perpendiculars at its ends, prepared once so that
// each row costs a few multiplications.
class Band {
public:
    Band(double ax, double ay, double dx, double dy, double r) : ax_(ax), ay_(ay), dx_(dx), dy_(dy)
    {
        const double length2 = dx * dx + dy * dy;
        empty_ = length2 == 0.0;
        if (empty_)
            return;
        length2_ = length2;
        rLength_ = r * std::sqrt(length2);
        invDx_ = dx != 0.0 ? 1.0 / dx : 0.0;
        invDy_ = dy != 0.0 ? 1.0 / dy : 0.0;
    }

    void onRow(interval& row, double y) const
    {
        if (empty_)
            return;
        const double ry = y - ay_;
        double lo = -std::numeric_limits<double>::infinity();
        double hi = std::numeric_limits<double>::infinity();
        // Distance from the line: |(x - ax) * dy - ry * dx| <= r * length.
        if (dy_ != 0.0) {
            const double a = (ry * dx_ - rLength_) * invDy_;
            const double b = (ry * dx_ + rLength_) * invDy_;
            lo = ax_ + std::min(a, b);
            hi = ax_ + std::max(a, b);
        }
        else if (std::abs(ry * dx_) > rLength_) {
            return;
        }
        // Between the ends: 0 <= (x - ax) * dx + ry * dy <= length2.
        if (dx_ != 0.0) {
            const double a = -ry * dy_ * invDx_;
            const double b = (length2_ - ry * dy_) * invDx_;
            lo = std::max(lo, ax_ + std::min(a, b));
            hi = std::min(hi, ax_ + std::max(a, b));
        }
        else {
            const double along = ry * dy_;
            if (along < 0.0 || along > length2_)
                return;
        }
        if (lo <= hi)
            row.join(lo, hi);
    }

private:
    double ax_, ay_, dx_, dy_;
    double length2_ = 0.0;
    double rLength_ = 0.0;
    double invDx_ = 0.0;
    double invDy_ = 0.0;
    bool empty_ = true;
};

} // namespace

void strokeSegment(const BgrRows& picture, double x1, double y1, double x2, double y2, int width, Rgb colour)
{
    if (picture.bits == nullptr || picture.width <= 0 || picture.height <= 0 ||
        picture.bytesPerLine < qsizetype(picture.width) * 3)
        return;
    if (picture.scale < 1)
        return;
    width = std::max(width, 1);
    const double k = picture.scale;
    const double r = k * width / 2.0;
    // Odd widths: the named pixel's centre. Even widths: its top left corner.
    const double shift = width % 2 == 1 ? 0.5 : 0.0;
    const double ax = k * (x1 + shift);
    const double ay = k * (y1 + shift);
    const double bx = k * (x2 + shift);
    const double by = k * (y2 + shift);
    // Ends beyond any meaning (near the largest double) would overflow the arithmetic below.
    if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by) ||
        !std::isfinite(bx - ax) || !std::isfinite(by - ay))
        return;

    // Rows whose centre the stroke can reach, within the picture.
    const double top = std::min(ay, by) - r;
    const double bottom = std::max(ay, by) + r;
    if (bottom < 0.0 || top > picture.height)
        return;
    // Clamped while still a double: far-off coordinates do not fit an int.
    const int firstRow = int(std::max(0.0, std::ceil(top - 0.5)));
    const int lastRow = int(std::min(double(picture.height - 1), std::floor(bottom - 0.5)));

    const Band band(ax, ay, bx - ax, by - ay, r);
    for (int row = firstRow; row <= lastRow; ++row) {
        const double y = row + 0.5;
        interval span;
        discOnRow(span, ax, ay, r, y);
        discOnRow(span, bx, by, r, y);
        band.onRow(span, y);
        if (span.empty() || span.hi < 0.0 || span.lo > picture.width)
            continue;
        // Pixels whose centre x + 0.5 lies in the span.
        const int first = ceilInt(std::max(0.0, span.lo - 0.5));
        const int last = floorInt(std::min(double(picture.width - 1), span.hi - 0.5));
        uchar* px = picture.bits + qsizetype(row) * picture.bytesPerLine + qsizetype(first) * 3;
        for (int x = first; x <= last; ++x, px += 3) {
            px[0] = colour.b;
            px[1] = colour.g;
            px[2] = colour.r;
        }
    }
}

} // namespace luftikon
