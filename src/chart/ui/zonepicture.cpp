#include "chart/ui/zonepicture.h"

namespace luftikon {

void ToBgrPicture(QImage& picture)
{
    if (!picture.isNull() && picture.format() != QImage::Format_BGR888)
        picture.convertTo(QImage::Format_BGR888);
}

BgrRows BgrRowsOf(QImage& picture)
{
    if (picture.isNull() || picture.format() != QImage::Format_BGR888)
        return {};
    return {picture.bits(), picture.width(), picture.height(), picture.bytesPerLine()};
}

void PaintZonesOnPicture(QImage& picture, int greenLimit, int redLimit, int intensity, int penWidth)
{
    ToBgrPicture(picture);
    PaintZones(BgrRowsOf(picture), greenLimit, redLimit, intensity, penWidth);
}

} // namespace luftikon
