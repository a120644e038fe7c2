#include "widgets/pictureview.h"

#include <QPainter>

namespace luftikon {

PictureView::PictureView(QWidget* parent) : QWidget(parent)
{
    // The picture covers the widget whole; nothing behind it needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void PictureView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (picture_.isNull()) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, picture_.deviceIndependentSize() != QSizeF(size()));
    painter.drawImage(rect(), picture_);
}

} // namespace luftikon
