#include "chart/scales.h"
#include "chart/ui/zonepicture.h"
#include "chart/zonetint.h"

#include <QImage>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

using namespace luftikon;

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

QColor afterRounds(QColor o, int rounds, std::vector<QColor> passes)
{
    for (int r = 0; r < rounds; ++r)
        for (const QColor& c : passes)
            o = tinted(o, c);
    return o;
}

// Every byte value occurs in every channel, so each table entry of the fast tint is used.
QImage patternPicture(int w = 788, int h = 641)
{
    QImage img(w, h, QImage::Format_BGR888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixelColor(x, y, QColor((x + 3 * y) % 256, (7 * x + y) % 256, (x * y) % 256));
    return img;
}

QImage templatePicture(const char* name)
{
    QImage img(QStringLiteral(LUFTIKON_RESOURCE_DIR "/") + QLatin1String(name));
    EXPECT_FALSE(img.isNull()) << name;
    img.convertTo(QImage::Format_BGR888);
    return img;
}

bool sameBytes(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), size_t(a.width()) * 3) != 0)
            return false;
    return true;
}

} // namespace

TEST(ZoneTint, BytesOfBgr888AreBlueGreenRedAndTheTintFollowsTheRule)
{
    QImage img(788, 641, QImage::Format_BGR888);
    img.fill(Qt::white);
    PaintZones(BgrRowsOf(img), 500, 200, 1, 2);
    // Worked by hand: white once green is (206, 252, 213), twice (167, 249, 178).
    EXPECT_EQ(img.pixelColor(100, 100), QColor(167, 249, 178));
    const uchar* px = img.constScanLine(100) + 100 * 3;
    EXPECT_EQ(px[0], 178); // blue first in memory
    EXPECT_EQ(px[2], 167);
}

TEST(ZoneTint, BandsRowsAndColumnsAtIntensityOneAndEight)
{
    for (int intensity : {1, 8}) {
        const QImage before = patternPicture();
        QImage img = before;
        PaintZones(BgrRowsOf(img), 500, 200, intensity, 2);
        const int rounds = intensity + 1;
        const auto expectAt = [&](int x, int y, std::vector<QColor> passes) {
            EXPECT_EQ(img.pixelColor(x, y), afterRounds(before.pixelColor(x, y), rounds, passes))
                << "x " << x << " y " << y << " intensity " << intensity;
        };
        for (int x : {38, 39, 400, 782, 783}) {
            const bool inside = x >= 39 && x <= 782;
            const auto when = [&](std::vector<QColor> p) { return inside ? p : std::vector<QColor>{}; };
            expectAt(x, 60, {});
            expectAt(x, 61, when({Green}));
            expectAt(x, 284, when({Green}));
            expectAt(x, 285, when({Green, Yellow})); // both bands, every round
            expectAt(x, 286, when({Yellow}));
            expectAt(x, 495, when({Yellow, Red}));
            expectAt(x, 496, when({Red}));
            expectAt(x, 636, when({Red}));
            for (int y = 637; y <= 640; ++y)
                expectAt(x, y, {});
        }
    }
}

TEST(ZoneTint, IntensityZeroDrawsTheTwoBorderLines)
{
    QImage img(788, 641, QImage::Format_RGB32); // as a loaded 24-bit BMP arrives
    img.fill(Qt::white);
    PaintZonesOnPicture(img, 500, 200, 0, 2);
    ASSERT_EQ(img.format(), QImage::Format_BGR888);
    for (int x = 40; x <= 782; ++x) {
        ASSERT_EQ(img.pixelColor(x, 285), QColor(0, 255, 0)) << x;
        ASSERT_EQ(img.pixelColor(x, 495), QColor(255, 0, 0)) << x;
    }
    EXPECT_EQ(img.pixelColor(39, 285), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(783, 495), QColor(Qt::white));
    // Two pixels thick, nothing tinted.
    EXPECT_EQ(img.pixelColor(400, 284), QColor(0, 255, 0));
    EXPECT_EQ(img.pixelColor(400, 283), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(400, 286), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(400, 100), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(400, 600), QColor(Qt::white));

    // A wider pen rounds the ends; a one-pixel pen gives one row.
    QImage wide(788, 641, QImage::Format_BGR888);
    wide.fill(Qt::white);
    PaintZones(BgrRowsOf(wide), 500, 200, 0, 6);
    EXPECT_EQ(wide.pixelColor(38, 285), QColor(0, 255, 0));
    EXPECT_EQ(wide.pixelColor(784, 285), QColor(0, 255, 0));
    EXPECT_EQ(wide.pixelColor(39, 282), QColor(0, 255, 0));
    EXPECT_EQ(wide.pixelColor(38, 282), QColor(Qt::white)); // the corners are cut round
    EXPECT_EQ(wide.pixelColor(38, 287), QColor(Qt::white));
    EXPECT_EQ(wide.pixelColor(400, 281), QColor(Qt::white));
    EXPECT_EQ(wide.pixelColor(400, 288), QColor(Qt::white));
    QImage thin(788, 641, QImage::Format_BGR888);
    thin.fill(Qt::white);
    PaintZones(BgrRowsOf(thin), 500, 200, 0, 1);
    EXPECT_EQ(thin.pixelColor(40, 495), QColor(255, 0, 0));
    EXPECT_EQ(thin.pixelColor(40, 494), QColor(Qt::white));

    // Equal limits: red is drawn last and wins.
    QImage same(788, 641, QImage::Format_BGR888);
    same.fill(Qt::white);
    PaintZones(BgrRowsOf(same), 400, 400, 0, 2);
    EXPECT_EQ(same.pixelColor(500, 355), QColor(255, 0, 0));
}

TEST(ZoneTint, FastTintGivesTheLiteralPixelsOnTheRealTemplates)
{
    const std::pair<int, int> limits[] = {{500, 200}, {1200, 30}, {300, 450}, {515, 513}, {0, 0}, {2500, -4}};
    for (const char* name : {"Vorlag4M.bmp", "Vorlag8M.bmp"}) {
        const QImage base = templatePicture(name);
        ASSERT_EQ(base.size(), QSize(788, 641));
        for (const auto& [green, red] : limits) {
            for (int intensity = 0; intensity <= 8; ++intensity) {
                QImage literal = base;
                QImage fast = base;
                PaintZonesLiteral(BgrRowsOf(literal), green, red, intensity, 2);
                PaintZones(BgrRowsOf(fast), green, red, intensity, 2);
                ASSERT_TRUE(sameBytes(literal, fast))
                    << name << " limits " << green << "/" << red << " intensity " << intensity;
                if (intensity > 0 && green == 500) {
                    EXPECT_FALSE(sameBytes(literal, base)); // something was painted at all
                }
            }
        }
    }
}

TEST(ZoneTint, FastTintGivesTheLiteralPixelsForEveryByteValue)
{
    const QImage base = patternPicture();
    for (int intensity : {1, 4, 8}) {
        QImage literal = base;
        QImage fast = base;
        PaintZonesLiteral(BgrRowsOf(literal), 800, 101, intensity, 2);
        PaintZones(BgrRowsOf(fast), 800, 101, intensity, 2);
        ASSERT_TRUE(sameBytes(literal, fast)) << intensity;
    }
}

TEST(ZoneTint, HighGreenLimitLeavesAThinGreenBand)
{
    QImage img(788, 641, QImage::Format_BGR888);
    img.fill(Qt::white);
    PaintZones(BgrRowsOf(img), 900, 200, 1, 2); // yG = 75
    const QColor white(Qt::white);
    EXPECT_EQ(img.pixelColor(300, 70), afterRounds(white, 2, {Green}));
    EXPECT_EQ(img.pixelColor(300, 75), afterRounds(white, 2, {Green, Yellow}));
    EXPECT_EQ(img.pixelColor(300, 76), afterRounds(white, 2, {Yellow}));
}

// A picture inside a larger buffer, with guard bytes around it and in the row padding.
struct GuardedPicture {
    static constexpr uchar Guard = 0xA5;
    static constexpr int Margin = 64;
    int width, height;
    qsizetype stride;
    std::vector<uchar> buffer;

    GuardedPicture(int w, int h) : width(w), height(h), stride(qsizetype(w) * 3 + 7)
    {
        buffer.assign(size_t(stride * h + 2 * Margin), Guard);
        for (int y = 0; y < h; ++y)
            for (qsizetype i = 0; i < qsizetype(w) * 3; ++i)
                buffer[size_t(Margin + y * stride + i)] = uchar((i * 31 + y * 17) % 251);
    }
    BgrRows rows() { return {buffer.data() + Margin, width, height, stride}; }
    bool guardsIntact() const
    {
        for (size_t i = 0; i < buffer.size(); ++i) {
            const qsizetype inside = qsizetype(i) - Margin;
            const bool pixel = inside >= 0 && inside < stride * height && inside % stride < qsizetype(width) * 3;
            if (!pixel && buffer[i] != Guard)
                return false;
        }
        return true;
    }
};

TEST(ZoneTint, NothingOutsideThePictureIsEverTouched)
{
    struct Case {
        int w, h, green, red, intensity, pen;
    };
    const Case cases[] = {
        {788, 641, 500, 200, 8, 2},  {788, 641, -5, 3000, 8, 2},  {788, 641, 3000, -5, 8, 2},
        {788, 641, 300, 450, 8, 2},  {500, 300, 500, 200, 8, 2},  {30, 20, 500, 200, 8, 2},
        {788, 70, 900, 50, 3, 2},    {788, 641, 800, 0, 0, 300},  {40, 641, 800, 0, 0, 9},
        {788, 641, 3000, -5, 0, 20}, {788, 641, 500, 200, 12, 2}, {788, 641, 500, 200, -3, -4},
        {1, 1, 0, 0, 8, 2},          {900, 641, 0, 2000, 5, 2},
    };
    for (const Case& c : cases) {
        GuardedPicture literal(c.w, c.h);
        GuardedPicture fast(c.w, c.h);
        PaintZonesLiteral(literal.rows(), c.green, c.red, c.intensity, c.pen);
        PaintZones(fast.rows(), c.green, c.red, c.intensity, c.pen);
        EXPECT_TRUE(literal.guardsIntact()) << c.w << "x" << c.h << " " << c.green << "/" << c.red;
        EXPECT_TRUE(fast.guardsIntact()) << c.w << "x" << c.h << " " << c.green << "/" << c.red;
        EXPECT_EQ(literal.buffer, fast.buffer) << c.w << "x" << c.h << " " << c.green << "/" << c.red;
    }
}

TEST(ZoneTint, OffScaleLimitDrawsNoLineAndAnEmptyViewIsIgnored)
{
    GuardedPicture pic(788, 641);
    const std::vector<uchar> before = pic.buffer;
    PaintZones(pic.rows(), 3000, -1, 0, 4);
    EXPECT_EQ(pic.buffer, before);
    PaintZones(BgrRows{}, 500, 200, 8, 2);
    QImage notBgr(10, 10, QImage::Format_RGB32);
    EXPECT_EQ(BgrRowsOf(notBgr).bits, nullptr);
}

TEST(ZoneTint, LimitsClickedBeyondTheScaleLieAtItsEnds)
{
    const auto tint = [](int green, int red) {
        QImage img(788, 641, QImage::Format_BGR888);
        img.fill(Qt::white);
        PaintZones(BgrRowsOf(img), green, red, 1, 2);
        return img;
    };
    const QImage belowZero = tint(500, -1);
    EXPECT_EQ(belowZero, tint(500, 0));
    // No red zone: the rows above the 0 line are as yellow as the middle of the chart.
    EXPECT_EQ(belowZero.pixelColor(300, 600), afterRounds(Qt::white, 2, {Yellow}));
    EXPECT_EQ(tint(2001, 200), tint(2000, 200));
    EXPECT_EQ(tint(std::numeric_limits<int>::max(), std::numeric_limits<int>::min()), tint(2000, 0));
}
