// The main window with its chart: start-up pictures, the first show, the size rules, pinch.
#include "chart/scales.h"
#include "diary/entryline.h"
#include "diary/textfile.h"
#include "shell/machpause.h"
#include "shell/mainform.h"
#include "shell/touchsupport.h"
#include "support/sandbox.h"
#include "support/scripteddesktop.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPointingDevice>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::Sandbox;
using luftikon::test::ScriptedDesktop;

namespace {

const QString resources = QStringLiteral(LUFTIKON_RESOURCE_DIR "/");

// A user who has worked before: settings written by a first start, a name, a last diary.
struct Machine {
    Sandbox box;
    ScriptedDesktop desktop;
    ConfigStore config{box.configFile()};
    AppState state;
    std::unique_ptr<TMainForm> form;

    Machine()
    {
        QDir::setCurrent(box.path());
        state.resourceFolder = resources;
        form = std::make_unique<TMainForm>(state, desktop, config);
        // These tests are about the chart; the name dialog a first show opens without a user is
        // counted, not shown.
        form->onNoUserName = [this] { ++nameDialogs; };
    }
    int nameDialogs = 0;

    void setUser(const QString& name, const QString& lastDiary)
    {
        config.Schreib_String_in_Registry(QStringLiteral("BenutzerName"), name);
        config.Schreib_String_in_Registry(QStringLiteral("TabellenDateiName"), lastDiary);
    }

    QString writeDiary(const QString& relative, const QStringList& header, const QStringList& readings = {})
    {
        const QString path = box.file(relative);
        QDir().mkpath(QFileInfo(path).path());
        QStringList lines{QStringLiteral("[Personendaten]"), QStringLiteral("BenutzerName=Muster"),
                          QStringLiteral("Datum=März 2024")};
        lines << header << QString() << readings;
        EXPECT_TRUE(writeTextLines(path, lines).ok);
        return path;
    }
};

QString reading(const char* slot, int day, int value)
{
    return composeEntryLine(QLatin1String(slot) + QStringLiteral(" den "),
                            QStringLiteral("%1").arg(day, 2, 10, QChar(u'0')), QStringLiteral("3"),
                            QStringLiteral("2024"), QStringLiteral("08:00"), QString::number(value));
}

const QStringList fourSlots{QStringLiteral("BisZu8MessungenJeTag=0"), QStringLiteral("BisZu4MessungenJeTag=1")};
const QStringList eightSlots{QStringLiteral("BisZu8MessungenJeTag=1"), QStringLiteral("BisZu4MessungenJeTag=0")};

} // namespace

TEST(MainFormChart, StartLoadsThePicturesAndCopiesTheChartScript)
{
    Machine m;
    const QImage templ = QImage(resources + QStringLiteral("Vorlag4M.bmp")).convertToFormat(QImage::Format_BGR888);
    EXPECT_EQ(m.form->chartPicture(), templ);
    EXPECT_FALSE(m.form->Image2->pixmap().isNull());
    EXPECT_EQ(m.form->Image->pixmap().size(), templ.size());
    EXPECT_EQ(m.form->chart().pinPictures().pointingRight.size(), QSize(106, 44));
    EXPECT_EQ(m.form->chart().pinPictures().pointingLeft.size(), QSize(106, 44));
    EXPECT_EQ(m.form->MachPause1->Interval(), 1000);

    const QString script = m.state.dataFolder + QStringLiteral("scripts/Chart.min.js");
    EXPECT_EQ(Sandbox::readBytes(script), Sandbox::readBytes(resources + QStringLiteral("scripts/Chart.min.js")));
    // A script already there is the user's and stays.
    Sandbox::writeBytes(script, "// eigene Fassung");
    m.form.reset();
    m.form = std::make_unique<TMainForm>(m.state, m.desktop, m.config);
    EXPECT_EQ(Sandbox::readBytes(script), QByteArray("// eigene Fassung"));
}

TEST(MainFormChart, WithoutTemplateTheChartIsBlankWhite)
{
    Sandbox box;
    ScriptedDesktop desktop;
    ConfigStore config(box.configFile());
    AppState state;
    state.resourceFolder = box.file(QStringLiteral("nichts/"));
    TMainForm form(state, desktop, config);
    EXPECT_EQ(form.chartPicture().size(), QSize(200, 200));
    EXPECT_EQ(form.chartPicture().pixelColor(100, 100), QColor(Qt::white));
    EXPECT_TRUE(desktop.shown().empty());
}

TEST(MainFormChart, FirstShowWithoutUserHandsOverToTheNameDialogOnce)
{
    Machine m;
    int asked = 0;
    m.form->onNoUserName = [&] { ++asked; };
    m.form->show();
    // The first paint queues the first show.
    QElapsedTimer clock;
    clock.start();
    while (asked == 0 && clock.elapsed() < 2000)
        QApplication::processEvents();
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(m.state.firstShowPending);
    m.form->FormPaint();
    m.form->update();
    QApplication::processEvents();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(m.desktop.shown().empty());
    // The settings of the chart were read all the same.
    EXPECT_TRUE(m.state.showPin);
    EXPECT_TRUE(m.state.showValuesAboveCurve);
    EXPECT_EQ(m.state.aboveCurveColor, 128u);
    EXPECT_EQ(m.state.zoneIntensity, 8);
}

TEST(MainFormChart, FirstShowReadsTheChartSettings)
{
    Machine m;
    m.config.Schreib_String_in_Registry(QStringLiteral("StecknadelAnzeigen"), QStringLiteral("0"));
    m.config.Schreib_Integer_in_Registry(QStringLiteral("WerteOberhalbKurveAnzeigen"), QStringLiteral("0"));
    m.config.Schreib_String_in_Registry(QStringLiteral("DatenwerteOberhalbFarbe"), QString());
    m.config.Schreib_String_in_Registry(QStringLiteral("HintergrundFarbIntensitaet"), QStringLiteral("12"));
    m.state.aboveCurveColor = 77;
    m.form->FormPaint();
    EXPECT_FALSE(m.state.showPin);
    EXPECT_FALSE(m.state.showValuesAboveCurve);
    EXPECT_EQ(m.state.aboveCurveColor, 0u);
    EXPECT_EQ(m.state.zoneIntensity, 8); // the slider stops at 8
}

TEST(MainFormChart, FirstShowWithAMissingDiaryNamesIt)
{
    for (const QString& last : {QStringLiteral("/weg/Muster_3_2024.tab"), QString()}) {
        Machine m;
        m.setUser(QStringLiteral("Muster"), last);
        QString shownName;
        m.form->onUserNameShown = [&](const QString& name) { shownName = name; };
        m.form->FormPaint();
        ASSERT_EQ(m.desktop.shown().size(), 1u);
        EXPECT_EQ(m.desktop.shown()[0].kind, MessageKind::Plain);
        EXPECT_EQ(m.desktop.shown()[0].text, QStringLiteral("Kann die Datei nicht finden: ") + last);
        EXPECT_EQ(m.form->Label1->text(), QStringLiteral("von Muster"));
        EXPECT_EQ(shownName, QStringLiteral("Muster"));
        EXPECT_TRUE(m.state.currentDiaryFile.isEmpty());
    }
}

TEST(MainFormChart, FirstShowDrawsAnEightSlotDiaryOnItsTemplate)
{
    Machine m;
    const QString diary = m.writeDiary(QStringLiteral("Luftikon-Daten-Galerie/2024/Muster_3_2024.tab"), eightSlots,
                                       {reading("Morgens", 2, 455), reading("Messung5", 2, 430)});
    m.setUser(QStringLiteral("Muster"), diary);
    m.form->FormPaint();

    EXPECT_TRUE(m.desktop.shown().empty()) << m.desktop.shownTexts().join(u'|').toStdString();
    EXPECT_TRUE(m.state.eightSlotMark);
    EXPECT_FALSE(m.state.fourSlotMark);
    EXPECT_EQ(m.state.templatePictureFile, resources + QStringLiteral("Vorlag8M.bmp"));
    EXPECT_EQ(m.state.diaryYear, QStringLiteral("2024"));
    EXPECT_EQ(m.state.currentDiaryFile, diary);
    EXPECT_EQ(m.form->Label1->text(), QStringLiteral("Luftikon-Messwerte März 2024 von  Muster"));
    EXPECT_EQ(m.state.pointList, (QStringList{"64 455", "77 430"}));
    EXPECT_EQ(m.form->chart().pinPlacement(), QRect(64, 272, 106, 44));
    // The window shows what was drawn: the marker of the Messung5 reading in its column.
    const QImage shown = m.form->Image->pixmap().toImage();
    EXPECT_EQ(shown.pixelColor(77, ReadingY(430)), QColor(243, 190, 93));
}

TEST(MainFormChart, FirstShowFallsBackToTheInstalledTemplate)
{
    Machine m;
    m.config.Schreib_String_in_Registry(QStringLiteral("Grafik4"), QStringLiteral("weg/Vorlage.bmp"));
    const QString diary = m.writeDiary(QStringLiteral("Muster_3_2024.tab"), fourSlots, {reading("Morgens", 2, 455)});
    m.setUser(QStringLiteral("Muster"), diary);
    m.form->FormPaint();
    EXPECT_EQ(m.state.templatePictureFile, resources + QStringLiteral("Vorlag4M.bmp"));
    EXPECT_TRUE(m.desktop.shown().empty()) << m.desktop.shownTexts().join(u'|').toStdString();
}

TEST(MainFormChart, DiaryYearComesFromTheLastYearPatternInThePath)
{
    Machine m;
    m.state.diaryYear = QStringLiteral("1998");
    const QString both = m.writeDiary(QStringLiteral("1999-alt/2005/Muster_3_2005.tab"), fourSlots);
    m.setUser(QStringLiteral("Muster"), both);
    m.form->FormPaint();
    EXPECT_EQ(m.state.diaryYear, QStringLiteral("2005"));

    Machine n;
    const QString old = n.writeDiary(QStringLiteral("1999-alt/Muster_3.tab"), fourSlots);
    n.setUser(QStringLiteral("Muster"), old);
    n.form->FormPaint();
    EXPECT_EQ(n.state.diaryYear, QStringLiteral("1999"));
}

TEST(MainFormChart, LimitsComeFromTheDiaryAndANonNumberKeepsTheDefault)
{
    Machine m;
    QStringList header = fourSlots;
    header << QStringLiteral("GrenzwertGruen>=viel") << QStringLiteral("GrenzwertRot<=250");
    const QString diary = m.writeDiary(QStringLiteral("Muster_3_2024.tab"), header, {reading("Morgens", 2, 260)});
    m.setUser(QStringLiteral("Muster"), diary);
    m.form->FormPaint();
    EXPECT_EQ(m.state.greenLimit, 500);
    EXPECT_EQ(m.state.redLimit, 250);
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    EXPECT_EQ(m.desktop.shown()[0].kind, MessageKind::Warning);
    EXPECT_TRUE(m.desktop.shown()[0].text.contains(QStringLiteral("\"viel\"")));
    EXPECT_EQ(m.state.currentDiaryFile, diary); // drawn all the same
}

TEST(MainFormChart, MonthWithoutReadingsLeavesNothingForTheBrowserPage)
{
    Machine m;
    const QString march = m.writeDiary(QStringLiteral("Muster_3_2024.tab"), fourSlots, {reading("Morgens", 2, 455)});
    const QString april = m.writeDiary(QStringLiteral("Muster_4_2024.tab"), fourSlots);
    m.form->GrafikZeichnen(march);
    EXPECT_EQ(m.state.monthName, QStringLiteral("März"));
    m.form->GrafikZeichnen(april);
    m.form->LiniendiagrammimBrowseranzeigen1Click();
    EXPECT_EQ(m.desktop.shownTexts(), QStringList{QStringLiteral("Es wurden noch keine Daten eingegeben!")});
    EXPECT_TRUE(m.desktop.openedDocuments().isEmpty());
}

TEST(MainFormChart, NormalSizeKeepsTheDesignSizeAndMaximisedFollowsTheScrollArea)
{
    Machine m;
    m.form->show();
    QApplication::processEvents();
    m.form->resize(900, 900);
    QApplication::processEvents();
    EXPECT_EQ(m.form->centralWidget()->height(), 693);
    EXPECT_EQ(m.form->Image->size(), QSize(788, 641));
    EXPECT_EQ(m.form->Image2->width(), 788);

    m.form->showMaximized();
    QElapsedTimer clock;
    clock.start();
    while (!m.form->isMaximized() && clock.elapsed() < 2000)
        QApplication::processEvents();
    QApplication::processEvents();
    ASSERT_TRUE(m.form->isMaximized());
    const QSize area = m.form->ScrollBox1->size();
    EXPECT_EQ(m.form->Image->size(), QSize(area.width() - 35, area.height() - 25));
    EXPECT_EQ(m.form->Image2->width(), area.width() - 35);
}

TEST(MainFormChart, SmallTouchScreensPutTheWindowAtTheTopEdge)
{
    Machine m;
    m.form->show();
    QApplication::processEvents();
    const QScreen* screen = m.form->screen();
    ASSERT_NE(screen, nullptr);
    ASSERT_LE(screen->geometry().height(), 800); // the offscreen screen

    m.form->move(30, 60);
    m.form->FormResize();
    EXPECT_EQ(m.form->pos(), QPoint(30, 60)); // no touch screen: left alone

    m.state.touchInputAvailable = true;
    m.state.multiTouchDigitizer = false;
    m.form->FormResize();
    EXPECT_EQ(m.form->pos(), QPoint(30, 60)); // one finger only: left alone

    m.state.multiTouchDigitizer = true;
    m.form->FormResize();
    EXPECT_EQ(m.form->pos(), QPoint(30, screen->geometry().top()));
}

TEST(MainFormChart, EachPinchUpdateSwitchesTheSizeAfterAPause)
{
    Machine m;
    m.state.touchInputAvailable = true;
    m.form->show();
    QApplication::processEvents();
    const QPointF start = m.form->mapToGlobal(QPointF(100, 120));
    m.form->pinchGesture(true, start);
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
    TMachPause pause;
    EXPECT_EQ(pause.Interval(), 1000);
    bool ranDuringPause = false;
    QTimer::singleShot(10, [&] { ranDuringPause = true; });
    QElapsedTimer clock;
    clock.start();
    pause.pauseFor(60);
    EXPECT_GE(clock.elapsed(), 60);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(ranDuringPause);
    EXPECT_EQ(pause.Interval(), 60);

    clock.restart();
    pause.pause();
    EXPECT_GE(clock.elapsed(), 60);
}

TEST(TouchSupport, TouchScreensAndTheirFingers)
{
    const QPointingDevice mouse(QStringLiteral("Maus"), 101, QInputDevice::DeviceType::Mouse,
                                QPointingDevice::PointerType::Generic, QInputDevice::Capability::Position, 1, 3);
    const QPointingDevice single(QStringLiteral("Ein Finger"), 102, QInputDevice::DeviceType::TouchScreen,
                                 QPointingDevice::PointerType::Finger, QInputDevice::Capability::Position, 1, 0);
    const QPointingDevice multi(QStringLiteral("Zehn Finger"), 103, QInputDevice::DeviceType::TouchScreen,
                                QPointingDevice::PointerType::Finger, QInputDevice::Capability::Position, 10, 0);
    TouchSupport none = touchSupportOf({&mouse});
    EXPECT_FALSE(none.touchInputAvailable);
    EXPECT_FALSE(none.multiTouchDigitizer);
    TouchSupport one = touchSupportOf({&mouse, &single});
    EXPECT_TRUE(one.touchInputAvailable);
    EXPECT_FALSE(one.multiTouchDigitizer);
    TouchSupport many = touchSupportOf({&single, &multi});
    EXPECT_TRUE(many.touchInputAvailable);
    EXPECT_TRUE(many.multiTouchDigitizer);
}
