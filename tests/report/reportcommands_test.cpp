// The evaluation menu on a drawn month: the figures window, the report read back with the
// poppler tools as a PDF viewer would show it, and the CSV file.
#include "appversion.h"
#include "report/readingscsv.h"
#include "report/ui/doctorreport.h"
#include "report/ui/evaluationwindow.h"
#include "reportlines.h"
#include "support/appfixture.h"
#include "support/children.h"
#include "support/pdftools.h"

#include <QAction>
#include <QLabel>
#include <QRegularExpression>

using namespace luftikon;
using namespace luftikon::test;

namespace {

const QString noData = QStringLiteral("Es wurden noch keine Daten eingegeben!");

class ReportCommands : public ::testing::Test, protected AppFixture {
protected:
    ReportCommands() : AppFixture(QDate(2024, 6, 3)) { desktop.clearShown(); }

    // Writes the diary and its remarks and draws it, as opening it from the menu would.
    void drawMay(const QStringList& readings, const QStringList& remarks, bool eight = false)
    {
        const QString diary = diaryPath(QStringLiteral("Jürgen Müller"), 5, 2024);
        writeLines(diary,
                   diaryHead(QStringLiteral("Jürgen Müller"), QStringLiteral("Mai 2024"), eight, mayGreen, mayRed) +
                       readings);
        writeLines(diary.chopped(3) + QStringLiteral("txt"), remarks);
        form->month().open(diary);
        EXPECT_TRUE(desktop.shown().empty()) << desktop.shownTexts().join('|').toStdString();
    }

    QString reportFolder() const { return state.dataFolder + QStringLiteral("Luftikon-Berichte/2024/"); }
};

} // namespace

TEST_F(ReportCommands, EveryCommandNeedsADrawnMonthWithReadings)
{
    for (QAction* command : {child<QAction>(form, "evaluateMonthAction"), child<QAction>(form, "doctorReportAction"),
                             child<QAction>(form, "saveCsvAction")}) {
        desktop.clearShown();
        command->trigger();
        EXPECT_EQ(desktop.shownTexts(), QStringList{noData}) << command->text().toStdString();
    }
    // A drawn diary without a single entry line has nothing to evaluate either.
    desktop.clearShown();
    drawMay({}, {});
    child<QAction>(form, "doctorReportAction")->trigger();
    EXPECT_EQ(desktop.shownTexts(), QStringList{noData});
    EXPECT_TRUE(desktop.openedDocuments().isEmpty());
    EXPECT_FALSE(QDir(reportFolder()).exists());
}

TEST_F(ReportCommands, TheWindowShowsTheMonthsFigures)
{
    drawMay(mayReadings(), {});
    QStringList texts;
    desktop.answerDialog([&](QDialog& dialog) {
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            texts << label->text();
            // Every text whole: no label is narrower than its own text needs.
            if (!label->wordWrap()) {
                EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
            }
        }
        return QDialog::Accepted;
    });
    form->evaluateMonthTriggered();

    EXPECT_TRUE(texts.contains(QStringLiteral("Jürgen Müller – Mai 2024")));
    EXPECT_TRUE(texts.contains(QStringLiteral("367,3 l/min (4 Messungen)")));
    EXPECT_TRUE(texts.contains(QStringLiteral("KW 22 (27.–31. Mai)")));
    EXPECT_TRUE(texts.contains(QStringLiteral("410 l/min = 85,4 %")));
}

TEST_F(ReportCommands, TheReportIsWrittenOpenedAndReadsAsAViewerShowsIt)
{
    drawMay(mayReadings(), {QStringLiteral("3. Mai: Erkältung"), QStringLiteral("Spray ab 9. Mai")});
    child<QAction>(form, "doctorReportAction")->trigger();

    EXPECT_TRUE(desktop.shown().empty()) << desktop.shownTexts().join('|').toStdString();
    const QString pdf = reportFolder() + QStringLiteral("Jürgen Müller_5_2024.pdf");
    ASSERT_EQ(desktop.openedDocuments(), QStringList{pdf});

    // The figures are worked out in the figures' own tests; here they must reach the page.
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Erstellt am 03.06.2024 mit Luftikon ") + QLatin1String(appVersion)));
    for (const char* expected :
         {"Name: Jürgen Müller", "Monat: Mai 2024", "Zeitraum: 1.–31. Mai 2024",
          "Grenzwerte: grün ab 400 l/min, rot unter 250 l/min", "Bestwert des Monats: 480 l/min",
          "367,3 l/min (4 Messungen)", "15,6 % (6 Tage)", "7 Messungen, 43,8 %", "KW 18 (1.–5. Mai)",
          "250 l/min = 52,1 %", "Mi 1.", "=1+1", "3. Mai: Erkältung", "Spray ab 9. Mai"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;

    expectFontsEmbedded(pdf);

    // The chart's zones show in their colours where the chart lies on the page.
    constexpr int dpi = 100;
    const QString png = box.file(QStringLiteral("page"));
    runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                         QStringLiteral("-singlefile"), pdf, png});
    const QImage page(png + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    const QImage& chart = form->chartPicture();
    const auto onPage = [&](int x, int y) {
        const double mmPerPixel = reportChartWidth / chart.width();
        return page.pixelColor(int((reportChartLeft + x * mmPerPixel) / 25.4 * dpi),
                               int((reportChartTop + y * mmPerPixel) / 25.4 * dpi));
    };
    // Inside the column of day 16, clear of grid lines, curve and pin: the green, yellow and red bands.
    for (const int y : {150, 400, 590}) {
        const QColor drawn = chart.pixelColor(410, y);
        const QColor shown = onPage(410, y);
        EXPECT_NEAR(shown.red(), drawn.red(), 14) << y;
        EXPECT_NEAR(shown.green(), drawn.green(), 14) << y;
        EXPECT_NEAR(shown.blue(), drawn.blue(), 14) << y;
    }
    EXPECT_GT(onPage(410, 150).green(), onPage(410, 150).red() + 100);
    EXPECT_GT(onPage(410, 590).red(), onPage(410, 590).green() + 100);
}

TEST_F(ReportCommands, EightSlotsFitAndLongRemarksAreCutWithANote)
{
    QStringList readings;
    const char* slotNames[] = {"Morgens",  "Messung2", "Messung3", "Messung4",
                               "Messung5", "Messung6", "Messung7", "Abends"};
    for (int day = 1; day <= 31; ++day)
        for (int slot = 0; slot < 8; ++slot)
            readings << reading(slotNames[slot], day, 200 + 8 * day + slot, 5); // all different
    QStringList remarks;
    for (int i = 1; i <= 120; ++i)
        remarks << QStringLiteral("Bemerkung Nummer %1 zum Befinden an diesem Tag").arg(i);
    drawMay(readings, remarks, true);
    child<QAction>(form, "doctorReportAction")->trigger();

    const QString pdf = reportFolder() + QStringLiteral("Jürgen Müller_5_2024.pdf");
    EXPECT_TRUE(
        runTool(QStringLiteral("pdfinfo"), {pdf}).contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    const QString text = pdfText(pdf);
    for (const char* heading : {"Morgens", "Mess. 2", "Mess. 4", "Mess. 7", "Abends"})
        EXPECT_TRUE(text.contains(QLatin1String(heading))) << heading;
    EXPECT_TRUE(text.contains(QStringLiteral("Sa 4.")));
    EXPECT_TRUE(text.contains(QStringLiteral(" 454 "))); // 31 May, seventh reading
    EXPECT_TRUE(text.contains(QStringLiteral("Bemerkung Nummer 1 ")));
    EXPECT_FALSE(text.contains(QStringLiteral("Bemerkung Nummer 120 ")));
    EXPECT_TRUE(text.contains(remarksCutNote));
}

TEST_F(ReportCommands, TheCsvFileIsWrittenBesideTheReportAndAFolderInTheWayIsReported)
{
    drawMay(mayReadings(), {});
    child<QAction>(form, "saveCsvAction")->trigger();

    const QString csv = reportFolder() + QStringLiteral("Jürgen Müller_5_2024.csv");
    EXPECT_EQ(desktop.shownTexts(),
              QStringList{QStringLiteral("Die Messwerte wurden als CSV-Datei gespeichert:\n") + csv});
    const QByteArray written = bytes(csv);
    EXPECT_TRUE(written.startsWith("\xEF\xBB\xBF"
                                   "Datum;Uhrzeit;Messung;Wert;Zone\r\n01.05.2024;08:00;Morgens;300;gelb\r\n"));
    EXPECT_EQ(written.count("\r\n"), 1 + mayReadings().size());
    EXPECT_TRUE(desktop.openedDocuments().isEmpty());

    // A file where the report folder belongs: reported, and nothing is opened.
    QDir(state.dataFolder + QStringLiteral("Luftikon-Berichte")).removeRecursively();
    desktop.clearShown();
    Sandbox::writeBytes(state.dataFolder + QStringLiteral("Luftikon-Berichte"), "kein Ordner");
    child<QAction>(form, "doctorReportAction")->trigger();

    ASSERT_EQ(desktop.shown().size(), 1u);
    EXPECT_EQ(desktop.shown()[0].kind, MessageKind::Error);
    EXPECT_TRUE(desktop.shown()[0].text.contains(QStringLiteral("konnte nicht erstellt werden")));
    EXPECT_TRUE(desktop.openedDocuments().isEmpty());
}
