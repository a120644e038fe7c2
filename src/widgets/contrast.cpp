#include "widgets/contrast.h"

#include <algorithm>
#include <cmath>

namespace luftikon {

namespace {

// One sRGB channel of 0..255 as linear light.
double linearChannel(int value)
{
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double relativeLuminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * linearChannel(rgb.red()) + 0.7152 * linearChannel(rgb.green()) + 0.0722 * linearChannel(rgb.blue());
}

double contrastRatio(const QColor& one, const QColor& other)
{
    const double a = relativeLuminance(one);
    const double b = relativeLuminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

} // namespace luftikon
