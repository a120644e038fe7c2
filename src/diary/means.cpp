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

DailyMeanTexts noDailyMeans()
{
    DailyMeanTexts means;
    means.fill(QStringLiteral("0"));
    return means;
}

DailyMeanTexts dailyMeansOf(const QList<DiaryEntry>& readings)
{
    DailyMeanTexts means = noDailyMeans();
    QStringView previousDay; // into the readings, which outlive the loop
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
    for (const DiaryEntry& reading : readings) {
        const QStringView dayText(reading.dayText);
        if (first || dayText != previousDay) {
            closeRun();
            count = 0;
            sum = 0;
            runDay = reading.dayNumber;
        }
        first = false;
        previousDay = dayText;

        if (runDay == 0 || !reading.value)
            continue;
        ++count;
        sum += *reading.value;
    }
    closeRun();
    return means;
}

std::optional<int> chartedDay(const DiaryEntry& reading)
{
    if (reading.prefix.isEmpty() || !reading.value || !reading.fields.day)
        return std::nullopt;
    const auto day = parseWholeNumber(*reading.fields.day);
    if (!day || *day < 1 || *day > 31)
        return std::nullopt;
    return day;
}

BestValue bestValueOf(const QList<DiaryEntry>& readings)
{
    BestValue best;
    for (qsizetype i = 0; i < readings.size(); ++i) {
        const DiaryEntry& reading = readings.at(i);
        if (chartedDay(reading) && *reading.value > best.value) {
            best.value = *reading.value;
            best.index = i;
        }
    }
    return best;
}

} // namespace luftikon
