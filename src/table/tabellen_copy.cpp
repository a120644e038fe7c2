#include "table/tabellen.h"
#include "table/tablepicture.h"

#include <QTableWidget>
#include <algorithm>

namespace luftikon {

CellMatrix TTabellenDlg::cellTexts() const
{
    CellMatrix cells(StringGrid1->rowCount());
    for (int row = 0; row < StringGrid1->rowCount(); ++row) {
        for (int column = 0; column < StringGrid1->columnCount(); ++column) {
            const QTableWidgetItem* item = StringGrid1->item(row, column);
            cells[row] << (item ? item->text() : QString());
        }
    }
    return cells;
}

CellRange TTabellenDlg::selection() const
{
    const QList<QTableWidgetSelectionRange> ranges = StringGrid1->selectedRanges();
    if (ranges.isEmpty()) {
        const int row = std::max(0, StringGrid1->currentRow());
        const int column = std::max(0, StringGrid1->currentColumn());
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

QImage TTabellenDlg::gridPicture() const
{
    return renderGridPicture(cellTexts(), layoutMode_);
}

void TTabellenDlg::MarkierterTextkopieren1Click()
{
    desktop_.setClipboardText(selectionText(cellTexts(), selection(), layoutMode_));
}

void TTabellenDlg::AllesalsGrafikkopieren1Click()
{
    const QImage picture = gridPicture();
    if (picture.isNull()) {
        desktop_.error(QStringLiteral("Das Bild der Tabelle konnte nicht erstellt werden; es wurde nichts kopiert."));
        return;
    }
    desktop_.setClipboardImage(picture);
}

void TTabellenDlg::NurmarkierterBereichalsGrafikkopieren1Click()
{
    const QImage picture = gridPicture();
    if (picture.isNull()) {
        desktop_.error(QStringLiteral("Das Bild der Tabelle konnte nicht erstellt werden; es wurde nichts kopiert."));
        return;
    }
    desktop_.setClipboardImage(picture.copy(selectionPictureRect(layoutMode_, StringGrid1->rowCount(), selection())));
}

} // namespace luftikon
