#pragma once
// Daily means and the best value of the month, recomputed at every chart drawing.

#include "diary/entryline.h"

#include <QString>
#include <QStringList>
#include <array>

namespace luftikon {

// The 31 day values of the month, index 0 = day 1: the rounded daily mean as decimal digits,
// "0" for a day without readings.
using DailyMeanTexts = std::array<QString, 31>;

// Every day "0": the means of a month without readings.
DailyMeanTexts noDailyMeans();

// The DayValueList entry of one reading line: the two characters before the first "."
// (empty without "."), "_", the value text after "Luftikon=", trimmed. "05_420".
QString dayValueEntry(const QString& line);
QString dayValueEntry(const DiaryEntry& reading);

// The mean of each day "01".."31" as whole-number text, "0" for a day without readings.
// A day's mean is that of its last unbroken run of entries; a value text that is not a
// whole number is not counted.
DailyMeanTexts dailyMeansOf(const QStringList& dayValueList);

// The largest value above 0 in a point list ("232 410": position, blank, value) and the
// position of its first occurrence; 0 and 0 when there is none. Entries whose position or
// value is not a whole number are passed over.
struct BestValue {
    int value = 0;
    int x = 0;
    qsizetype index = -1; // its entry in the point list; -1 without a best value
};
BestValue bestValueOf(const QStringList& pointList);

} // namespace luftikon
