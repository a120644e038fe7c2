#pragma once
// The month's readings sorted into days 1..31 and slots 1..8, for the views that show one
// cell per day and slot: the table window and the doctor's report.

#include "diary/entryline.h"
#include "diary/slots.h"

#include <QList>
#include <array>

namespace luftikon {

// Where a reading is shown; day 0 or NoSlot: nowhere.
struct GridPlace {
    int day = 0;
    int slot = NoSlot;
};

// The reading's own day and slot, as the chart and the means read them.
GridPlace entryPlace(const DiaryEntry& reading);

class DayGrid {
public:
    static constexpr int Days = 31;
    // The reading shown at that day and slot, an index into the readings; -1 for none. A later
    // reading for the same day and slot wins, as the user's last correction stands last.
    qsizetype at(int day, int slot) const { return cells_[std::size_t(day - 1)][std::size_t(slot - FirstSlot)]; }

private:
    friend DayGrid dayGridOf(const QList<DiaryEntry>&, GridPlace (*)(const DiaryEntry&));
    std::array<std::array<qsizetype, LastSlot>, Days> cells_;
};

// Every reading at the place `placeOf` gives it.
DayGrid dayGridOf(const QList<DiaryEntry>& readings, GridPlace (*placeOf)(const DiaryEntry&) = entryPlace);

} // namespace luftikon
