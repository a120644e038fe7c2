#include "diary/diaryfile.h"

#include "diary/entryline.h"
#include "diary/iniheader.h"

#include <QFileInfo>

namespace luftikon {

QStringList DiaryFile::entryLines() const
{
    QStringList lines;
    lines.reserve(readings.size());
    for (const DiaryEntry& reading : readings)
        lines << reading.line;
    return lines;
}

MonthTexts monthTextsOfName(const QString& path)
{
    // The name ends in "_<m or mm>_<yyyy>.tab", ".tab" in any case.
    const QString name = QFileInfo(path).fileName();
    const auto digitsBefore = [&name](qsizetype end, qsizetype most) {
        qsizetype start = end;
        while (start > 0 && end - start < most && isAsciiDigit(name.at(start - 1)))
            --start;
        return start;
    };
    if (!name.endsWith(QLatin1String(".tab"), Qt::CaseInsensitive))
        return {};
    const qsizetype yearEnd = name.size() - 4;
    const qsizetype yearStart = yearEnd - 4;
    if (yearStart < 3 || digitsBefore(yearEnd, 4) != yearStart || name.at(yearStart - 1) != u'_')
        return {};
    const qsizetype monthEnd = yearStart - 1;
    const qsizetype monthStart = digitsBefore(monthEnd, 2);
    if (monthStart == monthEnd || monthStart == 0 || name.at(monthStart - 1) != u'_')
        return {};
    return {name.mid(monthStart, monthEnd - monthStart), name.mid(yearStart, 4)};
}

DiaryFile diaryOf(const QStringList& lines, const QString& path)
{
    DiaryFile diary;
    diary.path = path;
    diary.ok = true;
    diary.lines = lines;
    const auto header = [&lines](const char* key, const QString& defaultValue) {
        return readHeaderValue(lines, QLatin1String(key), defaultValue);
    };
    diary.userName = header("BenutzerName", QString());
    diary.date = header("Datum", QString());
    diary.layout = DayLayout::fromKeys(header("BisZu4MessungenJeTag", QString()).contains(u'1'),
                                       header("BisZu8MessungenJeTag", QString()).contains(u'1'));

    for (const QString& line : lines) {
        if (isEntryLine(line))
            diary.readings << parseEntryLine(line);
    }
    for (auto reading = diary.readings.crbegin(); reading != diary.readings.crend(); ++reading) {
        const EntryFields& fields = reading->fields;
        if (fields.month && fields.year && parseWholeNumber(*fields.month) && parseWholeNumber(*fields.year)) {
            diary.month = *fields.month;
            diary.year = *fields.year;
            return diary;
        }
    }
    const MonthTexts named = monthTextsOfName(path);
    diary.month = named.month;
    diary.year = named.year;
    return diary;
}

std::optional<int> storedLimit(const QStringList& lines, const QString& key, int defaultValue)
{
    return parseWholeNumber(trimBlanks(readHeaderValue(lines, key, QString::number(defaultValue))));
}

DiaryFile readDiary(const QString& path)
{
    ReadResult read = readTextLines(path);
    if (!read.ok) {
        DiaryFile failed;
        failed.path = path;
        failed.error = read.error;
        return failed;
    }
    return diaryOf(read.lines, path);
}

} // namespace luftikon
