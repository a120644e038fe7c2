#pragma once
// How well text stands out from its background, measured as the web's accessibility guidelines
// (WCAG 2) measure it: 1 for equal colours up to 21 for black on white.

#include <QColor>

namespace luftikon {

// The least contrast any text of the program keeps to its background.
inline constexpr double MinimumTextContrast = 4.5;

// The colour's relative luminance, 0 for black to 1 for white; alpha is ignored.
double relativeLuminance(const QColor& colour);

// (lighter + 0.05) / (darker + 0.05); the order of the two colours does not matter.
double contrastRatio(const QColor& one, const QColor& other);

} // namespace luftikon
