// The whole drawing of a full eight-slot month, as the user waits for it after each save.
#include "chart/ui/chartdrawing.h"
#include "diary/textfile.h"
#include "readingmonths.h"

#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

using namespace luftikon;

namespace {

const QString resources = QStringLiteral(LUFTIKON_RESOURCE_DIR "/");

enum class Intensity {
    Same,   // a redraw after a save
    Slider, // 0, 1 ... 8, 7 ... 1, 0 ...: one slider step per drawing, as a user drags it
};

// The intensity of the drawing after `current`.
int nextIntensity(Intensity kind, int current, int& direction)
{
    switch (kind) {
    case Intensity::Same:
        return current;
    case Intensity::Slider:
        if (current + direction < 0 || current + direction > 8)
            direction = -direction;
        return current + direction;
    }
    return current;
}

// `scale`: pixels to each chart pixel, 2 for a screen of twice the density.
void drawMonth(benchmark::State& bench, Intensity kind, int scale = 1)
{
    QTemporaryDir dir;
    const QString diary = dir.filePath(QStringLiteral("Muster_1_2024.tab"));
    if (!writeTextLines(diary, bench::eightSlotDiary(QStringLiteral("Muster"), 1, 2024)).ok) {
        bench.SkipWithError("diary not written");
        return;
    }
    AppState state;
    state.templatePictureFile = resources + QStringLiteral("Vorlag8M.bmp");
    state.zoneIntensity = 8;
    state.showPin = true;
    state.curveColor = 0xA00000;
    QImage picture;
    bool failed = false;
    ChartDrawing chart(state, picture, {nullptr, [&](MessageKind, const QString&) { failed = true; }}, scale);
    chart.setPinPictures({loadPictureAtScale(resources + QStringLiteral("StecknadelRechts.bmp"), scale),
                          loadPictureAtScale(resources + QStringLiteral("StecknadelLinks.bmp"), scale)});
    // A save hands the month over as written: the redraw reads nothing.
    CurrentMonth month;
    month.open(diary);
    int direction = -1;
    for (auto _ : bench) {
        state.zoneIntensity = nextIntensity(kind, state.zoneIntensity, direction);
        chart.draw(month);
        benchmark::DoNotOptimize(picture.constBits());
    }
    if (failed || month.readings().size() != 248 || chart.pinPlacement().isNull() || picture.width() != 788 * scale)
        bench.SkipWithError("the month was not drawn whole");
}

// A redraw after a save: same template, limits and intensity.
void BM_DrawMonth8(benchmark::State& bench)
{
    drawMonth(bench, Intensity::Same);
}

// One step of the settings slider: the whole month drawn at the next intensity. Dragging feels
// immediate while this stays within a frame (16 ms).
void BM_SliderStepMonth8(benchmark::State& bench)
{
    drawMonth(bench, Intensity::Slider);
}

// The same redraw on a screen of twice the density: four times the pixels.
void BM_DrawMonth8At2x(benchmark::State& bench)
{
    drawMonth(bench, Intensity::Same, 2);
}

double least(const std::vector<double>& v)
{
    return *std::min_element(v.begin(), v.end());
}

} // namespace

BENCHMARK(BM_DrawMonth8)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", least);
BENCHMARK(BM_SliderStepMonth8)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", least);
BENCHMARK(BM_DrawMonth8At2x)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", least);
