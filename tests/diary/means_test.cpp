#include "diary/means.h"

#include <gtest/gtest.h>

using namespace luftikon;

namespace {

// Means of day → value lists, one morning reading per pair, in this order.
DailyMeanTexts meansOf(const std::vector<std::pair<int, QString>>& readings)
{
    QStringList dayValues;
    for (const auto& [day, value] : readings)
        dayValues << dayValueEntry(
            QStringLiteral("Morgens den    %1.3.2024 Z=08:00  Luftikon=").arg(day, 2, 10, QLatin1Char('0')) + value);
    return dailyMeansOf(dayValues);
}

} // namespace

TEST(DailyMeans, RoundedHalfAwayFromZeroOnlyTheLastRunOfADayAndOnlyReadableDays)
{
    EXPECT_EQ(meansOf({{4, "420"}, {4, "430"}, {4, "431"}})[3], "427");
    EXPECT_EQ(meansOf({{4, "420"}, {4, "421"}})[3], "421");
    EXPECT_EQ(meansOf({{4, "400"}, {4, "400"}, {4, "401"}})[3], "400");
    EXPECT_EQ(meansOf({{4, "-3"}, {4, "-4"}})[3], "-4");
    // The mean passes through a text of at most seven significant digits.
    EXPECT_EQ(meansOf({{31, "2147483647"}, {31, "2147483647"}})[30], "2147484000");

    const auto means = meansOf({{5, "400"}, {5, "420"}, {6, "300"}, {5, "100"}, {5, "200"}});
    DailyMeanTexts expected = noDailyMeans();
    expected[4] = "150";
    expected[5] = "300";
    EXPECT_EQ(means, expected);

    // Unreadable days and values are left out.
    expected = noDailyMeans();
    expected[6] = "450";
    EXPECT_EQ(dailyMeansOf({"07_400", "07_abc", "07_", "07_4.5", "07_500", " 8_300", "32_300", "00_1", "xx", "", "_"}),
              expected);
}

TEST(BestValue, FirstOfEqualBestReadingsAndNothingAtOrBelowZero)
{
    const BestValue first = bestValueOf({"88 480", "136 470", "424 480"});
    EXPECT_EQ(first.x, 88);
    EXPECT_EQ(first.value, 480);
    EXPECT_EQ(bestValueOf({"88 470", "136 481", "424 480"}).x, 136);
    const BestValue none = bestValueOf({"40 0", "64 -5"});
    EXPECT_EQ(none.value, 0);
    EXPECT_EQ(none.x, 0);
    // Entries that are no numbers are passed over.
    const BestValue odd = bestValueOf({"40 9x9", "x 700", "64", "", "88 410", "112 410 "});
    EXPECT_EQ(odd.value, 410);
    EXPECT_EQ(odd.x, 88);
}
