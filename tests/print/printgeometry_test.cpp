// The page arithmetic of the printouts: the quarter turn, the dot rounding, the title.
#include "print/printgeometry.h"

#include <QColor>
#include <gtest/gtest.h>

using namespace luftikon;

namespace {

// Every pixel different, so a misplaced one shows.
QImage numberedPicture(int width, int height, QImage::Format format)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256));
    return picture.convertToFormat(format);
}

} // namespace

TEST(PrintGeometry, TurnPutsTheBottomLeftCornerTopLeft)
{
    // 24-bit pictures as loaded from bitmaps, and sizes that are no multiple of the tile.
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_RGB888}) {
        const QImage before = numberedPicture(797, 70, format);
        const QImage after = turnClockwise(before);
        ASSERT_EQ(after.size(), QSize(70, 797));
        EXPECT_EQ(after.depth(), 32);
        EXPECT_EQ(after.pixel(0, 0), before.pixel(0, 69));     // bottom-left → top-left
        EXPECT_EQ(after.pixel(69, 0), before.pixel(0, 0));     // top-left → top-right
        EXPECT_EQ(after.pixel(69, 796), before.pixel(796, 0)); // top-right → bottom-right
        for (int y = 0; y < after.height(); ++y)
            for (int x = 0; x < after.width(); ++x)
                ASSERT_EQ(after.pixel(x, y), before.pixel(y, 69 - x)) << x << "," << y;
    }
    EXPECT_TRUE(turnClockwise(QImage()).isNull());
}

TEST(PrintGeometry, DotsRoundHalvesToEven)
{
    EXPECT_EQ(pointsToDots(5, 72, 0.5), 2);      // 2.5
    EXPECT_EQ(pointsToDots(7, 72, 0.5), 4);      // 3.5
    EXPECT_EQ(pointsToDots(3, 600, 0.85), 21);   // 21.25
    EXPECT_EQ(pointsToDots(40, 300, 0.65), 108); // 108.33
}

TEST(PrintGeometry, TitleDropsTheProgramPrefixBeforeMesswerte)
{
    EXPECT_EQ(printTitle(QStringLiteral("von Anna"), 420), QStringLiteral("von Anna  \u00b7  Bestwert: 420 l/min."));
    EXPECT_EQ(printTitle(QStringLiteral("Luftikon-Messwerte von Anna"), 0),
              QStringLiteral("Messwerte von Anna  \u00b7  Bestwert: 0 l/min."));
    // "Messwerte" alone, or the prefix alone, leaves the heading whole.
    EXPECT_EQ(printTitle(QStringLiteral("Messwerte von Anna"), 5),
              QStringLiteral("Messwerte von Anna  \u00b7  Bestwert: 5 l/min."));
    EXPECT_TRUE(printTitle(QStringLiteral("von Luftikon-Fan"), 5).startsWith(QStringLiteral("von Luftikon-Fan")));
}

TEST(PrintGeometry, StoredFormatTextsAreSearched)
{
    EXPECT_EQ(paperFromText(QStringLiteral("DINA5")), ChartPaper::A5);
    EXPECT_EQ(paperFromText(QStringLiteral(" DINA6 ")), ChartPaper::A6);
    EXPECT_EQ(paperFromText(QString()), std::nullopt);
    EXPECT_EQ(paperFromText(QStringLiteral("A4")), std::nullopt);
}
