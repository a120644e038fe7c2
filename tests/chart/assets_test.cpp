// The pictures the build makes: colour depth, and a grid that matches the chart scales.
#include "chart/scales.h"
#include "chartfixture.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

using namespace luftikon;
using namespace luftikon::test;

namespace {

bool isWhite(const QImage& img, int x, int y)
{
    return img.pixelColor(x, y) == QColor(Qt::white);
}

} // namespace

TEST(GeneratedPictures, TemplatesAre24BitAndTheirGridSitsOnTheChartScale)
{
    for (const char* name :
         {"Vorlag4M.bmp", "Vorlag8M.bmp", "Header.bmp", "StecknadelRechts.bmp", "StecknadelLinks.bmp"}) {
        const QByteArray head = Sandbox::readBytes(resource(name)).left(30);
        ASSERT_TRUE(head.size() == 30 && head.startsWith("BM")) << name;
        EXPECT_EQ(uchar(head[28]) | uchar(head[29]) << 8, 24) << name;
    }
    for (const char* name : {"Vorlag4M.bmp", "Vorlag8M.bmp"}) {
        const QImage img(resource(name));
        ASSERT_EQ(img.size(), QSize(788, 641)) << name;
        for (int d = 1; d <= 31; ++d)
            EXPECT_FALSE(isWhite(img, dayColumnX(d), 358)) << name << " day " << d;
        for (int v = 100; v <= 800; v += 100)
            EXPECT_FALSE(isWhite(img, 50, limitY(v))) << name << " " << v << " l/min";
        // Between the lines the paper is white, so the zone tint shows evenly.
        EXPECT_TRUE(isWhite(img, 50, 358)) << name;
        EXPECT_TRUE(isWhite(img, 770, 88)) << name;
        // The times of day are written into the top rows.
        for (int y = 0; y <= 20; ++y)
            for (int x = 140; x < img.width(); ++x)
                ASSERT_TRUE(isWhite(img, x, y)) << name << " " << x << "," << y;
    }
}

TEST(GeneratedPictures, HelpDocumentIsAPdf)
{
    const QByteArray pdf = Sandbox::readBytes(resource("Luftikon-Hilfe.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_GT(pdf.size(), 20000);
}
