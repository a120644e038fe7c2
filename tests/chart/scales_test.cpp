#include "chart/scales.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>

using namespace luftikon;

TEST(ChartScales, ReadingXFollowsTheSlotLayoutOfEachMode)
{
    // Four-slot day: morning, two middle readings, evening; slots 4..7 sit on the morning's x.
    const int four[] = {0, 6, 12, 0, 0, 0, 0, 18};
    const int eight[] = {0, 4, 7, 10, 13, 16, 19, 22};
    for (int slot = 1; slot <= 8; ++slot) {
        EXPECT_EQ(readingX(10, slot, SlotMode::Four), 258 + four[slot - 1]) << slot;
        EXPECT_EQ(readingX(2, slot, SlotMode::Eight), 64 + eight[slot - 1]) << slot;
    }
    EXPECT_EQ(readingX(31, 8, SlotMode::Eight), 782); // the last slot still inside the picture
}

TEST(ChartScales, ReadingAndLimitY)
{
    const std::pair<int, int> readings[] = {{1, 635}, {400, 355}, {800, 75}, {900, 75}, {901, 901}};
    for (const auto& [value, y] : readings)
        EXPECT_EQ(readingY(value), y) << value;
    // The limit scale has its own rounding; outside its range there is no row.
    const std::pair<int, int> limits[] = {{0, 635}, {200, 495}, {500, 285}, {2000, 75}, {-1, -1}, {2001, -1}};
    for (const auto& [value, y] : limits)
        EXPECT_EQ(limitY(value), y) << value;

    // A higher limit may never lie lower on the picture, or the zones would overlap wrongly; and
    // the pin and the borders sit at most three pixels off the plotted reading, three only at 776.
    for (int v = 1; v <= 2000; ++v)
        ASSERT_LE(limitY(v), limitY(v - 1)) << v;
    for (int v = 1; v <= 800; ++v)
        EXPECT_LE(std::abs(readingY(v) - limitY(v)), v == 776 ? 3 : 2) << v;
}

TEST(ChartScales, AReadingOnALimitBelongsToTheBetterZone)
{
    EXPECT_EQ(markerColour(500, 500, 200), MarkerGreen);
    EXPECT_EQ(markerColour(499, 500, 200), MarkerAmber);
    EXPECT_EQ(markerColour(200, 500, 200), MarkerAmber);
    EXPECT_EQ(markerColour(199, 500, 200), MarkerRed);
    // A red limit set above the green one: green still wins from the green limit up.
    EXPECT_EQ(markerColour(350, 300, 400), MarkerGreen);
    EXPECT_EQ(markerColour(299, 300, 400), MarkerRed);
}
