// The table printer on a page-sized picture at 600 dpi, and the table window's print items.
#include "print/printfixture.h"
#include "print/tableprinter.h"
#include "support/children.h"
#include "table/tablewindow.h"

#include <QAction>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
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

TEST(TablePrinter, ARangeOutsideTheGridStartsNoPrintJob)
{
    Sandbox box;
    ScriptedDesktop desktop;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(box.file(QStringLiteral("zeilen.pdf")));
    GridPrintOptions rows = fourSlotOptions();
    rows.firstRow = 1000;
    // Not even a blank page: the job never begins.
    EXPECT_FALSE(printGrid(desktop, printer, fourSlotTable(), rows));
    EXPECT_FALSE(QFileInfo::exists(printer.outputFileName()));
    EXPECT_TRUE(desktop.shown().empty()) << desktop.shownTexts().join(u'|').toStdString();
}

TEST_F(PrintWindowTest, TableWindowPrintsFromItsMenuAndContextMenu)
{
    // "&Tabelle drucken" opens the table window and, once it is up, asks for the printer.
    child<QAction>(form, "printTableAction")->trigger();
    EXPECT_TRUE(child<QTimer>(form, "tableShowTimer")->isActive());
    desktop.answerDialog([this](QDialog&) {
        EXPECT_EQ(desktop.pendingAnswers(), 0) << "no print dialog over the table";
        return int(QDialog::Rejected);
    });
    desktop.answerPrint(false);
    form->showPreparedTable();
    EXPECT_EQ(desktop.pendingAnswers(), 0);
    // Both print items ask for the printer; what lands on paper is checked on the PDF queue.
    for (QAction* item : {child<QAction>(&form->tableWindow(), "printAction"),
                          child<QAction>(&form->tableWindow(), "printContextAction")}) {
        desktop.answerPrint(false);
        item->trigger();
        EXPECT_EQ(desktop.pendingAnswers(), 0) << item->text().toStdString();
    }
}
