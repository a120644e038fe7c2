// Zone tint against the cost of one picture copy: the tint runs once per chart drawing.
#include "chart/ui/zonepicture.h"
#include "chart/zonetint.h"

#include <QImage>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstring>
#include <random>
#include <vector>

using namespace luftikon;

namespace {

QImage chartTemplate()
{
    QImage img(QStringLiteral(LUFTIKON_RESOURCE_DIR "/Vorlag4M.bmp"));
    if (img.isNull())
        img = QImage(788, 641, QImage::Format_BGR888), img.fill(Qt::white);
    img.convertTo(QImage::Format_BGR888);
    return img;
}

// No two neighbouring pixels alike: the worst case for the fast tint.
QImage noisePicture()
{
    QImage img(788, 641, QImage::Format_BGR888);
    std::mt19937 random(7);
    for (int y = 0; y < img.height(); ++y) {
        uchar* row = img.scanLine(y);
        for (int i = 0; i < img.width() * 3; ++i)
            row[i] = uchar(random());
    }
    return img;
}

void restore(QImage& work, const QImage& from)
{
    std::memcpy(work.bits(), from.constBits(), size_t(from.sizeInBytes()));
}

template <void (*Tint)(const BgrRows&, int, int, int, int)> void runTint(benchmark::State& state, const QImage& base)
{
    QImage work = base.copy();
    for (auto _ : state) {
        state.PauseTiming();
        restore(work, base);
        state.ResumeTiming();
        Tint(bgrRowsOf(work), 500, 200, 8, 2);
        benchmark::DoNotOptimize(work.bits());
        benchmark::ClobberMemory();
    }
}

void BM_TintLiteral(benchmark::State& state)
{
    runTint<paintZonesLiteral>(state, chartTemplate());
}
void BM_TintFast(benchmark::State& state)
{
    runTint<paintZones>(state, chartTemplate());
}
void BM_TintFastNoise(benchmark::State& state)
{
    runTint<paintZones>(state, noisePicture());
}

// One copy of the whole picture into an existing one: what each literal pass pays twice.
void BM_CopyPicture(benchmark::State& state)
{
    const QImage base = chartTemplate();
    QImage work = base.copy();
    for (auto _ : state) {
        restore(work, base);
        benchmark::DoNotOptimize(work.bits());
        benchmark::ClobberMemory();
    }
}

} // namespace

// The machine may be shared: with --benchmark_repetitions the least time is the fairest figure.
static double least(const std::vector<double>& v)
{
    return *std::min_element(v.begin(), v.end());
}

BENCHMARK(BM_TintLiteral)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", least);
BENCHMARK(BM_TintFast)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", least);
BENCHMARK(BM_TintFastNoise)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", least);
BENCHMARK(BM_CopyPicture)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", least);
