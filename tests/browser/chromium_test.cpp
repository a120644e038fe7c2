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
    // A private profile and no network: the run sees only the page and the script beside it.
    QStringList args = QStringLiteral("--headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
                                      "--disable-background-networking --disable-component-update --disable-sync "
                                      "--virtual-time-budget=5000 --enable-logging=stderr --v=0 --hide-scrollbars "
                                      "--window-size=1400,1400 --dump-dom")
                           .split(u' ');
    args << QStringLiteral("--user-data-dir=") + profile.filePath(QStringLiteral("profile"))
         << QStringLiteral("--screenshot=") + shot << QUrl::fromLocalFile(page).toString(QUrl::FullyEncoded);
    chromium.start(Chromium, args);
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

// The full month with the real Chart.min.js: no script error, the umlauts of the Windows-1252 page
// without a character set read right, and all five charts drawn.
TEST(PageInChromium, FullMonthDrawsItsChartsAndShowsTheUmlauts)
{
    Sandbox box;
    const QByteArray script = Sandbox::readBytes(QStringLiteral(LUFTIKON_RESOURCE_DIR "/scripts/Chart.min.js"));
    ASSERT_GT(script.size(), 100000) << "the build copies Chart.min.js into the resource folder";
    test::putChartScript(box, script);
    QStringList notices;
    const auto page =
        exportMonthPage(test::fullJanuary2017(box), [&](MessageKind, const QString& text) { notices << text; });
    ASSERT_TRUE(page);
    EXPECT_TRUE(notices.isEmpty()) << notices.join(u'\n').toStdString();

    const BrowserRun run = openInChromium(*page);
    EXPECT_FALSE(run.log.contains("Uncaught")) << run.log.toStdString();
    EXPECT_FALSE(run.dom.isEmpty());
    EXPECT_FALSE(run.dom.contains(QChar::ReplacementCharacter)); // every byte read as a character
    EXPECT_TRUE(run.dom.contains(QStringLiteral("Ihr persönlicher Bestwert: 700 l/min.")));
    EXPECT_TRUE(run.dom.contains(QStringLiteral("Die täglichen Messwerte")));
    // Chart.js marks every canvas it has drawn; the red band and the curve show in their colours.
    EXPECT_EQ(run.dom.count(QStringLiteral("class=\"chartjs-render-monitor\"")), 5);
    EXPECT_GT(pixelsOf(run.screenshot, "#F36E6D"), 2000 * 5);
    EXPECT_GT(pixelsOf(run.screenshot, "#EEFFC0"), 20 * 5);
}
