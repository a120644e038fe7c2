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

// An A4 page at 600 dpi with a printer's border of 10 dots.
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

// 10 dots of border + 1 + 40 points at 0.85 = 283 dots; 65 points = 460 dots.
constexpr int gridLeft = 10 + 1 + 283;
constexpr int gridTop = 10 + 1 + 460;

} // namespace

TEST(TablePrinter, TextStaysInsideItsCell)
{
    PrintableGrid grid = fourSlotTable();
    grid.cells[5][3] = QString(40, u'W'); // a spacer column, 15 pixels wide
    Page page;
    page.draw(grid, fourSlotOptions());
    const int spacerLeft = gridLeft + 3 * 432;
    const int spacerRight = spacerLeft + pointsToDots(16, 600, 0.85);
    const int rowTop = gridTop + 5 * pointsToDots(25, 600, 0.85);
    const QRect nextCell(spacerRight + 3, rowTop + 3, 300, 120);
    EXPECT_EQ(page.count(qRgb(0, 0, 0), nextCell), 0);
    EXPECT_GT(page.count(qRgb(0, 0, 0), QRect(spacerLeft, rowTop, spacerRight - spacerLeft, 120)), 0);
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
    for (QAction* item : {form->TabellenDlg->Drucken1, form->TabellenDlg->Drucken2}) {
        desktop.answerPrint(false);
        item->trigger();
        EXPECT_EQ(desktop.pendingAnswers(), 0) << item->text().toStdString();
    }
}
