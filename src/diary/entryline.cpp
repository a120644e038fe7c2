#include "diary/entryline.h"

#include "diary/dates.h"
#include "diary/slots.h"

namespace luftikon {

namespace {

const QString denMarker = QStringLiteral("den ");
const QString timeMarker = QStringLiteral("Z=");
const QString valueMarker = QStringLiteral("Luftikon=");

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QStringView trimBlanksView(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 0x20)
        --end;
    return text.sliced(begin, end - begin);
}

QStringView dayTextView(QStringView line)
{
    const qsizetype dot = line.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return {};
    const qsizetype from = std::max<qsizetype>(0, dot - 2);
    return line.sliced(from, dot - from);
}

QStringView valueTextView(QStringView line)
{
    const qsizetype marker = line.indexOf(valueMarker);
    if (marker < 0)
        return {};
    return trimBlanksView(line.sliced(marker + valueMarker.size()));
}

} // namespace

QString trimBlanks(const QString& text)
{
    return trimBlanksView(text).toString();
}

bool isEntryLine(const QString& line)
{
    return !line.isEmpty() && (line.at(0) == QLatin1Char('M') || line.at(0) == QLatin1Char('A'));
}

QStringList entryLinesOf(const QStringList& lines)
{
    QStringList entries;
    for (const QString& line : lines) {
        if (isEntryLine(line))
            entries << line;
    }
    return entries;
}

QString entryPadding(const QString& prefix)
{
    if (prefix.size() == 11)
        return QStringLiteral("     ");
    if (prefix.size() == 12)
        return QStringLiteral("   ");
    return {};
}

QString entryDateKey(const QString& prefix, const QString& day, const QString& month, const QString& year)
{
    return prefix + entryPadding(prefix) + day + QLatin1Char('.') + month + QLatin1Char('.') + year;
}

QString composeEntryLine(const QString& prefix, const QString& day, const QString& month, const QString& year,
                         const QString& time, const QString& value)
{
    return entryDateKey(prefix, day, month, year) + QStringLiteral(" Z=") + time + QStringLiteral("  Luftikon=") +
           value;
}

QString composeReadingLine(const QString& prefix, int day, const QString& monthText, int year, const QString& time,
                           int value)
{
    return composeEntryLine(prefix, twoDigits(day), monthText, QString::number(year), time, QString::number(value));
}

EntryFields entryFieldsOf(const QString& rest)
{
    const auto trimmed = [](QStringView text) { return trimBlanksView(text).toString(); };
    EntryFields fields;
    const qsizetype firstDot = rest.indexOf(QLatin1Char('.'));
    if (firstDot >= 0) {
        fields.day = trimmed(QStringView(rest).first(firstDot));
        const qsizetype secondDot = rest.indexOf(QLatin1Char('.'), firstDot + 1);
        if (secondDot >= 0) {
            fields.month = trimmed(QStringView(rest).sliced(firstDot + 1, secondDot - firstDot - 1));
            const qsizetype blank = rest.indexOf(QLatin1Char(' '), secondDot + 1);
            if (blank >= 0)
                fields.year = trimmed(QStringView(rest).sliced(secondDot + 1, blank - secondDot - 1));
        }
    }
    const qsizetype time = rest.indexOf(timeMarker);
    if (time >= 0)
        fields.time = rest.mid(time + timeMarker.size(), 5);
    const qsizetype value = rest.indexOf(valueMarker);
    if (value >= 0)
        fields.value = trimmed(QStringView(rest).sliced(value + valueMarker.size()));
    return fields;
}

std::optional<PrefixSplit> splitEntryPrefix(const QString& line)
{
    const qsizetype den = line.indexOf(denMarker);
    if (den < 0)
        return std::nullopt;
    const qsizetype end = den + denMarker.size();
    return PrefixSplit{line.first(end), line.sliced(end)};
}

QString dayTextOf(const QString& line)
{
    return dayTextView(line).toString();
}

int dayNumberOf(const QString& line)
{
    const QStringView day = dayTextView(line);
    if (day.size() != 2 || !isDigit(day.at(0)) || !isDigit(day.at(1)))
        return 0;
    const int number = (day.at(0).unicode() - u'0') * 10 + (day.at(1).unicode() - u'0');
    return number >= 1 && number <= 31 ? number : 0;
}

QString valueTextOf(const QString& line)
{
    return valueTextView(line).toString();
}

std::optional<int> parseWholeNumber(const QString& text)
{
    return parseWholeNumber(QStringView(text));
}

std::optional<int> parseWholeNumber(QStringView text)
{
    // Only plain decimal digits: toInt alone would also take blanks and other forms.
    qsizetype i = 0;
    if (!text.isEmpty() && (text.at(0) == QLatin1Char('-') || text.at(0) == QLatin1Char('+')))
        i = 1;
    if (i == text.size())
        return std::nullopt;
    for (qsizetype j = i; j < text.size(); ++j) {
        if (!isDigit(text.at(j)))
            return std::nullopt;
    }
    bool ok = false;
    const int number = text.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return number;
}

DiaryEntry parseEntryLine(const QString& line)
{
    DiaryEntry entry;
    entry.line = line;
    if (const auto split = splitEntryPrefix(line)) {
        entry.prefix = split->prefix;
        entry.slot = slotOfEntryPrefix(split->prefix);
        entry.fields = entryFieldsOf(split->rest);
    }
    entry.dayText = dayTextOf(line);
    entry.dayNumber = dayNumberOf(line);
    entry.valueText = valueTextOf(line);
    entry.value = parseWholeNumber(entry.valueText);
    return entry;
}

} // namespace luftikon
