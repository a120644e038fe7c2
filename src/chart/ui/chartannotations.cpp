// What accompanies the curve inside the picture: the times-of-day line and the best-value pin.
#include "chart/scales.h"
#include "chart/ui/chartdrawing.h"
#include "chart/ui/zonepicture.h"
#include "diary/means.h"

#include <QFontMetrics>
#include <algorithm>

namespace luftikon {

namespace {

// The stock pictures carry white where the chart shows through.
bool isWhite(const uchar* bgr)
{
    return bgr[0] == 255 && bgr[1] == 255 && bgr[2] == 255;
}

// Copies `pin` into `chart` at `at` (in pixels), white pixels left out, clipped to the chart.
void paintLeavingOutWhite(QImage& chart, const QImage& pin, QPoint at)
{
    const int firstRow = std::max(0, -at.y());
    const int lastRow = std::min(pin.height(), chart.height() - at.y());
    const int firstColumn = std::max(0, -at.x());
    const int lastColumn = std::min(pin.width(), chart.width() - at.x());
    for (int py = firstRow; py < lastRow; ++py) {
        const uchar* from = pin.constScanLine(py);
        uchar* to = chart.scanLine(at.y() + py);
        for (int px = firstColumn; px < lastColumn; ++px) {
            const uchar* source = from + 3 * px;
            if (isWhite(source))
                continue;
            std::copy(source, source + 3, to + 3 * (at.x() + px));
        }
    }
}

} // namespace

void ChartDrawing::writeTimesLine()
{
    if (picture_.isNull())
        return;
    const SlotMode mode = layout_.mode();
    const QStringList times = !env_.settings           ? QStringList()
                              : mode == SlotMode::Four ? env_.settings->fourSlotTimes()
                                                       : env_.settings->eightSlotTimes();
    const QString text = timesOfDayLine(mode, times);
    const QPoint at = mode == SlotMode::Four ? QPoint(260, 4) : QPoint(145, 4);

    QPainter& p = painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setFont(QFont(QStringLiteral("Arial"), 8));
    const QFontMetrics metrics = p.fontMetrics();
    const QRect box(at, QSize(metrics.horizontalAdvance(text), metrics.height()));
    // Opaque white behind the text, so grid lines do not run through it.
    p.fillRect(box, Qt::white);
    p.setPen(QColor(0, 0, 255));
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    p.setCompositionMode(QPainter::CompositionMode_Source);
}

void ChartDrawing::pinBestValue(const CurrentMonth& month)
{
    // Several readings may equal the best value: the pin marks the first of them. A month whose
    // readings are all 0 has no best value to mark.
    const BestValue best = month.summary().best;
    if (best.index < 0 || best.value <= 0)
        return;
    const DiaryEntry& reading = month.readings().at(best.index);
    bestValueHidden_ = fourSlotChart() && reading.slot >= 4 && reading.slot <= 7;
    const int bestX = readingX(*chartedDay(reading), reading.slot, layout_);
    const int yPin = limitY(best.value);
    if (yPin < 0) // off the limit scale: the needle would point at nothing
        return;
    const bool pointsRight = qint64(bestX) + PinWidth <= NormalWindowWidth;
    const QImage& stock = pointsRight ? pins_.pointingRight : pins_.pointingLeft;
    if (stock.isNull())
        return;

    pinImage_ = stock.convertToFormat(QImage::Format_BGR888);
    {
        QPainter label(&pinImage_);
        QFont font(QStringLiteral("Arial"), 10);
        font.setBold(true);
        label.setFont(font);
        label.setPen(Qt::black);
        const QPoint at = pointsRight ? QPoint(35, 20) : QPoint(10, 20);
        label.drawText(QRect(at, pinImage_.size()), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                       QString::number(best.value) + QStringLiteral(" l/min."));
    }

    const int left = pointsRight ? bestX : bestX - PinWidth;
    pinPlacement_ = QRect(QPoint(left, yPin - PinHeight), pinImage_.deviceIndependentSize().toSize());
    if (!look_.showPin || picture_.isNull() || bestValueHidden_)
        return;
    finishPainting();
    toBgrPicture(picture_);
    paintLeavingOutWhite(picture_, pinImage_, pinPlacement_.topLeft() * scale_);
}

} // namespace luftikon
