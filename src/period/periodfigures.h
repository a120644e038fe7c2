#pragma once
// Several calendar months of one user side by side: each month read from its own diary and
// worked out under its own limits by the month's figures, the whole period, and the course of
// the mornings and evenings day by day.

#include "diary/diaryfile.h"
#include "diary/slots.h"
#include "diary/zones.h"
#include "report/monthfigures.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace luftikon {

// The months from `first` to `last`, both included; none when `last` comes before `first`.
std::vector<DiaryMonth> monthsFromTo(DiaryMonth first, DiaryMonth last);
// The month `count` - 1 months before `last`: the first of the last `count` months.
DiaryMonth firstOfLastMonths(DiaryMonth last, int count);

enum class MonthStatus {
    NoDiary,    // no diary of that month
    Unreadable, // its file exists but could not be read; `problem` says why
    Read,
};

struct PeriodMonth {
    DiaryMonth month;
    MonthStatus status = MonthStatus::NoDiary;
    DiaryFile diary; // as read; its path also when there is no file
    QString problem; // German, for the user
    ZoneLimits limits;
    SlotMode slotMode = SlotMode::Four;
    MonthFigures figures;
    std::optional<int> lowestMorning;
    std::optional<double> lowestMorningPercent; // of the month's best value
};

// What the whole period adds up to. Means run over all readings of the period, not over the
// months' means, so a month with few readings weighs as little as it holds.
struct PeriodTotals {
    int readingCount = 0;
    int daysWithReadings = 0;
    int days = 0;
    int bestValue = 0;
    std::optional<double> morningMean;
    int morningCount = 0;
    std::optional<double> eveningMean;
    int eveningCount = 0;
    std::optional<double> meanSwing; // over every day of two readings or more
    int swingDays = 0;
    std::optional<int> lowestMorning;
    std::optional<double> lowestMorningPercent; // of the period's best value
    ZoneCounts zones;
};

// One calendar day of the course: its morning and evening reading, if any.
struct CourseDay {
    QDate date;
    std::optional<int> morning;
    std::optional<int> evening;
};

// The stretch of days one month takes in the course, with the limits it was kept under.
struct CourseMonth {
    DiaryMonth month;
    int firstDay = 0; // index into Course::days
    int dayCount = 0;
    ZoneLimits limits;
    bool hasDiary = false;
};

struct Course {
    std::vector<CourseDay> days;
    std::vector<CourseMonth> months;
    int bestValue = 0; // the best reading of any slot; 0 for none
    int bestDay = -1;  // index of the first day that holds it
};

struct Period {
    QString userName;
    DiaryMonth first;
    DiaryMonth last;
    std::vector<PeriodMonth> months;
    PeriodTotals totals;
    Course course;
};

// The month from its diary file: limits and layout from its header, figures from its readings.
PeriodMonth periodMonthOf(DiaryMonth month, const DiaryFile& diary, bool fileExists);

// Reads the diary of every month from `first` to `last` of `userName` in the gallery folder.
// A missing or unreadable diary is a row that says so, never a stop.
Period readPeriod(const QString& galleryFolder, const QString& userName, DiaryMonth first, DiaryMonth last);

// The totals and the course of months already read.
Period periodOf(const QString& userName, std::vector<PeriodMonth> months);

} // namespace luftikon
