// The figures, table texts, course and CSV of a period against months worked out by hand.
#include "period/periodfiles.h"
#include "period/periodtexts.h"
#include "periodmonths.h"
#include "support/sandbox.h"

#include <gtest/gtest.h>

using namespace luftikon;
using namespace luftikon::test;

namespace {

QStringList texts(const std::vector<PeriodRow>& rows)
{
    QStringList lines;
    for (const PeriodRow& row : rows)
        lines << row.cells.join(QStringLiteral(" | ")) + (row.note.isEmpty() ? QString() : QStringLiteral(" # note"));
    return lines;
}

class PeriodFigures : public ::testing::Test {
protected:
    PeriodFigures() { writeErikasMonths(gallery); }
    Sandbox box;
    const QString gallery = box.file(QStringLiteral("Galerie/"));
};

} // namespace

// November (400/250, four slots):  1: M 300, A 420  swing 120 / 360 = 33,333 %
//                                   2: M 380, M2 400, A 410  swing 30 / 395 = 7,595 %;  30: M 260
//   mornings 940 / 3 = 313,3; evenings 830 / 2 = 415,0; swing 20,46 %; lowest morning 260 / 420 = 61,9 %
//   zones: 420 400 410 green, 300 380 260 amber.
// February (500/300, eight slots):  3: M 450, M5 520, A 480, M3 "abc"  swing 70 / 485 = 14,433 %
//                                  28: M 280, A 350  swing 70 / 315 = 22,222 %
//   mornings 365,0; evenings 415,0; swing 18,33 %; lowest morning 280 / 520 = 53,8 %;
//   zones: 520 green, 450 480 350 amber (480 would be green in November), 280 red.
// Period: 11 readings, 5 of 120 days; mornings 1670 / 5 = 334,0; evenings 1660 / 4 = 415,0;
//   swing 77,583 / 4 = 19,4 %; lowest morning 260 of the period's best 520 = 50,0 %.
TEST_F(PeriodFigures, EachMonthUnderItsOwnLimitsAndThePeriodOverAllItsReadings)
{
    const Period period = readPeriod(gallery, erika, DiaryMonth{11, 2024}, DiaryMonth{2, 2025});

    EXPECT_EQ(texts(periodRows(period)),
              (QStringList{
                  "November 2024 | 400 / 250 | 6 | 3 von 30 | 420 | 313,3 | 415,0 | 20,5 % | 260 = 61,9 % | 3 | 3 | 0",
                  "Dezember 2024",
                  "Januar 2025 # note",
                  "Februar 2025 | 500 / 300 | 5 | 2 von 28 | 520 | 365,0 | 415,0 | 18,3 % | 280 = 53,8 % | 1 | 3 | 1",
                  "Ganzer Zeitraum |  | 11 | 5 von 120 | 520 | 334,0 | 415,0 | 19,4 % | 260 = 50,0 % | 4 | 6 | 1",
              }));
    ASSERT_EQ(period.months.size(), 4u);
    EXPECT_EQ(period.months[1].status, MonthStatus::NoDiary);
    EXPECT_EQ(period.months[2].status, MonthStatus::Unreadable);
    EXPECT_TRUE(period.months[2].problem.contains(QStringLiteral("Erika Beispiel_1_2025.tab")));
    EXPECT_EQ(period.months[3].slotMode, SlotMode::Eight);
    EXPECT_EQ(period.months[0].slotMode, SlotMode::Four);

    // The course: one day per calendar day, gaps where nothing was read, each month's limits.
    const Course& course = period.course;
    ASSERT_EQ(course.days.size(), 120u);
    EXPECT_EQ(course.days[1].morning, 380);
    EXPECT_EQ(course.days[1].evening, 410);
    EXPECT_EQ(course.days[29].morning, 260);
    EXPECT_FALSE(course.days[29].evening);
    EXPECT_FALSE(course.days[30].morning); // 1 December
    EXPECT_EQ(course.days[94].date, QDate(2025, 2, 3));
    EXPECT_EQ(course.days[94].morning, 450);
    EXPECT_EQ(course.days[94].evening, 480);
    EXPECT_EQ(course.bestValue, 520);
    EXPECT_EQ(course.bestDay, 94);
    ASSERT_EQ(course.months.size(), 4u);
    EXPECT_EQ(course.months[3].firstDay, 92);
    EXPECT_EQ(course.months[3].limits, (ZoneLimits{500, 300}));
    EXPECT_EQ(course.months[0].limits, (ZoneLimits{400, 250}));
    EXPECT_FALSE(course.months[2].hasDiary);
}

TEST_F(PeriodFigures, TheCsvHoldsEveryReadingByDateAndSlotWithItsOwnMonthsZone)
{
    const Period period = readPeriod(gallery, erika, DiaryMonth{11, 2024}, DiaryMonth{2, 2025});
    EXPECT_EQ(periodCsv(period), QByteArray("\xEF\xBB\xBF"
                                            "Datum;Uhrzeit;Messung;Wert;Zone\r\n"
                                            "01.11.2024;08:00;Morgens;300;gelb\r\n"
                                            "01.11.2024;19:30;Abends;420;grün\r\n"
                                            "02.11.2024;08:00;Morgens;380;gelb\r\n"
                                            "02.11.2024;08:00;Messung2;400;grün\r\n"
                                            "02.11.2024;19:30;Abends;410;grün\r\n"
                                            "30.11.2024;08:00;Morgens;260;gelb\r\n"
                                            "03.02.2025;08:00;Morgens;450;gelb\r\n"
                                            "03.02.2025;08:00;Messung3;\"abc\";\r\n"
                                            "03.02.2025;08:00;Messung5;520;grün\r\n"
                                            "03.02.2025;19:30;Abends;480;gelb\r\n"
                                            "28.02.2025;08:00;Morgens;280;rot\r\n"
                                            "28.02.2025;19:30;Abends;350;gelb\r\n"));
}

TEST(PeriodMonths, PeriodsAreCountedBackAcrossYearsAndNamedAfterTheirMonths)
{
    EXPECT_EQ(firstOfLastMonths(DiaryMonth{2, 2025}, 3).year, 2024);
    EXPECT_EQ(firstOfLastMonths(DiaryMonth{2, 2025}, 3).month, 12);
    EXPECT_EQ(firstOfLastMonths(DiaryMonth{12, 2024}, 12).month, 1);
    EXPECT_EQ(monthsFromTo(DiaryMonth{11, 2024}, DiaryMonth{2, 2025}).size(), 4u);
    EXPECT_TRUE(monthsFromTo(DiaryMonth{3, 2025}, DiaryMonth{2, 2025}).empty());

    Period period =
        periodOf(erika, {periodMonthOf(DiaryMonth{1, 2025}, {}, false), periodMonthOf(DiaryMonth{3, 2025}, {}, false)});
    EXPECT_EQ(periodFilePath(QStringLiteral("/daten/"), period, QStringLiteral(".pdf")),
              QStringLiteral("/daten/Luftikon-Berichte/2025/Erika Beispiel_1-3_2025.pdf"));
    EXPECT_EQ(periodName(period.first, period.last), QStringLiteral("Januar bis März 2025"));
    period.first = DiaryMonth{11, 2024};
    EXPECT_EQ(periodFilePath(QStringLiteral("/daten/"), period, QStringLiteral(".csv")),
              QStringLiteral("/daten/Luftikon-Berichte/2025/Erika Beispiel_11-2024_3-2025.csv"));
    EXPECT_EQ(periodName(period.first, period.last), QStringLiteral("November 2024 bis März 2025"));
    // A name that cannot be a file name gives no path rather than a file somewhere else.
    period.userName = QStringLiteral("../Erika");
    EXPECT_FALSE(periodFilePath(QStringLiteral("/daten/"), period, QStringLiteral(".pdf")));
}
