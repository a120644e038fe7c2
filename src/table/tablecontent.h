#pragma once
// What the month table shows, and its copies, as plain cell texts: no window needed, so the
// rules can be tested and reused by the table printer.

#include "diary/entryline.h"
#include "diary/slots.h"

#include <QList>

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

namespace luftikon {

// Rows of cell texts; row 0 holds the headers, row d the day d.
using CellMatrix = std::vector<QStringList>;

// A rectangular cell selection, all bounds included.
struct CellRange {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Text of a data cell that carries nothing.
inline const QString emptyCellText = QStringLiteral("  ");

int tableColumnCount(SlotMode mode);
// The narrow columns between two slots.
bool isSpacerColumn(int column);
QStringList tableHeaderTexts(SlotMode mode);
// Row 0 as it goes into a text copy: some headers are padded differently there.
QStringList copyHeaderTexts(SlotMode mode);
QString dayLabel(int day);

// The day rows of the month; a month outside 1..12 shows all 31, so that no reading is hidden
// by a bad month field.
int shownDayCount(int month, int year);

// The whole table: headers, day labels and the readings (in list order, so a later line for the
// same day and slot wins). `rowCount` is the days of the month + 1.
CellMatrix buildTableCells(const QList<DiaryEntry>& readings, SlotMode mode, int rowCount);

// The text copy of `range`: cells of a data row separated by tabs (spacer columns left out
// except at the row's end), header cells by spaces, every row ended by CR LF.
QString selectionText(const CellMatrix& cells, const CellRange& range, SlotMode mode);

// Picture geometry: each column and row takes its cell plus one pixel of grid line.
constexpr int cellWidth = 60;
constexpr int spacerWidth = 15;
constexpr int cellHeight = 24;
constexpr int rowPitch = cellHeight + 1;
int columnPitch(int column);
int columnStart(int column);
QSize gridPictureSize(SlotMode mode, int rowCount);
// The part of the grid picture covered by `range`, both corners' cells included, with the
// grid line on their far side; always inside the picture.
QRect selectionPictureRect(SlotMode mode, int rowCount, const CellRange& range);

} // namespace luftikon
