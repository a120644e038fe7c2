#include "chartfixture.h"

#include <QFile>
#include <limits>

using namespace luftikon;
using namespace luftikon::test;

namespace {

const QColor Green(0, 255, 0);
const QColor Amber(243, 190, 93);
const QColor Red(255, 0, 0);
const QColor Curve(0, 0, 160);

int x4(int day, int offset = 0)
{
    return dayColumnX(day) + 2 + offset;
}

bool sameIn(const QImage& a, const QImage& b, const QRect& area)
{
    return sameBytes(a.copy(area), b.copy(area));
}

// Readings spread over the month, the best one (620) on day 20.
const QStringList spread{reading("Morgens", 3, 480),  reading("Abends", 3, 460),   reading("Morgens", 5, 500),
                         reading("Morgens", 10, 200), reading("Morgens", 15, 150), reading("Morgens", 20, 620)};

} // namespace

using ChartDrawingTest = ChartFixture;

TEST_F(ChartDrawingTest, MarkersTakeTheColourOfTheirZoneInTheirSlot)
{
    const QImage img = draw(march(spread));
    EXPECT_EQ(img.pixelColor(x4(5), readingY(500)), Green);  // exactly the green limit
    EXPECT_EQ(img.pixelColor(x4(10), readingY(200)), Amber); // exactly the red limit
    EXPECT_EQ(img.pixelColor(x4(15), readingY(150)), Red);
    EXPECT_EQ(img.pixelColor(x4(3, 18), readingY(460)), Amber); // the evening column of day 3
    // Between the readings runs the curve.
    EXPECT_EQ(img.pixelColor((x4(15) + x4(20)) / 2, (readingY(150) + readingY(620)) / 2), Curve);

    // The third reading of a day is plotted 12 pixels right of the morning's.
    const QImage third = draw(march({reading("Morgens", 2, 600), reading("Messung3", 2, 300)}));
    EXPECT_EQ(third.pixelColor(x4(2, 12), readingY(300)), Amber);
}

TEST_F(ChartDrawingTest, PinMarksTheFirstBestReadingWithWhiteLeftOutAndTurnsAtTheRightEdge)
{
    useEightSlots();
    const QStringList month{reading("Morgens", 2, 455), reading("Abends", 2, 420), reading("Morgens", 6, 455)};
    const QImage withPin = draw(march(month, true));
    ASSERT_EQ(chart.pinPlacement(), QRect(dayColumnX(2), limitY(455) - 44, 106, 44));
    EXPECT_EQ(this->month.summary().best.value, 455);

    state.showPin = false;
    const QImage withoutPin = draw(march(month, true));
    const QImage& pin = chart.pinPicture();
    const QRect at = chart.pinPlacement();
    for (int py = 0; py < pin.height(); ++py)
        for (int px = 0; px < pin.width(); ++px) {
            const QColor p = pin.pixelColor(px, py);
            const QColor expected = p == QColor(Qt::white) ? withoutPin.pixelColor(at.x() + px, at.y() + py) : p;
            ASSERT_EQ(withPin.pixelColor(at.x() + px, at.y() + py), expected) << px << "," << py;
        }
    EXPECT_TRUE(sameIn(withPin, withoutPin, QRect(0, 0, at.left(), 641)));
    EXPECT_TRUE(sameIn(withPin, withoutPin, QRect(at.right() + 1, 0, 788 - at.right() - 1, 641)));

    // On the last day it would leave the window: it points left, its tip at the reading.
    state.showPin = true;
    const QImage img = draw(march({reading("Morgens", 30, 300), reading("Morgens", 31, 455)}, true));
    const int x = dayColumnX(31);
    EXPECT_EQ(chart.pinPlacement(), QRect(x - 106, limitY(455) - 44, 106, 44));
    EXPECT_EQ(img.pixelColor(x - 2, limitY(455) - 2), chart.pinPicture().pixelColor(104, 42));
    // A wider window leaves room on the right.
    windowWidth = 1200;
    draw(march({reading("Morgens", 31, 455)}, true));
    EXPECT_EQ(chart.pinPlacement().left(), x);
}

TEST_F(ChartDrawingTest, DiaryWithoutReadingsShowsTheBareTemplateAndForgetsTheMonthBefore)
{
    const QImage bare = bgrPicture(resource("Vorlag4M.bmp"));
    draw(march(spread));
    ASSERT_EQ(month.summary().monthNumber, QStringLiteral("3"));

    // A month drawn before must not lend its texts to the next export.
    const QImage img = draw(march({}));
    EXPECT_TRUE(month.summary().monthNumber.isEmpty());
    EXPECT_EQ(month.summary().best.index, -1);
    EXPECT_TRUE(chart.pinPlacement().isNull());
    // Only the times-of-day strip at the top differs from the template.
    EXPECT_TRUE(sameIn(img, bare, QRect(0, 30, img.width(), img.height() - 30)));
}

TEST_F(ChartDrawingTest, OddLinesAndMiddleSlotsOfTheFourSlotChartAreCountedButNotDrawn)
{
    state.showPin = false;
    const QStringList good{reading("Morgens", 5, 400), reading("Abends", 5, 420)};
    const QImage clean = draw(march(good));

    const QStringList odd{QStringLiteral("Morgens den    xx.3.2024 Z=08:00  Luftikon=450"),
                          reading(QStringLiteral("Abends"), 6, QStringLiteral("4l0")),
                          reading(QStringLiteral("Abends"), 7, QString()),
                          reading(QStringLiteral("Messung2"), 45, QStringLiteral("300")),
                          reading(QStringLiteral("Abends"), 8, QStringLiteral("99999999999")),
                          QStringLiteral("Anmerkung ohne Datum")};
    // The middle slot, unplotted, must not make the morning draw a segment from the last drawing.
    const QImage img = draw(march(odd.mid(0, 3) + QStringList{reading("Messung6", 5, 300)} + good + odd.mid(3)));
    EXPECT_TRUE(sameBytes(img, clean));
    EXPECT_EQ(month.summary().dailyMeans[4], QStringLiteral("373"));
    EXPECT_EQ(month.summary().dailyMeans[5], QStringLiteral("0"));
    EXPECT_EQ(month.summary().best.value, 420);
}

TEST_F(ChartDrawingTest, ReadingsOffTheScaleStayInsideThePicture)
{
    useEightSlots();
    QImage img = draw(march({reading("Morgens", 5, 300), reading("Morgens", 6, 950), reading("Morgens", 7, 0)}, true));
    EXPECT_EQ(img.size(), QSize(788, 641));
    EXPECT_EQ(chart.pinPlacement(), QRect(dayColumnX(6), 31, 106, 44));

    // Far off every scale: no pin (there is no y for it).
    img = draw(march({reading("Morgens", 5, 300), reading("Messung2", 5, std::numeric_limits<int>::max()),
                      reading("Messung3", 5, std::numeric_limits<int>::min()), reading("Abends", 5, 2500)},
                     true));
    EXPECT_TRUE(chart.pinPlacement().isNull());
    EXPECT_EQ(img.size(), QSize(788, 641));
}

TEST_F(ChartDrawingTest, UnreadableDiaryOrTemplateIsToldAndAChangedTemplateIsReadAgain)
{
    draw(march(spread));
    // A missing diary: a warning and the bare template.
    const QString missing = box.file(QStringLiteral("Weg_3_2024.tab"));
    EXPECT_TRUE(drawFile(missing));
    EXPECT_FALSE(month.diary().ok);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, MessageKind::Warning);
    EXPECT_EQ(messages[0].second, QStringLiteral("Fehler beim Lesen der Datei: ") + missing);
    EXPECT_TRUE(sameBytes(picture, bgrPicture(resource("Vorlag4M.bmp"))));
    EXPECT_TRUE(month.summary().monthNumber.isEmpty());

    // The template changed on disk is read again at the next draw.
    messages.clear();
    const QString copy = box.file(QStringLiteral("Vorlage.bmp"));
    ASSERT_TRUE(QFile::copy(resource("Vorlag4M.bmp"), copy));
    state.templatePictureFile = copy;
    draw(march({}));
    QImage red(788, 641, QImage::Format_RGB888);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(copy, "BMP"));
    const QImage before = draw(march({}));
    EXPECT_EQ(before.pixelColor(700, 600), Red);

    // A broken template: an error naming it, and the last picture stays.
    Sandbox::writeBytes(copy, "BM kein Bild");
    EXPECT_FALSE(drawFile(writeDiary(march({}))));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, MessageKind::Error);
    EXPECT_TRUE(messages[0].second.contains(copy)) << messages[0].second.toStdString();
    EXPECT_TRUE(sameBytes(picture, before));
}

TEST_F(ChartDrawingTest, UnusablePenWidthDrawsWithTwoAndSaysSoOnce)
{
    state.showPin = false;
    const QImage two = draw(march(spread));
    stored[QStringLiteral("StiftBreite")] = QStringLiteral("zwei");
    settings = Settings(stored);
    const QString path = writeDiary(march(spread));
    ASSERT_TRUE(drawFile(path));
    ASSERT_TRUE(drawFile(path));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, MessageKind::Warning);
    EXPECT_TRUE(messages[0].second.contains(QStringLiteral("\"zwei\"")));
    EXPECT_TRUE(sameBytes(picture, two));
}
