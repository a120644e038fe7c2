// German texts of the month's figures.
#include "report/figuretexts.h"

#include "diary/dates.h"

#include <algorithm>
#include <cmath>

namespace luftikon {

namespace {

QString count(int number, const char* one, const char* many)
{
    return QString::number(number) + QLatin1Char(' ') + QString::fromUtf8(number == 1 ? one : many);
}

QString withUnit(const std::optional<double>& value, const char* unit)
{
    return value ? germanDecimal(*value) + QString::fromUtf8(unit) : noFigure;
}

QString percentText(int part, int whole)
{
    return whole > 0 ? germanDecimal(100.0 * part / whole) + QStringLiteral(" %") : noFigure;
}

QString meanText(const std::optional<double>& mean, int readings)
{
    if (!mean)
        return noFigure;
    return withUnit(mean, " l/min") + QStringLiteral(" (") + count(readings, "Messung", "Messungen") + QLatin1Char(')');
}

QString swingText(const std::optional<double>& swing, int days)
{
    if (!swing)
        return noFigure;
    return withUnit(swing, " %") + QStringLiteral(" (") + count(days, "Tag", "Tage") + QLatin1Char(')');
}

QString zoneText(int inZone, int readings)
{
    return count(inZone, "Messung", "Messungen") + QStringLiteral(", ") + percentText(inZone, readings);
}

// The ranges as the chart's marker comparisons draw them: green from the green limit up, amber
// from the red limit up to below the green limit, red below both.
QString yellowRange(int green, int red)
{
    if (red >= green)
        return QStringLiteral("bei diesen Grenzwerten leer");
    return QStringLiteral("%1 bis %2 l/min").arg(red).arg(qint64(green) - 1);
}

int redBelow(const MonthFigures& figures)
{
    return std::min(figures.greenLimit, figures.redLimit);
}

} // namespace

QString germanDecimal(double value)
{
    // Sums of fractions land a hair beside an exact half (27.25 as 27.2499999…); a nudge far
    // below the last shown digit puts them back on it before rounding half away from zero.
    const double tenths = value * 10;
    const double nudged = tenths + std::copysign(1e-9 * std::max(1.0, std::fabs(tenths)), tenths);
    const double rounded = std::round(nudged);
    const double magnitude = std::fabs(rounded);
    const qint64 whole = qint64(magnitude / 10);
    const qint64 tenth = qint64(magnitude - double(whole) * 10);
    const QString sign = rounded < 0 ? QStringLiteral("-") : QString();
    return sign + QString::number(whole) + QLatin1Char(',') + QString::number(tenth);
}

QString weekLabel(const WeekFigures& week, int month)
{
    const QString days = week.firstDay == week.lastDay ? QStringLiteral("%1.").arg(week.firstDay)
                                                       : QStringLiteral("%1.–%2.").arg(week.firstDay).arg(week.lastDay);
    return QStringLiteral("KW %1 (%2 %3)").arg(week.isoWeek).arg(days, germanMonthName(month));
}

QString periodText(const MonthFigures& figures)
{
    if (!figures.month.valid())
        return {};
    return QStringLiteral("1.–%1. %2 %3")
        .arg(figures.daysInMonth)
        .arg(germanMonthName(figures.month.month))
        .arg(figures.month.year);
}

std::vector<FigureLine> monthFigureLines(const MonthFigures& f)
{
    std::vector<FigureLine> lines{
        {QStringLiteral("Bestwert des Monats"),
         f.bestValue > 0 ? QStringLiteral("%1 l/min").arg(f.bestValue) : noFigure},
        {QStringLiteral("Tage mit Messwerten"), QStringLiteral("%1 von %2").arg(f.daysWithReadings).arg(f.daysInMonth)},
        {QStringLiteral("Tage ohne Messwerte"), QString::number(f.daysWithout)},
        {QStringLiteral("Mittelwert morgens"), meanText(f.morningMean, f.morningCount)},
        {QStringLiteral("Mittelwert abends"), meanText(f.eveningMean, f.eveningCount)},
        {QStringLiteral("Tagesschwankung im Monatsmittel"), swingText(f.meanSwing, f.swingDays)},
        {QStringLiteral("Zone grün (ab %1 l/min)").arg(f.greenLimit), zoneText(f.zones.green, f.readingCount)},
        {QStringLiteral("Zone gelb (%1)").arg(yellowRange(f.greenLimit, f.redLimit)),
         zoneText(f.zones.yellow, f.readingCount)},
        {QStringLiteral("Zone rot (unter %1 l/min)").arg(redBelow(f)), zoneText(f.zones.red, f.readingCount)},
    };
    if (f.uncountedLines > 0)
        lines.push_back({QStringLiteral("Einträge ohne Zahl oder gültigen Tag (nicht gezählt)"),
                         QString::number(f.uncountedLines)});
    return lines;
}

std::vector<WeekRow> weekRows(const MonthFigures& figures)
{
    std::vector<WeekRow> rows;
    for (const WeekFigures& week : figures.weeks) {
        QString morning = noFigure;
        if (week.lowestMorning) {
            morning = QStringLiteral("%1 l/min").arg(*week.lowestMorning);
            if (week.lowestMorningPercent)
                morning += QStringLiteral(" = ") + withUnit(week.lowestMorningPercent, " %");
        }
        rows.push_back({weekLabel(week, figures.month.month), swingText(week.meanSwing, week.swingDays), morning});
    }
    return rows;
}

QStringList formulaLines(const MonthFigures& f)
{
    return {
        QStringLiteral("Tagesschwankung eines Tages = (höchster − niedrigster Wert) ÷ ((höchster + niedrigster "
                       "Wert) ÷ 2) × 100, nur für Tage mit mindestens zwei Messungen; Wochen- und Monatswert = "
                       "Mittel dieser Tageswerte über die Tage, auf denen sie beruhen."),
        QStringLiteral("Tiefster Morgenwert = niedrigster Wert der Messung „Morgens“ in der Woche; in % = dieser "
                       "Wert ÷ Bestwert des Monats × 100."),
        QStringLiteral("Mittelwert morgens bzw. abends = Summe der Werte der Messung „Morgens“ bzw. „Abends“ ÷ "
                       "ihre Anzahl."),
        QStringLiteral("Zonen wie die Punkte im Diagramm: grün ab %1 l/min, gelb ab %2 l/min und unter %1 l/min, "
                       "rot unter %3 l/min; Anteil = Messungen der Zone ÷ alle %4 gezählten Messungen × 100.")
            .arg(f.greenLimit)
            .arg(f.redLimit)
            .arg(redBelow(f))
            .arg(f.readingCount),
        QStringLiteral("Bestwert = höchster Messwert des Monats. Wochen: Montag bis Sonntag (ISO-Kalenderwochen), am "
                       "Monatsrand gekürzt. Prozente und Mittelwerte auf eine Nachkommastelle gerundet."),
    };
}

} // namespace luftikon
