#include "browser/weekpartition.h"
#include "diary/means.h"

#include <gtest/gtest.h>

using namespace luftikon;

namespace {

DailyMeanTexts withDays(std::initializer_list<std::pair<int, const char*>> days)
{
    DailyMeanTexts means = noDailyMeans();
    for (const auto& [day, text] : days)
        means[static_cast<std::size_t>(day - 1)] = QString::fromLatin1(text);
    return means;
}

ExportMonth month(const char* number, const char* year)
{
    return {QString::fromLatin1(number), QString::fromLatin1(year), QString(), QString()};
}

} // namespace

TEST(WeekPartition, HasDataComparesTextsNotNumbers)
{
    EXPECT_FALSE(HasData(noDailyMeans(), 1));
    EXPECT_TRUE(HasData(withDays({{7, "00"}}), 1)); // "00" is not the text "0"
    EXPECT_FALSE(HasData(withDays({{8, "410"}}), 1));
    EXPECT_TRUE(HasData(withDays({{8, "410"}}), 2));
    EXPECT_TRUE(HasData(withDays({{31, "1"}}), 5));
    EXPECT_FALSE(HasData(withDays({{28, "500"}}), 5));
}

TEST(WeekPartition, GroupTopRoundsToEvenHundredsAndAddsOneHundred)
{
    const std::pair<const char*, qint64> cases[] = {{"250", 300}, {"350", 500}, {"450", 500},
                                                    {"452", 600}, {"449", 500}, {"50", 100},
                                                    {"150", 300}, {"0", 100},   {"abc", 100}};
    for (const auto& [value, top] : cases)
        EXPECT_EQ(GroupTop(withDays({{3, value}}), 1), top) << value;
    // The largest day of the group counts, group 5 covers 29 to 31.
    EXPECT_EQ(GroupTop(withDays({{29, "120"}, {31, "640"}}), 5), 700);
    // A hand-edited huge value does not overflow.
    EXPECT_EQ(GroupTop(withDays({{1, "2147483647"}}), 1), Q_INT64_C(2147483700));

    EXPECT_EQ(ChartTop(noDailyMeans()), 100);
    EXPECT_EQ(ChartTop(withDays({{2, "300"}, {20, "751"}})), 900);
}

TEST(WeekPartition, MissingGroupsTextListsEmptyGroups)
{
    EXPECT_EQ(MissingGroupsText(noDailyMeans(), 31),
              QStringLiteral("[Es fehlen Daten der Tagesgruppe: 1-7 , 8-14 , 15-21 , 22-28 , 29-31"));
    EXPECT_EQ(MissingGroupsText(withDays({{3, "410"}}), 31),
              QStringLiteral("[Es fehlen Daten der Tagesgruppe:   8-14 , 15-21 , 22-28 , 29-31"));
    EXPECT_EQ(MissingGroupsText(withDays({{1, "4"}, {8, "4"}, {22, "4"}, {30, "4"}}), 31),
              QStringLiteral("[Es fehlen Daten der Tagesgruppe:   15-21"));
    EXPECT_EQ(MissingGroupsText(withDays({{8, "4"}, {15, "4"}, {22, "4"}, {30, "4"}}), 31),
              QStringLiteral("[Es fehlen Daten der Tagesgruppe: 1-7"));
    // Group 5 counts only in months longer than 28 days.
    EXPECT_EQ(MissingGroupsText(withDays({{1, "4"}, {8, "4"}, {15, "4"}, {22, "4"}}), 28), QString());
    EXPECT_EQ(MissingGroupsText(withDays({{1, "4"}, {8, "4"}, {15, "4"}, {22, "4"}}), 29),
              QStringLiteral("[Es fehlen Daten der Tagesgruppe:   29-31"));
}

TEST(WeekPartition, DayLabelComputesTheGermanWeekday)
{
    const ExportMonth january = month("01", "2017");
    EXPECT_EQ(DayLabel(1, january, QStringLiteral("2017")), QStringLiteral("So.01.01.2017"));
    EXPECT_EQ(DayLabel(2, january, QStringLiteral("17")), QStringLiteral("Mo.02.01.17"));
    EXPECT_EQ(DayLabel(29, month("02", "2000"), QStringLiteral("00")), QStringLiteral("Di.29.02.00"));
    EXPECT_EQ(DayLabel(31, month("12", "1999"), QStringLiteral("99")), QStringLiteral("Fr.31.12.99"));
    // A one-digit month text from the diary is written with two digits.
    EXPECT_EQ(DayLabel(1, month("3", "2024"), QStringLiteral("2024")), QStringLiteral("Fr.01.03.2024"));
    // A date the calendar does not have gets no weekday.
    EXPECT_EQ(DayLabel(30, month("02", "2024"), QStringLiteral("24")), QStringLiteral("30.02.24"));
    EXPECT_EQ(DayLabel(1, month("01", "2147483647"), QStringLiteral("47")), QStringLiteral("01.01.47"));
}

TEST(WeekPartition, LabelRowOfGroupFiveFollowsTheMonthLength)
{
    EXPECT_EQ(LabelRow(month("04", "2024"), 5), QStringLiteral("labels: ['Mo.29.04.2024' ,'Di.30.04.24' ,'-' ,], "));
    EXPECT_EQ(LabelRow(month("02", "2024"), 5), QStringLiteral("labels: ['Do.29.02.2024' ,'-' ,'-' ,], "));
    EXPECT_EQ(LabelRow(month("02", "2023"), 5), QString());
    EXPECT_EQ(LabelRow(month("02", "2023"), 4),
              QStringLiteral("labels: ['Mi.22.02.23' ,'Do.23.02.23' ,'Fr.24.02.23' ,'Sa.25.02.23' ,'So.26.02.23' "
                             ",'Mo.27.02.23' ,'Di.28.02.23' ], "));
}

TEST(WeekPartition, ValueRowWritesZerosAsNaNOnlyWhenBreaking)
{
    const DailyMeanTexts means = withDays({{2, "452"}, {5, "10"}, {6, "100"}, {8, "0"}, {29, "300"}});
    EXPECT_EQ(ValueRow(means, 1, true), QStringLiteral("data: [NaN,452,NaN,NaN,10,100,NaN] , }, "));
    EXPECT_EQ(ValueRow(means, 1, false), QStringLiteral("data: [0,452,0,0,10,100,0] , }, "));
    EXPECT_EQ(ValueRow(means, 5, true),
              QStringLiteral("data: [300,NaN,NaN,NaN,NaN,NaN,NaN,NaN,NaN,NaN,NaN,NaN,NaN,NaN] , }, "));
    EXPECT_EQ(ValueRow(noDailyMeans(), 5, false), QStringLiteral("data: [0,0,0,0,0,0,0,0,0,0,0,0,0,0] , }, "));
}

TEST(WeekPartition, ReplaceAllReplacesOverlappingRuns)
{
    // A single left-to-right pass would leave every second zero.
    EXPECT_EQ(ReplaceAll(QStringLiteral("[5,0,0,0,7]"), QStringLiteral(",0,"), QStringLiteral(",NaN,")),
              QStringLiteral("[5,NaN,NaN,NaN,7]"));
    EXPECT_EQ(ReplaceAll(QStringLiteral("abc"), QString(), QStringLiteral("x")), QStringLiteral("abc"));
    // A replacement that contains the pattern must not loop for ever.
    EXPECT_EQ(ReplaceAll(QStringLiteral("a-a"), QStringLiteral("a"), QStringLiteral("aa")), QStringLiteral("aa-aa"));
}

TEST(WeekPartition, BreakFlagIsSetWhenItsTextBeginsWithOne)
{
    EXPECT_TRUE(BreakLineAtZeroFromText(QStringLiteral("1")));
    EXPECT_TRUE(BreakLineAtZeroFromText(QStringLiteral("10")));
    EXPECT_FALSE(BreakLineAtZeroFromText(QStringLiteral("0")));
    EXPECT_FALSE(BreakLineAtZeroFromText(QString()));
    EXPECT_FALSE(BreakLineAtZeroFromText(QStringLiteral(" 1")));
    EXPECT_FALSE(BreakLineAtZeroFromText(QStringLiteral("01")));
}
