#pragma once
// The table printer: draws a grid cell by cell onto one printer page, sized from the grid's
// screen pixels in points, with a title line above it.

#include "platform/desktop.h"
#include "table/tablecontent.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <vector>

class QPainter;
class QPrinter;
class QWidget;

namespace luftikon {

// What is printed of a grid: its texts, its sizes in screen pixels and its look.
struct PrintableGrid {
    CellMatrix cells;
    std::vector<int> columnWidths;
    std::vector<int> rowHeights;
    int fixedColumns = 0;
    int fixedRows = 0;
    QFont font;
    int fontPoints = 8;
    int lineWidth = 1;
    QColor fixedColor{192, 192, 192};
    QColor cellColor{Qt::white};
    QColor fontColor{Qt::black};
};

// The month table as its window shows it.
PrintableGrid printableTable(const CellMatrix& cells, SlotMode mode);

struct GridPrintOptions {
    int leftMargin = 40;  // points
    int topMargin = 65;   // points
    bool colours = false; // the grid's own colours instead of grey and white
    double scale = 1.0;
    // The range to print; a negative first value means the first, a negative or too large
    // last value the last.
    int firstColumn = -1;
    int firstRow = -1;
    int lastColumn = -1;
    int lastRow = -1;
    QString title; // printed above the grid
    bool landscape = false;
};

// The printer's side of a page, in dots.
struct GridPage {
    int dpiX = 600;
    int dpiY = 600;
    QPoint offset;      // the unprintable border at the left and top
    QSize size;         // the printable area
    int titleWidth = 0; // the title's width as the screen measures it
};

// The title's font and the cell font for `grid` at `scale`.
QFont gridTitleFont(const PrintableGrid& grid, double scale);
QFont gridCellFont(const PrintableGrid& grid, double scale);

// Draws the title and the cells onto `painter`, nothing outside `page.size`. False when the
// scale or range leaves nothing to print.
bool drawGridPage(QPainter& painter, const PrintableGrid& grid, const GridPrintOptions& options, const GridPage& page);

// One print job of one page on a printer the user has confirmed; failures are reported.
bool printGrid(Desktop& desktop, QPrinter& printer, const PrintableGrid& grid, const GridPrintOptions& options);

} // namespace luftikon

namespace luftikon {

// The table window's print command: the print dialog with an A4 page, upright for four
// readings a day and landscape for eight, then the whole table on one page.
bool printMonthTable(Desktop& desktop, QWidget* parent, const CellMatrix& cells, SlotMode mode, const QString& heading,
                     int bestValue);

} // namespace luftikon
