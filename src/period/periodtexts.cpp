// German texts of the period's table.
#include "period/periodtexts.h"

#include "diary/dates.h"
#include "report/figuretexts.h"

namespace luftikon {

namespace {

QString monthName(DiaryMonth month)
{
    return germanMonthAndYear(month.month, month.year);
}

QString decimal(const std::optional<double>& value, const char* unit = "")
{
    return value ? germanDecimal(*value) + QString::fromUtf8(unit) : noFigure;
}

QString lowestMorning(const std::optional<int>& value, const std::optional<double>& percent)
{
    if (!value)
        return noFigure;
    return percent ? QStringLiteral("%1 = %2 %").arg(*value).arg(germanDecimal(*percent)) : QString::number(*value);
}

QStringList figureCells(int readings, int daysWith, int days, int best, const std::optional<double>& morning,
                        const std::optional<double>& evening, const std::optional<double>& swing, const QString& lowest,
                        const ZoneCounts& zones)
{
    return {QString::number(readings),
            QStringLiteral("%1 von %2").arg(daysWith).arg(days),
            best > 0 ? QString::number(best) : noFigure,
            decimal(morning),
            decimal(evening),
            decimal(swing, " %"),
            lowest,
            QString::number(zones.green),
            QString::number(zones.yellow),
            QString::number(zones.red)};
}

} // namespace

QString periodName(DiaryMonth first, DiaryMonth last)
{
    if (first.month == last.month && first.year == last.year)
        return monthName(last);
    const QString start = first.year == last.year ? germanMonthName(first.month) : monthName(first);
    return start + QStringLiteral(" bis ") + monthName(last);
}

std::vector<PeriodRow> periodRows(const Period& period)
{
    std::vector<PeriodRow> rows;
    for (const PeriodMonth& month : period.months) {
        PeriodRow row{{monthName(month.month)}, {}};
        if (month.status == MonthStatus::Unreadable)
            row.note = QStringLiteral("nicht lesbar: ") + month.problem;
        if (month.status != MonthStatus::Read) {
            rows.push_back(row);
            continue;
        }
        const MonthFigures& f = month.figures;
        row.cells << QStringLiteral("%1 / %2").arg(month.limits.green).arg(month.limits.red)
                  << figureCells(f.readingCount, f.daysWithReadings, f.daysInMonth, f.bestValue, f.morningMean,
                                 f.eveningMean, f.meanSwing,
                                 lowestMorning(month.lowestMorning, month.lowestMorningPercent), f.zones);
        rows.push_back(row);
    }
    const PeriodTotals& t = period.totals;
    PeriodRow total{{QStringLiteral("Ganzer Zeitraum"), QString()}, {}};
    total.cells << figureCells(t.readingCount, t.daysWithReadings, t.days, t.bestValue, t.morningMean, t.eveningMean,
                               t.meanSwing, lowestMorning(t.lowestMorning, t.lowestMorningPercent), t.zones);
    rows.push_back(total);
    return rows;
}

} // namespace luftikon
