#include "diary/dates.h"

#include <gtest/gtest.h>

using namespace luftikon;

TEST(Dates, LeapYearsIncludingTheCenturyAndFourThousandRules)
{
    EXPECT_TRUE(isLeapYear(2024));
    EXPECT_FALSE(isLeapYear(2023));
    EXPECT_FALSE(isLeapYear(1900));
    EXPECT_FALSE(isLeapYear(2100));
    EXPECT_TRUE(isLeapYear(2000));
    EXPECT_TRUE(isLeapYear(2400));
    EXPECT_FALSE(isLeapYear(4000)); // divisible by 400, but the 4000 rule wins
    EXPECT_FALSE(isLeapYear(8000));
    EXPECT_TRUE(isLeapYear(4004));
}

TEST(Dates, MonthLengthsFollowTheOddEvenRuleAroundJuly)
{
    const int lengths2023[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 1; month <= 12; ++month)
        EXPECT_EQ(DaysInMonthLocal(month, 2023), lengths2023[month - 1]) << month;
    EXPECT_EQ(DaysInMonthLocal(2, 2024), 29);
    EXPECT_EQ(DaysInMonthLocal(2, 1900), 28);
    EXPECT_EQ(DaysInMonthLocal(0, 2024), 0);
    EXPECT_EQ(DaysInMonthLocal(13, 2024), 0);
    EXPECT_EQ(DaysInMonthLocal(-1, 2024), 0);
}

TEST(Dates, TwoDigitWindowDecidesTheLeapYear)
{
    EXPECT_EQ(windowedYear(2024), 2024);
    EXPECT_EQ(windowedYear(1950), 1950);
    EXPECT_EQ(windowedYear(2049), 2049);
    EXPECT_EQ(windowedYear(2050), 1950);
    EXPECT_EQ(windowedYear(1949), 2049);
    EXPECT_EQ(windowedYear(24), 2024);
    EXPECT_EQ(windowedYear(-1), 1999);
    // 2100 is a common year, but its last two digits land on the leap year 2000.
    EXPECT_EQ(daysInMonthWindowed(2, 2100), 29);
    EXPECT_EQ(daysInMonthWindowed(2, 1900), 29);
    EXPECT_EQ(daysInMonthWindowed(2, 2023), 28);
}
