// The pictures the build makes: sizes, colour depth, and a grid that matches the chart scales.
#include "chart/scales.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

using namespace luftikon;

namespace {

QString resource(const char* name)
{
    return QStringLiteral(LUFTIKON_RESOURCE_DIR "/") + QLatin1String(name);
}

int bmpBitsPerPixel(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray head = f.read(30);
    if (head.size() < 30 || !head.startsWith("BM"))
        return -1;
    return uchar(head[28]) | uchar(head[29]) << 8;
}

bool isWhite(const QImage& img, int x, int y)
{
    return img.pixelColor(x, y) == QColor(Qt::white);
}

} // namespace

TEST(GeneratedPictures, SizesAndColourDepth)
{
    const std::pair<const char*, QSize> pictures[] = {{"Vorlag4M.bmp", {788, 641}},
                                                      {"Vorlag8M.bmp", {788, 641}},
                                                      {"Header.bmp", {788, 22}},
                                                      {"StecknadelRechts.bmp", {106, 44}},
                                                      {"StecknadelLinks.bmp", {106, 44}}};
    for (const auto& [name, size] : pictures) {
        EXPECT_EQ(bmpBitsPerPixel(resource(name)), 24) << name;
        EXPECT_EQ(QImage(resource(name)).size(), size) << name;
    }
}

TEST(GeneratedPictures, TemplateGridSitsOnTheChartScale)
{
    for (const char* name : {"Vorlag4M.bmp", "Vorlag8M.bmp"}) {
        const QImage img(resource(name));
        ASSERT_FALSE(img.isNull()) << name;
        EXPECT_FALSE(isWhite(img, 40, 355)) << name; // day 1 at 400 l/min
        for (int d = 1; d <= 31; ++d)
            EXPECT_FALSE(isWhite(img, DayColumnX(d), 358)) << name << " day " << d;
        for (int v = 100; v <= 800; v += 100)
            EXPECT_FALSE(isWhite(img, 50, LimitY(v))) << name << " " << v << " l/min";
        // Between the lines the paper is white, so the zone tint shows evenly.
        EXPECT_TRUE(isWhite(img, 50, 358)) << name;
        EXPECT_TRUE(isWhite(img, 45, 505)) << name;
        EXPECT_TRUE(isWhite(img, 770, 88)) << name;
        // The times of day are written into the top rows.
        for (int y = 0; y <= 20; ++y)
            for (int x = 140; x < img.width(); ++x)
                ASSERT_TRUE(isWhite(img, x, y)) << name << " " << x << "," << y;
    }
}

TEST(GeneratedPictures, PinsAreMirrorImagesWithTheTipInTheirCorner)
{
    const QImage right(resource("StecknadelRechts.bmp"));
    const QImage left(resource("StecknadelLinks.bmp"));
    ASSERT_FALSE(right.isNull());
    EXPECT_EQ(left, right.mirrored(true, false));
    EXPECT_FALSE(isWhite(right, 0, 43)); // needle tip
    EXPECT_TRUE(isWhite(right, 105, 43));
    EXPECT_TRUE(isWhite(right, 0, 0));
    EXPECT_FALSE(isWhite(left, 105, 43));
    // White is left out when the pin is painted: the label box must have none inside.
    for (int y = 18; y <= 36; ++y)
        for (int x = 33; x <= 100; ++x)
            ASSERT_FALSE(isWhite(right, x, y)) << x << "," << y;
}

TEST(GeneratedPictures, HelpDocumentIsAPdf)
{
    QFile pdf(resource("Luftikon-Hilfe.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF-"));
    EXPECT_GT(pdf.size(), 20000);
}
