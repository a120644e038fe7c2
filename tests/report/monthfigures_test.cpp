// The month's figures against a month worked out by hand, and the months that have too little
// to work on.
#include "report/figuretexts.h"
#include "report/monthfigures.h"
#include "report/monthreport.h"
#include "reportlines.h"
#include "support/widgettext.h"

#include <gtest/gtest.h>

using namespace luftikon;
using namespace luftikon::test;

namespace {

QStringList values(const std::vector<FigureLine>& lines)
{
    QStringList texts;
    for (const FigureLine& line : lines)
        texts << line.label + QStringLiteral(": ") + line.value;
    return texts;
}

QStringList rows(const MonthFigures& figures)
{
    QStringList texts;
    for (const WeekRow& row : weekRows(figures))
        texts << row.label + QStringLiteral(" | ") + row.swing + QStringLiteral(" | ") + row.lowestMorning;
    return texts;
}

} // namespace

// Readings (green from 400, amber 250..399, red below 250):
//   1: M 300, M2 350, A 400   swing 100 / 350 × 100 = 28.5714
//   2: M 250, A 329           swing  79 / 289.5 × 100 = 27.2884
//   3: M 380                  one reading: no swing
//   4: M "=1+1", A "x"y"      no numbers: not counted, no day with readings
//   8: M 420, M2 440, M3 430, M4 450   swing 30 / 435 × 100 = 6.8966 (slot 4 counts in a four-slot month)
//   9: M 200, A 260           swing  60 / 230 × 100 = 26.0870
//  15: M 480, A 480           swing 0
//  31: M 410, M3 390          swing  20 / 400 × 100 = 5.0000
// Weeks: KW 18 1.–5. (days 1, 2): (28.5714 + 27.2884) / 2 = 27.9299 -> 27,9; lowest morning 250
//        KW 19 6.–12. (days 8, 9): (6.8966 + 26.0870) / 2 = 16.4918 -> 16,5; lowest morning 200
//        KW 20 13.–19. (day 15): 0,0; lowest morning 480; KW 21: nothing; KW 22 27.–31.: 5,0; 410
// Month swing: 93.8434 / 6 = 15.6406 -> 15,6 over 6 days.
// Best value 480: mornings 250 / 480 = 52.083 %, 200 / 480 = 41.667 %, 480 / 480, 410 / 480 = 85.417 %.
// Mornings 300 250 380 420 200 480 410 = 2440 / 7 = 348.571; evenings 400 329 260 480 = 1469 / 4
// = 367.25 -> 367,3 (half away from zero, not to the even 367,2).
// Zones of 16 readings: green 400 420 440 430 450 480 480 410 = 8 (50 %), amber 300 350 250 329
// 380 260 390 = 7 (43.75 %), red 200 = 1 (6.25 % -> 6,3). Days with readings 1 2 3 8 9 15 31 = 7.
TEST(MonthFigures, AHandWorkedMonth)
{
    const MonthFigures f = monthFiguresOf(entriesOf(mayReadings()), DiaryMonth{5, 2024}, mayGreen, mayRed);

    EXPECT_EQ(values(monthFigureLines(f)), (QStringList{
                                               "Bestwert des Monats: 480 l/min",
                                               "Tage mit Messwerten: 7 von 31",
                                               "Tage ohne Messwerte: 24",
                                               "Mittelwert morgens: 348,6 l/min (7 Messungen)",
                                               "Mittelwert abends: 367,3 l/min (4 Messungen)",
                                               "Tagesschwankung im Monatsmittel: 15,6 % (6 Tage)",
                                               "Zone grün (ab 400 l/min): 8 Messungen, 50,0 %",
                                               "Zone gelb (250 bis 399 l/min): 7 Messungen, 43,8 %",
                                               "Zone rot (unter 250 l/min): 1 Messung, 6,3 %",
                                               "Einträge ohne Zahl oder gültigen Tag (nicht gezählt): 2",
                                           }));
    EXPECT_EQ(rows(f), (QStringList{
                           "KW 18 (1.–5. Mai) | 27,9 % (2 Tage) | 250 l/min = 52,1 %",
                           "KW 19 (6.–12. Mai) | 16,5 % (2 Tage) | 200 l/min = 41,7 %",
                           "KW 20 (13.–19. Mai) | 0,0 % (1 Tag) | 480 l/min = 100,0 %",
                           "KW 21 (20.–26. Mai) | – | –",
                           "KW 22 (27.–31. Mai) | 5,0 % (1 Tag) | 410 l/min = 85,4 %",
                       }));
    EXPECT_EQ(periodText(f), QStringLiteral("1.–31. Mai 2024"));
}

TEST(MonthFigures, MonthsWithTooLittleGiveDashesNotMadeUpFigures)
{
    // Nothing at all, then only texts that are no numbers: every mean and share is a dash.
    for (const QStringList& lines :
         {QStringList{}, QStringList{reading("Morgens", 3, "abc", 5, 2024), reading("Abends", 3, "", 5, 2024)}}) {
        const MonthFigures f = monthFiguresOf(entriesOf(lines), DiaryMonth{4, 2024}, 500, 200);
        EXPECT_EQ(
            values(monthFigureLines(f)).mid(0, 9),
            (QStringList{"Bestwert des Monats: –", "Tage mit Messwerten: 0 von 30", "Tage ohne Messwerte: 30",
                         "Mittelwert morgens: –", "Mittelwert abends: –", "Tagesschwankung im Monatsmittel: –",
                         "Zone grün (ab 500 l/min): 0 Messungen, –", "Zone gelb (200 bis 499 l/min): 0 Messungen, –",
                         "Zone rot (unter 200 l/min): 0 Messungen, –"}));
        for (const WeekRow& row : weekRows(f))
            EXPECT_EQ(row.swing + row.lowestMorning, QStringLiteral("––"));
    }

    // One reading a day: means and zones, but no swing anywhere.
    const MonthFigures single =
        monthFiguresOf(entriesOf({reading("Morgens", 6, "300", 5, 2024), reading("Abends", 7, "310", 5, 2024)}),
                       DiaryMonth{5, 2024}, 500, 200);
    EXPECT_FALSE(single.meanSwing);
    EXPECT_EQ(single.swingDays, 0);
    EXPECT_EQ(rows(single)[1], QStringLiteral("KW 19 (6.–12. Mai) | – | 300 l/min = 96,8 %"));

    // Readings of 0 only: no best value to compare the mornings with, no swing of 0 + 0.
    const MonthFigures zeros =
        monthFiguresOf(entriesOf({reading("Morgens", 6, "0", 5, 2024), reading("Abends", 6, "0", 5, 2024)}),
                       DiaryMonth{5, 2024}, 500, 200);
    EXPECT_EQ(zeros.bestValue, 0);
    EXPECT_FALSE(zeros.meanSwing);
    EXPECT_EQ(rows(zeros)[1], QStringLiteral("KW 19 (6.–12. Mai) | – | 0 l/min"));
}

TEST(MonthFigures, WeeksFollowTheIsoCalendarAndAreCutAtTheMonthsEdges)
{
    // 1 January 2021 is a Friday of week 53 of 2020; 31 January a Sunday of week 4.
    const MonthFigures january = monthFiguresOf({}, DiaryMonth{1, 2021}, 500, 200);
    ASSERT_EQ(january.weeks.size(), 5u);
    EXPECT_EQ(weekLabel(january.weeks.front(), 1), QStringLiteral("KW 53 (1.–3. Januar)"));
    EXPECT_EQ(weekLabel(january.weeks.back(), 1), QStringLiteral("KW 4 (25.–31. Januar)"));
    // 1 September 2024 is a Sunday: a week of one day; 30 September a Monday, another one.
    const MonthFigures september = monthFiguresOf({}, DiaryMonth{9, 2024}, 500, 200);
    EXPECT_EQ(weekLabel(september.weeks.front(), 9), QStringLiteral("KW 35 (1. September)"));
    EXPECT_EQ(weekLabel(september.weeks.back(), 9), QStringLiteral("KW 40 (30. September)"));

    // Without a calendar month readings count but form no weeks.
    EXPECT_EQ(diaryMonthOf("03", "2024").month, 3);
    EXPECT_FALSE(diaryMonthOf("13", "2024").valid());
    EXPECT_FALSE(diaryMonthOf("3", "24").valid());
    const MonthFigures unknown =
        monthFiguresOf(entriesOf({reading("Morgens", 2, "300", 5, 2024)}), DiaryMonth{}, 500, 200);
    EXPECT_EQ(unknown.readingCount, 1);
    EXPECT_TRUE(unknown.weeks.empty());
}

TEST(ReadingGrid, LaterReadingWinsAndAReadingOutsideTheLayoutAddsItsRowOrColumn)
{
    MonthReport report;
    report.figures.daysInMonth = 30;
    report.readings = entriesOf({reading("Morgens", 2, "300", 4, 2024), reading("Morgens", 2, "310", 4, 2024),
                                 reading("Messung5", 31, "290", 4, 2024), reading("Abends ", 3, "280", 4, 2024)});
    const ReadingGrid grid = readingGridOf(report);
    EXPECT_EQ(grid.columns, (std::vector<int>{1, 2, 3, 5, 8}));
    ASSERT_EQ(grid.rows.size(), 31u);
    EXPECT_EQ(grid.rows[1], (QStringList{"310", "", "", "", ""}));
    EXPECT_EQ(grid.rows[2], QStringList(5)) << "a prefix of no slot has no column";
    EXPECT_EQ(grid.rows[30][3], QStringLiteral("290"));
}
