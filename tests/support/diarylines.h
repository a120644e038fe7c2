#pragma once
// Diary lines made by hand, as the entry dialog and the writer lay them out. Built here, not with
// the program's own composer, so a slip in the composer shows up as a difference.

#include "diary/entryline.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace luftikon::test {

// "Morgens den " + 3 blanks + "05.3.2024 Z=08:00  Luftikon=" + value: the short prefixes are
// padded so that every date starts in the same column.
inline QString reading(const QString& slot, int day, const QString& value, int month = 3, int year = 2024,
                       const QString& time = QStringLiteral("08:00"))
{
    const QString prefix = slot + QStringLiteral(" den ");
    const int padding = prefix.size() == 11 ? 5 : prefix.size() == 12 ? 3 : 0;
    return prefix + QString(padding, u' ') +
           QStringLiteral("%1.%2.%3 Z=").arg(day, 2, 10, QChar(u'0')).arg(month).arg(year) + time +
           QStringLiteral("  Luftikon=") + value;
}

inline QString reading(const char* slot, int day, int value, int month = 3, int year = 2024,
                       const QString& time = QStringLiteral("08:00"))
{
    return reading(QLatin1String(slot), day, QString::number(value), month, year, time);
}

inline QString reading(const char* slot, int day, const char* value, int month = 3, int year = 2024,
                       const QString& time = QStringLiteral("08:00"))
{
    return reading(QLatin1String(slot), day, QString::fromUtf8(value), month, year, time);
}

// The lines taken apart, as a read diary holds its readings.
inline QList<DiaryEntry> entriesOf(const QStringList& lines)
{
    QList<DiaryEntry> entries;
    for (const QString& line : lines)
        entries << parseEntryLine(line);
    return entries;
}

// A diary's head as the writer lays it out: person, layout and, when given, the limits.
inline QStringList diaryHead(const QString& user, const QString& monthAndYear, bool eightSlots = false, int green = 0,
                             int red = 0)
{
    QStringList lines{QStringLiteral("[Personendaten]"),
                      QStringLiteral("BenutzerName=") + user,
                      QStringLiteral("Datum=") + monthAndYear,
                      QString(),
                      QStringLiteral("BisZu8MessungenJeTag=") + (eightSlots ? u'1' : u'0'),
                      QStringLiteral("BisZu4MessungenJeTag=") + (eightSlots ? u'0' : u'1'),
                      QString()};
    if (green > 0 || red > 0)
        lines << QStringLiteral("GrenzwertGruen>=%1").arg(green) << QStringLiteral("GrenzwertRot<=%1").arg(red)
              << QString();
    return lines;
}

} // namespace luftikon::test
