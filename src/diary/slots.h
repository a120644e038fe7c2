#pragma once
// The measurement slots of a day. Slot numbers run 1..8 in the order of the day; the
// four-slot day uses 1, 2, 3 and 8. 0 stands for "no slot is current".

#include <QLatin1String>
#include <QString>
#include <QStringList>
#include <optional>

namespace luftikon {

enum class SlotMode { Four = 4, Eight = 8 };

// The day layout keys of a diary and of the chart on screen. Normally exactly one is set; a
// hand-made file may set both (the eight-slot day wins) or neither (the chart then places each
// reading by its day alone), and the menu shows the keys as they stand.
class DayLayout {
public:
    constexpr DayLayout() = default;
    constexpr explicit DayLayout(SlotMode mode) : four_(mode == SlotMode::Four), eight_(mode == SlotMode::Eight) {}
    static constexpr DayLayout fromKeys(bool four, bool eight)
    {
        DayLayout layout;
        layout.four_ = four;
        layout.eight_ = eight;
        return layout;
    }
    // The day of the slot steps, the times and the table.
    constexpr SlotMode mode() const { return eight_ ? SlotMode::Eight : SlotMode::Four; }
    // The menu mark of one layout.
    constexpr bool marks(SlotMode mode) const { return mode == SlotMode::Four ? four_ : eight_; }
    // Neither key set: the chart places readings by their day alone.
    constexpr bool unmarked() const { return !four_ && !eight_; }
    friend constexpr bool operator==(const DayLayout&, const DayLayout&) = default;

private:
    bool four_ = true;
    bool eight_ = false;
};

constexpr int NoSlot = 0;
constexpr int FirstSlot = 1;
constexpr int LastSlot = 8;

// Every text of one slot. All of them are plain ASCII.
struct SlotInfo {
    int number;
    QLatin1String name;        // as in the file: "Morgens", "Messung2", "Abends"
    QLatin1String entryPrefix; // "Morgens den "
    QLatin1String caption;     // slot button of the entry dialog: "Messung 2"
    char sortLetter;           // 'a' .. 'h'
    bool inFourSlotDay;        // slots 1, 2, 3, 8
    QLatin1String chartLabel;  // eight-slot day; see chartLabel() for the four-slot day
    QLatin1String tableHeader;
};

// The slot with that number, or nullptr outside 1..8.
const SlotInfo* slotInfo(int slot);

// The slot whose entry prefix is exactly `prefix` ("Abends den "), or NoSlot.
int slotOfEntryPrefix(const QString& prefix);
int slotOfEntryPrefix(QStringView prefix);

bool slotInLayout(int slot, SlotMode mode);

// The slot's place in that layout's list of times (fourSlotTimeValues, eightSlotTimeValues),
// -1 where the layout has no such slot.
int layoutPosition(int slot, SlotMode mode);

// The first-run time of the slot in that layout; empty where the layout has no such slot.
QString timeValueDefault(int slot, SlotMode mode);

// Label in front of the slot's time in the chart's times-of-day line ("  M4= " for the
// evening of the four-slot day); empty where the layout has no such slot.
QString chartLabel(int slot, SlotMode mode);

// The whole times-of-day line of the chart: "Uhrzeiten: M1= 08:00  M2= 12:00 ...", from the
// layout's times in the order of the day; a missing time reads empty.
QString timesOfDayLine(SlotMode mode, const QStringList& times);

// The slot button: four-slot day 1->2->3->8->1, eight-slot day 1->...->8->1. Slots 4..7 of
// the four-slot day advance to no slot; from no slot the button starts again at the morning.
int nextSlot(int slot, SlotMode mode);

// slotTime: the text to put into the time field for `slot`, taken from the layout's
// times in the order of the day (a missing one reads as empty). nullopt: leave the field as it is (slots 4..7 in the
// four-slot day, no slot).
std::optional<QString> slotTime(int slot, SlotMode mode, const QStringList& times);

// The correction when the entry dialog is painted: in the four-slot day a last entry line of
// slots 4..7 makes the morning current again.
bool needsMorningCorrection(const QString& lastEntryLine, SlotMode mode);

// The proposal of nextSlotProposal: the next slot after the last
// entry line and the entry fields to fill. A field that is nullopt stays as it is.
struct NextSlotProposal {
    int slot = NoSlot; // the new CurrentSlot; caption and prefix follow it unless NoSlot
    std::optional<QString> day;
    std::optional<QString> month;
    std::optional<QString> year;
    std::optional<QString> time;
    std::optional<QString> value;
};
NextSlotProposal nextSlotProposal(const QString& lastEntryLine, bool fourSlotMark, int currentSlot);

} // namespace luftikon
