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
    return dayValueEntry(parseEntryLine(line));
}

QString dayValueEntry(const DiaryEntry& reading)
{
    return reading.dayText + QLatin1Char('_') + reading.valueText;
}

DailyMeanTexts noDailyMeans()
{
    DailyMeanTexts means;
    means.fill(QStringLiteral("0"));
    return means;
}

DailyMeanTexts dailyMeansOf(const QStringList& dayValueList)
{
    DailyMeanTexts means = noDailyMeans();
    QStringView previousDay; // into the list, which outlives the loop
    qint64 count = 0;
    long double sum = 0;
    int runDay = 0; // day of the run being summed, 0 for none
    // Each reading of a run would overwrite its day with the mean so far; the text is made once,
    // when the run ends, with the same result.
    const auto closeRun = [&] {
        if (runDay != 0 && count > 0)
            means[static_cast<std::size_t>(runDay - 1)] = QString::number(roundedMean(sum / count));
    };
    bool first = true;
    for (const QString& entry : dayValueList) {
        const qsizetype split = entry.indexOf(QLatin1Char('_'));
        const QStringView whole(entry);
        const QStringView dayText = split < 0 ? whole : whole.first(split);
        const QStringView valueText = split < 0 ? QStringView() : whole.sliced(split + 1);
        if (first || dayText != previousDay) {
            closeRun();
            count = 0;
            sum = 0;
            // dayNumberOf wants the day in front of a ".".
            runDay = dayText.size() == 2 ? dayNumberOf(dayText.toString() + QLatin1Char('.')) : 0;
        }
        first = false;
        previousDay = dayText;

        if (runDay == 0)
            continue;
        const auto value = parseWholeNumber(valueText);
        if (!value)
            continue;
        ++count;
        sum += *value;
    }
    closeRun();
    return means;
}

BestValue bestValueOf(const QStringList& pointList)
{
    BestValue best;
    for (qsizetype i = 0; i < pointList.size(); ++i) {
        const QString& entry = pointList.at(i);
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
            best.index = i;
        }
    }
    return best;
}

} // namespace luftikon
