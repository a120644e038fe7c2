#include "versions/versionlist.h"

#include "diary/diaryfile.h"
#include "diary/textfile.h"
#include "month/currentmonth.h"

#include <QSet>

#include <algorithm>

namespace luftikon {

namespace {

// A reading is the same in two files when its line reads the same, blanks aside.
QSet<QString> readingsOf(const DiaryFile& diary)
{
    QSet<QString> readings;
    for (const QString& line : diary.entryLines())
        readings.insert(line.simplified());
    return readings;
}

} // namespace

QList<VersionRow> versionRowsOf(const QString& diaryPath)
{
    QList<VersionRow> rows;
    const QSet<QString> today = readingsOf(readDiary(diaryPath));
    for (const EarlierVersion& version : versionsOf(diaryPath)) {
        const ReadResult read = readTextLines(version.path);
        VersionRow row{version, diaryPath};
        if (!read.ok) {
            row.unreadable = true;
            rows << row;
            continue;
        }
        const QSet<QString> then = readingsOf(diaryOf(read.lines, diaryPath));
        row.readings = int(then.size());
        row.added = int((today - then).size());
        row.missing = int((then - today).size());
        rows << row;
    }
    const QString remarks = remarksFileOf(diaryPath);
    for (const EarlierVersion& version : versionsOf(remarks)) {
        VersionRow row{version, remarks};
        row.remarks = true;
        rows << row;
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const VersionRow& a, const VersionRow& b) { return a.version.taken > b.version.taken; });
    return rows;
}

QString versionDateText(const VersionRow& row)
{
    return row.version.taken.toString(QStringLiteral("dd.MM.yyyy"));
}

QString versionTimeText(const VersionRow& row)
{
    return row.version.taken.toString(QStringLiteral("HH:mm:ss"));
}

QString versionContentText(const VersionRow& row)
{
    if (row.remarks)
        return QStringLiteral("Bemerkungen");
    if (row.unreadable)
        return QStringLiteral("nicht lesbar");
    QString text = row.readings == 1 ? QStringLiteral("1 Messwert") : QStringLiteral("%1 Messwerte").arg(row.readings);
    if (row.added == 0 && row.missing == 0)
        return text + QStringLiteral("; dieselben Messwerte wie heute");
    if (row.added > 0)
        text += QStringLiteral("; seither hinzugekommen: %1").arg(row.added);
    if (row.missing > 0)
        text += QStringLiteral("; heute fehlend: %1").arg(row.missing);
    return text;
}

} // namespace luftikon
