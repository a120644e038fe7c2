#include "browser/weekpartition.h"

#include "diary/dates.h"

#include <QDate>
#include <algorithm>

namespace luftikon {

namespace {

bool validGroup(int group)
{
    return group >= 1 && group <= DayGroupCount;
}

const QString& dayText(const DailyMeanTexts& means, int day)
{
    return means[static_cast<std::size_t>(day - 1)];
}

} // namespace

QString ExportMonth::twoDigitYear() const
{
    return year.size() == 4 ? year.mid(2, 2) : QString();
}

int groupFirstDay(int group)
{
    return validGroup(group) ? 1 + 7 * (group - 1) : 0;
}

int groupDayCount(int group)
{
    if (!validGroup(group))
        return 0;
    return group == DayGroupCount ? 3 : 7;
}

bool hasData(const DailyMeanTexts& means, int group)
{
    const int first = groupFirstDay(group);
    for (int day = first; day < first + groupDayCount(group); ++day) {
        if (dayText(means, day) != QLatin1String("0"))
            return true;
    }
    return false;
}

qint64 GroupTop(const DailyMeanTexts& means, int group)
{
    // Day values are whole numbers; a text that is not one counts as 0. 64 bits so that a
    // hand-edited huge value cannot overflow the top.
    qint64 highest = 0;
    const int first = groupFirstDay(group);
    for (int day = first; day < first + groupDayCount(group); ++day)
        highest = std::max(highest, dayText(means, day).trimmed().toLongLong());
    qint64 hundreds = highest / 100;
    const qint64 rest = highest % 100;
    if (rest > 50 || (rest == 50 && hundreds % 2 == 1))
        ++hundreds;
    return hundreds * 100 + 100;
}

qint64 ChartTop(const DailyMeanTexts& means)
{
    qint64 top = 0;
    for (int group = 1; group <= DayGroupCount; ++group)
        top = std::max(top, GroupTop(means, group));
    return top;
}

QString missingGroupsText(const DailyMeanTexts& means, int daysInMonth)
{
    const QString start = QStringLiteral("[Es fehlen Daten der Tagesgruppe: ");
    QString text = start;
    if (!hasData(means, 1))
        text += QLatin1String("1-7");
    if (!hasData(means, 2))
        text += QLatin1String(" , 8-14");
    if (!hasData(means, 3))
        text += QLatin1String(" , 15-21");
    if (!hasData(means, 4))
        text += QLatin1String(" , 22-28");
    if (daysInMonth > 28 && !hasData(means, 5))
        text += QLatin1String(" , 29-31");
    if (text.size() == start.size())
        return QString();
    // When the first group has data the list starts with a separator; its comma goes.
    if (text.startsWith(QLatin1String("[Es fehlen Daten der Tagesgruppe:  ,")))
        text.remove(text.indexOf(QLatin1Char(',')), 1);
    return text;
}

QString dayLabel(int day, const ExportMonth& month, const QString& yearText)
{
    bool monthOk = false;
    bool yearOk = false;
    const int monthNumber = month.month.trimmed().toInt(&monthOk);
    const int year = month.year.toInt(&yearOk);
    const bool valid = monthOk && yearOk && year >= 1 && year <= 9999 && day >= 1 &&
                       day <= daysInMonthOf(monthNumber, year) && QDate(year, monthNumber, day).isValid();

    const QString monthText = monthOk && monthNumber >= 1 && monthNumber <= 12 ? twoDigits(monthNumber) : month.month;
    const QString date = twoDigits(day) + QLatin1Char('.') + monthText + QLatin1Char('.') + yearText;
    if (!valid)
        return date; // no weekday for a date that does not exist
    static const char* const names[] = {"Mo.", "Di.", "Mi.", "Do.", "Fr.", "Sa.", "So."};
    return QLatin1String(names[QDate(year, monthNumber, day).dayOfWeek() - 1]) + date;
}

QString labelRow(const ExportMonth& month, int group)
{
    if (!validGroup(group))
        return QString();
    const QString shortYear = month.twoDigitYear();
    const bool fourDigitFirst = group == 1 || group == 3 || group == 5;
    const int first = groupFirstDay(group);

    if (group == DayGroupCount) {
        const int days = daysInMonthOf(month.month.trimmed().toInt(), month.year.toInt());
        if (days <= 28)
            return QString();
        QString row = QLatin1String("labels: ['") + dayLabel(29, month, month.year) + QLatin1String("' ,");
        for (int day = 30; day <= 31; ++day) {
            const QString label = day <= days ? dayLabel(day, month, shortYear) : QStringLiteral("-");
            row += QLatin1Char('\'') + label + QLatin1String("' ,");
        }
        return row + QLatin1String("], ");
    }

    QString row = QLatin1String("labels: ['");
    for (int day = first; day < first + 7; ++day) {
        if (day > first)
            row += QLatin1Char('\'');
        row += dayLabel(day, month, day == first && fourDigitFirst ? month.year : shortYear);
        const bool lastWithoutComma = day == first + 6 && (group == 2 || group == 4);
        row += lastWithoutComma ? QLatin1String("' ") : QLatin1String("' ,");
    }
    return row + QLatin1String("], ");
}

QString valueRow(const DailyMeanTexts& means, int group, bool breakLineAtZero)
{
    if (!validGroup(group))
        return QString();
    QString row = QLatin1String("data: [");
    const int first = groupFirstDay(group);
    for (int day = first; day < first + groupDayCount(group); ++day) {
        if (day > first)
            row += QLatin1Char(',');
        row += dayText(means, day);
    }
    if (group == DayGroupCount)
        row += QLatin1String(",0,0,0,0,0,0,0,0,0,0,0");
    row += QLatin1String("] , }, ");
    if (breakLineAtZero) {
        row = replaceAll(row, QStringLiteral(",0,"), QStringLiteral(",NaN,"));
        row = replaceAll(row, QStringLiteral("[0,"), QStringLiteral("[NaN,"));
        row = replaceAll(row, QStringLiteral(",0]"), QStringLiteral(",NaN]"));
    }
    return row;
}

QString replaceAll(QString text, const QString& pattern, const QString& replacement)
{
    if (pattern.isEmpty())
        return text;
    // A replacement that contains the pattern would be found again for ever.
    if (replacement.contains(pattern))
        return text.replace(pattern, replacement);
    for (qsizetype at = text.indexOf(pattern); at >= 0; at = text.indexOf(pattern))
        text.replace(at, pattern.size(), replacement);
    return text;
}

} // namespace luftikon
