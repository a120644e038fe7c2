// Page geometry of the printouts, free of windows so it can be checked directly.
#include "print/printgeometry.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace luftikon {

QString paperText(ChartPaper paper)
{
    switch (paper) {
    case ChartPaper::A5:
        return QStringLiteral("DINA5");
    case ChartPaper::A6:
        return QStringLiteral("DINA6");
    case ChartPaper::A4:
        break;
    }
    return QStringLiteral("DINA4");
}

std::optional<ChartPaper> paperFromText(const QString& text)
{
    // The stored text is searched, not compared, so a value with trailing blanks still counts;
    // of several names the last of A4, A5, A6 wins, as when the boxes are applied in turn.
    std::optional<ChartPaper> paper;
    if (text.contains(QStringLiteral("DINA4")))
        paper = ChartPaper::A4;
    if (text.contains(QStringLiteral("DINA5")))
        paper = ChartPaper::A5;
    if (text.contains(QStringLiteral("DINA6")))
        paper = ChartPaper::A6;
    return paper;
}

QRect chartPrintRect(ChartPaper paper)
{
    // Left, top, right, bottom; right and bottom lie just outside the picture.
    const auto corners = [](int left, int top, int right, int bottom) {
        return QRect(left, top, right - left, bottom - top);
    };
    switch (paper) {
    case ChartPaper::A5:
        return corners(300, 300, 4500, 3100);
    case ChartPaper::A6:
        return corners(100, 100, 3250, 2250);
    case ChartPaper::A4:
        break;
    }
    return corners(340, 400, 4450, 6500);
}

QPageSize chartPageSize(ChartPaper paper)
{
    switch (paper) {
    case ChartPaper::A5:
        return QPageSize(QPageSize::A5);
    case ChartPaper::A6:
        return QPageSize(QPageSize::A6);
    case ChartPaper::A4:
        break;
    }
    return QPageSize(QPageSize::A4);
}

QPageLayout::Orientation chartOrientation(ChartPaper paper)
{
    return paper == ChartPaper::A4 ? QPageLayout::Portrait : QPageLayout::Landscape;
}

namespace {

// One pixel of the turned picture: new row y, column x takes the old pixel at column y,
// row height-1-x.
inline void turnPixel(const quint32* from, qsizetype fromStride, int height, quint32* to, qsizetype toStride, int x,
                      int y)
{
    to[y * toStride + x] = from[(height - 1 - x) * fromStride + y];
}

#if defined(__SSE2__)
// Four by four pixels at once: four old rows are read side by side and written as four new
// rows, a transpose of the block in registers.
inline void turnBlock(const quint32* from, qsizetype fromStride, int height, quint32* to, qsizetype toStride, int x,
                      int y)
{
    const quint32* old = from + (height - 1 - x) * fromStride + y;
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(old));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(old - fromStride));
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(old - 2 * fromStride));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(old - 3 * fromStride));
    const __m128i ab0 = _mm_unpacklo_epi32(a, b);
    const __m128i ab1 = _mm_unpackhi_epi32(a, b);
    const __m128i cd0 = _mm_unpacklo_epi32(c, d);
    const __m128i cd1 = _mm_unpackhi_epi32(c, d);
    quint32* turned = to + y * toStride + x;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(turned), _mm_unpacklo_epi64(ab0, cd0));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(turned + toStride), _mm_unpackhi_epi64(ab0, cd0));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(turned + 2 * toStride), _mm_unpacklo_epi64(ab1, cd1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(turned + 3 * toStride), _mm_unpackhi_epi64(ab1, cd1));
}
#else
inline void turnBlock(const quint32* from, qsizetype fromStride, int height, quint32* to, qsizetype toStride, int x,
                      int y)
{
    for (int row = y; row < y + 4; ++row)
        for (int column = x; column < x + 4; ++column)
            turnPixel(from, fromStride, height, to, toStride, column, row);
}
#endif

} // namespace

QImage turnClockwise(const QImage& picture)
{
    const QImage source = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
                              ? picture
                              : picture.convertToFormat(QImage::Format_RGB32);
    const int width = source.width();
    const int height = source.height();
    QImage turned(height, width, source.format());
    if (turned.isNull() || source.isNull())
        return turned;
    const qsizetype fromStride = source.bytesPerLine() / 4;
    const qsizetype toStride = turned.bytesPerLine() / 4;
    const auto* from = reinterpret_cast<const quint32*>(source.constBits());
    auto* to = reinterpret_cast<quint32*>(turned.bits());
    // One pass in square tiles, so that the old rows a tile reads stay in the cache while the
    // new rows are written; a plain column walk would fetch a cache line per pixel.
    constexpr int tile = 64;
    for (int y0 = 0; y0 < width; y0 += tile) {
        const int y1 = std::min(y0 + tile, width);
        for (int x0 = 0; x0 < height; x0 += tile) {
            const int x1 = std::min(x0 + tile, height);
            int y = y0;
            for (; y + 4 <= y1; y += 4) {
                int x = x0;
                for (; x + 4 <= x1; x += 4)
                    turnBlock(from, fromStride, height, to, toStride, x, y);
                for (; x < x1; ++x)
                    for (int row = y; row < y + 4; ++row)
                        turnPixel(from, fromStride, height, to, toStride, x, row);
            }
            for (; y < y1; ++y)
                for (int x = x0; x < x1; ++x)
                    turnPixel(from, fromStride, height, to, toStride, x, y);
        }
    }
    return turned;
}

int roundHalfEven(double value)
{
    // nearbyint follows the current rounding mode, which is to-nearest-even unless changed.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(saved);
    return int(rounded);
}

int pointsToDots(double points, int dpi, double scale)
{
    return roundHalfEven(points * dpi / 72.0 * scale);
}

int printFontPoints(int gridPoints, double scale)
{
    return roundHalfEven(gridPoints / 0.72 * scale);
}

QString printTitle(const QString& heading, int bestValue)
{
    QString title =
        heading + QStringLiteral("  \u00b7  Bestwert: ") + QString::number(bestValue) + QStringLiteral(" l/min.");
    const QString words = QStringLiteral("Messwerte");
    if (title.contains(QStringLiteral("Luftikon-")) && title.contains(words))
        title.remove(0, title.indexOf(words));
    return title;
}

} // namespace luftikon
