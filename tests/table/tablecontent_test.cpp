#include "table/tablecontent.h"
#include "table/tabletestlines.h"

#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::entryLine;

namespace {

const QString two = QStringLiteral("  ");

// A row of 4-slot data cells: day label, then the given cells, the rest empty.
QStringList fourSlotRow(int day)
{
    QStringList row(12, two);
    row[0] = dayLabel(day);
    return row;
}

} // namespace

TEST(TableContent, EmptyListGivesHeadersDayLabelsAndBlankCells)
{
    const CellMatrix four = buildTableCells({}, SlotMode::Four, 32);
    ASSERT_EQ(four.size(), 32u);
    EXPECT_EQ(four[0], (QStringList{"  DATUM", "MORGENS", "Luftikon", " ", "  MESS.2", "Luftikon", " ", "  MESS.3",
                                    "Luftikon", " ", " ABENDS", "Luftikon"}));
    EXPECT_EQ(four[1], fourSlotRow(1));
    EXPECT_EQ(four[31][0], QStringLiteral("      31"));

    const CellMatrix eight = buildTableCells({}, SlotMode::Eight, 29);
    ASSERT_EQ(eight.size(), 29u);
    EXPECT_EQ(eight[0].mid(9), (QStringList{" ", " Mess.4", "Luftikon", " ", " Mess.5", "Luftikon", " ", " Mess.6",
                                            "Luftikon", " ", " Mess.7", "Luftikon", " ", " ABENDS", "Luftikon"}));
    EXPECT_EQ(eight[28][0], QStringLiteral("      28"));
    EXPECT_EQ(eight[28].mid(1), QStringList(23, two));
}

TEST(TableContent, ABrokenMonthFieldHidesNoReading)
{
    EXPECT_EQ(shownDayCount(2, 2023), 28);
    EXPECT_EQ(shownDayCount(13, 2024), 31);
}

TEST(TableContent, ReadingsLandInTheirSlotColumnsForTheMode)
{
    const QStringList lines{
        entryLine(QStringLiteral("Morgens den "), 5, QStringLiteral("08:00"), 420),
        entryLine(QStringLiteral("Messung2 den "), 5, QStringLiteral("10:00"), 410),
        entryLine(QStringLiteral("Messung5 den "), 5, QStringLiteral("15:30"), 399),
        entryLine(QStringLiteral("Abends den "), 5, QStringLiteral("21:00"), 380),
    };
    const CellMatrix four = buildTableCells(lines, SlotMode::Four, 32);
    QStringList expected = fourSlotRow(5);
    expected[1] = QStringLiteral("    08:00  ");
    expected[2] = QStringLiteral("    420");
    expected[4] = QStringLiteral("    10:00  ");
    expected[5] = QStringLiteral("    410");
    expected[10] = QStringLiteral("    21:00  ");
    expected[11] = QStringLiteral("    380");
    EXPECT_EQ(four[5], expected) << "Messung5 has no place in the 4-slot day";

    const CellMatrix eight = buildTableCells(lines, SlotMode::Eight, 32);
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
        entryLine(QStringLiteral("Morgens den "), 7, QStringLiteral("07:00"), 300),
        entryLine(QStringLiteral("Morgens den "), 7, QStringLiteral("07:30"), 333),
        // Tabs are dropped before the line is taken apart.
        QStringLiteral("Abends\t den     07.3.2024 Z=20:00  Luftikon=3\t10"),
        QStringLiteral("Morgens den    08.3.2024 Luftikon=500"), // no time marker
        QStringLiteral("Morgens ohne Datum"),
        entryLine(QStringLiteral("Morgens den "), 30, QStringLiteral("07:00"), 444), // beyond February
    };
    const CellMatrix cells = buildTableCells(lines, SlotMode::Four, 30);
    EXPECT_EQ(cells[7][1], QStringLiteral("    07:30  "));
    EXPECT_EQ(cells[7][2], QStringLiteral("    333"));
    EXPECT_EQ(cells[7][10], QStringLiteral("    20:00  "));
    EXPECT_EQ(cells[7][11], QStringLiteral("    310"));
    EXPECT_EQ(cells[8], fourSlotRow(8));
    ASSERT_EQ(cells.size(), 30u);
    EXPECT_EQ(cells[29], fourSlotRow(29));
}

TEST(TableCopyText, DataRowsUseTabsAndDropInnerSpacers)
{
    const CellMatrix cells = buildTableCells(
        {entryLine(QStringLiteral("Morgens den "), 7, QStringLiteral("08:00"), 420)}, SlotMode::Four, 32);
    const QString row7 = QStringLiteral("      07\t    08:00  \t    420\t  \t  \t  \t  \t  \t  \r\n");
    EXPECT_EQ(selectionText(cells, {0, 7, 11, 7}, SlotMode::Four), row7);

    // Ending on a spacer keeps its cell as the last one; starting on one drops it.
    EXPECT_EQ(selectionText(cells, {1, 7, 3, 8}, SlotMode::Four),
              QStringLiteral("    08:00  \t    420\t  \r\n  \t  \t  \r\n"));
    EXPECT_EQ(selectionText(cells, {3, 7, 5, 7}, SlotMode::Four), QStringLiteral("  \t  \r\n"));

    // A single cell, also given corner by corner the other way round.
    EXPECT_EQ(selectionText(cells, {2, 7, 2, 7}, SlotMode::Four), QStringLiteral("    420\r\n"));
    EXPECT_EQ(selectionText(cells, {2, 8, 1, 7}, SlotMode::Four), QStringLiteral("    08:00  \t    420\r\n  \t  \r\n"));
}

TEST(TableCopyText, HeaderRowUsesCopyHeadersAndSpaces)
{
    const CellMatrix four = buildTableCells({}, SlotMode::Four, 32);
    EXPECT_EQ(selectionText(four, {0, 0, 11, 0}, SlotMode::Four),
              QStringLiteral("  DATUM MORGENS Luftikon    MESS.2 Luftikon    MESS.3 Luftikon    ABENDS Luftikon\r\n"));
    EXPECT_EQ(selectionText(four, {4, 0, 4, 0}, SlotMode::Four), QStringLiteral(" MESS.2\r\n"));
    // The displayed headers are not touched by a copy.
    EXPECT_EQ(four[0][4], QStringLiteral("  MESS.2"));

    const CellMatrix eight = buildTableCells({}, SlotMode::Eight, 32);
    EXPECT_EQ(selectionText(eight, {9, 0, 23, 1}, SlotMode::Eight),
              QStringLiteral("   Mess.4  Luftikon    Mess.5  Luftikon    Mess.6  Luftikon    Mess.7  Luftikon    "
                             "ABENDS  Luftikon\r\n"
                             "  \t  \t  \t  \t  \t  \t  \t  \t  \t  \r\n"));
}

TEST(TablePictureGeometry, PictureSizesAndCutOutsStayInside)
{
    EXPECT_EQ(gridPictureSize(SlotMode::Four, 32), QSize(597, 800));
    EXPECT_EQ(gridPictureSize(SlotMode::Eight, 29), QSize(1149, 725));

    EXPECT_EQ(selectionPictureRect(SlotMode::Four, 32, {0, 0, 0, 0}), QRect(0, 0, 62, 26));
    EXPECT_EQ(selectionPictureRect(SlotMode::Four, 32, {1, 2, 2, 3}), QRect(61, 50, 123, 51));
    // Ending on a spacer column: the cut-out ends there, not inside the next slot's column.
    EXPECT_EQ(selectionPictureRect(SlotMode::Four, 32, {0, 1, 3, 1}), QRect(0, 25, 200, 26));
    // The last column and row end at the picture's edge.
    EXPECT_EQ(selectionPictureRect(SlotMode::Four, 32, {11, 31, 11, 31}), QRect(536, 775, 61, 25));
    EXPECT_EQ(selectionPictureRect(SlotMode::Eight, 30, {0, 0, 23, 29}), QRect(0, 0, 1149, 750));
}
