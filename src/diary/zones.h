#pragma once
// The three zones of a reading under the user's two limits: one rule for the chart's markers,
// the month's figures, the report and the CSV.

#include <QString>

namespace luftikon {

// The two limits of a diary's zones, and their values when its header has none.
inline constexpr int DefaultGreenLimit = 500;
inline constexpr int DefaultRedLimit = 200;
struct ZoneLimits {
    int green = DefaultGreenLimit;
    int red = DefaultRedLimit;
    friend bool operator==(const ZoneLimits&, const ZoneLimits&) = default;
};

enum class Zone { Green, Yellow, Red }; // in this order: tables of colours and words follow it

// Each limit belongs to the better zone: at or above the green limit is green, at or above the
// red limit yellow, below it red.
constexpr Zone zoneOf(int value, int greenLimit, int redLimit)
{
    if (value >= greenLimit)
        return Zone::Green;
    if (value >= redLimit)
        return Zone::Yellow;
    return Zone::Red;
}

// "grün", "gelb", "rot": the zone as the CSV and the figures name it.
QString zoneWord(Zone zone);

} // namespace luftikon
