#pragma once
// Daily means and the best value of the month, recomputed at every chart drawing.

#include "diary/entryline.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace luftikon {

// The 31 day values of the month, index 0 = day 1: the rounded daily mean as decimal digits,
// "0" for a day without readings.
using DailyMeanTexts = std::array<QString, 31>;

// Every day "0": the means of a month without readings.
DailyMeanTexts noDailyMeans();

// The mean of each day "01".."31" as whole-number text, "0" for a day without readings. A
// reading counts for the day of its day text (the two characters before the first "."); a day's
// mean is that of its last unbroken run of readings; a value that is not a whole number is not
// counted.
DailyMeanTexts dailyMeansOf(const QList<DiaryEntry>& readings);

// The day 1..31 a reading is charted on; nothing for a line without a slot prefix, without a
// day in 1..31 or without a whole-number value: such a line stays in the list for the user to
// correct, and neither the chart nor the best value takes it.
std::optional<int> chartedDay(const DiaryEntry& reading);

// The largest value above 0 among the charted readings and the first reading that has it.
struct BestValue {
    int value = 0;
    qsizetype index = -1; // into the readings; -1 without a best value
};
BestValue bestValueOf(const QList<DiaryEntry>& readings);

} // namespace luftikon
