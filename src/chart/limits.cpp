#include "chart/limits.h"

#include <limits>

namespace luftikon {

int stepLimit(int limit, int delta)
{
    const qint64 next = qint64{limit} + delta;
    if (next > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (next < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(next);
}

std::optional<ZoneLimits> limitsFromBestValue(int bestValue)
{
    if (bestValue <= 0)
        return std::nullopt;
    // In 64 bits: a hand-edited reading near 2^31 must not overflow the product.
    return ZoneLimits{int(qint64{bestValue} * 80 / 100), int(qint64{bestValue} * 60 / 100)};
}

} // namespace luftikon
