#include "browser/weekpartition.h"
#include "diary/dates.h"
#include "diary/means.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using namespace luftikon;

namespace {

DailyMeanTexts withDays(const std::vector<std::pair<int, const char*>>& days)
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

// The five day groups 1-7 … 29-31 of a month: which lack data, and how far the last one reaches.
TEST(WeekPartition, GroupsWithoutDataAndTheLastGroupFollowTheMonth)
{
    const std::vector<std::pair<int, const char*>> fourWeeks{{1, "4"}, {8, "4"}, {15, "4"}, {22, "4"}};
    struct Case {
        const char* month;
        const char* year;
        std::vector<std::pair<int, const char*>> days;
        const char* missing;
        const char* lastLabels; // nullptr: not looked at
    };
    const Case cases[] = {
        {"04", "2024", {}, "1-7 , 8-14 , 15-21 , 22-28 , 29-31", "['Mo.29.04.2024' ,'Di.30.04.24' ,'-' ,]"},
        {"02", "2024", fourWeeks, "  29-31", "['Do.29.02.2024' ,'-' ,'-' ,]"},
        // "00" is data, not the text "0"; day 28 belongs to group 4, day 31 to group 5.
        {"03", "2024", {{7, "00"}, {8, "4"}, {28, "500"}, {31, "1"}}, "  15-21", nullptr},
        {"03", "2024", {{8, "4"}, {15, "4"}, {22, "4"}, {30, "4"}}, "1-7", nullptr},
        {"03", "2024", {{3, "410"}}, "  8-14 , 15-21 , 22-28 , 29-31", nullptr},
    };
    for (const Case& c : cases) {
        const ExportMonth m = month(c.month, c.year);
        const QString missing = missingGroupsText(withDays(c.days), daysInMonthOf(m.month.toInt(), m.year.toInt()));
        SCOPED_TRACE(std::string(c.month) + "/" + c.year);
        const auto orEmpty = [](const char* text, const QString& lead, const QString& tail) {
            return *text ? lead + QLatin1String(text) + tail : QString();
        };
        EXPECT_EQ(missing, orEmpty(c.missing, QStringLiteral("[Es fehlen Daten der Tagesgruppe: "), QString()));
        if (c.lastLabels) {
            EXPECT_EQ(labelRow(m, 5), orEmpty(c.lastLabels, QStringLiteral("labels: "), QStringLiteral(", ")));
        }
    }
}

// The golden pages hold the ordinary labels, tops and value rows; here what no golden month has.
TEST(WeekPartition, LabelsTopsAndRowsOfOddInput)
{
    // A one-digit month text from the diary is written with two digits; a date the calendar does
    // not have gets no weekday.
    EXPECT_EQ(dayLabel(1, month("3", "2024"), QStringLiteral("2024")), QStringLiteral("Fr.01.03.2024"));
    EXPECT_EQ(dayLabel(31, month("12", "1999"), QStringLiteral("99")), QStringLiteral("Fr.31.12.99"));
    EXPECT_EQ(dayLabel(30, month("02", "2024"), QStringLiteral("24")), QStringLiteral("30.02.24"));
    EXPECT_EQ(dayLabel(1, month("01", "2147483647"), QStringLiteral("47")), QStringLiteral("01.01.47"));

    // A text that is no number counts as 0; a hand-edited huge value does not overflow the top.
    EXPECT_EQ(GroupTop(withDays({{3, "abc"}}), 1), 100);
    EXPECT_EQ(GroupTop(withDays({{29, "120"}, {31, "650"}}), 5), 700); // 50 rounds to the even hundred
    EXPECT_EQ(GroupTop(withDays({{1, "2147483647"}}), 1), Q_INT64_C(2147483700));

    // A replacement that contains the pattern must not loop for ever.
    EXPECT_EQ(replaceAll(QStringLiteral("a-a"), QStringLiteral("a"), QStringLiteral("aa")), QStringLiteral("aa-aa"));
    EXPECT_EQ(replaceAll(QStringLiteral("abc"), QString(), QStringLiteral("x")), QStringLiteral("abc"));
}
