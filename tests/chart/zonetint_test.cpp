#include "chart/ui/zonepicture.h"
#include "chart/zonetint.h"
#include "chartfixture.h"

#include <QImage>
#include <gtest/gtest.h>
#include <vector>

using namespace luftikon;
using namespace luftikon::test;

namespace {

const QColor Green(14, 247, 49);
const QColor Yellow(255, 255, 0);
const QColor Red(247, 18, 14);

// One tint of one pixel, straight from the rule: new = ((o*c*50) div 256 + o*205) div 256.
QColor tinted(QColor o, const QColor& c)
{
    const auto ch = [](int old, int tint) { return ((old * tint * 50) / 256 + old * 205) / 256; };
    return QColor(ch(o.red(), c.red()), ch(o.green(), c.green()), ch(o.blue(), c.blue()));
}

QColor afterRounds(QColor o, int rounds, const std::vector<QColor>& passes)
{
    for (int r = 0; r < rounds; ++r)
        for (const QColor& c : passes)
            o = tinted(o, c);
    return o;
}

// Every byte value occurs in every channel, so each table entry of the fast tint is used.
QImage patternPicture()
{
    QImage img(788, 641, QImage::Format_BGR888);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixelColor(x, y, QColor((x + 3 * y) % 256, (7 * x + y) % 256, (x * y) % 256));
    return img;
}

} // namespace

TEST(ZoneTint, BandsRowsAndColumnsFollowTheRuleInBlueGreenRedBytes)
{
    QImage img(788, 641, QImage::Format_BGR888);
    img.fill(Qt::white);
    paintZones(bgrRowsOf(img), 500, 200, 1, 2);
    // Worked by hand: white twice tinted green is (167, 249, 178), blue first in memory.
    EXPECT_EQ(img.pixelColor(100, 100), QColor(167, 249, 178));
    EXPECT_EQ(img.constScanLine(100)[100 * 3], 178);

    for (int intensity : {1, 8}) {
        const QImage before = patternPicture();
        img = before;
        paintZones(bgrRowsOf(img), 500, 200, intensity, 2);
        const auto expectAt = [&](int x, int y, const std::vector<QColor>& passes) {
            EXPECT_EQ(img.pixelColor(x, y), afterRounds(before.pixelColor(x, y), intensity + 1, passes))
                << "x " << x << " y " << y << " intensity " << intensity;
        };
        for (int x : {38, 39, 400, 782, 783}) {
            const bool inside = x >= 39 && x <= 782;
            const auto when = [&](std::vector<QColor> p) { return inside ? p : std::vector<QColor>{}; };
            expectAt(x, 60, {});
            expectAt(x, 61, when({Green}));
            expectAt(x, 285, when({Green, Yellow})); // the green limit's row: both bands, every round
            expectAt(x, 286, when({Yellow}));
            expectAt(x, 495, when({Yellow, Red}));
            expectAt(x, 496, when({Red}));
            expectAt(x, 636, when({Red}));
            expectAt(x, 637, {});
        }
    }
}

TEST(ZoneTint, IntensityZeroDrawsTheTwoBorderLines)
{
    QImage img(788, 641, QImage::Format_RGB32); // as a loaded 24-bit BMP arrives
    img.fill(Qt::white);
    paintZonesOnPicture(img, 500, 200, 0, 2);
    ASSERT_EQ(img.format(), QImage::Format_BGR888);
    for (int x = 40; x <= 782; ++x) {
        ASSERT_EQ(img.pixelColor(x, 285), QColor(0, 255, 0)) << x;
        ASSERT_EQ(img.pixelColor(x, 495), QColor(255, 0, 0)) << x;
    }
    EXPECT_EQ(img.pixelColor(400, 283), QColor(Qt::white)); // two pixels thick, 284 and 285
    EXPECT_EQ(img.pixelColor(400, 286), QColor(Qt::white));

    // Equal limits: red is drawn last and wins.
    QImage same(788, 641, QImage::Format_BGR888);
    same.fill(Qt::white);
    paintZones(bgrRowsOf(same), 400, 400, 0, 2);
    EXPECT_EQ(same.pixelColor(500, 355), QColor(255, 0, 0));
}

TEST(ZoneTint, FastTintGivesTheLiteralPixels)
{
    const std::pair<int, int> limits[] = {{500, 200}, {800, 101}, {300, 450}, {515, 513}, {2500, -4}};
    for (const QImage& base : {patternPicture(), bgrPicture(resource("Vorlag8M.bmp"))}) {
        for (const auto& [green, red] : limits) {
            for (int intensity : {0, 1, 4, 8}) {
                QImage literal = base;
                QImage fast = base;
                paintZonesLiteral(bgrRowsOf(literal), green, red, intensity, 2);
                paintZones(bgrRowsOf(fast), green, red, intensity, 2);
                ASSERT_TRUE(sameBytes(literal, fast)) << green << "/" << red << " intensity " << intensity;
            }
        }
    }
}

// The zone borders come from limits the user clicks to any value: nothing outside the picture,
// its row padding included, may be written.
TEST(ZoneTint, NothingOutsideThePictureIsEverTouched)
{
    constexpr uchar Guard = 0xA5;
    constexpr int Margin = 64;
    struct Case {
        int w, h, green, red, intensity, pen;
    };
    const Case cases[] = {
        {788, 641, -5, 3000, 8, 2}, {30, 20, 500, 200, 8, 2},    {788, 70, 900, 50, 3, 2},     {40, 641, 800, 0, 0, 9},
        {788, 641, 800, 0, 0, 300}, {788, 641, 500, 200, 12, 2}, {788, 641, 500, 200, -3, -4}, {1, 1, 0, 0, 8, 2},
    };
    for (const Case& c : cases) {
        const qsizetype stride = qsizetype(c.w) * 3 + 7;
        std::vector<uchar> buffer(size_t(stride * c.h + 2 * Margin), Guard);
        paintZones({buffer.data() + Margin, c.w, c.h, stride}, c.green, c.red, c.intensity, c.pen);
        for (size_t i = 0; i < buffer.size(); ++i) {
            const qsizetype inside = qsizetype(i) - Margin;
            const bool pixel = inside >= 0 && inside < stride * c.h && inside % stride < qsizetype(c.w) * 3;
            ASSERT_TRUE(pixel || buffer[i] == Guard) << c.w << "x" << c.h << " " << c.green << "/" << c.red;
        }
    }
    paintZones(BgrRows{}, 500, 200, 8, 2);
    QImage notBgr(10, 10, QImage::Format_RGB32);
    EXPECT_EQ(bgrRowsOf(notBgr).bits, nullptr);
}
