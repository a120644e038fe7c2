#pragma once
// The hand-made month the report tests share.

#include "support/diarylines.h"

namespace luftikon::test {

// May 2024 (starts on a Wednesday, ISO weeks 18 to 22), green limit 400, red limit 250.
inline QStringList mayReadings()
{
    return {
        reading("Morgens", 1, "300", 5, 2024),  reading("Messung2", 1, "350", 5, 2024),
        reading("Abends", 1, "400", 5, 2024),   reading("Morgens", 2, "250", 5, 2024),
        reading("Abends", 2, "329", 5, 2024),   reading("Morgens", 3, "380", 5, 2024),
        reading("Morgens", 4, "=1+1", 5, 2024), reading("Abends", 4, "x\"y", 5, 2024),
        reading("Morgens", 8, "420", 5, 2024),  reading("Messung2", 8, "440", 5, 2024),
        reading("Messung3", 8, "430", 5, 2024), reading("Messung4", 8, "450", 5, 2024),
        reading("Morgens", 9, "200", 5, 2024),  reading("Abends", 9, "260", 5, 2024),
        reading("Morgens", 15, "480", 5, 2024), reading("Abends", 15, "480", 5, 2024),
        reading("Morgens", 31, "410", 5, 2024), reading("Messung3", 31, "390", 5, 2024),
    };
}

constexpr int mayGreen = 400;
constexpr int mayRed = 250;

} // namespace luftikon::test
