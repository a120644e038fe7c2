// Sorts the readings of a CSV file into the months' diaries by the rules in importplan.h, and
// writes what the user accepted.
#include "import/importplan.h"

#include "diary/dates.h"
#include "diary/daygrid.h"
#include "diary/diaryfile.h"
#include "diary/diarywriter.h"
#include "diary/entryline.h"
#include "diary/entrysort.h"

#include <QFileInfo>
#include <QHash>
#include <cstdlib>
#include <limits>
#include <map>
#include <vector>

namespace luftikon {

namespace {

struct SlotClock {
    int slot;
    int minutes;
};

// The configured times of the layout's slots; a time that is no time counts as its first-run time.
std::vector<SlotClock> slotClocksOf(SlotMode mode, const ImportSetup& setup)
{
    const QStringList& times = mode == SlotMode::Four ? setup.fourSlotTimes : setup.eightSlotTimes;
    std::vector<SlotClock> clocks;
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        if (!slotInLayout(slot, mode))
            continue;
        auto minutes = minutesOfDay(slotTime(slot, mode, times).value_or(QString()));
        if (!minutes)
            minutes = minutesOfDay(timeValueDefault(slot, mode));
        clocks.push_back({slot, minutes.value_or(0)});
    }
    return clocks;
}

// Within the day only: a reading just after midnight belongs to the morning of its own date.
int nearestSlot(const std::vector<SlotClock>& clocks, int minutes)
{
    int best = FirstSlot;
    int bestDistance = std::numeric_limits<int>::max();
    for (const SlotClock& clock : clocks) {
        const int distance = std::abs(clock.minutes - minutes);
        if (distance < bestDistance) {
            best = clock.slot;
            bestDistance = distance;
        }
    }
    return best;
}

int cellOf(int day, int slot)
{
    return day * (LastSlot + 1) + slot;
}

MonthPlan planMonth(const QList<CsvReading>& readings, const std::vector<qsizetype>& indexes, int year, int month,
                    const ImportSetup& setup)
{
    MonthPlan plan;
    plan.month = month;
    plan.year = year;
    DiarySave probe;
    probe.galleryFolder = setup.galleryFolder;
    probe.userName = setup.userName;
    probe.listMonth = QString::number(month);
    probe.listYear = QString::number(year);
    plan.path = savePathOf(probe);
    plan.exists = QFileInfo::exists(plan.path);
    plan.monthText = monthTextForLines(probe);
    plan.layout = setup.layout;

    DiaryFile diary;
    if (plan.exists) {
        diary = readDiary(plan.path);
        if (!diary.ok)
            plan.error = diary.error;
        if (!diary.layout.unmarked())
            plan.layout = diary.layout.mode();
        plan.entries = diary.entryLines();
    }
    const std::vector<SlotClock> clocks = slotClocksOf(plan.layout, setup);

    // The highest reading of each day and slot, the first one on a tie.
    QList<PlannedReading> planned;
    QHash<int, qsizetype> best;
    std::vector<int> cells;
    for (const qsizetype index : indexes) {
        const CsvReading& reading = readings[index];
        PlannedReading item;
        item.source = reading;
        item.slot = reading.slot != NoSlot ? reading.slot : nearestSlot(clocks, reading.minutes);
        item.line = composeReadingLine(slotInfo(item.slot)->entryPrefix, reading.date.day(), plan.monthText, year,
                                       reading.time, reading.value);
        const int cell = cellOf(reading.date.day(), item.slot);
        const auto found = best.constFind(cell);
        if (found == best.cend() || planned[*found].source.value < reading.value)
            best.insert(cell, planned.size());
        planned << item;
        cells.push_back(cell);
    }

    // Compared with the reading the table and the report show for that day and slot.
    const DayGrid grid = dayGridOf(diary.readings);
    for (qsizetype i = 0; i < planned.size(); ++i) {
        PlannedReading& item = planned[i];
        const qsizetype winner = best.value(cells[std::size_t(i)]);
        if (winner != i) {
            item.other = planned[winner].line;
            plan.leftOut << item;
            continue;
        }
        const qsizetype there = grid.at(item.source.date.day(), item.slot);
        if (there < 0) {
            plan.fresh << item;
            continue;
        }
        const DiaryEntry& shown = diary.readings[there];
        item.other = shown.line;
        if (shown.value == item.source.value)
            plan.alreadyThere << item;
        else
            plan.conflicts << item;
    }
    return plan;
}

QString counted(qsizetype count, const char* one, const char* many)
{
    return QString::number(count) + u' ' + QLatin1String(count == 1 ? one : many);
}

} // namespace

QString MonthPlan::label() const
{
    return germanMonthAndYear(month, year);
}

int ImportPlan::count(QList<PlannedReading> MonthPlan::*list) const
{
    int total = 0;
    for (const MonthPlan& month : months)
        total += int((month.*list).size());
    return total;
}

ImportPlan planImport(CsvContent csv, const ImportSetup& setup)
{
    ImportPlan plan;
    plan.csv = std::move(csv);
    std::map<std::pair<int, int>, std::vector<qsizetype>> byMonth;
    for (qsizetype i = 0; i < plan.csv.readings.size(); ++i) {
        const QDate& date = plan.csv.readings[i].date;
        byMonth[{date.year(), date.month()}].push_back(i);
    }
    for (const auto& [month, indexes] : byMonth)
        plan.months << planMonth(plan.csv.readings, indexes, month.first, month.second, setup);
    return plan;
}

ImportOutcome applyImport(const ImportPlan& plan, const ImportSetup& setup, bool takeFileValues, const Notify& notify)
{
    ImportOutcome outcome;
    for (const MonthPlan& month : plan.months) {
        if (!month.writes(takeFileValues))
            continue;
        QStringList entries = month.entries;
        int replaced = 0;
        if (takeFileValues) {
            for (const PlannedReading& conflict : month.conflicts) {
                entries.removeOne(conflict.other);
                entries << conflict.line;
                ++replaced;
            }
        }
        for (const PlannedReading& reading : month.fresh)
            entries << reading.line;

        DiarySave save;
        save.galleryFolder = setup.galleryFolder;
        save.htmlFolder = setup.htmlFolder;
        save.userName = setup.userName;
        save.listMonth = month.monthText;
        save.listYear = QString::number(month.year);
        save.entries = sortEntries(entries);
        save.readFrom = month.exists ? month.path : QString();
        save.slotMode = month.layout;
        if (!writeDiaryFile(save, save.listMonth, save.listYear, notify)) {
            outcome.failedMonths << month.label();
            continue;
        }
        outcome.added += int(month.fresh.size());
        outcome.replaced += replaced;
        outcome.writtenPaths << save.path;
        outcome.writtenMonths << QStringLiteral("%1 (%2)").arg(month.label()).arg(month.fresh.size() + replaced);
    }
    return outcome;
}

QString importReport(const ImportPlan& plan, const ImportOutcome& outcome, bool takeFileValues)
{
    QString text;
    if (outcome.writtenMonths.isEmpty())
        text = QStringLiteral("Es wurden keine Messwerte übernommen.");
    else
        text = counted(outcome.added + outcome.replaced, "Messwert wurde", "Messwerte wurden") +
               QStringLiteral(" übernommen: ") + outcome.writtenMonths.join(QStringLiteral(", ")) + u'.';

    const int already = plan.count(&MonthPlan::alreadyThere);
    if (already > 0)
        text += u' ' + counted(already, "Messwert war", "Messwerte waren") + QStringLiteral(" schon vorhanden.");
    const int conflicts = plan.count(&MonthPlan::conflicts);
    if (conflicts > 0 && (!takeFileValues || outcome.replaced < conflicts))
        text +=
            u' ' + counted(conflicts - outcome.replaced, "abweichender Messwert blieb, wie er in der Tabelle steht.",
                           "abweichende Messwerte blieben, wie sie in den Tabellen stehen.");
    if (outcome.replaced > 0)
        text += u' ' + counted(outcome.replaced, "Messwert der Tabelle wurde", "Messwerte der Tabellen wurden") +
                QStringLiteral(" durch den Wert der Datei ersetzt.");
    const int leftOut = plan.count(&MonthPlan::leftOut);
    if (leftOut > 0)
        text += u' ' + counted(leftOut, "Messwert wurde", "Messwerte wurden") +
                QStringLiteral(" ausgelassen, weil von mehreren Werten einer Messung nur der höchste zählt.");
    if (!plan.csv.unreadable.isEmpty())
        text += u' ' + counted(plan.csv.unreadable.size(), "Zeile konnte", "Zeilen konnten") +
                QStringLiteral(" nicht gelesen werden.");
    QStringList unreadable;
    for (const MonthPlan& month : plan.months) {
        if (!month.error.isEmpty())
            unreadable << month.label();
    }
    if (!unreadable.isEmpty())
        text += QStringLiteral(" Nicht lesbar und daher unverändert: ") + unreadable.join(QStringLiteral(", ")) + u'.';
    if (!outcome.failedMonths.isEmpty())
        text += QStringLiteral(" Nicht gespeichert: ") + outcome.failedMonths.join(QStringLiteral(", ")) + u'.';
    return text;
}

} // namespace luftikon
