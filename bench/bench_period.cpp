// A year of full eight-slot months side by side, as the user waits for it: every diary read and
// its figures, totals and course worked out; the window opened and painted; the 13-page report.
#include "diary/textfile.h"
#include "files/safefile.h"
#include "period/periodfigures.h"
#include "period/periodtexts.h"
#include "period/ui/periodreport.h"
#include "period/ui/periodwindow.h"
#include "platform/qtdesktop.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace luftikon;

namespace {

// Twelve months of 2024 for "Muster", every slot of every day read.
void writeFullYear(const QString& gallery)
{
    const char* prefixes[] = {"Morgens den    ", "Messung2 den ", "Messung3 den ", "Messung4 den ",
                              "Messung5 den ",   "Messung6 den ", "Messung7 den ", "Abends den      "};
    QDir().mkpath(gallery + QStringLiteral("2024"));
    for (int month = 1; month <= 12; ++month) {
        QStringList lines{QStringLiteral("[Personendaten]"),
                          QStringLiteral("BenutzerName=Muster"),
                          QStringLiteral("BisZu8MessungenJeTag=1"),
                          QStringLiteral("BisZu4MessungenJeTag=0"),
                          QStringLiteral("GrenzwertGruen>=%1").arg(380 + month * 5),
                          QStringLiteral("GrenzwertRot<=%1").arg(220 + month),
                          QString()};
        for (int day = 1; day <= 31; ++day)
            for (int slot = 0; slot < 8; ++slot)
                lines << QLatin1String(prefixes[slot]) + QStringLiteral("%1.%2.2024 Z=08:00  Luftikon=%3")
                                                             .arg(day, 2, 10, QChar(u'0'))
                                                             .arg(month)
                                                             .arg(150 + (day * 37 + slot * 53 + month) % 500);
        writeTextLines(gallery + QStringLiteral("2024/Muster_%1_2024.tab").arg(month), lines);
    }
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
