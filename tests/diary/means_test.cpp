#include "diary/means.h"
#include "support/diarylines.h"

#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::entriesOf;

namespace {

QString line(const QString& day, const QString& value, const QString& prefix = QStringLiteral("Morgens den "))
{
    return prefix + QStringLiteral("   %1.3.2024 Z=08:00  Luftikon=").arg(day) + value;
}

// Means of day → value lists, one morning reading per pair, in this order.
DailyMeanTexts meansOf(const std::vector<std::pair<int, QString>>& readings)
{
    QStringList lines;
    for (const auto& [day, value] : readings)
        lines << line(QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0')), value);
    return dailyMeansOf(entriesOf(lines));
}

} // namespace

TEST(DailyMeans, RoundedHalfAwayFromZeroOnlyTheLastRunOfADayAndOnlyReadableDays)
{
    EXPECT_EQ(meansOf({{4, "420"}, {4, "430"}, {4, "431"}})[3], "427");
    EXPECT_EQ(meansOf({{4, "420"}, {4, "421"}})[3], "421");
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
    EXPECT_EQ(
        dailyMeansOf(entriesOf({line("07", "400"), line("07", "abc"), line("07", ""), line("07", "4.5"),
                                line("07", "500"), line(" 8", "300"), line("32", "300"), line("00", "1"), "xx", ""})),
        expected);
}

TEST(BestValue, FirstOfEqualBestChartedReadingsAndNothingAtOrBelowZero)
{
    const BestValue first = bestValueOf(entriesOf({line("03", "480"), line("04", "470"), line("05", "480")}));
    EXPECT_EQ(first.index, 0);
    EXPECT_EQ(first.value, 480);
    EXPECT_EQ(bestValueOf(entriesOf({line("03", "470"), line("04", "481"), line("05", "480")})).index, 1);
    const BestValue none = bestValueOf(entriesOf({line("03", "0"), line("04", "-5")}));
    EXPECT_EQ(none.value, 0);
    EXPECT_EQ(none.index, -1);
    // Lines the chart cannot place are passed over: no number, no day in 1..31, no slot prefix.
    const BestValue odd =
        bestValueOf(entriesOf({line("03", "9x9"), line("32", "700"), line("00", "700"),
                               line("03", "900", QStringLiteral("Mittags ")), line("04", "410"), line("05", "410")}));
    EXPECT_EQ(odd.value, 410);
    EXPECT_EQ(odd.index, 4);
}
