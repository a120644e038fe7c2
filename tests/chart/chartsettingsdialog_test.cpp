// The chart settings dialog and "und als Grafik anzeigen" over a running main window.
#include "chart/ui/chartsettingsdialog.h"
#include "chartfixture.h"
#include "entry/entrydialog.h"
#include "support/appfixture.h"
#include "support/children.h"
#include "widgets/pictureview.h"
#include "widgets/spinbutton.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <set>
#include <sys/stat.h>

using namespace luftikon;
using namespace luftikon::test;

namespace {

// The main window with Muster's March diary, and its settings dialog.
struct SettingsWindow : AppFixture {
    const QString diary = diaryPath(QStringLiteral("Muster"), 3, 2024);

    ChartSettingsDialog& dlg() { return form->chartSettingsDialog(); }
    // Muster worked last on the March diary holding `readings`; the first show draws it.
    void startWith(const QStringList& readings)
    {
        writeLines(diary, march(readings));
        returnTo(QStringLiteral("Muster"), diary);
    }
    QByteArray diaryBytes() const { return bytes(diary); }
    // The redraw that limit clicks armed, without waiting for its second.
    void redrawAfterLimits()
    {
        EXPECT_TRUE(child<QTimer>(form, "limitRedrawTimer")->isActive());
        form->drawMonth();
    }
    QColor chartAt(int x, int y) const { return form->chartPicture().pixelColor(x, y); }
};

const QStringList readings{reading("Morgens", 2, 560), reading("Abends", 2, 300), reading("Morgens", 3, 150)};

ino_t inodeOf(const QString& path)
{
    struct stat info {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    return info.st_ino;
}

// The zone colour of a chart row, read in day 1's column, left of every reading.
QColor zoneColour(const SettingsWindow& m, int y)
{
    return m.chartAt(50, y);
}

} // namespace

TEST(SettingsDialog, ThreeQuickClicksWriteThreeTimesAndRedrawOnceASecondLaterWritingNothing)
{
    SettingsWindow m;
    m.startWith(readings);
    // Green limit 500 -> 503 moves the border from row 285 up to 283.
    const int oldBorder = limitY(500);
    const int newBorder = limitY(503);
    const QColor yellowBefore = zoneColour(m, oldBorder + 1);
    const QColor borderBefore = zoneColour(m, newBorder);

    QElapsedTimer clock;
    clock.start();
    const qint64 pixmapBefore = child<PictureView>(m.form, "chartLabel")->picture().cacheKey();
    // Every write replaces the file by a new one, so each write gives the diary another inode;
    // each one seen is held open, so no later file can take over its number.
    std::set<ino_t> writes{inodeOf(m.diary)};
    std::vector<std::unique_ptr<QFile>> held;
    for (int value = 501; value <= 503; ++value) {
        held.push_back(std::make_unique<QFile>(m.diary));
        ASSERT_TRUE(held.back()->open(QIODevice::ReadOnly));
        child<SpinButton>(&m.dlg(), "greenLimitSpin")->upButton()->click();
        EXPECT_TRUE(m.diaryBytes().contains("GrenzwertGruen>=" + QByteArray::number(value)));
        EXPECT_EQ(child<QLabel>(&m.dlg(), "greenLimitLabel")->text(), QString::number(value));
        writes.insert(inodeOf(m.diary));
    }
    EXPECT_EQ(writes.size(), 4u);
    const ino_t lastWrite = inodeOf(m.diary);
    const QByteArray written = m.diaryBytes();
    EXPECT_EQ(child<PictureView>(m.form, "chartLabel")->picture().cacheKey(), pixmapBefore)
        << "redrawn before the second was up";

    int redraws = 0;
    qint64 firstRedrawAt = -1;
    qint64 shown = pixmapBefore;
    while (clock.elapsed() < 5000 && (firstRedrawAt < 0 || clock.elapsed() < firstRedrawAt + 1500)) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        if (child<PictureView>(m.form, "chartLabel")->picture().cacheKey() != shown) {
            shown = child<PictureView>(m.form, "chartLabel")->picture().cacheKey();
            if (++redraws == 1)
                firstRedrawAt = clock.elapsed();
        }
    }
    EXPECT_EQ(redraws, 1);
    EXPECT_GE(firstRedrawAt, 950); // Qt's coarse timers may fire up to 5 % early
    EXPECT_EQ(inodeOf(m.diary), lastWrite);
    EXPECT_EQ(m.diaryBytes(), written);
    EXPECT_EQ(m.form->month().limits().green, 503);
    EXPECT_EQ(zoneColour(m, oldBorder + 1), yellowBefore);
    EXPECT_NE(zoneColour(m, newBorder), borderBefore);
    EXPECT_TRUE(m.desktop.shown().empty()) << m.desktop.shownTexts().join(u'|').toStdString();
}

TEST(SettingsDialog, ComputedLimitsReachFileAndChartOnlyWithABestValue)
{
    {
        SettingsWindow none;
        none.startWith({reading("Morgens", 2, 0), reading("Abends", 4, "abc")});
        none.dlg().refresh();
        EXPECT_FALSE(child<QPushButton>(&none.dlg(), "computeLimitsButton")->isEnabled());
    }
    SettingsWindow m;
    m.startWith(readings);
    ASSERT_EQ(m.form->month().summary().best.value, 560);
    m.dlg().show();
    ASSERT_TRUE(child<QPushButton>(&m.dlg(), "computeLimitsButton")->isEnabled());
    child<QPushButton>(&m.dlg(), "computeLimitsButton")->click();
    EXPECT_TRUE(m.diaryBytes().contains("GrenzwertGruen>=448\r\nGrenzwertRot<=336\r\n"));
    EXPECT_EQ(child<QLabel>(&m.dlg(), "greenLimitLabel")->text(), QStringLiteral("448"));
    EXPECT_EQ(child<QLabel>(&m.dlg(), "redLimitLabel")->text(), QStringLiteral("336"));
    m.redrawAfterLimits();
    // Rows between the two old borders now lie in the yellow band of the new ones.
    EXPECT_EQ(zoneColour(m, limitY(448) + 3), zoneColour(m, limitY(336) - 3));
    EXPECT_NE(zoneColour(m, limitY(448) - 3), zoneColour(m, limitY(448) + 3));
    EXPECT_NE(zoneColour(m, limitY(336) + 3), zoneColour(m, limitY(336) - 3));
    EXPECT_TRUE(m.desktop.shown().empty()) << m.desktop.shownTexts().join(u'|').toStdString();
}

TEST(SettingsDialog, SliderAndArrowKeysChangeTheZonesAtOnce)
{
    SettingsWindow m;
    m.form->settings().setZoneIntensity(3);
    m.startWith(readings);
    EXPECT_EQ(child<QSlider>(&m.dlg(), "zoneIntensitySlider")->value(), 3); // handed over at the first show
    EXPECT_EQ(m.state.zoneIntensity, 3);
    child<QSlider>(&m.dlg(), "zoneIntensitySlider")->setValue(4);
    const QColor atFour = zoneColour(m, 400);
    EXPECT_EQ(m.config.text(QStringLiteral("HintergrundFarbIntensitaet")), QStringLiteral("4"));
    child<QSlider>(&m.dlg(), "zoneIntensitySlider")->setValue(5);
    EXPECT_NE(zoneColour(m, 400), atFour);
    child<QSlider>(&m.dlg(), "zoneIntensitySlider")->setValue(0);
    EXPECT_EQ(m.config.text(QStringLiteral("HintergrundFarbIntensitaet")), QStringLiteral("0"));
    EXPECT_EQ(zoneColour(m, 400), QColor(Qt::white));
    EXPECT_EQ(zoneColour(m, limitY(500)), QColor(0, 255, 0));
    EXPECT_EQ(zoneColour(m, limitY(200)), QColor(255, 0, 0));

    // The arrow keys step the red limit without bounds.
    child<QSlider>(&m.dlg(), "zoneIntensitySlider")->setValue(3);
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(child<SpinButton>(&m.dlg(), "redLimitSpin"), &up);
    EXPECT_TRUE(m.diaryBytes().contains("GrenzwertRot<=201\r\n"));
    m.form->month().setLimit(CurrentMonth::Limit::Red, 0, {});
    QApplication::sendEvent(child<SpinButton>(&m.dlg(), "redLimitSpin"), &down);
    EXPECT_TRUE(m.diaryBytes().contains("GrenzwertRot<=-1\r\n"));
    m.redrawAfterLimits();
    // Below the scale there is no red zone: the bottom rows are as yellow as the middle ones.
    EXPECT_EQ(m.form->month().limits().red, -1);
    EXPECT_EQ(zoneColour(m, 590), zoneColour(m, 400));
}

TEST(SettingsDialog, ColoursAreStoredAndTheCurveRedrawnAlsoWhenCancelled)
{
    SettingsWindow m;
    m.startWith(readings);
    m.desktop.answerColor(QColor(0, 160, 0));
    child<QPushButton>(&m.dlg(), "curveColourButton")->click();
    EXPECT_EQ(m.config.text(QStringLiteral("KurvenFarbe")), QString::number(0x00A000));
    // The curve runs from day 2 evening (x 84) down to day 3 morning (x 90).
    const int y = (readingY(300) + readingY(150)) / 2;
    bool curveGreen = false;
    for (int x = 84; x <= 90; ++x)
        curveGreen |= m.chartAt(x, y) == QColor(0, 160, 0);
    EXPECT_TRUE(curveGreen);

    m.desktop.answerColor(std::nullopt);
    m.config.setText(QStringLiteral("KurvenFarbe"), QString());
    child<QPushButton>(&m.dlg(), "curveColourButton")->click();
    EXPECT_EQ(m.config.text(QStringLiteral("KurvenFarbe")), QString::number(0x00A000));

    // The browser group: the colour of the data values and the two check boxes, no redraw.
    const qint64 pixmap = child<PictureView>(m.form, "chartLabel")->picture().cacheKey();
    m.desktop.answerColor(QColor(1, 2, 3));
    child<QPushButton>(&m.dlg(), "valuesColourButton")->click();
    EXPECT_EQ(m.config.text(QStringLiteral("DatenwerteOberhalbFarbe")), QString::number(0x030201));
    EXPECT_EQ(child<QFrame>(&m.dlg(), "valuesColourSwatch")->palette().color(QPalette::Window), QColor(1, 2, 3));
    child<QCheckBox>(&m.dlg(), "breakLineCheck")->click();
    EXPECT_EQ(m.config.integerText(QStringLiteral("LinieBeiNullUnterbrechen")), QStringLiteral("0"));
    child<QCheckBox>(&m.dlg(), "showValuesCheck")->click(); // checked by the first run's setting
    EXPECT_EQ(m.config.integerText(QStringLiteral("WerteOberhalbKurveAnzeigen")), QStringLiteral("0"));
    EXPECT_FALSE(m.state.showValuesAboveCurve);
    EXPECT_EQ(child<PictureView>(m.form, "chartLabel")->picture().cacheKey(), pixmap);
}

TEST(SettingsDialog, AFreshUserGetsNoDiaryFromTheDialog)
{
    SettingsWindow m;
    m.desktop.answerDialog([](QDialog&) { return int(QDialog::Rejected); }); // no user yet: the name dialog
    m.form->firstShow();
    child<SpinButton>(&m.dlg(), "greenLimitSpin")->upButton()->click();
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    EXPECT_TRUE(m.desktop.shown()[0].text.contains(QStringLiteral("nicht geändert")));
    EXPECT_EQ(m.form->month().limits().green, 500);
    EXPECT_FALSE(child<QPushButton>(&m.dlg(), "computeLimitsButton")->isEnabled());
    m.desktop.answerColor(QColor(9, 9, 9));
    child<QPushButton>(&m.dlg(), "curveColourButton")->click();
    child<QSlider>(&m.dlg(), "zoneIntensitySlider")->setValue(2);
    EXPECT_FALSE(child<QTimer>(m.form, "limitRedrawTimer")->isActive());
    EXPECT_TRUE(QDir(m.state.galleryFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    EXPECT_EQ(m.desktop.shown().size(), 1u) << m.desktop.shownTexts().join(u'|').toStdString();
}

TEST(SettingsDialog, GermanTextsAreNotCutOff)
{
    SettingsWindow m;
    m.startWith({});
    ChartSettingsDialog& d = m.dlg();
    for (QWidget* w : d.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&d) || w->parentWidget() != &d)
            continue;
        EXPECT_LE(w->geometry().right(), d.width() - 1) << w->objectName().toStdString();
        if (auto* button = qobject_cast<QPushButton*>(w)) {
            EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()) + 12)
                << w->objectName().toStdString();
        }
    }
    // A caption does not run under a value, nor a value under its arrows, however long.
    EXPECT_LT(child<QLabel>(&d, "greenCaption")->geometry().right(), child<QLabel>(&d, "greenLimitLabel")->x());
    m.form->month().setLimit(CurrentMonth::Limit::Green, std::numeric_limits<int>::min(), {});
    d.refresh();
    EXPECT_LT(child<QLabel>(&d, "greenLimitLabel")->geometry().right(), child<SpinButton>(&d, "greenLimitSpin")->x());
}

// Another month's diary becomes the chart with its own title, layout and limits; the next start shows it.
TEST(OpenAsChart, AnotherMonthBringsItsTitleLayoutAndLimits)
{
    SettingsWindow m;
    m.startWith({reading("Morgens", 5, 300)});
    const QImage before = m.form->chartPicture();
    m.desktop.answerFile(QString());
    child<QAction>(m.form, "openAsChartAction")->trigger();
    EXPECT_EQ(m.form->chartPicture(), before);
    EXPECT_EQ(m.form->month().path(), m.diary);

    const QString april = m.diaryPath(QStringLiteral("Muster"), 4, 2024);
    m.writeLines(april, diaryHead(QStringLiteral("Muster"), QStringLiteral("April 2024"), true, 420, 180) +
                            QStringList{reading("Morgens", 2, 455, 4)});
    m.desktop.answerFile(april);
    child<QAction>(m.form, "openAsChartAction")->trigger();
    EXPECT_EQ(child<QLabel>(m.form, "userNameLabel")->text(),
              QStringLiteral("Luftikon-Messwerte April 2024 von  Muster"));
    EXPECT_TRUE(child<QAction>(m.form, "eightReadingsADayAction")->isChecked());
    EXPECT_EQ(m.form->month().limits().green, 420);
    EXPECT_EQ(m.form->month().limits().red, 180);
    EXPECT_EQ(m.chartAt(64, readingY(455)), QColor(0, 255, 0)); // the eight-slot column of day 2

    // A missing limit is the default, not the one of the month before.
    const QString may = m.diaryPath(QStringLiteral("Muster"), 5, 2024);
    QStringList lines = diaryHead(QStringLiteral("Muster"), QStringLiteral("Mai 2024"));
    lines << QStringLiteral("GrenzwertGruen>=777") << QString() << reading("Morgens", 1, 300, 5);
    m.writeLines(may, lines);
    m.desktop.answerFile(may);
    child<QAction>(m.form, "openAsChartAction")->trigger();
    EXPECT_EQ(m.form->month().limits().green, 777);
    EXPECT_EQ(m.form->month().limits().red, 200);

    m.form->close();
    EXPECT_EQ(m.config.text(QStringLiteral("TabellenDateiName")), may);
}

// Every combination of the two layout keys: the marks, and the one pair the next save writes.
TEST(OpenAsChart, DayLayoutKeysFromTheFileToTheMarksAndTheSavedBytes)
{
    const QStringList three{reading("Morgens", 2, 455), reading("Messung5", 2, 430), reading("Abends", 3, 180)};
    const QByteArray fourPair = "BisZu4MessungenJeTag=1\r\nBisZu8MessungenJeTag=0\r\n";
    const QByteArray eightPair = "BisZu8MessungenJeTag=1\r\nBisZu4MessungenJeTag=0\r\n";
    struct Case {
        QStringList layout;
        bool four, eight;
        QByteArray savedPair;
    };
    const Case cases[] = {
        {{"BisZu4MessungenJeTag=0", "BisZu8MessungenJeTag=0"}, false, false, fourPair},
        {{}, false, false, fourPair},
        {{"BisZu4MessungenJeTag=1", "BisZu8MessungenJeTag=1"}, true, true, eightPair},
        {{"BisZu8MessungenJeTag=1", "BisZu4MessungenJeTag=0"}, false, true, eightPair},
    };
    for (const Case& c : cases) {
        const std::string name = c.layout.join(u'|').toStdString();
        SettingsWindow m;
        m.startWith({});
        m.writeLines(m.diary, QStringList{"[Personendaten]", "BenutzerName=Muster", "Datum=März 2024", ""} + c.layout +
                                  QStringList{QString()} + three);
        m.desktop.answerFile(m.diary);
        child<QAction>(m.form, "openAsChartAction")->trigger();
        EXPECT_EQ(child<QAction>(m.form, "fourReadingsADayAction")->isChecked(), c.four) << name;
        EXPECT_EQ(child<QAction>(m.form, "eightReadingsADayAction")->isChecked(), c.eight) << name;

        // The next save of the month.
        m.desktop.answerDialog([&m](QDialog&) {
            child<QPushButton>(child<EntryDialog>(m.form, "entryDialog"), "chartButton")->click();
            return int(QDialog::Accepted);
        });
        child<QAction>(m.form, "editCurrentDiaryAction")->trigger();
        const QByteArray saved = m.diaryBytes();
        EXPECT_TRUE(saved.contains(c.savedPair)) << name << "\n" << saved.toStdString();
        EXPECT_EQ(saved.count("MessungenJeTag="), 2) << name;
        EXPECT_TRUE(saved.contains("GrenzwertGruen>=500\r\nGrenzwertRot<=200\r\n")) << name;
        for (const QString& r : three)
            EXPECT_TRUE(saved.contains(r.toLatin1() + "\r\n")) << name;
        EXPECT_TRUE(m.desktop.shown().empty()) << name << m.desktop.shownTexts().join(u'|').toStdString();
    }
}
