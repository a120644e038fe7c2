#pragma once
// One printed page from start to end: the printer prepared for our dot geometry, and a job
// that either reaches the printer or tells the user in German why it did not.

#include "platform/desktop.h"

#include <QPageLayout>
#include <QPageSize>
#include <functional>

class QPainter;
class QPrinter;

namespace luftikon {

// Paper, orientation, 600 dpi and the printer's smallest margins, so that painter
// coordinates are dots counted from the printable area's corner.
void preparePrinter(QPrinter& printer, const QPageSize& pageSize, QPageLayout::Orientation orientation);

// Runs `draw` on one page of `printer` as chosen in the print dialog. Every failure (no
// printer, a stopped printer, a job that cannot begin or end, a PDF file that cannot be
// written) is reported; true only when the page was handed over whole.
bool printPage(Desktop& desktop, QPrinter& printer, const std::function<void(QPainter&)>& draw);

} // namespace luftikon
