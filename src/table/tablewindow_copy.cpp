#include "table/tablepicture.h"
#include "table/tablewindow.h"

#include <QTableWidget>
#include <algorithm>

namespace luftikon {

CellMatrix TableWindow::cellTexts() const
{
    CellMatrix cells(readingsGrid_->rowCount());
    for (int row = 0; row < readingsGrid_->rowCount(); ++row) {
        for (int column = 0; column < readingsGrid_->columnCount(); ++column) {
            const QTableWidgetItem* item = readingsGrid_->item(row, column);
            cells[row] << (item ? item->text() : QString());
        }
    }
    return cells;
}

CellRange TableWindow::selection() const
{
    const QList<QTableWidgetSelectionRange> ranges = readingsGrid_->selectedRanges();
    if (ranges.isEmpty()) {
        const int row = std::max(0, readingsGrid_->currentRow());
        const int column = std::max(0, readingsGrid_->currentColumn());
        return {column, row, column, row};
    }
    CellRange range{ranges.front().leftColumn(), ranges.front().topRow(), ranges.front().rightColumn(),
                    ranges.front().bottomRow()};
    for (const QTableWidgetSelectionRange& r : ranges) {
        range.left = std::min(range.left, r.leftColumn());
        range.top = std::min(range.top, r.topRow());
        range.right = std::max(range.right, r.rightColumn());
        range.bottom = std::max(range.bottom, r.bottomRow());
    }
    return range;
}

QImage TableWindow::gridPicture() const
{
    return renderGridPicture(cellTexts(), layoutMode_);
}

void TableWindow::copySelectedText()
{
    desktop_.setClipboardText(selectionText(cellTexts(), selection(), layoutMode_));
}

void TableWindow::copyAllAsPicture()
{
    const QImage picture = gridPicture();
    if (picture.isNull()) {
        desktop_.error(QStringLiteral("Das Bild der Tabelle konnte nicht erstellt werden; es wurde nichts kopiert."));
        return;
    }
    desktop_.setClipboardImage(picture);
}

void TableWindow::copySelectionAsPicture()
{
    const QImage picture = gridPicture();
    if (picture.isNull()) {
        desktop_.error(QStringLiteral("Das Bild der Tabelle konnte nicht erstellt werden; es wurde nichts kopiert."));
        return;
    }
    desktop_.setClipboardImage(picture.copy(selectionPictureRect(layoutMode_, readingsGrid_->rowCount(), selection())));
}

} // namespace luftikon
