// The table printer on a page-sized picture at 600 dpi, and the table window's print items.
#include "print/printfixture.h"
#include "print/printgeometry.h"
#include "print/tableprinter.h"
#include "table/tabellen.h"

#include <QAction>
#include <QPainter>
#include <QTimer>

using namespace luftikon;
using namespace luftikon::test;

namespace {

const QRgb lineColor = qRgb(51, 51, 51);

// A page at 600 dpi, A4 unless told, with a printer's border of 10 dots; the picture reaches
// 20 dots beyond the printable area.
struct Page {
    QImage image;
    GridPage metrics;

    explicit Page(QSize printable = QSize(4941, 6996)) : image(printable + QSize(20, 20), QImage::Format_RGB32)
    {
        image.fill(Qt::white);
        image.setDotsPerMeterX(int(600 / 0.0254 + 0.5));
        image.setDotsPerMeterY(int(600 / 0.0254 + 0.5));
        metrics.offset = QPoint(10, 10);
        metrics.size = printable;
    }

    bool draw(const PrintableGrid& grid, const GridPrintOptions& options)
    {
        QPainter painter(&image);
        return drawGridPage(painter, grid, options, metrics);
    }

    int count(QRgb colour, const QRect& area) const
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += image.pixel(x, y) == colour;
        return n;
    }
};

PrintableGrid fourSlotTable()
{
    return printableTable(buildTableCells({}, SlotMode::Four, 32), SlotMode::Four);
}

GridPrintOptions fourSlotOptions()
{
    GridPrintOptions options;
    options.scale = 0.85;
    return options;
}

} // namespace

TEST(TablePrinter, FontsFollowTheScale)
{
    const PrintableGrid grid = fourSlotTable();
    EXPECT_EQ(gridCellFont(grid, 0.85).pointSize(), 9);
    EXPECT_EQ(gridTitleFont(grid, 0.85).pointSize(), 14);
    EXPECT_EQ(gridCellFont(grid, 0.65).pointSize(), 7);
    EXPECT_EQ(gridTitleFont(grid, 0.65).pointSize(), 12);
    EXPECT_TRUE(gridCellFont(grid, 0.85).bold());
}

TEST(TablePrinter, CellsStartAtTheMarginsWithDarkGreyLinesAndWhiteFill)
{
    Page page;
    ASSERT_TRUE(page.draw(fourSlotTable(), fourSlotOptions()));
    // 10 dots of border + 1 + 40 points at 0.85 = 283 dots; 65 points = 460 dots.
    const int x0 = 10 + 1 + 283;
    const int y0 = 10 + 1 + 460;
    EXPECT_EQ(page.image.pixel(x0, y0 + 50), lineColor);
    EXPECT_EQ(page.image.pixel(x0 + 50, y0), lineColor);
    EXPECT_EQ(page.image.pixel(x0 - 1, y0 + 50), qRgb(255, 255, 255));
    // The day column is 61 pixels with its line: 432 dots at 0.85.
    EXPECT_EQ(page.image.pixel(x0 + 432, y0 + 50), lineColor);
    // An empty cell of day 5 is white.
    EXPECT_EQ(page.image.pixel(x0 + 432 + 200, y0 + 5 * 177 + 80), qRgb(255, 255, 255));
}

TEST(TablePrinter, TextStaysInsideItsCell)
{
    PrintableGrid grid = fourSlotTable();
    grid.cells[5][3] = QString(40, u'W'); // a spacer column, 15 pixels wide
    Page page;
    page.draw(grid, fourSlotOptions());
    const int x0 = 10 + 1 + 283;
    const int y0 = 10 + 1 + 460;
    const int spacerLeft = x0 + 3 * 432;
    const int spacerRight = spacerLeft + pointsToDots(16, 600, 0.85);
    const int rowTop = y0 + 5 * pointsToDots(25, 600, 0.85);
    const QRect nextCell(spacerRight + 3, rowTop + 3, 300, 120);
    EXPECT_EQ(page.count(qRgb(0, 0, 0), nextCell), 0);
    EXPECT_GT(page.count(qRgb(0, 0, 0), QRect(spacerLeft, rowTop, spacerRight - spacerLeft, 120)), 0);
}

TEST(TablePrinter, NoLinesWithoutGridLinesAndNothingBeyondThePage)
{
    PrintableGrid grid = fourSlotTable();
    grid.lineWidth = 0;
    Page narrow(QSize(2000, 3000));
    narrow.draw(grid, fourSlotOptions());
    const int x0 = 10 + 1 + 283;
    const int y0 = 10 + 1 + 460;
    for (const QPoint line : {QPoint(x0, y0 + 50), QPoint(x0 + 50, y0), QPoint(x0 + 432, y0 + 5 * 177 + 80)})
        EXPECT_EQ(narrow.image.pixel(line), qRgb(255, 255, 255));
    // The table goes on past 2000 dots across and 3000 down; the page ends there.
    EXPECT_EQ(inkBox(narrow.image.copy(2000, 0, 20, 3020)), QRect());
    EXPECT_EQ(inkBox(narrow.image.copy(0, 3000, 2020, 20)), QRect());
}

TEST(TablePrinter, NothingToPrintForAnEmptyScaleOrARangeOutsideTheGrid)
{
    Page page;
    GridPrintOptions options = fourSlotOptions();
    options.scale = 0;
    EXPECT_FALSE(page.draw(fourSlotTable(), options));
    options = fourSlotOptions();
    options.firstColumn = 12;
    EXPECT_FALSE(page.draw(fourSlotTable(), options));
    // Backwards and too long ranges are turned round and cut to the grid, never read past it.
    options = fourSlotOptions();
    options.firstColumn = 11;
    options.lastColumn = 0;
    options.lastRow = 99;
    EXPECT_TRUE(page.draw(fourSlotTable(), options));
}

TEST_F(PrintWindowTest, TableWindowPrintsFromItsMenuAndContextMenu)
{
    // "&Tabelle drucken" opens the table window as "&aktuelle anzeigen" does.
    form->Tabelledrucken->trigger();
    EXPECT_TRUE(form->TabellenAnzeigeTimer->isActive());
    form->TabellenAnzeigeTimer->stop();

    // Both print items ask for the printer; what lands on paper is checked on the PDF queue.
    desktop.answerPrint(false);
    form->TabellenDlg->Drucken1->trigger();
    desktop.answerPrint(false);
    form->TabellenDlg->Drucken2->trigger();
    EXPECT_EQ(desktop.pendingAnswers(), 0);
}
