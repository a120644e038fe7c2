// The print preview's quarter turn of a captured main window against one plain copy of it:
// the turn runs when the preview opens on A4 and at each switch back to A4.
#include "print/printgeometry.h"

#include <QImage>
#include <benchmark/benchmark.h>
#include <random>

using namespace luftikon;

namespace {

// The client area of the main window at its normal size, filled with noise.
QImage capturedWindow()
{
    QImage picture(796, 693, QImage::Format_RGB32);
    std::mt19937 random(11);
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<quint32*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            row[x] = 0xff000000u | (random() & 0xffffffu);
    }
    return picture;
}

void BM_TurnCapturedWindow(benchmark::State& state)
{
    const QImage picture = capturedWindow();
    for (auto _ : state) {
        QImage turned = turnClockwise(picture);
        benchmark::DoNotOptimize(turned.constBits());
    }
}

void BM_CopyCapturedWindow(benchmark::State& state)
{
    const QImage picture = capturedWindow();
    for (auto _ : state) {
        QImage copy = picture.copy();
        benchmark::DoNotOptimize(copy.constBits());
    }
}

} // namespace

BENCHMARK(BM_TurnCapturedWindow);
BENCHMARK(BM_CopyCapturedWindow);
