// Computes the month's figures from the readings of one diary.
#include "report/monthfigures.h"

#include "diary/dates.h"
#include "diary/entryline.h"
#include "diary/slots.h"
#include "diary/zones.h"

#include <QDate>
#include <algorithm>
#include <array>

namespace luftikon {

namespace {

struct DayReadings {
    int highest = 0;
    int lowest = 0;
    int count = 0;
    std::optional<int> lowestMorning;

    void add(int value, int slot)
    {
        highest = count == 0 ? value : std::max(highest, value);
        lowest = count == 0 ? value : std::min(lowest, value);
        ++count;
        if (slot == FirstSlot)
            lowestMorning = lowestMorning ? std::min(*lowestMorning, value) : value;
    }
    std::optional<double> swing() const { return count >= 2 ? swingPercent(highest, lowest) : std::nullopt; }
};

struct Mean {
    double sum = 0;
    int count = 0;
    void add(double value)
    {
        sum += value;
        ++count;
    }
    std::optional<double> value() const { return count > 0 ? std::optional<double>(sum / count) : std::nullopt; }
};

} // namespace

DiaryMonth diaryMonthOf(const QString& monthText, const QString& yearText)
{
    const auto month = parseWholeNumber(monthText);
    const auto year = yearText.size() == 4 ? parseWholeNumber(yearText) : std::nullopt;
    const DiaryMonth found{month.value_or(0), year.value_or(0)};
    return found.valid() ? found : DiaryMonth{};
}

std::optional<double> swingPercent(int highest, int lowest)
{
    const double sum = double(highest) + double(lowest);
    if (sum <= 0)
        return std::nullopt;
    return (double(highest) - double(lowest)) / (sum / 2) * 100;
}

MonthFigures monthFiguresOf(const QList<DiaryEntry>& readings, DiaryMonth month, int greenLimit, int redLimit)
{
    MonthFigures figures;
    figures.month = month;
    figures.greenLimit = greenLimit;
    figures.redLimit = redLimit;
    // Without a calendar month every day 1..31 may hold readings, but no weeks can be formed.
    figures.daysInMonth = month.valid() ? daysInMonthOf(month.month, month.year) : 31;

    std::array<DayReadings, 31> days{};
    Mean morning;
    Mean evening;
    // A day's figures take all its readings, those without a slot too: no day x slot grid here.
    for (const DiaryEntry& reading : readings) {
        const int day = reading.dayNumber;
        const auto& value = reading.value;
        if (day == 0 || day > figures.daysInMonth || !value) {
            ++figures.uncountedLines;
            continue;
        }
        const int slot = reading.slot;
        days[std::size_t(day - 1)].add(*value, slot);
        ++figures.readingCount;
        figures.bestValue = std::max(figures.bestValue, *value);
        if (slot == FirstSlot)
            morning.add(*value);
        else if (slot == LastSlot)
            evening.add(*value);
        switch (zoneOf(*value, greenLimit, redLimit)) {
        case Zone::Green:
            ++figures.zones.green;
            break;
        case Zone::Yellow:
            ++figures.zones.yellow;
            break;
        case Zone::Red:
            ++figures.zones.red;
            break;
        }
    }

    Mean monthSwing;
    for (int day = 1; day <= figures.daysInMonth; ++day) {
        const DayReadings& readings = days[std::size_t(day - 1)];
        if (readings.count > 0)
            ++figures.daysWithReadings;
        if (const auto swing = readings.swing())
            monthSwing.add(*swing);
    }
    figures.daysWithout = figures.daysInMonth - figures.daysWithReadings;
    figures.meanSwing = monthSwing.value();
    figures.swingDays = monthSwing.count;
    figures.morningMean = morning.value();
    figures.morningCount = morning.count;
    figures.eveningMean = evening.value();
    figures.eveningCount = evening.count;

    if (!month.valid())
        return figures;
    std::vector<Mean> weekSwings;
    for (int day = 1; day <= figures.daysInMonth; ++day) {
        const int week = QDate(month.year, month.month, day).weekNumber();
        if (figures.weeks.empty() || figures.weeks.back().isoWeek != week) {
            figures.weeks.push_back(WeekFigures{week, day, day, {}, 0, {}, {}});
            weekSwings.emplace_back();
        }
        WeekFigures& current = figures.weeks.back();
        current.lastDay = day;
        const DayReadings& readings = days[std::size_t(day - 1)];
        if (const auto swing = readings.swing())
            weekSwings.back().add(*swing);
        if (readings.lowestMorning)
            current.lowestMorning =
                std::min(current.lowestMorning.value_or(*readings.lowestMorning), *readings.lowestMorning);
    }
    for (std::size_t i = 0; i < figures.weeks.size(); ++i) {
        WeekFigures& week = figures.weeks[i];
        week.meanSwing = weekSwings[i].value();
        week.swingDays = weekSwings[i].count;
        if (week.lowestMorning && figures.bestValue > 0)
            week.lowestMorningPercent = 100.0 * *week.lowestMorning / figures.bestValue;
    }
    return figures;
}

} // namespace luftikon
