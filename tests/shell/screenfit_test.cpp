// Windows sized for the screen they open on, and the size they are left at kept for next time.
#include "support/appfixture.h"
#include "widgets/screenfit.h"

#include <QApplication>
#include <QScreen>
#include <gtest/gtest.h>
#include <memory>

using namespace luftikon;

TEST(ScreenFit, AWindowShrinksUntilItAndItsFrameFitTheFreeArea)
{
    struct Case {
        QSize wanted, minimum;
        QMargins frame;
        QSize available;
        Shrink shrink;
        QSize expected;
    };
    const Case cases[] = {
        // 1366 x 768 at 100 %: room enough; with a panel below, a little less.
        {{796, 715}, {400, 372}, {4, 30, 4, 4}, {1366, 768}, Shrink::EachSide, {796, 715}},
        {{796, 715}, {400, 372}, {4, 30, 4, 4}, {1366, 738}, Shrink::EachSide, {796, 704}},
        // 1920 x 1080 at 150 %: 1280 x 720 to lay out in.
        {{796, 715}, {400, 372}, {4, 30, 4, 4}, {1280, 720}, Shrink::EachSide, {796, 686}},
        {{796, 715}, {400, 372}, {4, 30, 4, 4}, {1280, 720}, Shrink::Proportionally, {763, 686}},
        {{1195, 660}, {600, 300}, {0, 20, 0, 0}, {1100, 500}, Shrink::EachSide, {1100, 480}},
        // The smallest usable size before the wish, the screen before both.
        {{796, 715}, {400, 372}, {0, 0, 0, 0}, {1000, 300}, Shrink::Proportionally, {400, 300}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fittedWindowSize(c.wanted, c.minimum, c.frame, c.available, c.shrink), c.expected)
            << c.available.width() << "x" << c.available.height();
}

TEST(ScreenFit, TheMainWindowOpensAtItsKeptSizeShrunkToTheScreenAndKeepsTheSizeItIsLeftAt)
{
    test::AppFixture app;
    QObject::disconnect(app.form.get(), &MainWindow::userNameNeeded, nullptr, nullptr);
    MainWindow& form = *app.form;
    form.settings().setWindowSize(QStringLiteral("Fenster"), QSize(600, 480));
    form.show();
    QApplication::processEvents();
    EXPECT_EQ(form.size(), QSize(600, 480));
    const QRect room = form.screen()->availableGeometry();
    EXPECT_EQ(form.frameGeometry().center().x(), room.center().x());

    form.resize(640, 500);
    form.close();
    EXPECT_EQ(app.config.integerText(QStringLiteral("FensterBreite")), QStringLiteral("640"));
    EXPECT_EQ(app.config.integerText(QStringLiteral("FensterHoehe")), QStringLiteral("500"));

    // A size kept on a larger screen: the window fits this one, whole.
    form.settings().setWindowSize(QStringLiteral("Fenster"), QSize(3000, 2000));
    form.show();
    QApplication::processEvents();
    EXPECT_TRUE(room.contains(form.frameGeometry()));
    EXPECT_LT(form.width(), 3000);
}

TEST(ScreenFit, TwoProgramsThatOverlapLeaveNoMemoryOfEitherBehind)
{
    // A test may start a second program before the first has ended; whichever ends last, no
    // window opened afterwards may reach the settings of a program that is gone.
    auto first = std::make_unique<test::AppFixture>();
    auto second = std::make_unique<test::AppFixture>();
    first.reset();
    second.reset();
    QWidget window;
    fitToScreen(window, QSize(300, 200), QStringLiteral("Fenster"));
    window.show();
    EXPECT_EQ(window.size(), QSize(300, 200));
}
