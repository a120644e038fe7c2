// The window icon: found beside the resource folder in both sizes, and the bitmaps show the drawing.

#include "shell/appicon.h"

#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

using namespace luftikon;

TEST(AppIcon, BothBitmapSizesShowTheZonesOnATransparentGround)
{
    const QIcon icon = applicationIcon(QStringLiteral(LUFTIKON_RESOURCE_DIR "/"));
    ASSERT_FALSE(icon.isNull());
    for (const int size : {48, 128}) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
        const QImage picture = icon.pixmap(size, size).toImage();
        ASSERT_EQ(picture.size(), QSize(size, size));
        const auto at = [&](double x, double y) { return picture.pixelColor(int(x * size), int(y * size)); };
        EXPECT_EQ(at(0.01, 0.01).alpha(), 0) << size << ": the rounded corner is see-through";
        const QColor green = at(0.25, 0.25);
        EXPECT_TRUE(green.alpha() == 255 && green.green() > green.red() + 30 && green.green() > green.blue() + 30)
            << size << ": green zone at the top";
        const QColor red = at(0.78, 0.76);
        EXPECT_TRUE(red.alpha() == 255 && red.red() > red.green() + 40 && red.red() > red.blue() + 40)
            << size << ": red zone at the bottom";
    }
}
