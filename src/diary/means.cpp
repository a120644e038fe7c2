#include "diary/means.h"

#include "diary/entryline.h"

#include <cmath>

namespace luftikon {

namespace {

// Half away from zero after the mean went through its two-decimal text: the text keeps at
// most seven significant digits, as the running mean has always been shown.
qint64 roundedMean(long double mean)
{
    const QString sevenDigits = QString::number(static_cast<double>(mean), 'g', 7);
    const QString fixed = QString::number(sevenDigits.toDouble(), 'f', 2);
    const double m = fixed.toDouble();
    const double whole = std::trunc(m);
    const double half = std::trunc((m - whole) * 2);
    return static_cast<qint64>(whole + half);
}

} // namespace

QString dayValueEntry(const QString& line)
{
    return dayTextOf(line) + QLatin1Char('_') + valueTextOf(line);
}

void ErstelleTagesMittelwert(AppState& state, const QString& line)
{
    state.dayValueList << dayValueEntry(line);
}

std::array<QString, 31> dailyMeansOf(const QStringList& dayValueList)
{
    std::array<QString, 31> means = AppState::filledMeans();
    QString previousDay;
    qint64 count = 0;
    long double sum = 0;
    bool first = true;
    for (const QString& entry : dayValueList) {
        const qsizetype split = entry.indexOf(QLatin1Char('_'));
        const QString dayText = split < 0 ? entry : entry.left(split);
        const QString valueText = split < 0 ? QString() : entry.mid(split + 1);
        if (first || dayText != previousDay) {
            count = 0;
            sum = 0;
        }
        first = false;
        previousDay = dayText;

        if (dayText.size() != 2)
            continue;
        // dayNumberOf wants the day in front of a ".".
        const int day = dayNumberOf(dayText + QLatin1Char('.'));
        if (day == 0)
            continue;
        const auto value = parseWholeNumber(valueText);
        if (!value)
            continue;
        ++count;
        sum += *value;
        means[static_cast<std::size_t>(day - 1)] = QString::number(roundedMean(sum / count));
    }
    return means;
}

void GibDieTagesMittelwerte(AppState& state)
{
    state.dailyMeans = dailyMeansOf(state.dayValueList);
}

BestValue bestValueOf(const QStringList& pointList)
{
    BestValue best;
    for (const QString& entry : pointList) {
        const qsizetype blank = entry.indexOf(QLatin1Char(' '));
        if (blank < 0)
            continue;
        const auto x = parseWholeNumber(entry.left(blank));
        const auto value = parseWholeNumber(entry.mid(blank + 1));
        if (!x || !value)
            continue;
        if (*value > best.value) {
            best.value = *value;
            best.x = *x;
        }
    }
    return best;
}

void computeBestValue(AppState& state)
{
    const BestValue best = bestValueOf(state.pointList);
    state.bestValue = best.value;
    state.bestValueX = best.x;
}

} // namespace luftikon
