#pragma once
// The hand-made month the report tests share.

#include "support/diarylines.h"

namespace luftikon::test {

// A reading of May 2024 whose value may be any text.
inline QString may(const char* slot, int day, const char* value, const QString& time = QStringLiteral("08:00"))
{
    return reading(QLatin1String(slot), day, QLatin1String(value), 5, 2024, time);
}

// May 2024 (starts on a Wednesday, ISO weeks 18 to 22), green limit 400, red limit 250.
inline QStringList mayReadings()
{
    return {
        may("Morgens", 1, "300"),  may("Messung2", 1, "350"),  may("Abends", 1, "400"),   may("Morgens", 2, "250"),
        may("Abends", 2, "329"),   may("Morgens", 3, "380"),   may("Morgens", 4, "=1+1"), may("Abends", 4, "x\"y"),
        may("Morgens", 8, "420"),  may("Messung2", 8, "440"),  may("Messung3", 8, "430"), may("Messung4", 8, "450"),
        may("Morgens", 9, "200"),  may("Abends", 9, "260"),    may("Morgens", 15, "480"), may("Abends", 15, "480"),
        may("Morgens", 31, "410"), may("Messung3", 31, "390"),
    };
}

constexpr int mayGreen = 400;
constexpr int mayRed = 250;

} // namespace luftikon::test
