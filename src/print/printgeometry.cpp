// Page geometry of the printouts, free of windows so it can be checked directly.
#include "print/printgeometry.h"

#include <cfenv>
#include <cmath>

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
    // New row y, column x takes the old pixel at column y, row height-1-x. Walking in square
    // tiles keeps both pictures' rows in the cache, which a plain column walk of the old
    // picture would thrash on a window-sized picture.
    constexpr int tile = 32;
    const qsizetype sourceStride = source.bytesPerLine() / 4;
    const qsizetype turnedStride = turned.bytesPerLine() / 4;
    const auto* from = reinterpret_cast<const quint32*>(source.constBits());
    auto* to = reinterpret_cast<quint32*>(turned.bits());
    for (int y0 = 0; y0 < width; y0 += tile) {
        const int y1 = std::min(y0 + tile, width);
        for (int x0 = 0; x0 < height; x0 += tile) {
            const int x1 = std::min(x0 + tile, height);
            for (int y = y0; y < y1; ++y) {
                quint32* row = to + y * turnedStride;
                for (int x = x0; x < x1; ++x)
                    row[x] = from[(height - 1 - x) * sourceStride + y];
            }
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
