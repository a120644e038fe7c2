// Reads the drawn month for the evaluation commands and says where their files go.
#include "report/monthreport.h"

#include "diary/diaryfile.h"
#include "diary/entryline.h"
#include "diary/iniheader.h"
#include "diary/textfile.h"

#include <QFileInfo>
#include <algorithm>

namespace luftikon {

std::optional<MonthReport> loadMonthReport(const ReportSource& source, const Notify& notify)
{
    const QString noData = QStringLiteral("Es wurden noch keine Daten eingegeben!");
    if (source.diaryFile.isEmpty()) {
        notify(MessageKind::Plain, noData);
        return std::nullopt;
    }
    const DiaryFile diary = readDiary(source.diaryFile);
    if (!diary.ok) {
        notify(MessageKind::Error, diary.error);
        return std::nullopt;
    }
    MonthReport report;
    report.diaryFile = source.diaryFile;
    report.entryLines = diary.entryLines();
    if (report.entryLines.isEmpty()) {
        notify(MessageKind::Plain, noData);
        return std::nullopt;
    }
    report.userName = readHeaderValue(diary.lines, QStringLiteral("BenutzerName"), QString());
    if (report.userName.isEmpty())
        report.userName = source.userName;
    report.slotMode = source.slotMode;
    report.figures =
        monthFiguresOf(report.entryLines, diaryMonthOf(diary.month, diary.year), source.greenLimit, source.redLimit);
    return report;
}

bool readRemarks(MonthReport& report, const QString& remarksFile, const Notify& notify)
{
    if (remarksFile.isEmpty() || !QFileInfo(remarksFile).isFile())
        return true; // no remarks written yet
    const ReadResult remarks = readTextLines(remarksFile);
    if (!remarks.ok) {
        notify(MessageKind::Error, remarks.error);
        return false;
    }
    report.remarks = remarks.lines;
    return true;
}

std::optional<QString> reportFilePath(const QString& dataFolder, const MonthReport& report, const QString& extension)
{
    QString name = QFileInfo(report.diaryFile).fileName();
    if (!name.endsWith(QLatin1String(".tab"), Qt::CaseInsensitive) || !report.figures.month.valid())
        return std::nullopt;
    name.chop(4);
    return dataFolder + reportFolderName + QLatin1Char('/') + QString::number(report.figures.month.year) +
           QLatin1Char('/') + name + extension;
}

ReadingGrid readingGridOf(const MonthReport& report)
{
    ReadingGrid grid;
    int lastDay = report.figures.daysInMonth;
    std::vector<std::pair<int, int>> placed; // day, slot of each line, in line order
    bool extraSlots[LastSlot + 1] = {};
    for (const QString& line : report.entryLines) {
        const int day = dayNumberOf(line);
        const auto split = splitEntryPrefixView(line);
        const int slot = split ? slotOfEntryPrefix(split->prefix) : NoSlot;
        placed.emplace_back(day, slot);
        if (day == 0 || slot == NoSlot)
            continue;
        lastDay = std::max(lastDay, day);
        if (!slotInLayout(slot, report.slotMode))
            extraSlots[slot] = true;
    }
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        if (slotInLayout(slot, report.slotMode) || extraSlots[slot])
            grid.columns.push_back(slot);
    }
    grid.rows.assign(std::size_t(lastDay), QStringList(qsizetype(grid.columns.size())));
    for (qsizetype i = 0; i < report.entryLines.size(); ++i) {
        const auto [day, slot] = placed[std::size_t(i)];
        const auto column = std::find(grid.columns.begin(), grid.columns.end(), slot);
        if (day == 0 || column == grid.columns.end())
            continue;
        grid.rows[std::size_t(day - 1)][column - grid.columns.begin()] = valueTextOf(report.entryLines[i]);
    }
    return grid;
}

} // namespace luftikon
