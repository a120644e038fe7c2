#include "month/chartdescription.h"

#include "diary/dates.h"
#include "diary/means.h"

#include <utility>

namespace luftikon {

namespace {

QString zonePhrase(Zone zone)
{
    switch (zone) {
    case Zone::Green:
        return QStringLiteral("grüne Zone");
    case Zone::Yellow:
        return QStringLiteral("gelbe Zone");
    case Zone::Red:
        break;
    }
    return QStringLiteral("rote Zone");
}

// "Dezember 2026" from the charted readings, else from the diary's own month.
QString monthPhrase(const DiaryFile& diary, const MonthSummary& summary)
{
    if (!summary.monthName.isEmpty())
        return summary.monthName + u' ' + summary.monthYear;
    const auto month = parseWholeNumber(trimBlanks(diary.month));
    const QString name = month ? germanMonthName(*month) : QString();
    return name.isEmpty() ? QString() : name + u' ' + trimBlanks(diary.year);
}

} // namespace

QString chartDescription(const DiaryFile& diary, const MonthSummary& summary, const ZoneLimits& limits)
{
    int count = 0;
    const DiaryEntry* last = nullptr;
    std::pair<int, int> lastAt{0, 0};
    for (const DiaryEntry& reading : diary.readings) {
        const auto day = chartedDay(reading);
        if (!day)
            continue;
        ++count;
        const std::pair<int, int> at{*day, reading.slot};
        if (!last || at >= lastAt) {
            last = &reading;
            lastAt = at;
        }
    }

    const QString month = monthPhrase(diary, summary);
    const QString lead = month.isEmpty() ? QString() : month + QStringLiteral(": ");
    if (!last)
        return lead + (lead.isEmpty() ? QStringLiteral("Keine Messwerte") : QStringLiteral("keine Messwerte"));

    QString text = lead + (count == 1 ? QStringLiteral("1 Messwert") : QStringLiteral("%1 Messwerte").arg(count));
    if (summary.best.value > 0)
        text += QStringLiteral(", Bestwert %1 l/min").arg(summary.best.value);
    const auto lastMonth = last->fields.month ? parseWholeNumber(trimBlanks(*last->fields.month)) : std::nullopt;
    const QString date = twoDigits(lastAt.first) + u'.' + (lastMonth ? twoDigits(*lastMonth) + u'.' : QString());
    text += QStringLiteral(", letzter Wert %1 l/min am %2 (%3)")
                .arg(*last->value)
                .arg(date, zonePhrase(zoneOf(*last->value, limits.green, limits.red)));
    return text;
}

} // namespace luftikon
