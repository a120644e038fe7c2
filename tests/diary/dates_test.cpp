#include "diary/dates.h"

#include <gtest/gtest.h>

using namespace luftikon;

TEST(Dates, LeapYearsAndMonthLengths)
{
    for (const int year : {2024, 2000, 2400, 4004})
        EXPECT_TRUE(isLeapYear(year)) << year;
    // 4000 and 8000 are divisible by 400, but the 4000 rule wins.
    for (const int year : {2023, 1900, 2100, 4000, 8000})
        EXPECT_FALSE(isLeapYear(year)) << year;

    int days2023 = 0;
    int days2024 = 0;
    for (int month = 1; month <= 12; ++month) {
        days2023 += daysInMonthOf(month, 2023);
        days2024 += daysInMonthOf(month, 2024);
    }
    EXPECT_EQ(days2023, 365);
    EXPECT_EQ(days2024, 366);
    EXPECT_EQ(daysInMonthOf(2, 1900), 28);
    for (const int month : {-1, 0, 13})
        EXPECT_EQ(daysInMonthOf(month, 2024), 0) << month;
}
