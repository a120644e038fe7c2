// The quarter turn of the A4 chart and the printout's title.
#include "print/printgeometry.h"

#include <QColor>
#include <gtest/gtest.h>

using namespace luftikon;

TEST(PrintGeometry, TurnPutsTheBottomLeftCornerTopLeft)
{
    // 24-bit pictures as loaded from bitmaps, and sizes that are no multiple of the tile; every pixel
    // different, so a misplaced one shows.
    QImage numbered(797, 70, QImage::Format_RGB32);
    for (int y = 0; y < numbered.height(); ++y)
        for (int x = 0; x < numbered.width(); ++x)
            numbered.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16 + y));
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_RGB888}) {
        const QImage before = numbered.convertToFormat(format);
        const QImage after = turnClockwise(before);
        ASSERT_EQ(after.size(), QSize(70, 797));
        for (int y = 0; y < after.height(); ++y)
            for (int x = 0; x < after.width(); ++x)
                ASSERT_EQ(after.pixel(x, y), before.pixel(y, 69 - x)) << x << "," << y;
    }
}

TEST(PrintGeometry, TitleDropsTheProgramPrefixBeforeMesswerte)
{
    EXPECT_EQ(printTitle(QStringLiteral("von Anna"), 420), QStringLiteral("von Anna  \u00b7  Bestwert: 420 l/min."));
    EXPECT_EQ(printTitle(QStringLiteral("Luftikon-Messwerte von Anna"), 0),
              QStringLiteral("Messwerte von Anna  \u00b7  Bestwert: 0 l/min."));
    // The prefix elsewhere leaves the heading whole.
    EXPECT_TRUE(printTitle(QStringLiteral("von Luftikon-Fan"), 5).startsWith(QStringLiteral("von Luftikon-Fan")));
}
