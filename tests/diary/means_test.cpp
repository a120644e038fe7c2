#include "diary/means.h"

#include <gtest/gtest.h>

using namespace luftikon;

namespace {

QString line(const char* prefix, int day, const QString& value)
{
    return QString::fromLatin1(prefix) +
           QStringLiteral("%1.3.2024 Z=08:00  Luftikon=").arg(day, 2, 10, QLatin1Char('0')) + value;
}

// Means of day → value lists, one line per reading, in this order.
DailyMeanTexts meansOf(const std::vector<std::pair<int, QString>>& readings)
{
    QStringList dayValues;
    for (const auto& [day, value] : readings)
        dayValues << dayValueEntry(line("Morgens den    ", day, value));
    return dailyMeansOf(dayValues);
}

} // namespace

TEST(DailyMeans, DayValueEntries)
{
    EXPECT_EQ(dayValueEntry(line("Morgens den    ", 5, "420")), "05_420");
    EXPECT_EQ(dayValueEntry("Abends den      5.3.2024 Z=20:00  Luftikon= 410 "), " 5_410");
    EXPECT_EQ(dayValueEntry("Abends den Luftikon=9"), "_9");
}

TEST(DailyMeans, RoundingHalfAwayFromZero)
{
    EXPECT_EQ(meansOf({{4, "420"}, {4, "430"}, {4, "431"}})[3], "427");
    EXPECT_EQ(meansOf({{4, "420"}, {4, "421"}})[3], "421");
    EXPECT_EQ(meansOf({{4, "400"}, {4, "400"}, {4, "401"}})[3], "400");
    EXPECT_EQ(meansOf({{4, "400"}, {4, "0"}})[3], "200");
    EXPECT_EQ(meansOf({{4, "-3"}, {4, "-4"}})[3], "-4");
    // The mean passes through a text of at most seven significant digits.
    EXPECT_EQ(meansOf({{31, "2147483647"}, {31, "2147483647"}})[30], "2147484000");
}

TEST(DailyMeans, DaysWithoutReadingsStayZeroAndOnlyTheLastRunCounts)
{
    const auto means = meansOf({{5, "400"}, {5, "420"}, {6, "300"}, {5, "100"}, {5, "200"}});
    EXPECT_EQ(means[4], "150");
    EXPECT_EQ(means[5], "300");
    for (std::size_t day = 0; day < 31; ++day) {
        if (day != 4 && day != 5) {
            EXPECT_EQ(means[day], "0") << day + 1;
        }
    }
}

TEST(DailyMeans, UnreadableDaysAndValuesAreLeftOut)
{
    const DailyMeanTexts means =
        dailyMeansOf({"07_400", "07_abc", "07_", "07_4.5", "07_500", " 8_300", "32_300", "00_1", "xx", "", "_"});
    DailyMeanTexts expected = noDailyMeans();
    expected[6] = "450";
    EXPECT_EQ(means, expected);
}

TEST(BestValue, FirstOfEqualBestReadingsAndNothingAtOrBelowZero)
{
    EXPECT_EQ(bestValueOf({"88 480", "136 470", "424 480"}).x, 88);
    EXPECT_EQ(bestValueOf({"88 480", "136 470", "424 480"}).value, 480);
    EXPECT_EQ(bestValueOf({"88 470", "136 481", "424 480"}).x, 136);
    const BestValue none = bestValueOf({"40 0", "64 -5"});
    EXPECT_EQ(none.value, 0);
    EXPECT_EQ(none.x, 0);
    // Entries that are no numbers are passed over.
    const BestValue odd = bestValueOf({"40 9x9", "x 700", "64", "", "88 410", "112 410 "});
    EXPECT_EQ(odd.value, 410);
    EXPECT_EQ(odd.x, 88);
    EXPECT_EQ(bestValueOf({}).value, 0);
}
