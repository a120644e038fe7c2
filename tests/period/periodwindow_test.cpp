// The window "Verlauf" as the user meets it over the month drawn, and the report and CSV file it
// writes, read back with the poppler tools.
#include "month/currentmonth.h"
#include "period/periodfiles.h"
#include "period/ui/coursechart.h"
#include "period/ui/periodcommands.h"
#include "period/ui/periodreport.h"
#include "periodmonths.h"
#include "support/children.h"
#include "support/pdftools.h"
#include "support/sandbox.h"
#include "support/scripteddesktop.h"

#include <QDateEdit>
#include <QDialog>
#include <QPushButton>
#include <QTableWidget>

using namespace luftikon;
using namespace luftikon::test;

namespace {

class PeriodWindowTest : public ::testing::Test {
protected:
    PeriodWindowTest()
    {
        state.dataFolder = box.file(QStringLiteral("Daten/"));
        state.galleryFolder = state.dataFolder + QStringLiteral("Galerie/");
        state.userName = erika;
        writeErikasMonths(state.galleryFolder);
        month.open(state.galleryFolder + QStringLiteral("2025/Erika Beispiel_2_2025.tab"));
        desktop.setToday(QDate(2025, 3, 4));
    }

    QStringList column(const QTableWidget& table, int c) const
    {
        QStringList texts;
        for (int r = 0; r < table.rowCount(); ++r)
            texts << table.item(r, c)->text();
        return texts;
    }

    Sandbox box;
    ScriptedDesktop desktop;
    AppState state;
    CurrentMonth month;
};

} // namespace

TEST_F(PeriodWindowTest, OpensOnTheLastThreeMonthsAndWritesTheChosenPeriod)
{
    QString pdf;
    desktop.answerDialog([&](QDialog& window) {
        auto* table = child<QTableWidget>(&window, "periodTable");
        EXPECT_EQ(column(*table, 0), (QStringList{"Dezember 2024", "Januar 2025", "Februar 2025", "Ganzer Zeitraum"}));
        EXPECT_EQ(column(*table, 1)[0], QString()); // no diary: an empty row
        EXPECT_TRUE(column(*table, 1)[1].startsWith(QStringLiteral("nicht lesbar: ")));
        EXPECT_EQ(table->columnSpan(1, 1), table->columnCount() - 1);

        // From November on: the four months, across the year.
        child<QDateEdit>(&window, "fromMonthEdit")->setDate(QDate(2024, 11, 1));
        EXPECT_EQ(table->rowCount(), 5);
        EXPECT_EQ(column(*table, 3).last(), QStringLiteral("5 von 120"));
        child<QPushButton>(&window, "reportButton")->click();
        child<QPushButton>(&window, "csvButton")->click();
        return QDialog::Accepted;
    });
    showPeriodView(state, month, desktop, nullptr);

    const QString stem = state.dataFolder + QStringLiteral("Luftikon-Berichte/2025/Erika Beispiel_11-2024_2-2025");
    EXPECT_EQ(desktop.openedDocuments(), QStringList{stem + QStringLiteral(".pdf")});
    EXPECT_EQ(desktop.shownTexts(),
              QStringList{QStringLiteral("Die Messwerte wurden als CSV-Datei gespeichert:\n") + stem + ".csv"});
    EXPECT_EQ(Sandbox::readBytes(stem + QStringLiteral(".csv")),
              periodCsv(readPeriod(state.galleryFolder, erika, DiaryMonth{11, 2024}, DiaryMonth{2, 2025})));
}

TEST_F(PeriodWindowTest, TheReportHoldsEveryMonthOnItsFirstPageAndTheMonthsPagesBehind)
{
    const Period period = readPeriod(state.galleryFolder, erika, DiaryMonth{11, 2024}, DiaryMonth{2, 2025});
    const auto pdf = writePeriodReport(period, state.dataFolder, desktop);
    ASSERT_TRUE(pdf);
    EXPECT_TRUE(
        runTool(QStringLiteral("pdfinfo"), {*pdf}).contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))));

    const QString first = pdfText(*pdf, 1, 1, true);
    for (const char* expected :
         {"Name: Erika Beispiel", "Zeitraum: November 2024 bis Februar 2025", "Erstellt am 04.03.2025",
          "November 2024 400 / 250 6 3 von 30 420 313,3 415,0 20,5 % 260 = 61,9 % 3 3 0", "Dezember 2024",
          "Januar 2025 nicht lesbar: ", "Februar 2025 500 / 300 5 2 von 28 520 365,0 415,0 18,3 % 280 = 53,8 % 1 3 1",
          "Ganzer Zeitraum 11 5 von 120 520 334,0 415,0 19,4 % 260 = 50,0 % 4 6 1", "keine Diagnose"})
        EXPECT_TRUE(first.contains(QString::fromUtf8(expected))) << expected << "\n" << first.toStdString();
    EXPECT_TRUE(pdfText(*pdf, 2, 2).contains(QStringLiteral("Monat: November 2024")));
    EXPECT_TRUE(pdfText(*pdf, 3, 3).contains(QStringLiteral("Monat: Februar 2025")));
    expectFontsEmbedded(*pdf);

    // Three years of months: the table goes on on a second sheet under its titles again instead of
    // running over the footer and off the sheet, and the notes follow it whole.
    const Period years = readPeriod(state.galleryFolder, erika, DiaryMonth{3, 2022}, DiaryMonth{2, 2025});
    const auto longPdf = writePeriodReport(years, state.dataFolder, desktop);
    ASSERT_TRUE(longPdf);
    const QString sheet1 = pdfText(*longPdf, 1, 1);
    const QString sheet2 = pdfText(*longPdf, 2, 2);
    for (const QString& sheet : {sheet1, sheet2}) {
        EXPECT_TRUE(sheet.contains(QStringLiteral("Tage mit Messwerten"))) << sheet.toStdString();
        EXPECT_TRUE(sheet.contains(QStringLiteral("keine Diagnose"))) << sheet.toStdString();
    }
    EXPECT_TRUE(sheet1.contains(QStringLiteral("März 2022")));
    EXPECT_FALSE(sheet1.contains(QStringLiteral("Ganzer Zeitraum")));
    EXPECT_TRUE(sheet2.contains(QStringLiteral("Februar 2025")));
    EXPECT_TRUE(sheet2.contains(QStringLiteral("Ganzer Zeitraum")));
    EXPECT_TRUE(sheet2.contains(QStringLiteral("So sind die Zahlen berechnet")));
    EXPECT_TRUE(pdfText(*longPdf, 3, 3).contains(QStringLiteral("Monat: November 2024")));

    // The course's zones where it lies on the first page: November green at 450, February amber.
    constexpr int dpi = 100;
    const QString png = box.file(QStringLiteral("page"));
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), QStringLiteral("-f"),
             QStringLiteral("1"), QStringLiteral("-singlefile"), *pdf, png});
    const QImage page(png + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    const CourseChart chart(period.course, periodChartPicture);
    const QImage drawn = chart.image();
    for (const int day : {14, 92 + 14}) {
        const QPoint p = chart.at(day, 450).toPoint();
        const double mmPerPixel = periodChartWidth / periodChartPicture.width();
        const QColor shown = page.pixelColor(int((periodChartLeft + p.x() * mmPerPixel) / 25.4 * dpi),
                                             int((periodChartTop + p.y() * mmPerPixel) / 25.4 * dpi));
        EXPECT_NEAR(shown.red(), drawn.pixelColor(p).red(), 14) << day;
        EXPECT_NEAR(shown.green(), drawn.pixelColor(p).green(), 14) << day;
        EXPECT_NEAR(shown.blue(), drawn.pixelColor(p).blue(), 14) << day;
    }
}
