#include "diary/entryline.h"
#include "diary/entrysort.h"
#include "diary/slots.h"

#include <gtest/gtest.h>

using namespace luftikon;

TEST(EntryLine, TakesAComposedLineApart)
{
    for (int slot = 1; slot <= 8; ++slot) {
        const QString prefix = slotInfo(slot)->entryPrefix;
        const QString line = composeEntryLine(prefix, "07", "11", "2025", "14:10", "455");
        const DiaryEntry entry = parseEntryLine(line);
        EXPECT_EQ(entry.prefix, prefix);
        EXPECT_EQ(entry.slot, slot);
        EXPECT_EQ(slotOfEntryPrefix(prefix), slot);
        const EntryFields& f = entry.fields;
        ASSERT_TRUE(f.day && f.month && f.year && f.time && f.value);
        EXPECT_EQ(QStringList({*f.day, *f.month, *f.year, *f.time, *f.value}),
                  QStringList({"07", "11", "2025", "14:10", "455"}));
        EXPECT_EQ(entry.dayNumber, 7);
        EXPECT_EQ(entry.value, 455);
    }
    // Readers find a line's slot by its prefix: exact, with the trailing space, case and all.
    EXPECT_EQ(slotOfEntryPrefix("Abends den"), NoSlot);
    EXPECT_EQ(slotOfEntryPrefix("abends den "), NoSlot);
}

TEST(EntryLine, HandEditedLinesGiveNoDayNoValueOrNoEntry)
{
    EXPECT_EQ(dayNumberOf("Morgens den    31.3.2024"), 31);
    // A day edited by hand to one digit is listed but belongs to no day.
    EXPECT_EQ(dayNumberOf("Morgens den    5.3.2024 Z=08:00  Luftikon=420"), 0);
    EXPECT_EQ(dayTextOf("Morgens den    5.3.2024"), " 5");
    for (const char* line : {"Morgens den    00.3.2024", "Morgens den    32.3.2024", "Morgens den   ab.3.2024", "5.3"})
        EXPECT_EQ(dayNumberOf(QString::fromLatin1(line)), 0) << line;

    // A value must be a whole number.
    EXPECT_EQ(parseEntryLine("Abends den      05.3.2024 Z=20:00 Luftikon= 410 \t").value, 410);
    EXPECT_EQ(parseWholeNumber("-5"), -5);
    for (const char* text : {"", "-", "4,5", "4.5", "abc", "1e3", "99999999999", " 4", "0x10"})
        EXPECT_EQ(parseWholeNumber(QString::fromLatin1(text)), std::nullopt) << text;
    EXPECT_EQ(parseEntryLine("Morgens den    05.3.2024 Z=08:00").value, std::nullopt);
    EXPECT_EQ(valueTextOf("Morgens den    05.3.2024 Z=08:00  Luftikon=abc"), "abc");

    // Only lines starting with M or A are entries.
    EXPECT_TRUE(isEntryLine("A"));
    for (const char* line : {"", "morgens den   05.3.2024", " Morgens den    05.3.2024", "[Personendaten]"})
        EXPECT_FALSE(isEntryLine(QString::fromLatin1(line))) << line;
}

TEST(EntrySort, OrdersByDayThenSlotOfTheDayInGermanCollation)
{
    const QStringList sorted = {
        "Abends den      03.3.2024 Z=20:00  Luftikon=300", "Morgens den    05.3.2024 Z=08:00  Luftikon=420",
        "Messung2 den 05.3.2024 Z=12:00  Luftikon=430",    "Messung3 den 05.3.2024 Z=16:00  Luftikon=425",
        "Messung7 den 05.3.2024 Z=18:00  Luftikon=428",    "Abends den      05.3.2024 Z=20:00  Luftikon=431",
        "Morgens den    12.3.2024 Z=08:00  Luftikon=400",
    };
    EXPECT_EQ(sortEntries({sorted[5], sorted[6], sorted[3], sorted[1], sorted[2], sorted[0], sorted[4]}), sorted);
    EXPECT_EQ(sortEntries({"Zürich", "apfel", "Äpfel", "Birne"}), (QStringList{"apfel", "Äpfel", "Birne", "Zürich"}));
}

TEST(EntrySort, OnlyCaseDuplicatesCollapse)
{
    const QStringList lines = {
        "Morgens den    05.3.2024 Z=08:00  Luftikon=420",
        "MORGENS DEN    05.3.2024 Z=08:00  LUFTIKON=420", // no slot name: its own key, sorts elsewhere
        "Morgens den    05.3.2024 Z=08:00  luftikon=420",
        "Morgens den    05.3.2024 Z=08:00  Luftikon=420",
        "Morgens den    05.3.2024 Z=08:00  Luftikon=421",
        QStringLiteral("Morgens den    05.3.2024 Z=08:00  Luftikon=42") + QChar(1) + "0",
    };
    const QStringList sorted = sortEntries(lines);
    EXPECT_EQ(sorted.size(), 4);
    EXPECT_EQ(sorted.count("Morgens den    05.3.2024 Z=08:00  Luftikon=420"), 1);
    EXPECT_TRUE(sorted.contains("Morgens den    05.3.2024 Z=08:00  Luftikon=421"));
    // A control character makes no difference to the collation, but it is another line.
    EXPECT_TRUE(sorted.contains(lines.last()));
    EXPECT_TRUE(sorted.contains("MORGENS DEN    05.3.2024 Z=08:00  LUFTIKON=420"));
}
