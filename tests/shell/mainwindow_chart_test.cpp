// The main window with its chart: start-up pictures, the first show, the browser page, the size
// rules, pinch.
#include "chart/scales.h"
#include "shell/touchsupport.h"
#include "support/appfixture.h"
#include "support/children.h"
#include "support/diarylines.h"
#include "widgets/livepause.h"
#include "widgets/pictureview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenuBar>
#include <QPointingDevice>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::diaryHead;
using luftikon::test::installedResources;
using luftikon::test::reading;

namespace {

const QString muster = QStringLiteral("Muster");

// These tests are about the chart: the name dialog a first show opens without a user is counted,
// not shown.
struct Chart : test::AppFixture {
    int nameDialogs = 0;

    Chart()
    {
        QObject::disconnect(form.get(), &MainWindow::userNameNeeded, nullptr, nullptr);
        QObject::connect(form.get(), &MainWindow::userNameNeeded, [this] { ++nameDialogs; });
    }

    QString writeDiary(const QString& path, bool eightSlots, const QStringList& readings = {})
    {
        writeLines(path, diaryHead(muster, QString::fromUtf8("März 2024"), eightSlots) + readings);
        return path;
    }
    void showAndSettle()
    {
        form->show();
        QApplication::processEvents();
    }
};

} // namespace

TEST(MainFormChart, StartLoadsTheTemplateOrIsBlankAndCopiesTheChartScriptOnce)
{
    Chart m;
    const QImage templ =
        QImage(installedResources + QStringLiteral("Vorlag4M.bmp")).convertToFormat(QImage::Format_BGR888);
    EXPECT_EQ(m.form->chartPicture(), templ);
    EXPECT_EQ(child<PictureView>(m.form, "chartLabel")->picture().size(), templ.size());

    const QString script = m.state.dataFolder + QStringLiteral("scripts/Chart.min.js");
    EXPECT_EQ(m.bytes(script), m.bytes(installedResources + QStringLiteral("scripts/Chart.min.js")));
    // A script already there is the user's and stays.
    test::Sandbox::writeBytes(script, "// eigene Fassung");
    m.form.reset();
    m.form = std::make_unique<MainWindow>(m.state, m.desktop, m.config);
    EXPECT_EQ(m.bytes(script), QByteArray("// eigene Fassung"));

    // Without the template the chart is blank white, and nothing is said.
    test::AppFixture bare(QDate(2024, 3, 15), QStringLiteral("/nicht/installiert/"));
    EXPECT_EQ(bare.form->chartPicture().pixelColor(100, 100), QColor(Qt::white));
    EXPECT_TRUE(bare.desktop.shown().empty());
}

TEST(MainFormChart, FirstShowWithoutUserAsksForTheNameOnceAndTakesTheChartSettings)
{
    Chart m;
    m.config.setText(QStringLiteral("StecknadelAnzeigen"), QStringLiteral("0"));
    m.form->settings() = Settings::load(m.config); // as a later start reads them
    m.form->show();
    // The first paint queues the first show.
    QElapsedTimer clock;
    clock.start();
    while (m.nameDialogs == 0 && clock.elapsed() < 2000)
        QApplication::processEvents();
    EXPECT_EQ(m.nameDialogs, 1);
    m.form->firstShow();
    m.form->update();
    QApplication::processEvents();
    EXPECT_EQ(m.nameDialogs, 1);
    EXPECT_TRUE(m.desktop.shown().empty());

    EXPECT_FALSE(m.state.showPin);
}

TEST(MainFormChart, FirstShowDrawsAnEightSlotDiaryOnItsTemplate)
{
    Chart m;
    const QString diary =
        m.writeDiary(m.diaryPath(muster, 3, 2024), true, {reading("Morgens", 2, 455), reading("Messung5", 2, 430)});
    m.returnTo(muster, diary);

    EXPECT_TRUE(m.desktop.shown().empty()) << m.desktop.shownTexts().join(u'|').toStdString();
    EXPECT_TRUE(m.form->month().layout().marks(SlotMode::Eight));
    EXPECT_FALSE(m.form->month().layout().marks(SlotMode::Four));
    EXPECT_EQ(m.state.templatePictureFile, installedResources + QStringLiteral("Vorlag8M.bmp"));
    EXPECT_EQ(m.form->month().path(), diary);
    EXPECT_EQ(child<QLabel>(m.form, "userNameLabel")->text(),
              QStringLiteral("Luftikon-Messwerte März 2024 von  Muster"));
    // The window shows what was drawn: the marker of the Messung5 reading in its column.
    const QImage shown = child<PictureView>(m.form, "chartLabel")->picture();
    EXPECT_EQ(shown.pixelColor(77, readingY(430)), QColor(243, 190, 93));
}

TEST(MainFormChart, YearAndLimitsComeFromTheDiaryAndANonNumberKeepsTheDefault)
{
    Chart m;
    // The year is the last year pattern in the path.
    const QString diary = m.box.file(QStringLiteral("1999-alt/2005/Muster_3_2005.tab"));
    m.writeLines(diary, diaryHead(muster, QString::fromUtf8("März 2024")) +
                            QStringList{QStringLiteral("GrenzwertGruen>=viel"), QStringLiteral("GrenzwertRot<=250"),
                                        QString(), reading("Morgens", 2, 260)});
    m.returnTo(muster, diary);
    EXPECT_EQ(m.form->month().yearFolder(), QStringLiteral("2005"));
    EXPECT_EQ(m.form->month().limits().green, 500);
    EXPECT_EQ(m.form->month().limits().red, 250);
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    EXPECT_EQ(m.desktop.shown()[0].kind, MessageKind::Warning);
    EXPECT_TRUE(m.desktop.shown()[0].text.contains(QStringLiteral("\"viel\"")));
    EXPECT_EQ(m.form->month().path(), diary); // drawn all the same

    Chart n;
    n.returnTo(muster, n.writeDiary(n.box.file(QStringLiteral("1999-alt/Muster_3.tab")), false));
    EXPECT_EQ(n.form->month().yearFolder(), QStringLiteral("1999"));
}

TEST(MainFormChart, BrowserPageShowsTheDrawnMonthAndAMonthWithoutReadingsNone)
{
    Chart m;
    child<QAction>(m.form, "browserChartAction")->trigger();
    EXPECT_EQ(m.desktop.shownTexts(), QStringList{QStringLiteral("Es wurden noch keine Daten eingegeben!")});
    m.desktop.clearShown();

    m.returnTo(muster, m.writeDiary(m.diaryPath(muster, 3, 2024), false, {reading("Morgens", 2, 455)}));
    child<QAction>(m.form, "browserChartAction")->trigger();
    EXPECT_TRUE(m.desktop.shown().empty()) << m.desktop.shownTexts().join('|').toStdString();
    const QString page = m.state.htmlFolder + QStringLiteral("2024/Muster_3_2024.html");
    ASSERT_EQ(m.desktop.openedDocuments(), QStringList{page});
    EXPECT_TRUE(m.bytes(page).contains("Luftikon Werte von Muster im M\xe4rz 2024"));
    EXPECT_TRUE(QFile::exists(m.state.htmlFolder + QStringLiteral("2024/Chart.min.js")));

    // An empty month drawn afterwards leaves nothing of March for the page.
    m.form->month().open(m.writeDiary(m.diaryPath(muster, 4, 2024), false));
    child<QAction>(m.form, "browserChartAction")->trigger();
    EXPECT_EQ(m.desktop.shownTexts(), QStringList{QStringLiteral("Es wurden noch keine Daten eingegeben!")});
    EXPECT_EQ(m.desktop.openedDocuments().size(), 1);
}

TEST(MainFormChart, TheChartFillsAnyWindowSizeInItsProportionsAndPrintsAtItsOwnSize)
{
    Chart m;
    m.showAndSettle();
    // The offscreen screen is smaller than the window's normal size: it opened shrunk to fit.
    const QRect room = m.form->screen()->availableGeometry();
    EXPECT_TRUE(room.contains(m.form->frameGeometry())) << room.height() << " " << m.form->frameGeometry().height();
    const auto* chart = child<PictureView>(m.form, "chartLabel");
    const auto* area = child<QScrollArea>(m.form, "chartScrollArea");
    const QSize normal(796, 693 + m.form->menuBar()->height());
    for (const QSize size : {normal, QSize(520, 430), QSize(1000, 640), QSize(760, 900)}) {
        m.form->resize(size);
        QApplication::processEvents();
        const QSize shown = chart->size();
        if (size == normal) {
            EXPECT_EQ(shown, QSize(788, 641));
        }
        EXPECT_NEAR(double(shown.width()) / shown.height(), 788.0 / 641.0, 0.01) << size.width();
        // Whole in the window, and filling it along one side.
        EXPECT_LE(chart->y() + shown.height(), area->viewport()->height()) << size.width();
        EXPECT_LE(shown.width(), area->viewport()->width()) << size.width();
        EXPECT_TRUE(area->viewport()->width() - shown.width() <= 8 ||
                    area->viewport()->height() - chart->y() - shown.height() <= 5)
            << size.width();
        EXPECT_EQ(child<QLabel>(m.form, "headerPicture")->width(), shown.width());

        // Printed as at the normal size, the chart pixel for pixel.
        const QImage print = m.form->normalSizePicture();
        ASSERT_EQ(print.size(), QSize(796, 693));
        const QPoint at = chart->mapTo(m.form->centralWidget(), QPoint(0, 0));
        EXPECT_EQ(print.copy(QRect(at, QSize(788, 641))).convertToFormat(QImage::Format_RGB32),
                  m.form->chartPicture().convertToFormat(QImage::Format_RGB32));
        EXPECT_EQ(chart->size(), shown); // and the window shows as before
    }
}

TEST(MainFormChart, SmallMultiTouchScreensPutTheWindowAtTheTopEdge)
{
    Chart m;
    m.showAndSettle();
    const QScreen* screen = m.form->screen();
    ASSERT_NE(screen, nullptr);
    ASSERT_LE(screen->geometry().height(), 800); // the offscreen screen

    m.form->move(30, 60);
    m.form->applySizeRules();
    EXPECT_EQ(m.form->pos(), QPoint(30, 60)); // no touch screen: left alone

    m.form->touch.touchInputAvailable = true;
    m.form->touch.multiTouchDigitizer = false;
    m.form->applySizeRules();
    EXPECT_EQ(m.form->pos(), QPoint(30, 60)); // one finger only: left alone

    m.form->touch.multiTouchDigitizer = true;
    m.form->applySizeRules();
    EXPECT_EQ(m.form->pos(), QPoint(30, screen->geometry().top()));
}

TEST(MainFormChart, EachPinchUpdateSwitchesTheSizeAfterAPause)
{
    Chart m;
    m.form->touch.touchInputAvailable = true;
    m.showAndSettle();
    m.form->pinchGesture(true, m.form->mapToGlobal(QPointF(100, 120)));
    EXPECT_EQ(m.form->gesturePoint(), QPoint(100, 120));
    EXPECT_FALSE(m.form->isMaximized());

    for (bool maximised : {true, false}) {
        QElapsedTimer clock;
        clock.start();
        m.form->pinchGesture(false, m.form->mapToGlobal(QPointF(140, 150)));
        EXPECT_GE(clock.elapsed(), 200);
        while (m.form->isMaximized() != maximised && clock.elapsed() < 3000)
            QApplication::processEvents();
        EXPECT_EQ(m.form->isMaximized(), maximised);
    }
}

TEST(MachPause, WaitsItsIntervalWhileEventsGoOn)
{
    LivePause pause;
    bool ranDuringPause = false;
    QTimer::singleShot(10, [&] { ranDuringPause = true; });
    QElapsedTimer clock;
    clock.start();
    pause.pauseFor(60);
    EXPECT_GE(clock.elapsed(), 60);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(ranDuringPause);
}

TEST(TouchSupport, TouchScreensAndTheirFingers)
{
    const QPointingDevice mouse(QStringLiteral("Maus"), 101, QInputDevice::DeviceType::Mouse,
                                QPointingDevice::PointerType::Generic, QInputDevice::Capability::Position, 1, 3);
    const QPointingDevice single(QStringLiteral("Ein Finger"), 102, QInputDevice::DeviceType::TouchScreen,
                                 QPointingDevice::PointerType::Finger, QInputDevice::Capability::Position, 1, 0);
    const QPointingDevice multi(QStringLiteral("Zehn Finger"), 103, QInputDevice::DeviceType::TouchScreen,
                                QPointingDevice::PointerType::Finger, QInputDevice::Capability::Position, 10, 0);
    EXPECT_FALSE(touchSupportOf({&mouse}).touchInputAvailable);
    const TouchSupport one = touchSupportOf({&mouse, &single});
    EXPECT_TRUE(one.touchInputAvailable);
    EXPECT_FALSE(one.multiTouchDigitizer);
    EXPECT_TRUE(touchSupportOf({&single, &multi}).multiTouchDigitizer);
}
