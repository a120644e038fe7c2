#include "support/diarylines.h"
#include "table/tablecontent.h"

#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::entriesOf;
using luftikon::test::reading;

namespace {

const QString two = QStringLiteral("  ");

// A row of 4-slot data cells: the day label, the rest empty.
QStringList fourSlotRow(int day)
{
    QStringList row(12, two);
    row[0] = dayLabel(day);
    return row;
}

} // namespace

TEST(TableContent, ReadingsLandInTheirSlotColumnsForTheMode)
{
    const QStringList lines{reading("Morgens", 5, 420), reading("Messung2", 5, 410, 3, 2024, "10:00"),
                            reading("Messung5", 5, 399, 3, 2024, "15:30"), reading("Abends", 5, 380, 3, 2024, "21:00")};
    const CellMatrix four = buildTableCells(entriesOf(lines), SlotMode::Four, 32);
    ASSERT_EQ(four.size(), 32u);
    QStringList expected = fourSlotRow(5);
    expected[1] = QStringLiteral("    08:00  ");
    expected[2] = QStringLiteral("    420");
    expected[4] = QStringLiteral("    10:00  ");
    expected[5] = QStringLiteral("    410");
    expected[10] = QStringLiteral("    21:00  ");
    expected[11] = QStringLiteral("    380");
    EXPECT_EQ(four[5], expected) << "Messung5 has no place in the 4-slot day";
    EXPECT_EQ(four[31], fourSlotRow(31));

    const CellMatrix eight = buildTableCells(entriesOf(lines), SlotMode::Eight, 30);
    ASSERT_EQ(eight.size(), 30u);
    EXPECT_EQ(eight[5][13], QStringLiteral("    15:30  "));
    EXPECT_EQ(eight[5][14], QStringLiteral("    399"));
    EXPECT_EQ(eight[5][22], QStringLiteral("    21:00  "));
    EXPECT_EQ(eight[5][23], QStringLiteral("    380"));
    EXPECT_EQ(eight[5][10], two);
    EXPECT_EQ(eight[4].mid(1), QStringList(23, two));
}

TEST(TableContent, LaterLineWinsAndOddLinesAreLeftOut)
{
    const QStringList lines{
        reading("Morgens", 7, 300, 3, 2024, "07:00"), reading("Morgens", 7, 333, 3, 2024, "07:30"),
        // Tabs are dropped before the line is taken apart.
        QStringLiteral("Abends\t den     07.3.2024 Z=20:00  Luftikon=3\t10"),
        QStringLiteral("Morgens den    08.3.2024 Luftikon=500"),           // no time marker
        QStringLiteral("Morgens ohne Datum"), reading("Morgens", 30, 444), // beyond the rows shown
    };
    const CellMatrix cells = buildTableCells(entriesOf(lines), SlotMode::Four, 30);
    EXPECT_EQ(cells[7][1], QStringLiteral("    07:30  "));
    EXPECT_EQ(cells[7][2], QStringLiteral("    333"));
    EXPECT_EQ(cells[7][10], QStringLiteral("    20:00  "));
    EXPECT_EQ(cells[7][11], QStringLiteral("    310"));
    EXPECT_EQ(cells[8], fourSlotRow(8));
    ASSERT_EQ(cells.size(), 30u);
    EXPECT_EQ(cells[29], fourSlotRow(29));
}

// What the copy does at spacer columns and reversed corners; the window's copy tests show
// the ordinary rows.
TEST(TableCopyText, SpacersAndCornersGivenTheOtherWayRound)
{
    const CellMatrix cells = buildTableCells(entriesOf({reading("Morgens", 7, 420)}), SlotMode::Four, 32);
    // Ending on a spacer keeps its cell as the last one; starting on one drops it.
    EXPECT_EQ(selectionText(cells, {1, 7, 3, 8}, SlotMode::Four),
              QStringLiteral("    08:00  \t    420\t  \r\n  \t  \t  \r\n"));
    EXPECT_EQ(selectionText(cells, {3, 7, 5, 7}, SlotMode::Four), QStringLiteral("  \t  \r\n"));
    EXPECT_EQ(selectionText(cells, {2, 8, 1, 7}, SlotMode::Four), QStringLiteral("    08:00  \t    420\r\n  \t  \r\n"));

    const CellMatrix eight = buildTableCells({}, SlotMode::Eight, 32);
    EXPECT_EQ(selectionText(eight, {9, 0, 23, 1}, SlotMode::Eight),
              QStringLiteral("   Mess.4  Luftikon    Mess.5  Luftikon    Mess.6  Luftikon    Mess.7  Luftikon    "
                             "ABENDS  Luftikon\r\n"
                             "  \t  \t  \t  \t  \t  \t  \t  \t  \t  \r\n"));
}
