#include "diary/openingnote.h"

#include "diary/dates.h"
#include "diary/diarywriter.h"
#include "diary/longlines.h"

namespace luftikon {

namespace {

bool hasReadableDate(const DiaryEntry& reading)
{
    if (reading.prefix.isEmpty())
        return false;
    const auto number = [](const std::optional<QString>& text) {
        return text ? parseWholeNumber(*text) : std::nullopt;
    };
    const auto day = number(reading.fields.day);
    const auto month = number(reading.fields.month);
    const auto year = number(reading.fields.year);
    return day && month && year && *month >= 1 && *month <= 12 && *day >= 1 && *day <= daysInMonthOf(*month, *year);
}

} // namespace

QStringList undatedReadings(const DiaryFile& diary)
{
    QStringList lines;
    for (const DiaryEntry& reading : diary.readings) {
        if (!hasReadableDate(reading))
            lines << reading.line;
    }
    return lines;
}

QString openingNote(const DiaryFile& diary)
{
    QStringList notes;
    const QStringList undated = undatedReadings(diary);
    if (undated.size() == 1)
        notes << QStringLiteral("In der Datei \"%1\" steht ein Messwert, dessen Datum nicht gelesen werden kann:\r\n"
                                "%2\r\nEr bleibt in der Datei, wird aber in Grafik und Tabelle nicht gezeigt. "
                                "Korrigieren Sie ihn mit \"Eintrag bearbeiten\".")
                     .arg(diary.path, shownLine(undated.front()));
    else if (undated.size() > 1)
        notes << QStringLiteral("In der Datei \"%1\" stehen %2 Messwerte, deren Datum nicht gelesen werden kann, "
                                "der erste:\r\n%3\r\nSie bleiben in der Datei, werden aber in Grafik und Tabelle "
                                "nicht gezeigt. Korrigieren Sie sie mit \"Eintrag bearbeiten\".")
                     .arg(diary.path)
                     .arg(undated.size())
                     .arg(shownLine(undated.front()));
    if (const QString twin = monthTwinOf(diary.path); !twin.isEmpty())
        notes << QStringLiteral("Dieser Monat steht in zwei Dateien:\r\n%1\r\n%2\r\nGezeigt und gespeichert wird nur "
                                "die erste; nichts wird zusammengeführt. Die zweite bleibt unverändert.")
                     .arg(diary.path, twin);
    return notes.join(QStringLiteral("\r\n\r\n"));
}

} // namespace luftikon
