// The zone limits: stepping them and deriving them from the best value.
#include "chart/limits.h"

#include <gtest/gtest.h>
#include <limits>

using namespace luftikon;

namespace {

constexpr int intMax = std::numeric_limits<int>::max();
constexpr int intMin = std::numeric_limits<int>::min();

} // namespace

TEST(ZoneLimits, BestValueGivesEightyAndSixtyPercentAndArrowsStepByOne)
{
    EXPECT_EQ(limitsFromBestValue(437), (ZoneLimits{349, 262}));
    EXPECT_EQ(limitsFromBestValue(1), (ZoneLimits{0, 0}));
    // A month without a usable reading has nothing to compute from.
    EXPECT_EQ(limitsFromBestValue(0), std::nullopt);
    EXPECT_EQ(limitsFromBestValue(-7), std::nullopt);
    // A hand-edited reading near the end of the range must not overflow the product.
    EXPECT_EQ(limitsFromBestValue(intMax), (ZoneLimits{1717986917, 1288490188}));
    // The arrows stop at the ends of the range.
    EXPECT_EQ(stepLimit(intMax, +1), intMax);
    EXPECT_EQ(stepLimit(intMin, -1), intMin);
}
