#pragma once
// The two zone limits of a diary: stepping them by the arrows, deriving them from the month's
// best value, and keeping them in the diary's header.

#include "diary/diaryfile.h"

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

// Writes one limit into the header of an existing diary in place. `inForce` is the limit to use
// afterwards: the new value, or, when the write failed, what the file still holds (`previous`
// when that cannot be read). `error` names the file in German.
struct LimitWrite {
    bool ok = false;
    int inForce = 0;
    QString error;
};
LimitWrite storeLimit(const QString& diaryFile, const QString& key, int value, int previous, int defaultValue);

} // namespace luftikon
