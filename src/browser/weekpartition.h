#pragma once
// The fixed day groups of a month for the browser page: which days a group holds, whether it
// has data, the top of its chart, its x-axis labels and its value row. Pure functions of the
// month's daily means, the month shown and the break-at-zero flag.

#include "diary/means.h"

#include <QString>
#include <array>

namespace luftikon {

constexpr int DayGroupCount = 5;

// The month shown, as the last drawing of the chart left it.
struct ExportMonth {
    QString month;     // month text of the diary dates, "03" (or "3")
    QString year;      // four-digit year text, "2024"
    QString monthName; // "März"
    QString userName;

    // Third and fourth character of a four-character year text, otherwise empty.
    QString twoDigitYear() const;
};

// Group 1..5: first day and number of days (group 5 always covers 29..31).
int groupFirstDay(int group);
int groupDayCount(int group);

bool hasData(const DailyMeanTexts& means, int group);
// Largest day value of the group rounded to hundreds (ties to the even hundred), plus 100.
qint64 GroupTop(const DailyMeanTexts& means, int group);
qint64 ChartTop(const DailyMeanTexts& means);

// "[Es fehlen Daten der Tagesgruppe: …" without the closing bracket; empty when no group that
// the month has is without data.
QString missingGroupsText(const DailyMeanTexts& means, int daysInMonth);

// Weekday abbreviation and date, "So.01.01.2017"; `yearText` is the year as it is written,
// four or two digits. The weekday comes from the day, the month and the four-digit year of
// `month`. The month is written with two digits.
QString dayLabel(int day, const ExportMonth& month, const QString& yearText);

// "labels: [...], " for the group; empty for group 5 of a 28-day month.
QString labelRow(const ExportMonth& month, int group);
// "data: [...] , }, " for the group, zeros as NaN when `breakLineAtZero` is set.
QString valueRow(const DailyMeanTexts& means, int group, bool breakLineAtZero);

// Replaces until the pattern no longer occurs, searching from the start each time, so
// overlapping runs such as ",0,0," are all replaced.
QString replaceAll(QString text, const QString& pattern, const QString& replacement);

} // namespace luftikon
