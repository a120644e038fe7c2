#include "chart/scales.h"
#include "chart/zonetint.h"
#include "chartfixture.h"

#include <QFile>
#include <cstring>

using namespace luftikon;
using namespace luftikon::test;

namespace {

const QColor Green(0, 255, 0);
const QColor Amber(243, 190, 93);
const QColor Red(255, 0, 0);
const QColor Curve(0, 0, 160);

int x4(int day, int offset = 0)
{
    return DayColumnX(day) + 2 + offset;
}

// The tint of one pixel after `rounds` rounds of one band's pass.
QColor tintedRounds(QColor o, const QColor& c, int rounds)
{
    for (int i = 0; i < rounds; ++i)
        o = QColor(TintChannel(o.red(), c.red()), TintChannel(o.green(), c.green()), TintChannel(o.blue(), c.blue()));
    return o;
}

// Length of the run of `colour` in row y through x.
int runLength(const QImage& img, int x, int y, const QColor& colour)
{
    if (img.pixelColor(x, y) != colour)
        return 0;
    int left = x;
    int right = x;
    while (left > 0 && img.pixelColor(left - 1, y) == colour)
        --left;
    while (right + 1 < img.width() && img.pixelColor(right + 1, y) == colour)
        ++right;
    return right - left + 1;
}

// A pixel of `colour` in row y between the two columns.
bool colourInRow(const QImage& img, int y, int from, int to, const QColor& colour)
{
    for (int x = from; x <= to; ++x)
        if (img.pixelColor(x, y) == colour)
            return true;
    return false;
}

bool sameIn(const QImage& a, const QImage& b, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (a.pixelColor(x, y) != b.pixelColor(x, y))
                return false;
    return true;
}

bool sameBytes(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.format() != b.format())
        return false;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), size_t(a.width()) * 3) != 0)
            return false;
    return true;
}

// Readings spread over the month, the best one (620) on day 20.
const std::vector<Reading> spread{{"Morgens", 3, "480"},  {"Abends", 3, "460"},   {"Morgens", 5, "500"},
                                  {"Morgens", 10, "200"}, {"Morgens", 15, "150"}, {"Morgens", 20, "620"}};

} // namespace

using ChartDrawingTest = ChartFixture;

TEST_F(ChartDrawingTest, ZonesAreTintedAfterARealDrawingByIntensity)
{
    const QImage bare = bgrPicture(resource("Vorlag4M.bmp"));
    // Day 27, far from every reading and from the pin: a green, a yellow and a red band pixel.
    const int x = x4(27, 5);
    const int yGreen = 200, yYellow = 400, yRed = 560;
    // Back to 1 at the end: the tinted template kept for redraws must follow the intensity.
    for (int intensity : {1, 8, 1}) {
        state.zoneIntensity = intensity;
        const QImage img = draw(diaryLines(3, 2024, spread));
        const int rounds = intensity + 1;
        EXPECT_EQ(at(img, x, yGreen), tintedRounds(at(bare, x, yGreen), QColor(14, 247, 49), rounds)) << intensity;
        EXPECT_EQ(at(img, x, yYellow), tintedRounds(at(bare, x, yYellow), QColor(255, 255, 0), rounds)) << intensity;
        EXPECT_EQ(at(img, x, yRed), tintedRounds(at(bare, x, yRed), QColor(247, 18, 14), rounds)) << intensity;
        // Above row 61 nothing is tinted.
        EXPECT_EQ(at(img, x, 40), at(bare, x, 40));
    }
}

TEST_F(ChartDrawingTest, IntensityZeroDrawsTheTwoBorderLinesOnly)
{
    state.zoneIntensity = 0;
    const QImage bare = bgrPicture(resource("Vorlag4M.bmp"));
    state.greenLimit = 600; // drawn first with other limits, then with the diary's
    draw(diaryLines(3, 2024, spread));
    state.greenLimit = 500;
    const QImage img = draw(diaryLines(3, 2024, spread));
    EXPECT_NE(at(img, x4(27, 5), LimitY(600)), Green);
    const int x = x4(27, 5);
    EXPECT_EQ(at(img, x, 285), Green);
    EXPECT_EQ(at(img, x, 495), Red);
    EXPECT_EQ(at(img, 40, 285), Green);
    EXPECT_EQ(at(img, 782, 495), Red);
    EXPECT_EQ(at(img, x, 200), at(bare, x, 200));
    EXPECT_EQ(at(img, x, 400), at(bare, x, 400));
}

TEST_F(ChartDrawingTest, MarkersTakeTheColourOfTheirZone)
{
    const QImage img = draw(diaryLines(3, 2024, spread));
    EXPECT_EQ(at(img, x4(5), ReadingY(500)), Green);  // exactly the green limit
    EXPECT_EQ(at(img, x4(10), ReadingY(200)), Amber); // exactly the red limit
    EXPECT_EQ(at(img, x4(15), ReadingY(150)), Red);
    EXPECT_EQ(at(img, x4(3, 18), ReadingY(460)), Amber); // the evening column of day 3
    // Between the readings runs the curve.
    EXPECT_EQ(at(img, (x4(15) + x4(20)) / 2, (ReadingY(150) + ReadingY(620)) / 2), Curve);
}

TEST_F(ChartDrawingTest, FirstMarkerIsLargerAndLargerStillInTheFourSlotChart)
{
    state.showPin = false;
    const std::vector<Reading> two{{"Morgens", 8, "600"}, {"Morgens", 12, "600"}};
    const QImage four = draw(diaryLines(3, 2024, two));
    const int firstFour = runLength(four, x4(8), ReadingY(600), Green);
    const int laterFour = runLength(four, x4(12), ReadingY(600), Green);

    useEightSlots();
    const QImage eight = draw(diaryLines(3, 2024, two, true));
    const int firstEight = runLength(eight, DayColumnX(8), ReadingY(600), Green);
    const int laterEight = runLength(eight, DayColumnX(12), ReadingY(600), Green);

    // W = 2: the first dot W + 4 wide in the four-slot chart, W + 2 in the eight-slot chart,
    // every later dot W + 2; the dots are diagonal strokes one pixel long, so one pixel wider.
    EXPECT_EQ(firstFour - laterFour, 2);
    EXPECT_EQ(firstEight, laterEight);
    EXPECT_EQ(laterFour, laterEight);
    EXPECT_GE(laterFour, 4);
    EXPECT_LE(laterFour, 5);
}

TEST_F(ChartDrawingTest, SegmentStopsPenWidthShortOfThePreviousReading)
{
    state.showPin = false;
    settings[QStringLiteral("StiftBreite")] = QStringLiteral("1");
    state.zoneIntensity = 0;
    // Equal readings: the segment ends W above the earlier point; a lower one ends W below it.
    const QImage img = draw(diaryLines(3, 2024, {{"Morgens", 8, "600"}, {"Morgens", 9, "600"}}));
    const int y = ReadingY(600);
    // From the second reading's row the curve rises by one row towards the first dot.
    EXPECT_EQ(at(img, x4(8) + 20, y), Curve);
    EXPECT_NE(at(img, x4(8) + 20, y - 1), Curve);
    EXPECT_EQ(at(img, x4(8) + 5, y - 1), Curve);
    EXPECT_NE(at(img, x4(8) + 5, y), Curve);
    EXPECT_EQ(chart.PrevX, x4(9));
    EXPECT_EQ(chart.PrevY, y);
}

TEST_F(ChartDrawingTest, PinMarksTheBestReadingWithWhiteLeftOut)
{
    useEightSlots();
    const std::vector<Reading> month{{"Morgens", 2, "455"}, {"Abends", 2, "420"}, {"Morgens", 6, "430"}};
    const QImage withPin = draw(diaryLines(3, 2024, month, true));
    ASSERT_EQ(chart.pinPlacement(), QRect(64, 272, 106, 44));
    EXPECT_EQ(state.bestValue, 455);
    EXPECT_EQ(state.bestValueX, 64);

    state.showPin = false;
    const QImage withoutPin = draw(diaryLines(3, 2024, month, true));
    EXPECT_EQ(chart.pinPlacement(), QRect(64, 272, 106, 44)); // still composed, not painted
    EXPECT_EQ(state.bestValue, 455);

    const QImage& pin = chart.StecknadelImage();
    ASSERT_EQ(pin.size(), QSize(106, 44));
    int painted = 0;
    for (int py = 0; py < 44; ++py) {
        for (int px = 0; px < 106; ++px) {
            const QColor p = pin.pixelColor(px, py);
            const QColor expected = p == QColor(Qt::white) ? at(withoutPin, 64 + px, 272 + py) : p;
            ASSERT_EQ(at(withPin, 64 + px, 272 + py), expected) << px << "," << py;
            painted += p != QColor(Qt::white);
        }
    }
    EXPECT_GT(painted, 500);
    // The needle tip sits in the bottom left corner, at the reading.
    EXPECT_NE(pin.pixelColor(1, 42), QColor(Qt::white));
    // Outside the pin nothing differs.
    EXPECT_TRUE(sameIn(withPin, withoutPin, QRect(0, 0, 64, 641)));
    EXPECT_TRUE(sameIn(withPin, withoutPin, QRect(170, 0, 618, 641)));
}

TEST_F(ChartDrawingTest, PinPointsLeftWhenItWouldLeaveTheWindow)
{
    useEightSlots();
    const QImage img = draw(diaryLines(3, 2024, {{"Morgens", 30, "300"}, {"Morgens", 31, "455"}}, true));
    const int x = DayColumnX(31);
    EXPECT_EQ(chart.pinPlacement(), QRect(x - 106, 272, 106, 44));
    // The left-pointing pin has its needle tip in the bottom right corner.
    const QImage& pin = chart.StecknadelImage();
    EXPECT_NE(pin.pixelColor(104, 42), QColor(Qt::white));
    EXPECT_EQ(pin.pixelColor(1, 42), QColor(Qt::white));
    EXPECT_EQ(at(img, x - 2, 314), pin.pixelColor(104, 42));

    // A wider window leaves room on the right.
    windowWidth = 1200;
    draw(diaryLines(3, 2024, {{"Morgens", 31, "455"}}, true));
    EXPECT_EQ(chart.pinPlacement(), QRect(x, 272, 106, 44));
}

TEST_F(ChartDrawingTest, SeveralEqualBestReadingsGetOnePinAtTheFirst)
{
    draw(diaryLines(3, 2024, {{"Morgens", 3, "480"}, {"Morgens", 17, "480"}, {"Abends", 17, "300"}}));
    EXPECT_EQ(state.bestValue, 480);
    EXPECT_EQ(state.bestValueX, x4(3));
    EXPECT_EQ(chart.pinPlacement().left(), x4(3));
}

TEST_F(ChartDrawingTest, DiaryWithoutReadingsShowsTheBareTemplateAndTheTimes)
{
    const QImage bare = bgrPicture(resource("Vorlag4M.bmp"));
    // A month drawn before must not lend its texts to the next export.
    draw(diaryLines(3, 2024, spread));
    EXPECT_EQ(state.monthNumber, QStringLiteral("3"));

    const QImage img = draw(diaryLines(4, 2024, {}));
    EXPECT_TRUE(state.monthNumber.isEmpty());
    EXPECT_TRUE(state.monthName.isEmpty());
    EXPECT_TRUE(state.monthYear.isEmpty());
    EXPECT_TRUE(state.pointList.isEmpty());
    EXPECT_TRUE(state.entryList.isEmpty());
    EXPECT_FALSE(state.zonesPainted);
    EXPECT_EQ(state.bestValue, 0);
    EXPECT_TRUE(chart.pinPlacement().isNull());
    // Only the times-of-day strip at the top differs from the template.
    EXPECT_TRUE(sameIn(img, bare, QRect(0, 30, img.width(), img.height() - 30)));
    int blue = 0;
    for (int y = 4; y < 20; ++y)
        for (int x = 260; x < 500; ++x)
            blue += at(img, x, y).blue() > 150 && at(img, x, y).red() < 120;
    EXPECT_GT(blue, 20);
    EXPECT_TRUE(sameIn(img, bare, QRect(0, 0, 255, 30)));
}

TEST_F(ChartDrawingTest, TimesLineMovesLeftInTheEightSlotChart)
{
    const auto blueIn = [](const QImage& img, int from, int to) {
        int n = 0;
        for (int y = 4; y < 20; ++y)
            for (int x = from; x < to; ++x)
                n += at(img, x, y).blue() > 150 && at(img, x, y).red() < 120;
        return n;
    };
    const QImage four = draw(diaryLines(3, 2024, {}));
    EXPECT_EQ(blueIn(four, 145, 255), 0);
    useEightSlots();
    const QImage eight = draw(diaryLines(3, 2024, {}, true));
    EXPECT_GT(blueIn(eight, 145, 255), 20);
}

TEST_F(ChartDrawingTest, LeavesTheMonthForTheOtherWindows)
{
    const QStringList lines = diaryLines(3, 2024, spread);
    const QString path = writeDiary(lines, QStringLiteral("Muster_3_2024.TAB"));
    const DiaryFile drawn = chart.GrafikZeichnen(path);
    ASSERT_TRUE(drawn.ok);
    EXPECT_EQ(state.currentDiaryFile, path);
    EXPECT_EQ(state.remarksFile, box.file(QStringLiteral("Muster_3_2024.txt")));
    EXPECT_EQ(drawn.entryLines(), lines.mid(10));
    EXPECT_EQ(drawn.month, QStringLiteral("3"));
    EXPECT_EQ(drawn.year, QStringLiteral("2024"));
    EXPECT_EQ(state.monthNumber, QStringLiteral("3"));
    EXPECT_EQ(state.monthName, QStringLiteral("März"));
    EXPECT_EQ(state.monthYear, QStringLiteral("2024"));
    EXPECT_EQ(state.diaryUserName, QStringLiteral("Muster"));
    EXPECT_EQ(state.diaryDate, QStringLiteral("März 2024"));
    EXPECT_EQ(title, QStringLiteral("Luftikon-Messwerte März 2024 von  Muster"));
    EXPECT_EQ(state.valueList, (QStringList{"480", "460", "500", "200", "150", "620"}));
    EXPECT_EQ(state.pointList.first(), QStringLiteral("%1 480").arg(x4(3)));
    EXPECT_EQ(state.pointList.at(1), QStringLiteral("%1 460").arg(x4(3, 18)));
    EXPECT_EQ(state.dayValueList.first(), QStringLiteral("03_480"));
    EXPECT_EQ(state.dailyMeans[2], QStringLiteral("470"));
    EXPECT_EQ(state.dailyMeans[19], QStringLiteral("620"));
    EXPECT_EQ(state.dailyMeans[0], QStringLiteral("0"));
    EXPECT_EQ(state.bestValue, 620);
}

TEST_F(ChartDrawingTest, LinesWhoseDayOrValueIsNoNumberAreListedButNotPlotted)
{
    state.showPin = false;
    const std::vector<Reading> good{{"Morgens", 5, "400"}, {"Morgens", 9, "300"}};
    const QImage clean = draw(diaryLines(3, 2024, good));

    QStringList lines = diaryLines(3, 2024, good);
    const QStringList odd{QStringLiteral("Morgens den    xx.3.2024 Z=08:00  Luftikon=450"),
                          QStringLiteral("Abends den      06.3.2024 Z=20:00  Luftikon=4l0"),
                          QStringLiteral("Abends den      07.3.2024 Z=20:00  Luftikon="),
                          QStringLiteral("Messung2 den 45.3.2024 Z=20:00  Luftikon=300"),
                          QStringLiteral("Abends den      08.3.2024 Z=20:00  Luftikon=99999999999"),
                          QStringLiteral("Anmerkung ohne Datum")};
    lines.insert(11, odd.mid(0, 3).join(u'\n'));
    lines << odd.mid(3);
    const QImage img = draw(lines.join(u'\n').split(u'\n'));

    EXPECT_TRUE(sameBytes(img, clean));
    EXPECT_EQ(drawn.readings.size(), 8);
    EXPECT_EQ(state.pointList.size(), 2);
    EXPECT_EQ(state.valueList.size(), 2);
    EXPECT_EQ(state.dailyMeans[5], QStringLiteral("0"));
    EXPECT_EQ(state.bestValue, 400);
}

TEST_F(ChartDrawingTest, FourSlotChartCountsButDoesNotDrawTheMiddleSlots)
{
    state.showPin = false;
    const QImage clean = draw(diaryLines(3, 2024, {{"Morgens", 4, "400"}, {"Abends", 4, "420"}}));
    // Placed first: it must not make the next reading draw a segment from an old position.
    chart.PrevX = 700;
    chart.PrevY = 100;
    const QImage img = draw(diaryLines(3, 2024, {{"Messung6", 4, "300"}, {"Morgens", 4, "400"}, {"Abends", 4, "420"}}));
    EXPECT_TRUE(sameBytes(img, clean));
    EXPECT_EQ(state.pointList.first(), QStringLiteral("%1 300").arg(x4(4)));
    EXPECT_EQ(state.dailyMeans[3], QStringLiteral("373"));
}

TEST_F(ChartDrawingTest, ReadingsOffTheScaleStayInsideThePicture)
{
    useEightSlots();
    const QImage bare = bgrPicture(resource("Vorlag8M.bmp"));
    // 950 lies below the picture; its pin top is LimitY(950) - 44 = 31.
    QImage img = draw(diaryLines(3, 2024, {{"Morgens", 5, "300"}, {"Morgens", 6, "950"}, {"Morgens", 7, "0"}}, true));
    EXPECT_EQ(img.size(), bare.size());
    EXPECT_EQ(chart.pinPlacement(), QRect(DayColumnX(6), 31, 106, 44));
    // The segment down to 950 leaves the bottom edge; the one up to 0 reaches the top edge.
    EXPECT_TRUE(colourInRow(img, 640, DayColumnX(5), DayColumnX(6), Curve));
    EXPECT_TRUE(colourInRow(img, 25, DayColumnX(6), DayColumnX(7), Curve)); // below the times line
    EXPECT_EQ(chart.PrevY, 0);

    // Far off every scale: no pin (there is no y for it), nothing written outside the picture.
    img = draw(diaryLines(
        3, 2024,
        {{"Morgens", 5, "300"}, {"Messung2", 5, "2147483647"}, {"Messung3", 5, "-2147483648"}, {"Abends", 5, "2500"}},
        true));
    EXPECT_TRUE(chart.pinPlacement().isNull());
    EXPECT_EQ(state.bestValue, 2147483647);
    EXPECT_EQ(img.size(), bare.size());
}

TEST_F(ChartDrawingTest, UnreadableDiaryIsToldAndLeavesTheBareTemplate)
{
    draw(diaryLines(3, 2024, spread));
    const QString missing = box.file(QStringLiteral("Weg_3_2024.tab"));
    EXPECT_FALSE(chart.GrafikZeichnen(missing).ok);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, MessageKind::Warning);
    EXPECT_EQ(messages[0].second, QStringLiteral("Fehler beim Lesen der Datei: ") + missing);
    EXPECT_TRUE(sameBytes(picture, bgrPicture(resource("Vorlag4M.bmp"))));
    EXPECT_TRUE(state.monthNumber.isEmpty());
    EXPECT_EQ(state.currentDiaryFile, missing);
}

TEST_F(ChartDrawingTest, TemplateThatCannotBeLoadedKeepsThePreviousPicture)
{
    const QImage before = draw(diaryLines(3, 2024, spread));
    const QString broken = box.file(QStringLiteral("kaputt.bmp"));
    Sandbox::writeBytes(broken, "BM kein Bild");
    for (const QString& file : {broken, box.file(QStringLiteral("fehlt.bmp"))}) {
        messages.clear();
        state.templatePictureFile = file;
        EXPECT_FALSE(chart.GrafikZeichnen(writeDiary(diaryLines(3, 2024, spread))).ok);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].first, MessageKind::Error);
        EXPECT_TRUE(messages[0].second.contains(file)) << messages[0].second.toStdString();
        EXPECT_TRUE(sameBytes(picture, before));
    }
}

TEST_F(ChartDrawingTest, TemplateChangedOnDiskIsLoadedAgain)
{
    const QString copy = box.file(QStringLiteral("Vorlage.bmp"));
    ASSERT_TRUE(QFile::copy(resource("Vorlag4M.bmp"), copy));
    state.templatePictureFile = copy;
    draw(diaryLines(3, 2024, {}));
    QImage red(788, 641, QImage::Format_RGB888);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(copy, "BMP"));
    draw(diaryLines(3, 2024, {}));
    EXPECT_EQ(at(picture, 700, 600), Red);
}

TEST_F(ChartDrawingTest, UnusablePenWidthDrawsWithTwoAndSaysSoOnce)
{
    state.showPin = false;
    const QImage two = draw(diaryLines(3, 2024, spread));
    settings[QStringLiteral("StiftBreite")] = QStringLiteral("zwei");
    const QString path = writeDiary(diaryLines(3, 2024, spread));
    ASSERT_TRUE(chart.GrafikZeichnen(path).ok);
    ASSERT_TRUE(chart.GrafikZeichnen(path).ok);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, MessageKind::Warning);
    EXPECT_TRUE(messages[0].second.contains(QStringLiteral("\"zwei\"")));
    EXPECT_TRUE(sameBytes(picture, two));
}
