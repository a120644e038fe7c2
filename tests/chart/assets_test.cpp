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

TEST(GeneratedPictures, TemplatesAre24BitAndTheirGridSitsOnTheChartScaleAtBothDensities)
{
    for (const char* base : {"Vorlag4M", "Vorlag8M", "Header", "StecknadelRechts", "StecknadelLinks"}) {
        const QString name = QLatin1String(base);
        for (const QString& file : {name + QStringLiteral(".bmp"), name + QStringLiteral("@2x.bmp")}) {
            const QByteArray head = Sandbox::readBytes(installedResources + file).left(30);
            ASSERT_TRUE(head.size() == 30 && head.startsWith("BM")) << file.toStdString();
            EXPECT_EQ(uchar(head[28]) | uchar(head[29]) << 8, 24) << file.toStdString();
        }
        EXPECT_EQ(QImage(installedResources + name + QStringLiteral("@2x.bmp")).size(),
                  QImage(installedResources + name + QStringLiteral(".bmp")).size() * 2)
            << base;
    }
    for (const char* name : {"Vorlag4M.bmp", "Vorlag8M.bmp", "Vorlag4M@2x.bmp", "Vorlag8M@2x.bmp"}) {
        const QImage img(resource(name));
        const int s = img.width() / 788;
        ASSERT_EQ(img.size(), QSize(788, 641) * s) << name;
        // Every chart pixel of a line covers s x s pixels.
        for (int d = 1; d <= 31; ++d)
            EXPECT_FALSE(isWhite(img, s * dayColumnX(d) + s - 1, s * 358)) << name << " day " << d;
        for (int v = 100; v <= 800; v += 100)
            EXPECT_FALSE(isWhite(img, s * 50, s * limitY(v) + s - 1)) << name << " " << v << " l/min";
        // Between the lines the paper is white, so the zone tint shows evenly.
        EXPECT_TRUE(isWhite(img, s * 50, s * 358)) << name;
        EXPECT_TRUE(isWhite(img, s * 770, s * 88)) << name;
        // The times of day are written into the top rows.
        for (int y = 0; y <= 20 * s; ++y)
            for (int x = 140 * s; x < img.width(); ++x)
                ASSERT_TRUE(isWhite(img, x, y)) << name << " " << x << "," << y;
    }
}

TEST(GeneratedPictures, HelpDocumentIsAPdf)
{
    const QByteArray pdf = Sandbox::readBytes(resource("Luftikon-Hilfe.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_GT(pdf.size(), 20000);
}
