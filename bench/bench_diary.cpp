// A full eight-slot month (31 days x 8 readings): read, sort, write, daily means.
#include "diary/diarywriter.h"
#include "diary/entryline.h"
#include "diary/entrysort.h"
#include "diary/means.h"
#include "diary/slots.h"
#include "diary/textfile.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace luftikon;

namespace {

QStringList fullMonth()
{
    QStringList entries;
    // Typed slot by slot from the last day back, so the sort has work to do.
    for (int day = 31; day >= 1; --day) {
        for (int slot = LastSlot; slot >= FirstSlot; --slot) {
            const QString dayText = QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0'));
            entries << composeEntryLine(slotInfo(slot)->entryPrefix, dayText, QStringLiteral("3"),
                                        QStringLiteral("2024"), timeValueDefault(slot, SlotMode::Eight),
                                        QString::number(300 + (day * 7 + slot * 13) % 250));
        }
    }
    return entries;
}

void BM_DiaryMonthRoundTrip(benchmark::State& bench)
{
    QTemporaryDir dir;
    AppState state;
    state.galleryFolder = dir.filePath(QStringLiteral("G/"));
    state.htmlFolder = dir.filePath(QStringLiteral("H/"));
    state.userName = QStringLiteral("Jürgen Müller");
    state.listMonth = QStringLiteral("3");
    state.listYear = QStringLiteral("2024");
    state.fourSlotMark = false;
    state.eightSlotMark = true;
    state.entryList = sortEntries(fullMonth());
    if (!writeDiaryFile(state, state.listMonth, state.listYear, {})) {
        bench.SkipWithError("writing the diary failed");
        return;
    }
    const QStringList unsorted = fullMonth();

    for (auto _ : bench) {
        const ReadResult file = readTextLines(state.currentDiaryFile);
        QStringList entries = entryLinesOf(file.lines);
        entries = sortEntries(unsorted + entries); // every line twice: all duplicates collapse
        state.entryList = entries;
        if (!writeDiaryFile(state, state.listMonth, state.listYear, {}))
            bench.SkipWithError("writing the diary failed");
        state.dayValueList.clear();
        for (const QString& line : entries)
            ErstelleTagesMittelwert(state, line);
        GibDieTagesMittelwerte(state);
        benchmark::DoNotOptimize(state.dailyMeans);
    }
    bench.counters["lines"] = static_cast<double>(state.entryList.size());
}
BENCHMARK(BM_DiaryMonthRoundTrip)->Unit(benchmark::kMicrosecond);

void BM_SortMonth(benchmark::State& bench)
{
    const QStringList unsorted = fullMonth();
    for (auto _ : bench)
        benchmark::DoNotOptimize(sortEntries(unsorted));
}
BENCHMARK(BM_SortMonth)->Unit(benchmark::kMicrosecond);

void BM_MeansMonth(benchmark::State& bench)
{
    const QStringList entries = sortEntries(fullMonth());
    for (auto _ : bench) {
        AppState state;
        for (const QString& line : entries)
            ErstelleTagesMittelwert(state, line);
        GibDieTagesMittelwerte(state);
        benchmark::DoNotOptimize(state.dailyMeans);
    }
}
BENCHMARK(BM_MeansMonth)->Unit(benchmark::kMicrosecond);

} // namespace
