#include "table/tablepicture.h"

#include <QPainter>

namespace luftikon {

QColor gridLineColor()
{
    return QColor(1, 0, 0);
}

QFont tableFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    font.setBold(true);
    return font;
}

void paintTableCell(QPainter& painter, const QRect& section, const QString& text, const QColor& background,
                    const QColor& textColor)
{
    painter.save();
    painter.fillRect(section, gridLineColor());
    const QRect cell(section.topLeft(), QSize(section.width() - 1, section.height() - 1));
    painter.fillRect(cell, background);
    painter.setFont(tableFont());
    painter.setPen(textColor);
    // Leading blanks are part of the text: they place day labels, times and values.
    painter.drawText(cell.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter.restore();
}

QImage renderGridPicture(const CellMatrix& cells, SlotMode mode)
{
    const int rowCount = int(cells.size());
    if (rowCount == 0)
        return {};
    QImage picture(gridPictureSize(mode, rowCount), QImage::Format_RGB32);
    if (picture.isNull())
        return {};
    picture.fill(gridLineColor());
    QPainter painter(&picture);
    const int columns = tableColumnCount(mode);
    for (int row = 0; row < rowCount; ++row) {
        for (int column = 0; column < columns; ++column) {
            const QRect section(columnStart(column), row * rowPitch, columnPitch(column), rowPitch);
            paintTableCell(painter, section, cells[row].value(column), Qt::white, Qt::black);
        }
    }
    return picture;
}

} // namespace luftikon
