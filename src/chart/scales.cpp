#include "chart/scales.h"

#include <array>

namespace luftikon {

namespace {

// Pixels added to the day column, by slot 1..8.
constexpr std::array<int, 8> FourSlotOffset{0, 6, 12, 0, 0, 0, 0, 18};
constexpr std::array<int, 8> EightSlotOffset{0, 4, 7, 10, 13, 16, 19, 22};

// Limit scale: pixels lifted above the decade point for the units digit 0..9.
constexpr std::array<int, 10> LimitLift{0, 2, 2, 4, 4, 4, 5, 5, 6, 6};

constexpr int scaleY(int tens)
{
    return 635 - 7 * tens;
} // 0.7 px per l/min at a decade point

int slotOffset(const std::array<int, 8>& table, int slot)
{
    return slot >= 1 && slot <= 8 ? table[static_cast<std::size_t>(slot - 1)] : 0;
}

} // namespace

int readingX(int day, int slot, DayLayout layout)
{
    if (layout.unmarked())
        return day;
    const bool onGrid = day >= 1 && day <= 31;
    const int start = onGrid ? dayColumnX(day) : day;
    if (layout.mode() == SlotMode::Four)
        return start + (onGrid ? 2 : 0) + slotOffset(FourSlotOffset, slot);
    return start + slotOffset(EightSlotOffset, slot);
}

int readingX(int day, int slot, SlotMode mode)
{
    return readingX(day, slot, DayLayout(mode));
}

int readingY(int value)
{
    if (value >= 1 && value <= 800) {
        const int tens = (value + 9) / 10;
        const int r = tens * 10 - value;
        return scaleY(tens) + r - (r >= 5 ? 2 : 0);
    }
    if (value >= 801 && value <= 900)
        return 75;
    return value;
}

int limitY(int value)
{
    if (value < 0 || value > LimitScaleTop)
        return -1;
    if (value > 800)
        return 75;
    switch (value) {
    case 513:
    case 514:
    case 515:
        return 276;
    case 518:
    case 519:
        return 273;
    case 776:
    case 777:
        return 90;
    case 778:
    case 779:
        return 89;
    default:
        return scaleY(value / 10) - LimitLift[static_cast<std::size_t>(value % 10)];
    }
}

Rgb markerColorOf(Zone zone)
{
    static constexpr Rgb colours[] = {MarkerGreen, MarkerAmber, MarkerRed};
    return colours[static_cast<int>(zone)];
}

Rgb paleZoneColour(Zone zone, int percent)
{
    const Rgb c = markerColorOf(zone);
    const auto pale = [percent](int channel) { return std::uint8_t(255 - (255 - channel) * percent / 100); };
    return {pale(c.r), pale(c.g), pale(c.b)};
}

Rgb markerColour(int value, int greenLimit, int redLimit)
{
    return markerColorOf(zoneOf(value, greenLimit, redLimit));
}

} // namespace luftikon
