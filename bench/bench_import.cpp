// A CSV file of 100,000 readings previewed as the import does before it writes anything: decoded,
// taken apart line by line and sorted into the months' diaries, a year of which already exist.
#include "diary/diarywriter.h"
#include "diary/entryline.h"
#include "diary/slots.h"
#include "import/csvreadings.h"
#include "import/importplan.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace luftikon;

namespace {

constexpr int csvLines = 100000;
constexpr int readingsPerDay = 8;
const QDate firstDay(1990, 1, 1);

QByteArray appExport()
{
    QByteArray csv = "Datum;Uhrzeit;Messwert (l/min);Notiz\r\n";
    for (int i = 0; i < csvLines; ++i) {
        const QDate day = firstDay.addDays(i / readingsPerDay);
        const int minutes = 6 * 60 + (i % readingsPerDay) * 115 + i % 17;
        csv += QStringLiteral("%1;%2:%3;%4;Erkältung\r\n")
                   .arg(day.toString(QStringLiteral("dd.MM.yyyy")))
                   .arg(minutes / 60, 2, 10, QChar(u'0'))
                   .arg(minutes % 60, 2, 10, QChar(u'0'))
                   .arg(200 + (i * 37) % 500)
                   .toLatin1();
    }
    return csv;
}

// The diaries of the first year of the file, each with a full month of four readings a day.
void writeFirstYear(const ImportSetup& setup)
{
    for (int month = 1; month <= 12; ++month) {
        DiarySave save;
        save.galleryFolder = setup.galleryFolder;
        save.htmlFolder = setup.htmlFolder;
        save.userName = setup.userName;
        save.listMonth = QString::number(month);
        save.listYear = QString::number(firstDay.year());
        for (int day = 1; day <= QDate(firstDay.year(), month, 1).daysInMonth(); ++day) {
            for (int slot : {1, 2, 3, 8})
                save.entries << composeReadingLine(slotInfo(slot)->entryPrefix, day, save.listMonth, firstDay.year(),
                                                   QStringLiteral("08:00"), 400);
        }
        writeDiaryFile(save, save.listMonth, save.listYear, {});
    }
}

void BM_ImportPreviewOf100000Lines(benchmark::State& bench)
{
    QTemporaryDir dir;
    ImportSetup setup;
    setup.galleryFolder = dir.filePath(QStringLiteral("Galerie/"));
    setup.htmlFolder = dir.filePath(QStringLiteral("Browser/"));
    setup.userName = QStringLiteral("Erika Beispiel");
    writeFirstYear(setup);
    const QByteArray csv = appExport();
    for (auto _ : bench) {
        const ImportPlan plan = planImport(readCsvReadings(csv), setup);
        if (plan.csv.readings.size() != csvLines)
            bench.SkipWithError("lines were not read");
        benchmark::DoNotOptimize(plan.months.size());
    }
}
BENCHMARK(BM_ImportPreviewOf100000Lines)->Unit(benchmark::kMillisecond);

} // namespace
