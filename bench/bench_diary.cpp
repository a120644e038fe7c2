// A full eight-slot month (31 days x 8 readings): read, sort, write, daily means.
#include "diary/diarywriter.h"
#include "diary/entryline.h"
#include "diary/entrysort.h"
#include "diary/means.h"
#include "diary/slots.h"
#include "diary/textfile.h"
#include "readingmonths.h"

#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>

using namespace luftikon;

namespace {

QStringList fullMonth()
{
    // Typed slot by slot from the last day back, so the sort has work to do.
    QStringList entries = bench::readingLines(3, 2024);
    std::reverse(entries.begin(), entries.end());
    return entries;
}

void BM_DiaryMonthRoundTrip(benchmark::State& bench)
{
    QTemporaryDir dir;
    DiarySave diary;
    diary.galleryFolder = dir.filePath(QStringLiteral("G/"));
    diary.htmlFolder = dir.filePath(QStringLiteral("H/"));
    diary.userName = QStringLiteral("Jürgen Müller");
    diary.listMonth = QStringLiteral("3");
    diary.listYear = QStringLiteral("2024");
    diary.slotMode = SlotMode::Eight;
    diary.entries = sortEntries(fullMonth());
    if (!writeDiaryFile(diary, diary.listMonth, diary.listYear, {})) {
        bench.SkipWithError("writing the diary failed");
        return;
    }
    const QStringList unsorted = fullMonth();

    for (auto _ : bench) {
        const ReadResult file = readTextLines(diary.path);
        QStringList entries = entryLinesOf(file.lines);
        entries = sortEntries(unsorted + entries); // every line twice: all duplicates collapse
        diary.entries = entries;
        if (!writeDiaryFile(diary, diary.listMonth, diary.listYear, {}))
            bench.SkipWithError("writing the diary failed");
        QList<DiaryEntry> readings;
        for (const QString& line : entries)
            readings << parseEntryLine(line);
        benchmark::DoNotOptimize(dailyMeansOf(readings));
    }
    bench.counters["lines"] = static_cast<double>(diary.entries.size());
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
    QList<DiaryEntry> readings;
    for (const QString& line : entries)
        readings << parseEntryLine(line);
    for (auto _ : bench)
        benchmark::DoNotOptimize(dailyMeansOf(readings));
}
BENCHMARK(BM_MeansMonth)->Unit(benchmark::kMicrosecond);

} // namespace
