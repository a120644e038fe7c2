// Files nobody should write but someone will: a diary of 100,000 lines, a diary with one
// 10 MB line, a 10 MB remarks file. Each is opened (with the opener's note on undated readings),
// drawn, shown as a table and exported.
#include "browser/htmlpage.h"
#include "chart/ui/chartdrawing.h"
#include "diary/diaryfile.h"
#include "diary/entryline.h"
#include "diary/openingnote.h"
#include "diary/textfile.h"
#include "table/tablecontent.h"

#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <functional>

using namespace luftikon;

namespace {

const QString resources = QStringLiteral(LUFTIKON_RESOURCE_DIR "/");

QStringList header()
{
    return {QStringLiteral("[Personendaten]"),        QStringLiteral("BenutzerName=Muster"),
            QStringLiteral("Datum=März 2024"),        QStringLiteral("BisZu4MessungenJeTag=1"),
            QStringLiteral("BisZu8MessungenJeTag=0"), QStringLiteral("GrenzwertGruen>=500"),
            QStringLiteral("GrenzwertRot<=200"),      QString()};
}

QStringList hundredThousandLines()
{
    QStringList lines = header();
    const char* prefixes[] = {"Morgens den    ", "Messung2 den ", "Messung3 den ", "Abends den     "};
    for (int i = 0; i < 100000; ++i)
        lines << QLatin1String(prefixes[i % 4]) + QStringLiteral("%1.3.2024 Z=08:00  Luftikon=%2")
                                                      .arg(i / 4 % 31 + 1, 2, 10, QChar(u'0'))
                                                      .arg(100 + i % 600);
    return lines;
}

QStringList tenMegabyteLine()
{
    QStringList lines = header();
    lines << QStringLiteral("Morgens den    05.3.2024 Z=08:00  Luftikon=420")
          << QStringLiteral("Abends den     05.3.2024 Z=") + QString(10 * 1024 * 1024, u'9') +
                 QStringLiteral("  Luftikon=410");
    return lines;
}

struct Month {
    QTemporaryDir dir;
    QString diary = dir.filePath(QStringLiteral("Muster_3_2024.tab"));
    QStringList remarks;
};

enum class Input { HundredThousandLines, TenMegabyteLine, TenMegabyteRemarks };

void prepare(Month& month, Input input)
{
    writeTextLines(month.diary, input == Input::TenMegabyteLine
                                    ? tenMegabyteLine()
                                    : hundredThousandLines().mid(0, input == Input::TenMegabyteRemarks ? 60 : -1));
    if (input == Input::TenMegabyteRemarks) {
        for (int i = 0; month.remarks.size() * 64 < 10 * 1024 * 1024; ++i)
            month.remarks
                << QStringLiteral("%1. März:\tPollenflug stark, Spray zweimal genommen, <b>Nacht</b>.").arg(i % 31 + 1);
    }
}

// `open`: the file read and its entry lines taken apart.
void BM_Open(benchmark::State& bench, Input input)
{
    Month month;
    prepare(month, input);
    for (auto _ : bench) {
        const ReadResult read = readTextLines(month.diary);
        benchmark::DoNotOptimize(entryLinesOf(read.lines).size());
    }
}

// What every opener adds: the look for readings whose date cannot be read.
void BM_OpeningNote(benchmark::State& bench, Input input)
{
    Month month;
    prepare(month, input);
    const DiaryFile diary = readDiary(month.diary);
    for (auto _ : bench)
        benchmark::DoNotOptimize(openingNote(diary).size());
}

void BM_Draw(benchmark::State& bench, Input input)
{
    Month month;
    prepare(month, input);
    AppState state;
    state.templatePictureFile = resources + QStringLiteral("Vorlag4M.bmp");
    state.zoneIntensity = 8;
    QImage picture;
    ChartDrawing chart(state, picture, {nullptr, [](MessageKind, const QString&) {}});
    for (auto _ : bench) {
        CurrentMonth current;
        current.open(month.diary);
        chart.draw(current);
        benchmark::DoNotOptimize(picture.constBits());
    }
}

void BM_Table(benchmark::State& bench, Input input)
{
    Month month;
    prepare(month, input);
    const QList<DiaryEntry> readings = readDiary(month.diary).readings;
    for (auto _ : bench) {
        const CellMatrix cells = buildTableCells(readings, SlotMode::Four, 32);
        benchmark::DoNotOptimize(selectionText(cells, {0, 0, 11, 31}, SlotMode::Four).size());
    }
}

void BM_Export(benchmark::State& bench, Input input)
{
    Month month;
    prepare(month, input);
    PageInput page;
    page.month = {QStringLiteral("03"), QStringLiteral("2024"), QStringLiteral("März"), QStringLiteral("Muster")};
    page.bestValue = 699;
    page.readings = readDiary(month.diary).readings;
    if (!month.remarks.isEmpty())
        page.remarksLines = month.remarks;
    for (auto _ : bench)
        benchmark::DoNotOptimize(buildPage(page).size());
}

} // namespace

#define HOSTILE(step)                                                                                                  \
    BENCHMARK_CAPTURE(step, hundredThousandLines, Input::HundredThousandLines)                                         \
        ->Unit(benchmark::kMillisecond)                                                                                \
        ->Iterations(2);                                                                                               \
    BENCHMARK_CAPTURE(step, tenMegabyteLine, Input::TenMegabyteLine)->Unit(benchmark::kMillisecond)->Iterations(2);    \
    BENCHMARK_CAPTURE(step, tenMegabyteRemarks, Input::TenMegabyteRemarks)->Unit(benchmark::kMillisecond)->Iterations(2)
HOSTILE(BM_Open);
HOSTILE(BM_OpeningNote);
HOSTILE(BM_Draw);
HOSTILE(BM_Table);
HOSTILE(BM_Export);
