// Arbitrary diary lines through the month table and its text copy, in both day layouts and
// for every month length, with an arbitrary selection. Nothing may crash, the table keeps
// its shape, and the copy has one line per selected row.
#include "diary/entryline.h"
#include "diary/textfile.h"
#include "table/tablecontent.h"

#include <cstdint>
#include <cstdlib>

using namespace luftikon;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 5)
        return 0;
    const SlotMode mode = data[0] % 2 ? SlotMode::Eight : SlotMode::Four;
    const int rowCount = 29 + data[0] / 2 % 4;
    CellRange range{data[1] % 30 - 2, data[2] % 40 - 2, data[3] % 30 - 2, data[4] % 40 - 2};
    QList<DiaryEntry> readings;
    for (const QString& line : splitLines(
             decodeCp1252(QByteArray(reinterpret_cast<const char*>(data + 5), static_cast<qsizetype>(size - 5)))))
        readings << parseEntryLine(line);

    const CellMatrix cells = buildTableCells(readings, mode, rowCount);
    if (int(cells.size()) < rowCount)
        std::abort();
    for (const QStringList& row : cells) {
        if (row.size() != tableColumnCount(mode))
            std::abort();
    }
    const QString text = selectionText(cells, range, mode);
    const int top = std::clamp(std::min(range.top, range.bottom), 0, int(cells.size()) - 1);
    const int bottom = std::clamp(std::max(range.top, range.bottom), 0, int(cells.size()) - 1);
    if (text.count(QLatin1String("\r\n")) < bottom - top + 1)
        std::abort();
    return 0;
}
