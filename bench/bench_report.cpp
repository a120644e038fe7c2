// The doctor's report of a full eight-slot month, as the user waits for it after the menu
// command: figures, the PDF page and its safe write, and the CSV file beside it.
#include "files/safefile.h"
#include "readingmonths.h"
#include "report/readingscsv.h"
#include "report/ui/doctorreport.h"

#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace luftikon;

namespace {

MonthReport fullEightSlotMonth()
{
    MonthReport month;
    month.diaryFile = QStringLiteral("/daten/2024/Muster_1_2024.tab");
    month.userName = QStringLiteral("Muster");
    month.slotMode = SlotMode::Eight;
    for (const QString& line : bench::readingLines(1, 2024))
        month.readings << parseEntryLine(line);
    for (int i = 0; i < 12; ++i)
        month.remarks << QStringLiteral("Bemerkung %1: Erkältung, zwei Hübe mehr am Abend").arg(i);
    return month;
}

void BM_WriteMonthReport(benchmark::State& bench)
{
    QTemporaryDir dir;
    MonthReport month = fullEightSlotMonth();
    const QImage chart(QStringLiteral(LUFTIKON_RESOURCE_DIR "/Vorlag8M.bmp"));
    for (auto _ : bench) {
        month.figures = monthFiguresOf(month.readings, DiaryMonth{1, 2024}, 500, 200);
        const QByteArray pdf = doctorReportPdf({month, chart, QDate(2024, 2, 1), QStringLiteral("4.0")});
        const QByteArray csv = readingsCsv(month.readings, 500, 200);
        if (!writeFileSafely(dir.filePath(QStringLiteral("Muster_1_2024.pdf")), pdf).ok ||
            !writeFileSafely(dir.filePath(QStringLiteral("Muster_1_2024.csv")), csv).ok)
            bench.SkipWithError("write failed");
        benchmark::DoNotOptimize(pdf.size());
    }
}
BENCHMARK(BM_WriteMonthReport)->Unit(benchmark::kMillisecond);

} // namespace
