#pragma once
// The two zone limits of a diary: stepping them by the arrows and deriving them from the month's
// best value.

#include "diary/zones.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace luftikon {

// One step of a limit's arrow. There is no bound the user can reach on purpose, but the number
// stays at the ends of the 32-bit range instead of wrapping round to the other end.
int stepLimit(int limit, int delta);

// 80 % and 60 % of the best value, remainders dropped. Nothing for a best value of 0 or below:
// both limits 0 would paint the whole chart green.
std::optional<ZoneLimits> limitsFromBestValue(int bestValue);

} // namespace luftikon
