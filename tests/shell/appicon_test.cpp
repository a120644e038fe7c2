// The window icon: found beside the resource folder in both sizes, and the bitmaps show the drawing.

#include "shell/appicon.h"

#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

using namespace luftikon;

namespace {

QString resourceFolder()
{
    return QStringLiteral(LUFTIKON_RESOURCE_DIR "/");
}

bool mostlyGreen(QColor c)
{
    return c.alpha() == 255 && c.green() > c.red() + 30 && c.green() > c.blue() + 30;
}

bool mostlyRed(QColor c)
{
    return c.alpha() == 255 && c.red() > c.green() + 40 && c.red() > c.blue() + 40;
}

} // namespace

TEST(AppIcon, BothBitmapSizesShowTheZonesOnATransparentGround)
{
    const QIcon icon = applicationIcon(resourceFolder());
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(48, 48)));
    EXPECT_TRUE(sizes.contains(QSize(256, 256)));

    for (const int size : {48, 256}) {
        const QImage picture = icon.pixmap(size, size).toImage();
        ASSERT_EQ(picture.size(), QSize(size, size));
        const auto at = [&](double x, double y) { return picture.pixelColor(int(x * size), int(y * size)); };
        EXPECT_EQ(at(0.01, 0.01).alpha(), 0) << size << ": the rounded corner is see-through";
        EXPECT_TRUE(mostlyGreen(at(0.25, 0.25))) << size << ": green zone at the top";
        EXPECT_TRUE(mostlyRed(at(0.78, 0.76))) << size << ": red zone at the bottom";
    }
}
