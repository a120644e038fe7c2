#include "diary/slots.h"

#include "config/configstore.h"
#include "diary/dates.h"
#include "diary/entryline.h"

#include <array>

namespace luftikon {

namespace {

using L = QLatin1String;

const std::array<SlotInfo, 8> slotTable = {{
    {1, L("Morgens"), L("Morgens den "), L("Morgens"), 'a', true, L("Uhrzeiten: M1= "), L("MORGENS")},
    {2, L("Messung2"), L("Messung2 den "), L("Messung 2"), 'b', true, L("  M2= "), L("  MESS.2")},
    {3, L("Messung3"), L("Messung3 den "), L("Messung 3"), 'c', true, L("  M3= "), L("  MESS.3")},
    {4, L("Messung4"), L("Messung4 den "), L("Messung 4"), 'd', false, L("  M4= "), L(" Mess.4")},
    {5, L("Messung5"), L("Messung5 den "), L("Messung 5"), 'e', false, L("  M5= "), L(" Mess.5")},
    {6, L("Messung6"), L("Messung6 den "), L("Messung 6"), 'f', false, L("  M6= "), L(" Mess.6")},
    {7, L("Messung7"), L("Messung7 den "), L("Messung 7"), 'g', false, L("  M7= "), L(" Mess.7")},
    {8, L("Abends"), L("Abends den "), L("Abends"), 'h', true, L("  M8= "), L(" ABENDS")},
}};

constexpr int EveningSlot = 8;

} // namespace

const SlotInfo* slotInfo(int slot)
{
    if (slot < FirstSlot || slot > LastSlot)
        return nullptr;
    return &slotTable[static_cast<std::size_t>(slot - 1)];
}

int slotOfEntryPrefix(const QString& prefix)
{
    return slotOfEntryPrefix(QStringView(prefix));
}

int slotOfEntryPrefix(QStringView prefix)
{
    for (const SlotInfo& info : slotTable) {
        if (prefix == info.entryPrefix)
            return info.number;
    }
    return NoSlot;
}

bool slotInLayout(int slot, SlotMode mode)
{
    const SlotInfo* info = slotInfo(slot);
    return info && (mode == SlotMode::Eight || info->inFourSlotDay);
}

int layoutPosition(int slot, SlotMode mode)
{
    if (!slotInLayout(slot, mode))
        return -1;
    // The four-slot day keeps its evening in the last place.
    return mode == SlotMode::Four && slot == EveningSlot ? 3 : slot - 1;
}

QString timeValueDefault(int slot, SlotMode mode)
{
    const int at = layoutPosition(slot, mode);
    if (at < 0)
        return {};
    return QLatin1String(mode == SlotMode::Four ? fourSlotTimeValues[std::size_t(at)].firstRun
                                                : eightSlotTimeValues[std::size_t(at)].firstRun);
}

QString chartLabel(int slot, SlotMode mode)
{
    if (!slotInLayout(slot, mode))
        return {};
    if (mode == SlotMode::Four && slot == EveningSlot)
        return QStringLiteral("  M4= ");
    return slotInfo(slot)->chartLabel;
}

QString timesOfDayLine(SlotMode mode, const QStringList& times)
{
    QString line;
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        if (slotInLayout(slot, mode))
            line += chartLabel(slot, mode) + times.value(layoutPosition(slot, mode));
    }
    return line;
}

int nextSlot(int slot, SlotMode mode)
{
    if (slot == NoSlot || !slotInfo(slot))
        return FirstSlot;
    if (mode == SlotMode::Four) {
        switch (slot) {
        case 1:
            return 2;
        case 2:
            return 3;
        case 3:
            return EveningSlot;
        case EveningSlot:
            return FirstSlot;
        default:
            return NoSlot;
        }
    }
    return slot == EveningSlot ? FirstSlot : slot + 1;
}

std::optional<QString> slotTime(int slot, SlotMode mode, const QStringList& times)
{
    const int at = layoutPosition(slot, mode);
    if (at < 0)
        return std::nullopt;
    return times.value(at);
}

bool needsMorningCorrection(const QString& lastEntryLine, SlotMode mode)
{
    if (mode != SlotMode::Four)
        return false;
    for (int slot = 4; slot <= 7; ++slot) {
        if (lastEntryLine.contains(slotInfo(slot)->entryPrefix))
            return true;
    }
    return false;
}

NextSlotProposal nextSlotProposal(const QString& lastEntryLine, bool fourSlotMark, int currentSlot)
{
    NextSlotProposal proposal;
    proposal.slot = currentSlot;
    const auto split = splitEntryPrefix(lastEntryLine);
    if (!split)
        return proposal;

    const int lastSlot = slotOfEntryPrefix(split->prefix);
    // The successor after the last reading does not depend on the layout except after
    // slot 3, so a reading of slot 5 in a four-slot day still proposes slot 6.
    if (lastSlot == 3)
        proposal.slot = fourSlotMark ? EveningSlot : 4;
    else if (lastSlot >= FirstSlot && lastSlot < EveningSlot)
        proposal.slot = lastSlot + 1;

    const EntryFields fields = entryFieldsOf(split->rest);
    proposal.day = fields.day;
    proposal.month = fields.month;
    proposal.year = fields.year;
    proposal.time = fields.time;
    proposal.value = fields.value;

    if (lastSlot == EveningSlot) {
        proposal.slot = FirstSlot;
        // The next reading is the next morning, unless the month ends with this day.
        if (fields.day && fields.month && fields.year) {
            const auto day = parseWholeNumber(*fields.day);
            const auto month = parseWholeNumber(*fields.month);
            const auto year = parseWholeNumber(*fields.year);
            if (day && month && year && *day >= 1 && daysInMonthWindowed(*month, *year) > *day)
                proposal.day = QString::number(*day + 1);
        }
    }
    return proposal;
}

} // namespace luftikon
