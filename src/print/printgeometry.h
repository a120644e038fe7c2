#pragma once
// Page geometry of the printouts: the chart's paper formats and their rectangles in printer
// dots, the quarter turn of the captured chart, and the unit rules of the table printer.

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QRect>
#include <QString>
#include <optional>

namespace luftikon {

// The chart's three paper formats, named in the settings by "DINA4", "DINA5" and "DINA6".
enum class ChartPaper { A4, A5, A6 };

// Every printout is made at this device resolution, so the dot rectangles land on paper at
// the same place and size whatever the printer's own default is.
constexpr int printDpi = 600;

QString paperText(ChartPaper paper);
// The format a stored text names, or nothing when it names none of the three.
std::optional<ChartPaper> paperFromText(const QString& text);

// Where the chart picture is stretched to, in dots from the printable area's corner.
QRect chartPrintRect(ChartPaper paper);
QPageSize chartPageSize(ChartPaper paper);
// A4 is printed upright with the picture turned; A5 and A6 lie on their long side.
QPageLayout::Orientation chartOrientation(ChartPaper paper);

// The picture turned a quarter clockwise: the old bottom-left corner becomes the new top-left.
// Always 32 bits a pixel.
QImage turnClockwise(const QImage& picture);

// Rounds to the nearest whole number, halves to the even neighbour.
int roundHalfEven(double value);
// Points at `dpi`, times `scale`, in whole dots.
int pointsToDots(double points, int dpi, double scale);
// The table printer's cell font size for a grid font of `gridPoints`.
int printFontPoints(int gridPoints, double scale);

// The table printout's title: the heading with its best value; a heading that carries the
// program's "Luftikon-" prefix before "Messwerte" starts at "Messwerte".
QString printTitle(const QString& heading, int bestValue);

} // namespace luftikon
