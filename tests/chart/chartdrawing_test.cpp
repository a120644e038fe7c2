#include "chartfixture.h"

#include <QFile>
#include <algorithm>
#include <limits>
#include <tuple>

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
}

TEST_F(ChartDrawingTest, RingsAroundTheMarkersAreTheOnlyChangeToTheChart)
{
    struct Plotted {
        const char* slot;
        int slotNumber;
        int day;
        int value;
    };
    struct Case {
        bool eight;
        std::vector<Plotted> readings;
        const char* before; // the chart as drawn before the markers had rings
    };
    const std::vector<Case> cases{
        {false,
         {{"Morgens", 1, 3, 480},
          {"Abends", 8, 3, 460},
          {"Morgens", 1, 5, 500},
          {"Morgens", 1, 10, 200},
          {"Morgens", 1, 15, 150},
          {"Morgens", 1, 20, 620}},
         "march2024_four_unringed.png"},
        {true,
         {{"Morgens", 1, 2, 455}, {"Abends", 8, 2, 420}, {"Messung4", 4, 9, 300}, {"Morgens", 1, 31, 180}},
         "march2024_eight_unringed.png"},
    };
    for (const Case& c : cases) {
        if (c.eight)
            useEightSlots();
        QStringList lines;
        std::vector<QPoint> points;
        for (const Plotted& r : c.readings) {
            lines << reading(r.slot, r.day, r.value);
            points.emplace_back(readingX(r.day, r.slotNumber, c.eight ? SlotMode::Eight : SlotMode::Four),
                                readingY(r.value));
        }
        const QImage now = draw(march(lines, c.eight));
        const QImage before = bgrPicture(QStringLiteral(LUFTIKON_TEST_DATA "/chart/") + QLatin1String(c.before));
        ASSERT_EQ(now.size(), before.size());
        // Changed pixels lie on the rings: at most the first marker's radius and one more away.
        for (int y = 0; y < now.height(); ++y)
            for (int x = 0; x < now.width(); ++x) {
                if (now.pixel(x, y) == before.pixel(x, y))
                    continue;
                const bool nearMarker = std::any_of(points.begin(), points.end(), [&](QPoint p) {
                    return std::abs(p.x() - x) <= 5 && std::abs(p.y() - y) <= 5;
                });
                ASSERT_TRUE(nearMarker) << c.before << " " << x << "," << y;
            }
        // Every marker has its dark ring, also the ones on a zone of their own colour.
        for (const QPoint p : points) {
            int ring = 0;
            for (int dy = -5; dy <= 5; ++dy)
                for (int dx = -5; dx <= 5; ++dx)
                    ring += now.pixelColor(p.x() + dx, p.y() + dy) == QColor(32, 32, 32);
            EXPECT_GE(ring, 8) << c.before << " at " << p.x() << "," << p.y();
        }
    }
}

TEST_F(ChartDrawingTest, TwiceTheScaleHasTwiceThePixelsAndTheSameZonesMarkersAndPin)
{
    const QStringList readings{reading("Morgens", 28, 520), reading("Abends", 30, 180), reading("Morgens", 31, 350)};
    for (const int intensity : {3, 8}) {
        state.zoneIntensity = intensity;
        const QImage one = draw(march(readings));
        QImage sharp;
        ChartDrawing twice(state, sharp, {&settings, {}}, 2);
        twice.setPinPictures({loadPictureAtScale(resource("StecknadelRechts.bmp"), 2),
                              loadPictureAtScale(resource("StecknadelLinks.bmp"), 2)});
        ASSERT_TRUE(twice.draw(month));
        ASSERT_EQ(sharp.size(), one.size() * 2);
        EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
        EXPECT_EQ(twice.pinPlacement(), chart.pinPlacement());

        // Where both templates show bare paper, left of the readings and below the times of day,
        // each pixel's zone colour fills its two by two pixels.
        const QImage paper = bgrPicture(resource("Vorlag4M.bmp"));
        const QImage sharpPaper = bgrPicture(resource("Vorlag4M@2x.bmp"));
        const QRgb white = qRgb(255, 255, 255);
        int compared = 0;
        for (int y = 25; y < one.height(); ++y)
            for (int x = 0; x < dayColumnX(26); ++x) {
                const QPoint block(2 * x, 2 * y);
                const QPoint corners[] = {block, block + QPoint(1, 0), block + QPoint(0, 1), block + QPoint(1, 1)};
                if (paper.pixel(x, y) != white || std::any_of(std::begin(corners), std::end(corners),
                                                              [&](QPoint at) { return sharpPaper.pixel(at) != white; }))
                    continue;
                for (const QPoint at : corners)
                    ASSERT_EQ(sharp.pixelColor(at), one.pixelColor(x, y)) << x << "," << y;
                ++compared;
            }
        EXPECT_GT(compared, 200000);
        for (const auto& [day, offset, value] : {std::tuple{28, 0, 520}, {30, 18, 180}, {31, 0, 350}}) {
            const int x = x4(day, offset);
            const int y = readingY(value);
            EXPECT_EQ(sharp.pixelColor(2 * x + 1, 2 * y + 1), one.pixelColor(x, y)) << day;
        }
    }
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
    EXPECT_EQ(draw(march({})).pixelColor(700, 600), Red);
    // One whose name does not tell its type is read all the same.
    ASSERT_TRUE(red.save(copy, "PNG"));
    const QImage before = draw(march({}));
    EXPECT_EQ(before.pixelColor(700, 600), Red);
    EXPECT_TRUE(messages.empty());

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
