#include "diary/daygrid.h"

namespace luftikon {

GridPlace entryPlace(const DiaryEntry& reading)
{
    return {reading.dayNumber, reading.slot};
}

DayGrid dayGridOf(const QList<DiaryEntry>& readings, GridPlace (*placeOf)(const DiaryEntry&))
{
    DayGrid grid;
    for (auto& day : grid.cells_)
        day.fill(-1);
    for (qsizetype i = 0; i < readings.size(); ++i) {
        const GridPlace place = placeOf(readings[i]);
        if (place.day >= 1 && place.day <= DayGrid::Days && place.slot >= FirstSlot && place.slot <= LastSlot)
            grid.cells_[std::size_t(place.day - 1)][std::size_t(place.slot - FirstSlot)] = i;
    }
    return grid;
}

} // namespace luftikon
