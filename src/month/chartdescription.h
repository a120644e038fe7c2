#pragma once
// The month chart told in words, for screen readers: the month, how many readings it holds,
// its best value and the last reading with its zone.

#include "diary/diaryfile.h"
#include "diary/zones.h"
#include "month/currentmonth.h"

#include <QString>

namespace luftikon {

// "Dezember 2026: 12 Messwerte, Bestwert 466 l/min, letzter Wert 455 l/min am 06.12. (gelbe
// Zone)". Only charted readings count; the last one is the latest by day and slot. Without
// readings: "Dezember 2026: keine Messwerte".
QString chartDescription(const DiaryFile& diary, const MonthSummary& summary, const ZoneLimits& limits);

} // namespace luftikon
