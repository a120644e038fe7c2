#include "chart/scales.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>

using namespace luftikon;

TEST(ChartScales, ReadingXFollowsTheSlotLayoutOfEachMode)
{
    EXPECT_EQ(ReadingX(1, 1, SlotMode::Four), 42);
    EXPECT_EQ(ReadingX(1, 8, SlotMode::Four), 60);
    EXPECT_EQ(ReadingX(31, 8, SlotMode::Four), 780);
    EXPECT_EQ(ReadingX(10, 3, SlotMode::Four), 270);
    EXPECT_EQ(ReadingX(10, 2, SlotMode::Four), 264);
    // Slots 4..7 have no place of their own in the four-slot day: they sit on the morning's x.
    EXPECT_EQ(ReadingX(10, 6, SlotMode::Four), ReadingX(10, 1, SlotMode::Four));

    const int eight[] = {0, 4, 7, 10, 13, 16, 19, 22};
    for (int slot = 1; slot <= 8; ++slot)
        EXPECT_EQ(ReadingX(2, slot, SlotMode::Eight), 64 + eight[slot - 1]) << slot;
    EXPECT_EQ(ReadingX(31, 8, SlotMode::Eight), 782);
}

TEST(ChartScales, ReadingXOffTheCalendarAndWithoutAMode)
{
    // A day outside 1..31 starts from the day number itself, without the four-slot shift.
    EXPECT_EQ(ReadingX(0, 8, SlotMode::Four), 18);
    EXPECT_EQ(ReadingX(32, 2, SlotMode::Eight), 36);
    EXPECT_EQ(ReadingX(-3, 1, SlotMode::Four), -3);
    // Neither menu mark set: x is the day.
    EXPECT_EQ(ReadingX(5, 8, false, false), 5);
    EXPECT_EQ(ReadingX(5, 8, true, true), ReadingX(5, 8, SlotMode::Four));
    // An unknown slot adds nothing.
    EXPECT_EQ(ReadingX(3, 9, SlotMode::Eight), 88);
}

TEST(ChartScales, ReadingYExamples)
{
    const std::pair<int, int> cases[] = {{1, 635},  {5, 631},   {6, 632},   {10, 628}, {15, 624}, {16, 625},
                                         {20, 621}, {400, 355}, {401, 355}, {800, 75}, {0, 0},    {950, 950},
                                         {801, 75}, {900, 75},  {901, 901}, {-7, -7}};
    for (const auto& [value, y] : cases)
        EXPECT_EQ(ReadingY(value), y) << value;
}

TEST(ChartScales, LimitYExamplesAndItsNineExceptions)
{
    const std::pair<int, int> cases[] = {{0, 635},   {1, 633},   {200, 495}, {396, 357}, {400, 355}, {401, 353},
                                         {455, 316}, {500, 285}, {800, 75},  {512, 276}, {513, 276}, {514, 276},
                                         {515, 276}, {516, 273}, {518, 273}, {519, 273}, {520, 271}, {776, 90},
                                         {777, 90},  {778, 89},  {779, 89},  {780, 89},  {801, 75},  {2000, 75}};
    for (const auto& [value, y] : cases)
        EXPECT_EQ(LimitY(value), y) << value;
}

TEST(ChartScales, LimitYIsMinusOneOffTheScale)
{
    EXPECT_EQ(LimitY(-1), -1);
    EXPECT_EQ(LimitY(2001), -1);
    EXPECT_EQ(LimitY(std::numeric_limits<int>::min()), -1);
    EXPECT_EQ(LimitY(std::numeric_limits<int>::max()), -1);
}

TEST(ChartScales, LimitScaleNeverRunsBackwardsAndStaysCloseToTheReadings)
{
    // A higher limit may never lie lower on the picture, or the zones would overlap wrongly.
    for (int v = 1; v <= 2000; ++v)
        ASSERT_LE(LimitY(v), LimitY(v - 1)) << v;
    // The pin and the zone borders may sit a little off the plotted reading, never more than
    // three pixels, and three only at 776.
    for (int v = 1; v <= 800; ++v) {
        const int gap = std::abs(ReadingY(v) - LimitY(v));
        EXPECT_LE(gap, v == 776 ? 3 : 2) << v;
    }
    EXPECT_EQ(ReadingY(776) - LimitY(776), 3);
}

TEST(ChartScales, MarkerColourBordersBelongToTheBetterZone)
{
    EXPECT_EQ(MarkerColor(500, 500, 200), (Rgb{0, 255, 0}));
    EXPECT_EQ(MarkerColor(499, 500, 200), (Rgb{243, 190, 93}));
    EXPECT_EQ(MarkerColor(200, 500, 200), (Rgb{243, 190, 93}));
    EXPECT_EQ(MarkerColor(199, 500, 200), (Rgb{255, 0, 0}));
    EXPECT_EQ(MarkerColor(0, 500, 200), (Rgb{255, 0, 0}));
    // A red limit set above the green one: green still wins from the green limit up.
    EXPECT_EQ(MarkerColor(350, 300, 400), MarkerGreen);
    EXPECT_EQ(MarkerColor(299, 300, 400), MarkerRed);
}
