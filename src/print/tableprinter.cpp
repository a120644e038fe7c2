// The table printer.
#include "print/tableprinter.h"

#include "print/printgeometry.h"
#include "print/printjob.h"
#include "table/tablepicture.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <optional>

namespace luftikon {

namespace {

const QColor linePenColor(51, 51, 51);

// A first value below 0 starts at 0; a last value out of range ends at the last one; a range
// given backwards is turned round. Nothing when it starts beyond the grid.
std::optional<std::pair<int, int>> clampRange(int first, int last, int count)
{
    first = std::max(first, 0);
    if (first >= count)
        return std::nullopt;
    if (last < 0 || last >= count)
        last = count - 1;
    if (first > last)
        std::swap(first, last);
    return std::pair{first, last};
}

QFont sizedFont(const PrintableGrid& grid, int points)
{
    QFont font = grid.font;
    font.setPointSize(std::max(points, 1));
    return font;
}

QColor textColor(const PrintableGrid& grid, bool colours)
{
    return colours ? grid.fontColor : QColor(Qt::black);
}

} // namespace

PrintableGrid printableTable(const CellMatrix& cells, SlotMode mode)
{
    PrintableGrid grid;
    grid.cells = cells;
    const int columns = tableColumnCount(mode);
    for (int column = 0; column < columns; ++column)
        grid.columnWidths.push_back(columnPitch(column) - 1);
    grid.rowHeights.assign(cells.size(), cellHeight);
    grid.font = tableFont();
    // The screen font is sized in pixels; the printer scales from its size in points.
    grid.fontPoints =
        grid.font.pixelSize() > 0 ? roundHalfEven(grid.font.pixelSize() * 72.0 / 96.0) : grid.font.pointSize();
    return grid;
}

QFont gridTitleFont(const PrintableGrid& grid, double scale)
{
    return sizedFont(grid, printFontPoints(grid.fontPoints, scale) + 5);
}

QFont gridCellFont(const PrintableGrid& grid, double scale)
{
    return sizedFont(grid, printFontPoints(grid.fontPoints, scale));
}

bool drawGridPage(QPainter& painter, const PrintableGrid& grid, const GridPrintOptions& options, const GridPage& page)
{
    const int columnCount = int(grid.columnWidths.size());
    const int rowCount = int(grid.rowHeights.size());
    const auto columns = clampRange(options.firstColumn, options.lastColumn, columnCount);
    const auto rows = clampRange(options.firstRow, options.lastRow, rowCount);
    if (!(options.scale > 0) || !columns || !rows)
        return false;
    const auto [firstColumn, lastColumn] = *columns;
    const auto [firstRow, lastRow] = *rows;

    const double scale = options.scale;
    // What does not fit stays off: nothing is drawn beyond the page.
    painter.setClipRect(QRect(QPoint(0, 0), page.size));

    painter.setFont(gridTitleFont(grid, scale));
    painter.setPen(textColor(grid, options.colours));
    const QPoint titleAt(page.size.width() / 2 - 3 * page.titleWidth - 100, 250);
    painter.drawText(QRect(titleAt, QSize(page.size.width(), page.size.height())),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, options.title);

    const QPen linePen = grid.lineWidth >= 1 ? QPen(linePenColor, 1, Qt::SolidLine) : QPen(Qt::NoPen);
    painter.setFont(gridCellFont(grid, scale));
    const int inset = pointsToDots(3, page.dpiX, scale);
    const int x0 = page.offset.x() + 1 + pointsToDots(options.leftMargin, page.dpiX, scale);
    const int y0 = page.offset.y() + 1 + pointsToDots(options.topMargin, page.dpiY, scale);

    int x = x0;
    for (int column = firstColumn; column <= lastColumn; ++column) {
        const int right = x + pointsToDots(grid.columnWidths[column] + 1, page.dpiX, scale);
        int y = y0;
        for (int row = firstRow; row <= lastRow; ++row) {
            const int bottom = y + pointsToDots(grid.rowHeights[row] + 1, page.dpiY, scale);
            const bool fixed = column < grid.fixedColumns || row < grid.fixedRows;
            const QColor fill = fixed ? (options.colours ? grid.fixedColor : QColor(192, 192, 192))
                                      : (options.colours ? grid.cellColor : QColor(Qt::white));
            // The cell covers x .. right+1 and y .. bottom+1, so neighbours share their lines.
            const QRect cell(QPoint(x, y), QPoint(right + 1, bottom + 1));
            painter.fillRect(cell, fill);
            if (linePen.style() != Qt::NoPen) {
                painter.setPen(linePen);
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(cell.adjusted(0, 0, -1, -1));
            }
            const QStringList& texts = row < int(grid.cells.size()) ? grid.cells[row] : QStringList();
            const QString text = column < texts.size() ? texts[column] : QString();
            const QRect textBox(QPoint(x + inset, y + 1), QPoint(right - inset - 1, bottom - 2 - 1));
            if (!text.isEmpty() && textBox.isValid()) {
                painter.setPen(textColor(grid, options.colours));
                painter.save();
                painter.setClipRect(textBox, Qt::IntersectClip);
                painter.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
                painter.restore();
            }
            y = bottom;
        }
        x = right;
    }
    return true;
}

bool printGrid(Desktop& desktop, QPrinter& printer, const PrintableGrid& grid, const GridPrintOptions& options)
{
    // Checked before the job begins: a range outside the grid must not leave a blank page behind.
    const bool inGrid = clampRange(options.firstColumn, options.lastColumn, int(grid.columnWidths.size())) &&
                        clampRange(options.firstRow, options.lastRow, int(grid.rowHeights.size()));
    if (!(options.scale > 0) || !inGrid)
        return false;
    printer.setPageOrientation(options.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    return printPage(desktop, printer, [&](QPainter& painter) {
        GridPage page;
        page.dpiX = printer.logicalDpiX();
        page.dpiY = printer.logicalDpiY();
        page.offset = printer.pageRect(QPrinter::DevicePixel).topLeft().toPoint();
        page.size = QSize(printer.width(), printer.height());
        // Measured with the screen's font metrics, as the title has always been placed.
        page.titleWidth = QFontMetrics(gridTitleFont(grid, options.scale)).horizontalAdvance(options.title);
        drawGridPage(painter, grid, options, page);
    });
}

} // namespace luftikon

namespace luftikon {

bool printMonthTable(Desktop& desktop, QWidget* parent, const CellMatrix& cells, SlotMode mode, const QString& heading,
                     int bestValue)
{
    GridPrintOptions options;
    options.landscape = mode == SlotMode::Eight;
    options.scale = options.landscape ? 0.65 : 0.85;
    options.title = printTitle(heading, bestValue);
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, QPageSize(QPageSize::A4),
                   options.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setDocName(QStringLiteral("Luftikon-Tabelle"));
    if (!desktop.choosePrinter(parent, printer))
        return false;
    return printGrid(desktop, printer, printableTable(cells, mode), options);
}

} // namespace luftikon
