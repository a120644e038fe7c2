// A year of full eight-slot months side by side, as the user waits for it: every diary read and
// its figures, totals and course worked out; the window opened and painted; the 13-page report.
#include "diary/textfile.h"
#include "files/safefile.h"
#include "period/periodfigures.h"
#include "period/periodtexts.h"
#include "period/ui/periodreport.h"
#include "period/ui/periodwindow.h"
#include "platform/qtdesktop.h"
#include "readingmonths.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace luftikon;

namespace {

// Twelve months of 2024 for "Muster", every slot of every day read, the limits changing.
void writeFullYear(const QString& gallery)
{
    QDir().mkpath(gallery + QStringLiteral("2024"));
    for (int month = 1; month <= 12; ++month)
        writeTextLines(gallery + QStringLiteral("2024/Muster_%1_2024.tab").arg(month),
                       bench::eightSlotDiary(QStringLiteral("Muster"), month, 2024, 380 + month * 5, 220 + month));
}

void BM_ReadYearOfMonths(benchmark::State& bench)
{
    QTemporaryDir dir;
    const QString gallery = dir.path() + QStringLiteral("/");
    writeFullYear(gallery);
    for (auto _ : bench) {
        const Period period = readPeriod(gallery, QStringLiteral("Muster"), DiaryMonth{1, 2024}, DiaryMonth{12, 2024});
        if (period.totals.readingCount != 366 * 8) // lines for days a month lacks do not count
            bench.SkipWithError("readings missing");
        benchmark::DoNotOptimize(periodRows(period).size());
    }
}
BENCHMARK(BM_ReadYearOfMonths)->Unit(benchmark::kMillisecond);

void BM_OpenPeriodWindowOnYear(benchmark::State& bench)
{
    QTemporaryDir dir;
    AppState state;
    state.galleryFolder = dir.path() + QStringLiteral("/");
    state.dataFolder = state.galleryFolder;
    state.userName = QStringLiteral("Muster");
    writeFullYear(state.galleryFolder);
    QtDesktop desktop;
    for (auto _ : bench) {
        PeriodWindow window(state, desktop);
        window.showPeriod(DiaryMonth{12, 2024});
        window.choosePeriod(DiaryMonth{1, 2024}, DiaryMonth{12, 2024});
        window.show();
        benchmark::DoNotOptimize(window.grab().width()); // laid out and painted once
    }
}
BENCHMARK(BM_OpenPeriodWindowOnYear)->Unit(benchmark::kMillisecond);

void BM_WritePeriodReportOfYear(benchmark::State& bench)
{
    QTemporaryDir dir;
    const QString gallery = dir.path() + QStringLiteral("/");
    writeFullYear(gallery);
    for (auto _ : bench) {
        const Period period = readPeriod(gallery, QStringLiteral("Muster"), DiaryMonth{1, 2024}, DiaryMonth{12, 2024});
        const QByteArray pdf = periodReportPdf({period, QDate(2025, 1, 2), QStringLiteral("4.0")});
        if (!writeFileSafely(dir.filePath(QStringLiteral("Muster_1-12_2024.pdf")), pdf).ok)
            bench.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WritePeriodReportOfYear)->Unit(benchmark::kMillisecond);

} // namespace
