// Writes the period's readings as CSV and names the period's files.
#include "period/periodfiles.h"

#include "diary/diarywriter.h"
#include "report/monthreport.h"
#include "report/readingscsv.h"

#include <algorithm>

namespace luftikon {

namespace {

// Readings without a day or a slot stay in the file, after the ones that have them.
std::pair<int, int> dateAndSlot(const DiaryEntry& reading)
{
    return {reading.dayNumber == 0 ? 32 : reading.dayNumber, reading.slot == NoSlot ? LastSlot + 1 : reading.slot};
}

} // namespace

QByteArray periodCsv(const Period& period)
{
    QStringList lines;
    for (const PeriodMonth& month : period.months) {
        QList<DiaryEntry> readings = month.diary.readings;
        std::stable_sort(readings.begin(), readings.end(),
                         [](const DiaryEntry& a, const DiaryEntry& b) { return dateAndSlot(a) < dateAndSlot(b); });
        for (const DiaryEntry& reading : readings)
            lines << csvLine(reading, month.limits.green, month.limits.red);
    }
    return csvFile(lines);
}

QString periodFileStem(const QString& userName, DiaryMonth first, DiaryMonth last)
{
    // Joined, not through arg(): a "%1" in a user name must stay as it is.
    const QString period =
        first.year == last.year
            ? QStringLiteral("%1-%2_%3").arg(first.month).arg(last.month).arg(last.year)
            : QStringLiteral("%1-%2_%3-%4").arg(first.month).arg(first.year).arg(last.month).arg(last.year);
    return userName + QLatin1Char('_') + period;
}

std::optional<QString> periodFilePath(const QString& dataFolder, const Period& period, const QString& extension)
{
    const QString year = QString::number(period.last.year);
    if (period.userName.isEmpty() || !period.last.valid() ||
        !diaryNameProblem(period.userName, QString::number(period.last.month), year).isEmpty())
        return std::nullopt;
    return dataFolder + reportFolderName + QLatin1Char('/') + year + QLatin1Char('/') +
           periodFileStem(period.userName, period.first, period.last) + extension;
}

} // namespace luftikon
