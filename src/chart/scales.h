#pragma once
// Picture coordinates and marker colours of the month chart. The template pictures carry a
// fixed grid (31 day columns 24 pixels apart, 0.7 pixels per l/min), so these are pure
// functions of the reading.

#include "diary/slots.h"
#include "diary/zones.h"

#include <cstdint>

namespace luftikon {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb MarkerGreen{0, 255, 0};
inline constexpr Rgb MarkerAmber{243, 190, 93};
inline constexpr Rgb MarkerRed{255, 0, 0};
// The ring around every marker, so that a marker shows on the zone of its own colour too.
inline constexpr Rgb MarkerOutline{32, 32, 32};

// Left edge of a day's column in the template grid: 40, 64, ... 760 for days 1..31.
constexpr int dayColumnX(int day)
{
    return 40 + 24 * (day - 1);
}

// x of a reading. `slot` runs 1..8 (1 = "Morgens", 8 = "Abends"). A layout with neither key set
// places the reading at the day itself.
int readingX(int day, int slot, DayLayout layout);
int readingX(int day, int slot, SlotMode mode);

// y of a reading on the curve. Values outside 1..900 come back unchanged (0 -> 0, 950 -> 950):
// the caller draws them off the grid.
int readingY(int value);

// The highest value the limit scale places (at the top line, like every value from 801 up).
inline constexpr int LimitScaleTop = 2000;

// y of a limit, a zone border or the best-value pin. -1 for values below 0 or above 2000,
// which lie on no scale; callers must treat -1 as "nowhere".
int limitY(int value);

// Colour of a zone's markers, and of a reading's marker under the two limits.
Rgb markerColorOf(Zone zone);
Rgb markerColour(int value, int greenLimit, int redLimit);
// The zone's marker colour at `percent` of its strength over white: a ground to read lines and
// numbers on.
Rgb paleZoneColour(Zone zone, int percent);

} // namespace luftikon
