#include "chart/ui/zonepicture.h"

#include <algorithm>

namespace luftikon {

void toBgrPicture(QImage& picture)
{
    if (!picture.isNull() && picture.format() != QImage::Format_BGR888)
        picture.convertTo(QImage::Format_BGR888);
}

BgrRows bgrRowsOf(QImage& picture)
{
    if (picture.isNull() || picture.format() != QImage::Format_BGR888)
        return {};
    return {picture.bits(), picture.width(), picture.height(), picture.bytesPerLine(),
            std::max(1, qRound(picture.devicePixelRatio()))};
}

void paintZonesOnPicture(QImage& picture, int greenLimit, int redLimit, int intensity, int penWidth)
{
    toBgrPicture(picture);
    paintZones(bgrRowsOf(picture), greenLimit, redLimit, intensity, penWidth);
}

} // namespace luftikon
