// Reads the months of a period and adds them up.
#include "period/periodfigures.h"

#include "diary/dates.h"
#include "diary/daygrid.h"
#include "diary/diarywriter.h"

#include <QFileInfo>
#include <algorithm>

namespace luftikon {

namespace {

int monthIndex(DiaryMonth month)
{
    return month.year * 12 + month.month - 1;
}

DiaryMonth monthAt(int index)
{
    return DiaryMonth{index % 12 + 1, index / 12};
}

// A month's mean back as the sum it was made from, so period means weigh every reading alike.
double sumOf(const std::optional<double>& mean, int count)
{
    return mean ? *mean * count : 0;
}

std::optional<double> meanOf(double sum, int count)
{
    return count > 0 ? std::optional<double>(sum / count) : std::nullopt;
}

std::optional<int> lowestMorningOf(const MonthFigures& figures)
{
    std::optional<int> lowest;
    for (const WeekFigures& week : figures.weeks)
        if (week.lowestMorning)
            lowest = std::min(lowest.value_or(*week.lowestMorning), *week.lowestMorning);
    return lowest;
}

std::optional<double> percentOfBest(const std::optional<int>& value, int best)
{
    return value && best > 0 ? std::optional<double>(100.0 * *value / best) : std::nullopt;
}

void addToCourse(Course& course, const PeriodMonth& month)
{
    CourseMonth stretch{month.month, int(course.days.size()), month.figures.daysInMonth, month.limits,
                        month.status == MonthStatus::Read};
    const DayGrid grid = dayGridOf(month.diary.readings);
    for (int day = 1; day <= stretch.dayCount; ++day) {
        CourseDay courseDay{QDate(month.month.year, month.month.month, day), {}, {}};
        if (stretch.hasDiary) {
            const auto valueAt = [&](int slot) -> std::optional<int> {
                const qsizetype index = grid.at(day, slot);
                return index >= 0 ? month.diary.readings[index].value : std::nullopt;
            };
            courseDay.morning = valueAt(FirstSlot);
            courseDay.evening = valueAt(LastSlot);
        }
        course.days.push_back(courseDay);
    }
    // The best of any slot, marked on the first day that holds it.
    if (month.figures.bestValue > course.bestValue) {
        int bestDay = stretch.dayCount + 1;
        for (const DiaryEntry& reading : month.diary.readings)
            if (reading.value == month.figures.bestValue && reading.dayNumber >= 1)
                bestDay = std::min(bestDay, reading.dayNumber);
        if (bestDay <= stretch.dayCount) {
            course.bestValue = month.figures.bestValue;
            course.bestDay = stretch.firstDay + bestDay - 1;
        }
    }
    course.months.push_back(stretch);
}

} // namespace

std::vector<DiaryMonth> monthsFromTo(DiaryMonth first, DiaryMonth last)
{
    std::vector<DiaryMonth> months;
    for (int index = monthIndex(first); index <= monthIndex(last); ++index)
        months.push_back(monthAt(index));
    return months;
}

DiaryMonth firstOfLastMonths(DiaryMonth last, int count)
{
    return monthAt(monthIndex(last) - std::max(count, 1) + 1);
}

PeriodMonth periodMonthOf(DiaryMonth month, const DiaryFile& diary, bool fileExists)
{
    PeriodMonth row;
    row.month = month;
    row.diary = diary;
    if (!fileExists)
        row.status = MonthStatus::NoDiary;
    else if (!diary.ok)
        row.status = MonthStatus::Unreadable;
    else
        row.status = MonthStatus::Read;
    if (row.status == MonthStatus::Unreadable)
        row.problem = diary.error;
    if (row.status == MonthStatus::Read) {
        // A limit that is no number counts as its default, as on the chart.
        row.limits.green = storedLimit(diary.lines, GreenLimitKey, DefaultGreenLimit).value_or(DefaultGreenLimit);
        row.limits.red = storedLimit(diary.lines, RedLimitKey, DefaultRedLimit).value_or(DefaultRedLimit);
        row.slotMode = diary.layout.mode();
    }
    else {
        row.diary.readings.clear();
    }
    row.figures = monthFiguresOf(row.diary.readings, month, row.limits.green, row.limits.red);
    row.lowestMorning = lowestMorningOf(row.figures);
    row.lowestMorningPercent = percentOfBest(row.lowestMorning, row.figures.bestValue);
    return row;
}

Period readPeriod(const QString& galleryFolder, const QString& userName, DiaryMonth first, DiaryMonth last)
{
    std::vector<PeriodMonth> months;
    for (const DiaryMonth month : monthsFromTo(first, last)) {
        const QString path =
            monthDiaryPath(galleryFolder, QString::number(month.year), userName, QString::number(month.month));
        if (!diaryNameProblem(userName, QString::number(month.month), QString::number(month.year)).isEmpty() ||
            !QFileInfo::exists(path)) {
            DiaryFile none;
            none.path = path;
            months.push_back(periodMonthOf(month, none, false));
            continue;
        }
        months.push_back(periodMonthOf(month, readDiary(path), true));
    }
    Period period = periodOf(userName, std::move(months));
    period.first = first;
    period.last = last;
    return period;
}

Period periodOf(const QString& userName, std::vector<PeriodMonth> months)
{
    Period period;
    period.userName = userName;
    if (!months.empty()) {
        period.first = months.front().month;
        period.last = months.back().month;
    }
    PeriodTotals& totals = period.totals;
    double morningSum = 0;
    double eveningSum = 0;
    double swingSum = 0;
    for (const PeriodMonth& month : months) {
        const MonthFigures& f = month.figures;
        totals.readingCount += f.readingCount;
        totals.daysWithReadings += f.daysWithReadings;
        totals.days += f.daysInMonth;
        totals.bestValue = std::max(totals.bestValue, f.bestValue);
        morningSum += sumOf(f.morningMean, f.morningCount);
        totals.morningCount += f.morningCount;
        eveningSum += sumOf(f.eveningMean, f.eveningCount);
        totals.eveningCount += f.eveningCount;
        swingSum += sumOf(f.meanSwing, f.swingDays);
        totals.swingDays += f.swingDays;
        if (month.lowestMorning)
            totals.lowestMorning = std::min(totals.lowestMorning.value_or(*month.lowestMorning), *month.lowestMorning);
        totals.zones.green += f.zones.green;
        totals.zones.yellow += f.zones.yellow;
        totals.zones.red += f.zones.red;
        addToCourse(period.course, month);
    }
    totals.morningMean = meanOf(morningSum, totals.morningCount);
    totals.eveningMean = meanOf(eveningSum, totals.eveningCount);
    totals.meanSwing = meanOf(swingSum, totals.swingDays);
    totals.lowestMorningPercent = percentOfBest(totals.lowestMorning, totals.bestValue);
    period.months = std::move(months);
    return period;
}

} // namespace luftikon
