#include "table/tablecontent.h"

#include "diary/dates.h"
#include "diary/daygrid.h"
#include "diary/entryline.h"
#include "diary/longlines.h"

#include <algorithm>

namespace luftikon {

namespace {

constexpr int fourSlotColumns = 12;
constexpr int eightSlotColumns = 24;
constexpr int lastDay = 31;

// The table finds a slot by its name in the slot part; the evening by "Abend".
QLatin1String tableSlotName(const SlotInfo& slot)
{
    return slot.number == LastSlot ? QLatin1String("Abend") : slot.name;
}

// The time column of each slot of the layout; its value column follows, then a spacer.
int timeColumnOf(int slot, SlotMode mode)
{
    int column = 1;
    for (int other = FirstSlot; other < slot; ++other) {
        if (slotInLayout(other, mode))
            column += 3;
    }
    return column;
}

// The table reads a line by rules of its own: tabs dropped, the slot found by its name anywhere
// before "den", the day from the two digits the date begins with, both markers needed, and the
// time keeping its blanks up to "Luftikon=". Lines as the entry dialog writes them land where
// their own day and slot say; odd ones keep the place the table has always given them.
struct TableReading {
    GridPlace place;
    QString time;
    QString value;
};

TableReading tableReadingOf(QString line)
{
    line.remove(QLatin1Char('\t'));
    const qsizetype den = line.indexOf(QLatin1String("den"));
    if (den < 0)
        return {};
    // The slot part runs through the character after "den", the blank of the prefix.
    const qsizetype slotEnd = std::min(den + 4, line.size());
    const QStringView slotPart = QStringView(line).left(slotEnd);
    QStringView rest = QStringView(line).mid(slotEnd);
    while (rest.startsWith(QLatin1Char(' ')))
        rest = rest.mid(1);
    const qsizetype timeMark = rest.indexOf(QLatin1String("Z="));
    const qsizetype valueMark = rest.indexOf(QLatin1String("Luftikon="));
    if (timeMark < 0 || valueMark < timeMark)
        return {};
    // The row of the two-digit day the date begins with, followed by ".".
    const QStringView date = rest.left(timeMark);
    if (date.size() < 3 || !isAsciiDigit(date[0]) || !isAsciiDigit(date[1]) || date[2] != u'.')
        return {};
    const int day = (date[0].unicode() - u'0') * 10 + (date[1].unicode() - u'0');
    int slot = FirstSlot;
    while (slot <= LastSlot && !slotPart.contains(tableSlotName(*slotInfo(slot))))
        ++slot;
    if (slot > LastSlot)
        return {};
    return {
        {day, slot}, rest.mid(timeMark + 2, valueMark - timeMark - 2).toString(), rest.mid(valueMark + 9).toString()};
}

CellRange normalised(const CellRange& range, int columns, int rows)
{
    CellRange r;
    r.left = std::clamp(std::min(range.left, range.right), 0, columns - 1);
    r.right = std::clamp(std::max(range.left, range.right), 0, columns - 1);
    r.top = std::clamp(std::min(range.top, range.bottom), 0, rows - 1);
    r.bottom = std::clamp(std::max(range.top, range.bottom), 0, rows - 1);
    return r;
}

} // namespace

int tableColumnCount(SlotMode mode)
{
    return mode == SlotMode::Eight ? eightSlotColumns : fourSlotColumns;
}

bool isSpacerColumn(int column)
{
    return column > 0 && column < eightSlotColumns - 2 && column % 3 == 0;
}

QStringList tableHeaderTexts(SlotMode mode)
{
    QStringList headers{QStringLiteral("  DATUM")};
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        if (!slotInLayout(slot, mode))
            continue;
        if (headers.size() > 1)
            headers << QStringLiteral(" ");
        headers << QString(slotInfo(slot)->tableHeader) << QStringLiteral("Luftikon");
    }
    return headers;
}

QStringList copyHeaderTexts(SlotMode mode)
{
    QStringList headers = tableHeaderTexts(mode);
    if (mode == SlotMode::Four) {
        headers[4] = QStringLiteral(" MESS.2");
        headers[7] = QStringLiteral(" MESS.3");
        headers[10] = QStringLiteral(" ABENDS");
        return headers;
    }
    headers[4] = QStringLiteral(" MESS.2 ");
    headers[7] = QStringLiteral(" MESS.3");
    headers[10] = QStringLiteral(" Mess.4 ");
    headers[13] = QStringLiteral(" Mess.5 ");
    headers[16] = QStringLiteral(" Mess.6 ");
    headers[19] = QStringLiteral(" Mess.7 ");
    headers[22] = QStringLiteral(" ABENDS ");
    return headers;
}

QString dayLabel(int day)
{
    return QStringLiteral("      %1").arg(day, 2, 10, QLatin1Char('0'));
}

int shownDayCount(int month, int year)
{
    const int days = daysInMonthOf(month, year);
    return days == 0 ? lastDay : days;
}

CellMatrix buildTableCells(const QList<DiaryEntry>& readings, SlotMode mode, int rowCount)
{
    const int columns = tableColumnCount(mode);
    rowCount = std::clamp(rowCount, 1, lastDay + 1);
    CellMatrix cells(rowCount);
    for (QStringList& row : cells) {
        for (int c = 0; c < columns; ++c)
            row << emptyCellText;
    }
    cells[0] = tableHeaderTexts(mode);
    for (int day = 1; day < rowCount; ++day)
        cells[day][0] = dayLabel(day);

    const DayGrid grid =
        dayGridOf(readings, [](const DiaryEntry& reading) { return tableReadingOf(reading.line).place; });
    for (int day = 1; day < rowCount; ++day) {
        for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
            const qsizetype shown = grid.at(day, slot);
            if (shown < 0 || !slotInLayout(slot, mode))
                continue;
            const TableReading reading = tableReadingOf(readings[shown].line);
            const int time = timeColumnOf(slot, mode);
            // A cell of megabytes from a damaged line would freeze the grid.
            cells[day][time] = shownLine(QStringLiteral("    ") + reading.time);
            cells[day][time + 1] = shownLine(QStringLiteral("    ") + reading.value);
        }
    }
    return cells;
}

QString selectionText(const CellMatrix& cells, const CellRange& range, SlotMode mode)
{
    if (cells.empty() || cells.front().isEmpty())
        return {};
    const CellRange r = normalised(range, int(cells.front().size()), int(cells.size()));
    const QStringList copyHeaders = copyHeaderTexts(mode);
    QString text;
    for (int row = r.top; row <= r.bottom; ++row) {
        for (int column = r.left; column <= r.right; ++column) {
            const QString& cell =
                row == 0 && column < copyHeaders.size() ? copyHeaders[column] : cells[row].value(column);
            if (column == r.right)
                text += cell;
            else if (row == 0 && !cell.isEmpty())
                text += cell + QLatin1Char(' ');
            else if (row > 0 && !cell.isEmpty() && !isSpacerColumn(column))
                text += cell + QLatin1Char('\t');
        }
        text += QLatin1String("\r\n");
    }
    return text;
}

int columnPitch(int column)
{
    return (isSpacerColumn(column) ? spacerWidth : cellWidth) + 1;
}

int columnStart(int column)
{
    int x = 0;
    for (int c = 0; c < column; ++c)
        x += columnPitch(c);
    return x;
}

QSize gridPictureSize(SlotMode mode, int rowCount)
{
    return {columnStart(tableColumnCount(mode)), rowPitch * rowCount};
}

QRect selectionPictureRect(SlotMode mode, int rowCount, const CellRange& range)
{
    const QSize picture = gridPictureSize(mode, rowCount);
    const CellRange r = normalised(range, tableColumnCount(mode), rowCount);
    const int x0 = columnStart(r.left);
    const int y0 = rowPitch * r.top;
    // The far corner is the first pixel past the last cell's grid line, so a single cell
    // comes out as 62 x 26; at the picture's edge that pixel does not exist.
    const int x1 = std::min(columnStart(r.right) + columnPitch(r.right), picture.width() - 1);
    const int y1 = std::min(rowPitch * (r.bottom + 1), picture.height() - 1);
    return QRect(QPoint(x0, y0), QPoint(x1, y1));
}

} // namespace luftikon
