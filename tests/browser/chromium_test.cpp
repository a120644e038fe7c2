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
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::Sandbox;

namespace {

const QString Chromium = QStringLiteral("/usr/bin/chromium");
constexpr int ViewWidth = 1400;
constexpr int ViewHeight = 1400;

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

// Pixels of exactly `html`'s colour in the screenshot.
int pixelsOf(const QImage& shot, const char* html)
{
    const QRgb colour = QColor(QLatin1String(html)).rgb();
    int n = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            n += shot.pixel(x, y) == colour ? 1 : 0;
    return n;
}

} // namespace

// Each golden month in turn: no script error, the umlauts of the Windows-1252 page without a
// character set read right, and every chart is drawn.
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
        // Chart.js marks every canvas it has drawn; the red band and the curve show in their colours.
        EXPECT_EQ(run.dom.count(QStringLiteral("class=\"chartjs-render-monitor\"")), c.charts);
        EXPECT_GT(pixelsOf(run.screenshot, c.redFill), 2000 * c.charts);
        EXPECT_GT(pixelsOf(run.screenshot, c.curve), 20 * c.charts);
    }
}
