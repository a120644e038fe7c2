// Printing on a real CUPS PDF queue and reading back what lands on paper: the chart in its
// three formats, the table in both day layouts, and a stopped printer.
#include "print/printfixture.h"
#include "print/printgeometry.h"
#include "support/children.h"
#include "support/diarylines.h"
#include "table/tablewindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <iostream>
#include <pwd.h>
#include <unistd.h>

using namespace luftikon;
using namespace luftikon::test;

namespace {

constexpr int chartDpi = 60;
constexpr int tableDpi = 150;

QString findTool(const QString& name)
{
    const QString found = QStandardPaths::findExecutable(name);
    return found.isEmpty() ? QStandardPaths::findExecutable(name, {"/usr/sbin", "/usr/bin", "/sbin"}) : found;
}

QString run(const QString& program, const QStringList& arguments, int* exitCode = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(20000);
    if (exitCode)
        *exitCode = finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromLocal8Bit(process.readAll());
}

// A PDF print queue of the test's own on the machine's CUPS: added under a unique name (never
// the default), removed again at the end. CUPS needs root for this; as another user it goes
// through password-free sudo, or the queue reports why it cannot be had.
class PdfQueue {
public:
    PdfQueue()
    {
        for (const char* tool : {"cupsd", "lpadmin", "lpstat", "cupsdisable", "pdftoppm"}) {
            if (findTool(QLatin1String(tool)).isEmpty()) {
                problem = QLatin1String(tool) + QStringLiteral(" is missing; scripts/install-deps installs CUPS, its "
                                                               "PDF printer and poppler-utils");
                return;
            }
        }
        int code = 0;
        if (geteuid() != 0) {
            useSudo = true;
            run(findTool(QStringLiteral("sudo")), {QStringLiteral("-n"), QStringLiteral("true")}, &code);
        }
        if (code != 0) {
            problem = QStringLiteral("adding a print queue needs root, and sudo is missing or asks for a password");
            return;
        }
        if (!schedulerRunning()) {
            // No service manager here: the scheduler is started as the service would start it,
            // and it keeps running for whoever prints next.
            admin(findTool(QStringLiteral("cupsd")), {});
            QElapsedTimer clock;
            clock.start();
            while (!schedulerRunning() && clock.elapsed() < 15000)
                QThread::msleep(200);
            if (!schedulerRunning()) {
                problem = QStringLiteral("the CUPS scheduler cupsd did not start");
                return;
            }
        }
        name = QStringLiteral("luftikon-test-%1-%2").arg(getpid()).arg(QDateTime::currentMSecsSinceEpoch() % 1000000);
        QString output;
        if (!admin(findTool(QStringLiteral("lpadmin")),
                   {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                    QStringLiteral("cups-pdf:/"), QStringLiteral("-m"),
                    QStringLiteral("lsb/usr/cups-pdf/CUPS-PDF_noopt.ppd")},
                   &output)) {
            problem = QStringLiteral("the PDF queue could not be added: ") + output.trimmed();
            return;
        }
        added = true;
        // The PDF printer writes into the PDF folder of the job's owner.
        const passwd* user = getpwuid(getuid());
        outputFolder =
            QString::fromLocal8Bit(user ? user->pw_dir : qgetenv("HOME").constData()) + QStringLiteral("/PDF");
    }
    ~PdfQueue()
    {
        if (added)
            admin(findTool(QStringLiteral("lpadmin")), {QStringLiteral("-x"), name});
        for (const QString& file : madeFiles)
            if (!QFile::remove(file))
                admin(QStringLiteral("rm"), {QStringLiteral("-f"), file});
    }

    // A job title no other print of this run uses.
    QString uniqueJobTitle() { return QStringLiteral("%1-job%2").arg(name).arg(++jobs); }

    // Waits up to 30 s for the PDF of the job titled `title`; empty when none came.
    QString waitForPdf(const QString& title)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 30000) {
            const bool jobsPending =
                !run(findTool(QStringLiteral("lpstat")), {QStringLiteral("-o"), name}).trimmed().isEmpty();
            const QFileInfoList files =
                QDir(outputFolder).entryInfoList({QLatin1Char('*') + title + QStringLiteral("*.pdf")}, QDir::Files);
            if (!jobsPending && !files.isEmpty() && files.first().size() > 0) {
                madeFiles << files.first().absoluteFilePath();
                return files.first().absoluteFilePath();
            }
            QCoreApplication::processEvents();
            QThread::msleep(250);
        }
        return {};
    }

    // Stops or restarts the queue as an administrator would.
    bool setAccepting(bool enabled)
    {
        return admin(findTool(enabled ? QStringLiteral("cupsenable") : QStringLiteral("cupsdisable")), {name});
    }

    QString problem; // empty when the queue is ready
    QString name;

private:
    // Runs an administration command, through sudo when not root.
    bool admin(const QString& program, const QStringList& arguments, QString* output = nullptr)
    {
        int code = -1;
        const QString text =
            useSudo ? run(QStringLiteral("sudo"), QStringList{QStringLiteral("-n"), program} + arguments, &code)
                    : run(program, arguments, &code);
        if (output)
            *output = text;
        return code == 0;
    }
    bool schedulerRunning()
    {
        return run(findTool(QStringLiteral("lpstat")), {QStringLiteral("-r")}).contains(QStringLiteral("is running"));
    }

    QString outputFolder;
    QStringList madeFiles;
    bool useSudo = false;
    bool added = false;
    int jobs = 0;
};

// The page of a one-page PDF rendered at `dpi`, upright as a viewer shows it: the PDF printer
// lays landscape pages on their side, so they are turned back. Null for anything else.
QImage pageOf(const QString& pdf, int dpi, bool landscape)
{
    QTemporaryDir out;
    int code = -1;
    run(QStringLiteral("pdftoppm"), {"-r", QString::number(dpi), "-png", pdf, out.filePath("page")}, &code);
    const QStringList pages = QDir(out.path()).entryList({QStringLiteral("page*.png")}, QDir::Files);
    if (code != 0 || pages.size() != 1)
        return {};
    const QImage page = QImage(out.filePath(pages.first())).convertToFormat(QImage::Format_RGB32);
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

// The share (0..1) of sample points where `page`, rendered at `pageDpi`, shows `picture`
// stretched into `dots` (printer dots at 600 dpi).
double pictureMatch(const QImage& page, int pageDpi, const QImage& picture, const QRect& dots)
{
    constexpr int samples = 24;
    const auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= 40 && std::abs(qGreen(a) - qGreen(b)) <= 40 &&
               std::abs(qBlue(a) - qBlue(b)) <= 40;
    };
    int matches = 0;
    for (int i = 0; i < samples; ++i) {
        for (int j = 0; j < samples; ++j) {
            const double u = (i + 0.5) / samples;
            const double v = (j + 0.5) / samples;
            const QPoint onPage(int((dots.left() + u * dots.width()) * pageDpi / 600),
                                int((dots.top() + v * dots.height()) * pageDpi / 600));
            const QPoint inPicture(int(u * picture.width()), int(v * picture.height()));
            matches += page.rect().contains(onPage) && near(page.pixel(onPage), picture.pixel(inPicture));
        }
    }
    return double(matches) / (samples * samples);
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
            printer.setPrinterName(queue.name);
            printer.setDocName(title);
            if (dpi)
                printer.setResolution(*dpi);
            return printer.printerName() == queue.name;
        });
        return title;
    }

    // The printable area's corner on the queue's paper, in dots at 600 dpi.
    QPoint printableCorner(const QPageSize& size, QPageLayout::Orientation orientation)
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(queue.name);
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
        openPreview([&](PrintPreview& p) {
            title = chooseQueue(dialogDpi);
            child<QPushButton>(&p, "printButton")->click();
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
        const QString diary = box.file(QStringLiteral("Anna_3_2024.tab"));
        writeLines(diary, diaryHead(QStringLiteral("Anna"), QStringLiteral("März 2024"), mode == SlotMode::Eight) +
                              QStringList{reading("Morgens", 4, 420, 3, 2024, QStringLiteral("07:30"))});
        form->month().open(diary);
        child<QLabel>(form, "userNameLabel")->setText(QStringLiteral("von Anna"));
        form->tableWindow().prepareShowing(child<QLabel>(form, "userNameLabel")->text());
        const QString title = chooseQueue();
        child<QAction>(&form->tableWindow(), "printAction")->trigger();
        EXPECT_TRUE(desktop.shown().empty()) << desktop.shownTexts().join(u'|').toStdString();
        const QString pdf = queue.waitForPdf(title);
        EXPECT_FALSE(pdf.isEmpty()) << "no PDF came out of the queue";
        return pdf.isEmpty() ? QImage() : pageOf(pdf, tableDpi, mode == SlotMode::Eight);
    }

    PdfQueue queue;
};

TEST_F(PdfQueueTest, ChartAndTableLandOnPaperWhereTheyBelong)
{
    if (!queue.problem.isEmpty()) {
        std::cout << "PDF queue tests skipped because " << queue.problem.toStdString() << std::endl;
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
        // The title stands above the grid (the printer's border, one dot and a margin of 65 points),
        // across the page's middle.
        const int y0 = (2 * corner.y() + 1 + pointsToDots(65, 600, scale)) * tableDpi / 600;
        const QRect ink = inkBox(page.copy(0, 0, page.width(), y0 - 2));
        EXPECT_NEAR(ink.top(), (2 * corner.y() + 250) * tableDpi / 600, 12);
        EXPECT_LT(ink.left(), page.width() / 2);
        EXPECT_GT(ink.right(), page.width() / 2);
    }

    // A printer CUPS reports as stopped prints nothing and says so.
    ASSERT_TRUE(queue.setAccepting(false));
    openPreview([this](PrintPreview& p) {
        chooseQueue();
        child<QPushButton>(&p, "printButton")->click();
    });
    ASSERT_EQ(desktop.shown().size(), 1u);
    EXPECT_EQ(desktop.shown()[0].text, QStringLiteral("Der Drucker \"") + queue.name +
                                           QStringLiteral("\" ist angehalten. Es wurde nichts gedruckt."));
    queue.setAccepting(true);
}
