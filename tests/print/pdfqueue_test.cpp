// Printing on a real CUPS PDF queue and reading back what lands on paper: the chart in its
// three formats, the table in both day layouts, and a stopped printer.
#include "print/pdfqueue.h"
#include "print/printfixture.h"
#include "print/printgeometry.h"
#include "table/tabellen.h"
#include "table/tabletestlines.h"

#include <QAction>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <iostream>

using namespace luftikon;
using namespace luftikon::test;

namespace {

constexpr int chartDpi = 60;
constexpr int tableDpi = 150;

// The page of a PDF at `dpi`, landscape when `landscape`: the PDF printer lays landscape pages
// on their side, turned counter-clockwise, so they are turned back.
QImage pageOf(const QString& pdf, int dpi, bool landscape)
{
    const std::vector<QImage> pages = renderPdf(pdf, dpi);
    if (pages.size() != 1)
        return {};
    const QImage& page = pages.front();
    return landscape && page.width() < page.height() ? page.transformed(QTransform().rotate(90)) : page;
}

// A rectangle of printer dots at 600 dpi in pixels of a page rendered at `dpi`.
QRect onPage(const QRect& dots, int dpi)
{
    return QRect(QPoint(dots.left() * dpi / 600, dots.top() * dpi / 600),
                 QPoint((dots.right() + 1) * dpi / 600 - 1, (dots.bottom() + 1) * dpi / 600 - 1));
}

void expectNear(const QRect& actual, const QRect& expected, int tolerance)
{
    EXPECT_NEAR(actual.left(), expected.left(), tolerance);
    EXPECT_NEAR(actual.top(), expected.top(), tolerance);
    EXPECT_NEAR(actual.right(), expected.right(), tolerance);
    EXPECT_NEAR(actual.bottom(), expected.bottom(), tolerance);
}

// The first column from the left in `row` whose pixel is dark, or -1.
int firstDark(const QImage& page, int row)
{
    for (int x = 0; x < page.width(); ++x)
        if (qGray(page.pixel(x, row)) < 128)
            return x;
    return -1;
}

} // namespace

class PdfQueueTest : public PrintWindowTest {
protected:
    // Queues the print dialog's answer: the test queue, a fresh job title, and the
    // resolution the user might have chosen there.
    QString chooseQueue(std::optional<int> dpi = std::nullopt)
    {
        const QString title = queue.uniqueJobTitle();
        desktop.answerPrintWith([this, title, dpi](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::NativeFormat);
            printer.setPrinterName(queue.name());
            printer.setDocName(title);
            if (dpi)
                printer.setResolution(*dpi);
            return printer.printerName() == queue.name();
        });
        return title;
    }

    // The printable area's corner on the queue's paper, in dots at 600 dpi.
    QPoint printableCorner(const QPageSize& size, QPageLayout::Orientation orientation)
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(queue.name());
        printer.setResolution(printDpi);
        printer.setPageSize(size);
        printer.setPageOrientation(orientation);
        const QMarginsF margins = printer.pageLayout().minimumMargins();
        return QPoint(qRound(margins.left() / 72 * printDpi), qRound(margins.top() / 72 * printDpi));
    }

    void printChart(ChartPaper paper, std::optional<int> dialogDpi)
    {
        state.paperFormat = paperText(paper);
        QString title;
        openPreview([&](TDruckvorschau& p) {
            title = chooseQueue(dialogDpi);
            p.DruckenBtn->click();
        });
        ASSERT_TRUE(desktop.shown().empty()) << desktop.shown().front().text.toStdString();
        const QString pdf = queue.waitForPdf(title);
        ASSERT_FALSE(pdf.isEmpty()) << "no PDF came out of the queue";
        const bool landscape = paper != ChartPaper::A4;
        const QImage page = pageOf(pdf, chartDpi, landscape);
        ASSERT_FALSE(page.isNull());
        const QRect dots =
            chartPrintRect(paper).translated(printableCorner(chartPageSize(paper), chartOrientation(paper)));
        expectNear(inkBox(page), onPage(dots, chartDpi), 1);
        EXPECT_GT(pictureMatch(page, chartDpi, preview->printPicture(), dots), 0.9);
    }

    // Prints the month table from its window and gives the page.
    QImage printTable(SlotMode mode)
    {
        state.fourSlotMark = mode == SlotMode::Four;
        state.eightSlotMark = mode == SlotMode::Eight;
        state.entryMonth = 3;
        state.entryYear = 2024;
        state.entryList = {entryLine(QStringLiteral("Morgens den "), 4, QStringLiteral("07:30"), 420)};
        state.bestValue = 420;
        state.currentDiaryFile = box.file(QStringLiteral("Anna_3_2024.tab"));
        state.remarksFile = box.file(QStringLiteral("Anna_3_2024.txt"));
        form->Label1->setText(QStringLiteral("von Anna"));
        form->TabellenDlg->prepareShowing(form->Label1->text());
        const QString title = chooseQueue();
        form->TabellenDlg->Drucken1->trigger();
        EXPECT_TRUE(desktop.shown().empty()) << desktop.shownTexts().join(u'|').toStdString();
        const QString pdf = queue.waitForPdf(title);
        EXPECT_FALSE(pdf.isEmpty()) << "no PDF came out of the queue";
        return pdf.isEmpty() ? QImage() : pageOf(pdf, tableDpi, mode == SlotMode::Eight);
    }

    PdfQueue queue;
};

TEST_F(PdfQueueTest, ChartAndTableLandOnPaperWhereTheyBelong)
{
    if (!queue.problem().isEmpty()) {
        std::cout << "PDF queue tests skipped because " << queue.problem().toStdString() << std::endl;
        GTEST_SKIP();
    }

    // The queue's own default is 300 dpi; the rectangle must not follow it.
    for (const auto& [paper, dpi] :
         {std::pair{ChartPaper::A4, std::optional{300}}, std::pair{ChartPaper::A4, std::optional{600}},
          std::pair{ChartPaper::A5, std::optional<int>()}, std::pair{ChartPaper::A6, std::optional<int>()}}) {
        SCOPED_TRACE(paperText(paper).toStdString() + " at " + std::to_string(dpi.value_or(0)) + " dpi");
        printChart(paper, dpi);
    }

    for (const SlotMode mode : {SlotMode::Four, SlotMode::Eight}) {
        SCOPED_TRACE(mode == SlotMode::Four ? "table, four readings" : "table, eight readings");
        const QImage page = printTable(mode);
        ASSERT_FALSE(page.isNull());
        const double scale = mode == SlotMode::Four ? 0.85 : 0.65;
        const QPoint corner = printableCorner(QPageSize(QPageSize::A4),
                                              mode == SlotMode::Four ? QPageLayout::Portrait : QPageLayout::Landscape);
        EXPECT_EQ(page.width() > page.height(), mode == SlotMode::Eight);
        // The grid's first line: the printer's border, one dot and the margins of 40 and 65 points.
        const int x0 = (2 * corner.x() + 1 + pointsToDots(40, 600, scale)) * tableDpi / 600;
        const int y0 = (2 * corner.y() + 1 + pointsToDots(65, 600, scale)) * tableDpi / 600;
        const int midRow = y0 + 40;
        EXPECT_NEAR(firstDark(page, midRow), x0, 1);
        // The title stands above the grid, starting left of the page's middle.
        const QRect ink = inkBox(page.copy(0, 0, page.width(), y0 - 2));
        EXPECT_NEAR(ink.top(), (2 * corner.y() + 250) * tableDpi / 600, 12);
        EXPECT_LT(ink.left(), page.width() / 2);
        EXPECT_GT(ink.right(), page.width() / 2);
    }

    // A printer CUPS reports as stopped prints nothing and says so.
    ASSERT_TRUE(queue.setAccepting(false));
    openPreview([this](TDruckvorschau& p) {
        chooseQueue();
        p.DruckenBtn->click();
    });
    ASSERT_EQ(desktop.shown().size(), 1u);
    EXPECT_EQ(desktop.shown()[0].text, QStringLiteral("Der Drucker \"") + queue.name() +
                                           QStringLiteral("\" ist angehalten. Es wurde nichts gedruckt."));
    queue.setAccepting(true);
}
