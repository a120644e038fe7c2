#pragma once
// How one cell of the month table looks, on screen and in the copied picture alike, and the
// picture of the whole grid built from it.

#include "table/tablecontent.h"

#include <QColor>
#include <QFont>
#include <QImage>

class QPainter;

namespace luftikon {

// Colour value 1 (0x00BBGGRR), next to black: the picture's ground, which shows as grid lines.
QColor gridLineColor();
QFont tableFont();

// Paints one grid section: the cell in `background` with its text, and the grid line on the
// section's right and bottom edge.
void paintTableCell(QPainter& painter, const QRect& section, const QString& text, const QColor& background,
                    const QColor& textColor);

// Every cell at the picture pitches, without any selection; a null image when the bitmap
// cannot be had.
QImage renderGridPicture(const CellMatrix& cells, SlotMode mode);

} // namespace luftikon
