// Ten years of full eight-slot diaries (120 months) with their remarks: archived into one .zip,
// read back and checked against the manifest, and restored into a fresh data folder.
#include "archive/datafolderarchive.h"
#include "diary/textfile.h"
#include "readingmonths.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace luftikon;

namespace {

void writeTenYears(const QString& gallery)
{
    for (int year = 2015; year < 2025; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const QString name = gallery + QStringLiteral("%1/Muster_%2_%1").arg(year).arg(month);
            QDir().mkpath(gallery + QString::number(year));
            writeTextLines(name + QStringLiteral(".tab"), bench::eightSlotDiary(QStringLiteral("Muster"), month, year));
            writeTextLines(name + QStringLiteral(".txt"), {QStringLiteral("Pollenflug, Erkältung")});
        }
    }
}

void BM_ArchiveTenYears(benchmark::State& bench)
{
    QTemporaryDir dir;
    const DataFolderPlaces places{dir.filePath(QStringLiteral("G/")), dir.filePath(QStringLiteral("B/")),
                                  dir.filePath(QStringLiteral("c.conf"))};
    writeTenYears(places.galleryFolder);
    QStringList unreadable;
    for (auto _ : bench) {
        // As a backup does it: collected, composed and read back before it is written.
        const auto archive = composeArchive(collectDataFolder(places, unreadable), ArchiveFormat::Zip, nullptr);
        if (!archive || !readArchive(*archive).ok)
            bench.SkipWithError("the archive could not be read back");
    }
}
BENCHMARK(BM_ArchiveTenYears)->Unit(benchmark::kMillisecond);

void BM_RestoreTenYears(benchmark::State& bench)
{
    QTemporaryDir dir;
    const DataFolderPlaces from{dir.filePath(QStringLiteral("alt/G/")), dir.filePath(QStringLiteral("alt/B/")),
                                dir.filePath(QStringLiteral("alt/c.conf"))};
    writeTenYears(from.galleryFolder);
    QStringList unreadable;
    const QByteArray archive = *composeArchive(collectDataFolder(from, unreadable), ArchiveFormat::Zip, nullptr);
    ConfigStore store(dir.filePath(QStringLiteral("neu/c.conf")));
    int round = 0;
    for (auto _ : bench) {
        const QString fresh = dir.filePath(QStringLiteral("neu%1/").arg(++round));
        const ArchiveContent content = readArchive(archive);
        const RestorePlan plan =
            planRestore(content.files, {fresh + QStringLiteral("G/"), fresh + QStringLiteral("B/"), QString()});
        const RestoreOutcome outcome = carryOut(plan, false, store);
        if (outcome.added != 240)
            bench.SkipWithError("not every file came back");
    }
}
BENCHMARK(BM_RestoreTenYears)->Unit(benchmark::kMillisecond);

} // namespace
