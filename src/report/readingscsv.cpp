// Builds the CSV file of the month's readings.
#include "report/readingscsv.h"

#include "diary/dates.h"
#include "diary/entryline.h"
#include "diary/slots.h"
#include "diary/zones.h"

namespace luftikon {

namespace {

// Day and month with two digits, so spreadsheets read the date alike for "3" and "03".
QString germanDate(const EntryFieldViews& fields)
{
    if (!fields.day || !fields.month || !fields.year)
        return {};
    const auto padded = [](QStringView text) {
        const auto number = parseWholeNumber(text);
        return number && *number >= 0 && *number <= 99 ? twoDigits(*number) : text.toString();
    };
    return padded(*fields.day) + QLatin1Char('.') + padded(*fields.month) + QLatin1Char('.') + fields.year->toString();
}

} // namespace

QString csvField(const QString& text, bool quoted)
{
    QString field = text;
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    if (!field.isEmpty() && formulaStarts.contains(field.front()))
        field.prepend(QLatin1Char('\''));
    if (!quoted && !field.contains(QLatin1Char(';')) && !field.contains(QLatin1Char('"')) &&
        !field.contains(QLatin1Char('\n')) && !field.contains(QLatin1Char('\r')))
        return field;
    field.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + field + QLatin1Char('"');
}

QString csvLine(const QString& entryLine, int greenLimit, int redLimit)
{
    const auto split = splitEntryPrefixView(entryLine);
    const EntryFieldViews fields = split ? entryFieldViewsOf(split->rest) : EntryFieldViews{};
    const int slot = split ? slotOfEntryPrefix(split->prefix) : NoSlot;
    const QString slotWord = slot != NoSlot ? QString(slotInfo(slot)->name) : QString();
    const QString time = fields.time ? trimBlanks(fields.time->toString()) : QString();
    const QStringView valueText = valueTextView(entryLine);
    const auto value = parseWholeNumber(valueText);

    QStringList row{csvField(germanDate(fields)), csvField(time), csvField(slotWord)};
    if (value) {
        row << csvField(QString::number(*value)) << zoneWord(zoneOf(*value, greenLimit, redLimit));
    }
    else {
        row << csvField(valueText.toString(), true) << QString();
    }
    return row.join(QLatin1Char(';'));
}

QByteArray readingsCsv(const QStringList& entryLines, int greenLimit, int redLimit)
{
    QString text = csvHeader + QStringLiteral("\r\n");
    for (const QString& line : entryLines)
        text += csvLine(line, greenLimit, redLimit) + QStringLiteral("\r\n");
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace luftikon
