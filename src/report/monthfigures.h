#pragma once
// The month's figures a doctor asks for: how much the readings swing within a day, how the
// mornings compare with the best value, the morning and evening means and the readings per zone.

#include "diary/entryline.h"

#include <QList>
#include <QString>
#include <optional>
#include <vector>

namespace luftikon {

// A calendar month; 0 where the diary's month or year text is not one.
struct DiaryMonth {
    int month = 0;
    int year = 0;
    bool valid() const { return month >= 1 && month <= 12 && year >= 1000 && year <= 9999; }
};
// The month and year texts of a read diary ("3" or "03", "2024") as a calendar month.
DiaryMonth diaryMonthOf(const QString& monthText, const QString& yearText);

// One ISO week (Monday to Sunday) as far as it lies inside the month.
struct WeekFigures {
    int isoWeek = 0;
    int firstDay = 0;
    int lastDay = 0;
    std::optional<double> meanSwing; // percent; none without a day of two readings
    int swingDays = 0;               // the days meanSwing rests on
    std::optional<int> lowestMorning;
    std::optional<double> lowestMorningPercent; // of the month's best value
};

struct ZoneCounts {
    int green = 0;
    int yellow = 0;
    int red = 0;
};

struct MonthFigures {
    DiaryMonth month;
    int daysInMonth = 0;
    int greenLimit = 0;
    int redLimit = 0;
    int readingCount = 0;   // readings with a day of the month and a whole-number value
    int uncountedLines = 0; // entry lines without a day of the month or a number
    int bestValue = 0;      // 0: no reading above 0
    std::vector<WeekFigures> weeks;
    std::optional<double> meanSwing;
    int swingDays = 0;
    std::optional<double> morningMean;
    int morningCount = 0;
    std::optional<double> eveningMean;
    int eveningCount = 0;
    ZoneCounts zones;
    int daysWithReadings = 0;
    int daysWithout = 0;
};

// The figures of the readings of one month. A reading counts as the daily means count it:
// a two-digit day "01".."31" in front of the first "." and a whole-number value; a day the
// month does not have counts as no day. Zones follow zoneOf, the rule of the chart's markers.
MonthFigures monthFiguresOf(const QList<DiaryEntry>& readings, DiaryMonth month, int greenLimit, int redLimit);

// (highest − lowest) / ((highest + lowest) / 2) × 100; none when the two add up to 0 or less.
std::optional<double> swingPercent(int highest, int lowest);

} // namespace luftikon
