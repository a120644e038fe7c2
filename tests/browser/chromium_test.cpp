// The written pages in a real browser: headless Chromium loads each page with the real
// Chart.min.js beside it; the test reads the script log, the DOM and a screenshot.

#include "browser/exportpage.h"
#include "pagefixtures.h"

#include <QColor>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::Sandbox;

namespace {

const QString Chromium = QStringLiteral("/usr/bin/chromium");
constexpr int ViewWidth = 1400;
constexpr int ViewHeight = 1400;

// The page's layout: body margin 8, flex rows of 600 px charts with 10 px margins on each
// side, centred; a chart's height is its width / 1.5.
constexpr int BodyMargin = 8;
constexpr int ChartWidth = 600;
constexpr int ChartSlot = 620;
constexpr int ChartHeight = 400;
constexpr int ChartsPerRow = (ViewWidth - 2 * BodyMargin) / ChartSlot;

struct BrowserRun {
    QByteArray log;
    QString dom;
    QImage screenshot;
};

BrowserRun openInChromium(const QString& page)
{
    BrowserRun run;
    if (!QFileInfo(Chromium).isExecutable()) {
        ADD_FAILURE() << "Chromium is missing at " << Chromium.toStdString()
                      << " (scripts/install-deps test installs it)";
        return run;
    }
    QTemporaryDir profile;
    const QString shot = profile.filePath(QStringLiteral("shot.png"));
    QProcess chromium;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), profile.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), profile.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), profile.filePath(QStringLiteral("cache")));
    chromium.setProcessEnvironment(env);
    chromium.start(Chromium, {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                              QStringLiteral("--disable-gpu"), QStringLiteral("--disable-quic"),
                              QStringLiteral("--no-first-run"), QStringLiteral("--disable-background-networking"),
                              QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
                              QStringLiteral("--user-data-dir=") + profile.filePath(QStringLiteral("profile")),
                              QStringLiteral("--virtual-time-budget=5000"), QStringLiteral("--enable-logging=stderr"),
                              QStringLiteral("--v=0"), QStringLiteral("--hide-scrollbars"),
                              QStringLiteral("--window-size=%1,%2").arg(ViewWidth).arg(ViewHeight),
                              QStringLiteral("--screenshot=") + shot, QStringLiteral("--dump-dom"),
                              QUrl::fromLocalFile(page).toString(QUrl::FullyEncoded)});
    if (!chromium.waitForFinished(60000)) {
        chromium.kill();
        chromium.waitForFinished();
        ADD_FAILURE() << "Chromium did not finish within a minute";
        return run;
    }
    run.log = chromium.readAllStandardError();
    run.dom = QString::fromUtf8(chromium.readAllStandardOutput());
    run.screenshot = QImage(shot).convertToFormat(QImage::Format_RGB32);
    return run;
}

QString writePage(const ExportRequest& request)
{
    QStringList notices;
    const auto page = ExportMonthPage(request, [&](MessageKind, const QString& text) { notices << text; });
    EXPECT_TRUE(notices.isEmpty()) << notices.join(u'\n').toStdString();
    EXPECT_TRUE(page);
    return page.value_or(QString());
}

void putRealChartScript(const Sandbox& box)
{
    const QByteArray script = Sandbox::readBytes(QStringLiteral(LUFTIKON_RESOURCE_DIR "/scripts/Chart.min.js"));
    ASSERT_GT(script.size(), 100000) << "the build copies Chart.min.js into the resource folder";
    test::putChartScript(box, script);
}

QRgb rgb(const char* html)
{
    return QColor(QLatin1String(html)).rgb();
}

// Vertical runs of one exact colour in a pixel column; short gaps (a steep curve or a value
// label crossing the column) do not split a run.
std::vector<std::pair<int, int>> runsInColumn(const QImage& image, int x, QRgb colour)
{
    std::vector<std::pair<int, int>> runs;
    for (int y = 0; y < image.height(); ++y) {
        if (image.pixel(x, y) != colour)
            continue;
        if (!runs.empty() && y - runs.back().second <= 24)
            runs.back().second = y;
        else
            runs.push_back({y, y});
    }
    std::erase_if(runs, [](const auto& run) { return run.second - run.first < 10; });
    return runs;
}

// Left edge of the chart at `index` among `count` charts, as the centred flex rows place it.
int chartLeft(int index, int count)
{
    const int row = index / ChartsPerRow;
    const int inRow = std::min(ChartsPerRow, count - row * ChartsPerRow);
    const int offset = (ViewWidth - 2 * BodyMargin - inRow * ChartSlot) / 2;
    return BodyMargin + offset + (index % ChartsPerRow) * ChartSlot + (ChartSlot - ChartWidth) / 2;
}

// Every chart stands where the layout puts it: its red band in the middle of its column, one
// chart height lower for every row, the curve's points above the band's bottom.
void expectChartsDrawn(const QImage& shot, int count, const char* redFill, const char* curve)
{
    ASSERT_EQ(shot.size(), QSize(ViewWidth, ViewHeight));
    const QRgb red = rgb(redFill);
    int firstBottom = -1;
    for (int index = 0; index < count; ++index) {
        const int left = chartLeft(index, count);
        const int row = index / ChartsPerRow;
        const auto runs = runsInColumn(shot, left + ChartWidth / 2, red);
        const auto mine = std::find_if(runs.begin(), runs.end(), [&](const auto& run) {
            return firstBottom < 0 || std::abs(run.second - (firstBottom + row * ChartHeight)) <= 12;
        });
        ASSERT_TRUE(mine != runs.end()) << "no chart " << index + 1 << " at x " << left;
        if (firstBottom < 0)
            firstBottom = mine->second;
        int curvePixels = 0;
        for (int y = std::max(0, mine->second - 290); y <= mine->second + 3; ++y)
            for (int x = left; x < left + ChartWidth; ++x)
                curvePixels += shot.pixel(x, y) == rgb(curve) ? 1 : 0;
        EXPECT_GT(curvePixels, 20) << "no curve in chart " << index + 1;
    }
}

} // namespace

// Each golden month in turn: no script error, the umlauts of the Windows-1252 page without a
// character set read right, and every chart where the layout puts it.
TEST(PageInChromium, EachMonthDrawsItsChartsAndShowsTheUmlauts)
{
    struct Case {
        ExportRequest (*month)(const Sandbox&);
        int charts;
        const char* redFill;
        const char* curve;
        QStringList texts;
    };
    const Case cases[] = {
        {test::sparseMarch2024,
         1,
         "#E3D6D6",
         "#0000A0",
         {QStringLiteral("Luftikon Werte von Jürgen Mäder im März 2024"), QStringLiteral("Die täglichen Messwerte"),
          QStringLiteral("Ihr persönlicher Bestwert: 480 l/min."),
          QStringLiteral("Spray &lt;2 Hübe&gt; &amp; Tabletten <br>")}},
        {test::fullJanuary2017, 5, "#F36E6D", "#EEFFC0", {}},
        {test::february2023, 3, "#E42625", "#0000A0", {QStringLiteral("Luftikon Werte von Anna im Februar 2023")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.charts);
        Sandbox box;
        putRealChartScript(box);
        const BrowserRun run = openInChromium(writePage(c.month(box)));
        EXPECT_FALSE(run.log.contains("Uncaught")) << run.log.toStdString();
        EXPECT_FALSE(run.dom.isEmpty());
        EXPECT_FALSE(run.dom.contains(QChar::ReplacementCharacter)); // every byte read as a character
        for (const QString& text : c.texts)
            EXPECT_TRUE(run.dom.contains(text)) << text.toStdString();
        expectChartsDrawn(run.screenshot, c.charts, c.redFill, c.curve);
    }
}
