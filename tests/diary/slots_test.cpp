#include "diary/slots.h"

#include <QMap>
#include <gtest/gtest.h>

using namespace luftikon;

TEST(Slots, SlotButtonWalksTheDayOfItsLayout)
{
    EXPECT_EQ(nextSlot(2, SlotMode::Four), 3);
    EXPECT_EQ(nextSlot(3, SlotMode::Four), 8);
    EXPECT_EQ(nextSlot(8, SlotMode::Four), 1);
    EXPECT_EQ(nextSlot(3, SlotMode::Eight), 4);
    EXPECT_EQ(nextSlot(8, SlotMode::Eight), 1);
    // A slot the four-slot day lacks leaves no slot current; the next press starts the day
    // again rather than staying stuck.
    EXPECT_EQ(nextSlot(5, SlotMode::Four), NoSlot);
    EXPECT_EQ(nextSlot(NoSlot, SlotMode::Four), 1);
}

TEST(Slots, LiesUhrzeitenEinReadsTheSlotsTimeOrLeavesTheField)
{
    const QStringList four{"08:00", "12:00", "16:00", "19:30"};
    EXPECT_EQ(slotTime(8, SlotMode::Four, four), QStringLiteral("19:30"));
    EXPECT_EQ(slotTime(5, SlotMode::Eight, {"", "", "", "", "13:45"}), QStringLiteral("13:45"));
    // A missing time empties the field; a slot outside the layout leaves it alone.
    EXPECT_EQ(slotTime(8, SlotMode::Eight, four), QString());
    EXPECT_EQ(slotTime(5, SlotMode::Four, four), std::nullopt);
    EXPECT_EQ(slotTime(NoSlot, SlotMode::Eight, four), std::nullopt);
}

// The entry dialog's tests show the proposal as the user meets it; these are the cases around it.
TEST(NextSlotAfterLastEntry, FillsTheFieldsAndProposesTheNextSlotOfTheLayout)
{
    const auto p = nextSlotProposal("Morgens den    05.3.2024 Z=08:00  Luftikon=420", true, 1);
    EXPECT_EQ(p.slot, 2);
    EXPECT_EQ(QStringList({*p.day, *p.month, *p.year, *p.time, *p.value}),
              QStringList({"05", "3", "2024", "08:00", "420"}));
    const QString m3 = "Messung3 den 05.03.2024 Z=16:00  Luftikon=410";
    EXPECT_EQ(nextSlotProposal(m3, true, 1).slot, 8);
    EXPECT_EQ(nextSlotProposal(m3, false, 1).slot, 4);
    // A short time text brings what follows it.
    EXPECT_EQ(nextSlotProposal("Morgens den    05.3.2024 Z=8:00  Luftikon=420", true, 1).time, QStringLiteral("8:00 "));
    // Without a usable line only the current slot stays.
    for (const QString& line : {QString(), QStringLiteral("Morgens 05.3.2024"), QStringLiteral("Unbekannt den 7")}) {
        const auto none = nextSlotProposal(line, true, 3);
        EXPECT_EQ(none.slot, 3);
        EXPECT_FALSE(none.day || none.time || none.value);
    }
}

TEST(NextSlotAfterLastEntry, EveningMovesToTheNextMorningWithinTheMonth)
{
    const auto evening = [](const char* date) {
        return nextSlotProposal(QStringLiteral("Abends den      %1 Z=20:00  Luftikon=431").arg(QLatin1String(date)),
                                true, 8);
    };
    EXPECT_EQ(evening("05.3.2024").slot, 1);
    EXPECT_EQ(evening("05.3.2024").day, QStringLiteral("6"));
    EXPECT_EQ(evening("31.3.2024").day, QStringLiteral("31"));
    EXPECT_EQ(evening("28.02.2100").day, QStringLiteral("29")); // the window puts 2100 on 2000, a leap year
    EXPECT_EQ(evening("x.02.2023").day, QStringLiteral("x"));   // a day that is no number stays as read
}
