#pragma once
// Entry lines of a hand-made month, written out as the diary holds them, and the month the
// report tests share.

#include <QString>
#include <QStringList>

namespace luftikon::test {

// "Morgens den " + 3 blanks + "05.5.2024 Z=08:00  Luftikon=" + value, with the prefix's padding.
inline QString reading(const char* slot, int day, const QString& value, const QString& month = QStringLiteral("5"),
                       const QString& time = QStringLiteral("08:00"))
{
    const QString prefix = QLatin1String(slot) + QStringLiteral(" den ");
    const int padding = prefix.size() == 11 ? 5 : prefix.size() == 12 ? 3 : 0;
    return prefix + QString(padding, u' ') + QStringLiteral("%1.").arg(day, 2, 10, QLatin1Char('0')) + month +
           QStringLiteral(".2024 Z=") + time + QStringLiteral("  Luftikon=") + value;
}

// May 2024 (starts on a Wednesday, ISO weeks 18 to 22), green limit 400, red limit 250.
inline QStringList mayReadings()
{
    return {
        reading("Morgens", 1, "300"),  reading("Messung2", 1, "350"), reading("Abends", 1, "400"),
        reading("Morgens", 2, "250"),  reading("Abends", 2, "329"),   reading("Morgens", 3, "380"),
        reading("Morgens", 4, "=1+1"), reading("Abends", 4, "x\"y"),  reading("Morgens", 8, "420"),
        reading("Messung2", 8, "440"), reading("Messung3", 8, "430"), reading("Messung4", 8, "450"),
        reading("Morgens", 9, "200"),  reading("Abends", 9, "260"),   reading("Morgens", 15, "480"),
        reading("Abends", 15, "480"),  reading("Morgens", 31, "410"), reading("Messung3", 31, "390"),
    };
}

constexpr int mayGreen = 400;
constexpr int mayRed = 250;

} // namespace luftikon::test
