// One browser export of a full month: the page built, encoded and written atomically.
#include "browser/exportpage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_ExportFullMonth(benchmark::State& state)
{
    using namespace luftikon;
    QTemporaryDir dir;
    const QString root = dir.path() + QLatin1Char('/');
    QDir().mkpath(root + QStringLiteral("scripts"));
    QFile script(root + QStringLiteral("scripts/Chart.min.js"));
    if (!script.open(QIODevice::WriteOnly) || script.write("/* chart */") < 0) {
        state.SkipWithError("cannot prepare the data folder");
        return;
    }
    script.close();

    ExportRequest request;
    request.month = {QStringLiteral("03"), QStringLiteral("2024"), QStringLiteral("März"), QStringLiteral("Jürgen")};
    for (int day = 0; day < 31; ++day)
        request.dailyMeans[static_cast<std::size_t>(day)] = QString::number(day % 6 == 5 ? 0 : 380 + 7 * day);
    request.bestValue = 610;
    request.curveColor = 10485760;
    request.aboveCurveColor = 128;
    request.currentDiaryFile = root + QStringLiteral("Jürgen_03_2024.tab"); // missing: best-value line "-"
    request.remarksFile = root + QStringLiteral("Jürgen_03_2024.txt");
    request.htmlFolder = root + QStringLiteral("Luftikon-Daten im Browser/");
    request.diaryYear = QStringLiteral("2024");
    request.dataFolder = root;

    int notices = 0;
    const Notify notify = [&notices](MessageKind, const QString&) { ++notices; };
    for (auto _ : state) {
        const auto page = exportMonthPage(request, notify);
        benchmark::DoNotOptimize(page);
    }
    if (notices > 0)
        state.SkipWithError("the export reported a problem");
}

} // namespace

BENCHMARK(BM_ExportFullMonth)->Unit(benchmark::kMicrosecond);
