// Strokes from arbitrary coordinates and widths (readings reach the chart as any 32-bit value)
// onto a picture exactly as large as its rows: the sanitizer sees any byte written outside.
#include "chart/strokes.h"

#include <cstdint>
#include <cstring>
#include <vector>

using namespace luftikon;

namespace {

double takeDouble(const std::uint8_t*& data, std::size_t& size)
{
    double value = 0;
    if (size >= sizeof value) {
        std::memcpy(&value, data, sizeof value);
        data += sizeof value;
        size -= sizeof value;
    }
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    const int width = 1 + data[0] % 64;
    const int height = 1 + data[1] % 64;
    const int pen = data[2] + 1;
    const bool asIntegers = data[3] % 2 == 0;
    data += 4;
    size -= 4;
    std::vector<uchar> bytes(std::size_t(width) * 3 * std::size_t(height));
    const BgrRows rows{bytes.data(), width, height, qsizetype(width) * 3};
    while (size >= 4 * sizeof(double)) {
        double c[4];
        for (double& v : c) {
            v = takeDouble(data, size);
            // Readings arrive as 32-bit integers; raw doubles also bring NaN and infinities.
            if (asIntegers) {
                std::int32_t i = 0;
                std::memcpy(&i, &v, sizeof i);
                v = i;
            }
        }
        strokeSegment(rows, c[0], c[1], c[2], c[3], pen, Rgb{1, 2, 3});
    }
    return 0;
}
