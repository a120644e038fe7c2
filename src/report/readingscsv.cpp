// Builds the CSV file of the month's readings.
#include "report/readingscsv.h"

#include "diary/dates.h"
#include "diary/entryline.h"
#include "diary/slots.h"
#include "diary/zones.h"

namespace luftikon {

namespace {

// Day and month with two digits, so spreadsheets read the date alike for "3" and "03".
QString germanDate(const EntryFields& fields)
{
    if (!fields.day || !fields.month || !fields.year)
        return {};
    const auto padded = [](const QString& text) {
        const auto number = parseWholeNumber(text);
        return number && *number >= 0 && *number <= 99 ? twoDigits(*number) : text;
    };
    return padded(*fields.day) + QLatin1Char('.') + padded(*fields.month) + QLatin1Char('.') + *fields.year;
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

QString csvLine(const DiaryEntry& reading, int greenLimit, int redLimit)
{
    const QString slotWord = reading.slot != NoSlot ? QString(slotInfo(reading.slot)->name) : QString();
    const QString time = reading.fields.time ? trimBlanks(*reading.fields.time) : QString();

    QStringList row{csvField(germanDate(reading.fields)), csvField(time), csvField(slotWord)};
    if (const auto& value = reading.value) {
        row << csvField(QString::number(*value)) << zoneWord(zoneOf(*value, greenLimit, redLimit));
    }
    else {
        row << csvField(reading.valueText, true) << QString();
    }
    return row.join(QLatin1Char(';'));
}

QByteArray csvFile(const QStringList& lines)
{
    QString text = csvHeader + QStringLiteral("\r\n");
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QByteArray readingsCsv(const QList<DiaryEntry>& readings, int greenLimit, int redLimit)
{
    QStringList lines;
    for (const DiaryEntry& reading : readings)
        lines << csvLine(reading, greenLimit, redLimit);
    return csvFile(lines);
}

} // namespace luftikon
