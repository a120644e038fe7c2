// Reads the drawn month for the evaluation commands and says where their files go.
#include "report/monthreport.h"

#include "diary/daygrid.h"
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
    const DiaryFile& diary = source.diary;
    if (diary.path.isEmpty()) {
        notify(MessageKind::Plain, noData);
        return std::nullopt;
    }
    if (!diary.ok) {
        notify(MessageKind::Error, diary.error);
        return std::nullopt;
    }
    MonthReport report;
    report.diaryFile = diary.path;
    report.readings = diary.readings;
    if (report.readings.isEmpty()) {
        notify(MessageKind::Plain, noData);
        return std::nullopt;
    }
    report.userName = readHeaderValue(diary.lines, QStringLiteral("BenutzerName"), QString());
    if (report.userName.isEmpty())
        report.userName = source.userName;
    report.slotMode = source.slotMode;
    report.figures =
        monthFiguresOf(report.readings, diaryMonthOf(diary.month, diary.year), source.greenLimit, source.redLimit);
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
    const DayGrid placed = dayGridOf(report.readings);
    int lastDay = report.figures.daysInMonth;
    bool shownSlots[LastSlot + 1] = {};
    for (int day = 1; day <= DayGrid::Days; ++day) {
        for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
            if (placed.at(day, slot) < 0)
                continue;
            lastDay = std::max(lastDay, day);
            shownSlots[slot] = true;
        }
    }
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        if (slotInLayout(slot, report.slotMode) || shownSlots[slot])
            grid.columns.push_back(slot);
    }
    grid.rows.assign(std::size_t(lastDay), QStringList(qsizetype(grid.columns.size())));
    for (int day = 1; day <= lastDay; ++day) {
        for (std::size_t column = 0; column < grid.columns.size(); ++column) {
            if (const qsizetype shown = placed.at(day, grid.columns[column]); shown >= 0)
                grid.rows[std::size_t(day - 1)][qsizetype(column)] = report.readings[shown].valueText;
        }
    }
    return grid;
}

} // namespace luftikon
