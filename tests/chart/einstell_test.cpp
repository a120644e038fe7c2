// The chart settings dialog over a running main window: limits, slider, colours, browser settings.
#include "chart/scales.h"
#include "chart/ui/einstell.h"
#include "chart/ui/spinbutton.h"
#include "chart/zonetint.h"
#include "diary/entryline.h"
#include "diary/textfile.h"
#include "settingsfixture.h"
#include "shell/mainform.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <limits>

using namespace luftikon;
using namespace luftikon::test;

namespace {

const QStringList march{reading("Morgens", 2, QStringLiteral("560")), reading("Abends", 2, QStringLiteral("300")),
                        reading("Morgens", 3, QStringLiteral("150"))};

// The zone colour of a chart row, read in day 1's column, left of every reading.
QColor zoneColour(SettingsMachine& m, int y)
{
    return m.chartAt(50, y);
}

} // namespace

TEST(SettingsDialog, ThreeQuickClicksStoreEachValueAndRedrawOnceASecondLater)
{
    SettingsMachine m;
    m.startWith(march);
    // Green limit 500 -> 503 moves the border from row 285 up to 283.
    const int oldBorder = LimitY(500);
    const int newBorder = LimitY(503);
    ASSERT_NE(oldBorder, newBorder);
    const QColor yellowBefore = zoneColour(m, oldBorder + 1);
    const QColor borderBefore = zoneColour(m, newBorder);

    QElapsedTimer clock;
    clock.start();
    const qint64 pixmapBefore = m.form->Image->pixmap().cacheKey();
    for (int value = 501; value <= 503; ++value) {
        m.dlg().HochwertSpinButton->upButton()->click();
        EXPECT_TRUE(m.bytes().contains("GrenzwertGruen>=" + QByteArray::number(value)));
        EXPECT_EQ(m.dlg().HochwertLabel->text(), QString::number(value));
    }
    EXPECT_EQ(m.form->Image->pixmap().cacheKey(), pixmapBefore) << "redrawn before the second was up";

    int redraws = 0;
    qint64 firstRedrawAt = -1;
    qint64 shown = pixmapBefore;
    while (clock.elapsed() < 5000 && (firstRedrawAt < 0 || clock.elapsed() < firstRedrawAt + 1500)) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        if (m.form->Image->pixmap().cacheKey() != shown) {
            shown = m.form->Image->pixmap().cacheKey();
            if (++redraws == 1)
                firstRedrawAt = clock.elapsed();
        }
    }
    EXPECT_EQ(redraws, 1);
    EXPECT_GE(firstRedrawAt, 950); // Qt's coarse timers may fire up to 5 % early
    EXPECT_EQ(m.state.greenLimit, 503);
    EXPECT_EQ(zoneColour(m, oldBorder + 1), yellowBefore);
    EXPECT_NE(zoneColour(m, newBorder), borderBefore);
    EXPECT_TRUE(m.desktop.shown().empty()) << m.desktop.shownTexts().join(u'|').toStdString();
}

TEST(SettingsDialog, ArrowKeysStepTheRedLimitWithoutBoundsAndTheChartFollows)
{
    SettingsMachine m;
    m.startWith(march);
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(m.dlg().TiefwertSpinButton, &up);
    EXPECT_TRUE(m.bytes().contains("GrenzwertRot<=201\r\n"));
    m.state.redLimit = 0;
    QApplication::sendEvent(m.dlg().TiefwertSpinButton, &down);
    EXPECT_TRUE(m.bytes().contains("GrenzwertRot<=-1\r\n"));
    m.dlg().Timer1Timer();
    // Below the scale there is no red zone: the bottom rows are as yellow as the middle ones.
    EXPECT_EQ(m.state.redLimit, -1);
    EXPECT_EQ(zoneColour(m, 590), zoneColour(m, 400));
}

TEST(SettingsDialog, ComputedLimitsReachFileAndChart)
{
    SettingsMachine m;
    m.startWith(march);
    ASSERT_EQ(m.state.bestValue, 560);
    m.dlg().show();
    ASSERT_TRUE(m.dlg().GrenzwerteBerechnenBitBtn->isEnabled());
    m.dlg().GrenzwerteBerechnenBitBtn->click();
    EXPECT_TRUE(m.bytes().contains("GrenzwertGruen>=448\r\nGrenzwertRot<=336\r\n"));
    EXPECT_EQ(m.dlg().HochwertLabel->text(), QStringLiteral("448"));
    EXPECT_EQ(m.dlg().TiefwertLabel->text(), QStringLiteral("336"));
    EXPECT_TRUE(m.dlg().Timer1->isActive());
    m.dlg().Timer1Timer();
    EXPECT_FALSE(m.dlg().Timer1->isActive());
    // Rows between the two old borders now lie in the yellow band of the new ones.
    EXPECT_EQ(zoneColour(m, LimitY(448) + 3), zoneColour(m, LimitY(336) - 3));
    EXPECT_NE(zoneColour(m, LimitY(448) - 3), zoneColour(m, LimitY(448) + 3));
    EXPECT_NE(zoneColour(m, LimitY(336) + 3), zoneColour(m, LimitY(336) - 3));
    EXPECT_TRUE(m.desktop.shown().empty()) << m.desktop.shownTexts().join(u'|').toStdString();
}

TEST(SettingsDialog, NoBestValueNoComputing)
{
    for (const QStringList& readings : {QStringList{}, QStringList{reading("Morgens", 2, QStringLiteral("0")),
                                                                   reading("Abends", 4, QStringLiteral("abc"))}}) {
        SettingsMachine m;
        m.startWith(readings);
        m.dlg().FormPaint();
        EXPECT_FALSE(m.dlg().GrenzwerteBerechnenBitBtn->isEnabled()) << readings.size();
    }
}

TEST(SettingsDialog, SliderStoresAndRedrawsAtEachStepAndZeroDrawsLines)
{
    SettingsMachine m;
    m.startWith(march);
    m.dlg().TrackBar1->setValue(4);
    const QColor atFour = zoneColour(m, 400);
    EXPECT_EQ(m.config.Lies_String_aus_Registry(QStringLiteral("HintergrundFarbIntensitaet")), QStringLiteral("4"));
    m.dlg().TrackBar1->setValue(5);
    EXPECT_NE(zoneColour(m, 400), atFour);
    m.dlg().TrackBar1->setValue(0);
    EXPECT_EQ(m.config.Lies_String_aus_Registry(QStringLiteral("HintergrundFarbIntensitaet")), QStringLiteral("0"));
    EXPECT_EQ(zoneColour(m, 400), QColor(Qt::white));
    EXPECT_EQ(zoneColour(m, LimitY(500)), QColor(0, 255, 0));
    EXPECT_EQ(zoneColour(m, LimitY(200)), QColor(255, 0, 0));
}

TEST(SettingsDialog, FirstShowHandsOverWithoutRedrawing)
{
    SettingsMachine m;
    m.config.Schreib_String_in_Registry(QStringLiteral("HintergrundFarbIntensitaet"), QStringLiteral("3"));
    m.config.Schreib_Integer_in_Registry(QStringLiteral("WerteOberhalbKurveAnzeigen"), QStringLiteral("0"));
    m.config.Schreib_String_in_Registry(QStringLiteral("DatenwerteOberhalbFarbe"), QStringLiteral("65280"));
    m.startWith(march);
    EXPECT_EQ(m.dlg().TrackBar1->value(), 3);
    EXPECT_FALSE(m.dlg().WerteOberhalbKurveAnzeigenCheckBox->isChecked());
    EXPECT_EQ(m.dlg().Label13->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    EXPECT_EQ(m.state.zoneIntensity, 3);
}

TEST(SettingsDialog, ColoursAreStoredAndTheCurveRedrawnAlsoWhenCancelled)
{
    SettingsMachine m;
    m.startWith(march);
    m.desktop.answerColor(QColor(0, 160, 0));
    m.dlg().Button4->click();
    EXPECT_EQ(m.config.Lies_String_aus_Registry(QStringLiteral("KurvenFarbe")), QString::number(0x00A000));
    // The curve runs from day 2 evening (x 84) down to day 3 morning (x 90).
    const int y = (ReadingY(300) + ReadingY(150)) / 2;
    bool curveGreen = false;
    for (int x = 84; x <= 90; ++x)
        curveGreen |= m.chartAt(x, y) == QColor(0, 160, 0);
    EXPECT_TRUE(curveGreen);

    m.desktop.answerColor(std::nullopt);
    m.config.Schreib_String_in_Registry(QStringLiteral("KurvenFarbe"), QString());
    m.dlg().Button4->click();
    EXPECT_EQ(m.config.Lies_String_aus_Registry(QStringLiteral("KurvenFarbe")), QString::number(0x00A000));

    // The browser group: the colour of the data values and the two check boxes, no redraw.
    const qint64 pixmap = m.form->Image->pixmap().cacheKey();
    m.desktop.answerColor(QColor(1, 2, 3));
    m.dlg().Button8->click();
    EXPECT_EQ(m.config.Lies_String_aus_Registry(QStringLiteral("DatenwerteOberhalbFarbe")), QString::number(0x030201));
    m.dlg().LinieUnterbrechenCheckBox->click();
    EXPECT_EQ(m.config.Lies_Integer_aus_Registry(QStringLiteral("LinieBeiNullUnterbrechen")), QStringLiteral("0"));
    m.dlg().WerteOberhalbKurveAnzeigenCheckBox->click(); // checked by the first run's setting
    EXPECT_EQ(m.config.Lies_Integer_aus_Registry(QStringLiteral("WerteOberhalbKurveAnzeigen")), QStringLiteral("0"));
    EXPECT_FALSE(m.state.showValuesAboveCurve);
    EXPECT_EQ(m.form->Image->pixmap().cacheKey(), pixmap);
}

TEST(SettingsDialog, AFreshUserGetsNoDiaryFromTheDialog)
{
    SettingsMachine m;
    m.form->onNoUserName = [] {};
    m.form->FormPaint(); // no user yet
    const QDir gallery(m.state.galleryFolder);
    m.dlg().HochwertSpinButton->upButton()->click();
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    EXPECT_TRUE(m.desktop.shown()[0].text.contains(QStringLiteral("nicht geändert")));
    EXPECT_EQ(m.state.greenLimit, 500);
    EXPECT_FALSE(m.dlg().GrenzwerteBerechnenBitBtn->isEnabled());
    m.desktop.answerColor(QColor(9, 9, 9));
    m.dlg().Button4->click();
    m.dlg().TrackBar1->setValue(2);
    m.dlg().Timer1Timer();
    EXPECT_TRUE(gallery.entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    EXPECT_EQ(m.desktop.shown().size(), 1u) << m.desktop.shownTexts().join(u'|').toStdString();
}

TEST(SettingsDialog, GermanTextsAreNotCutOff)
{
    SettingsMachine m;
    TEinstellDlg& d = m.dlg();
    for (QWidget* w : d.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&d) || w->parentWidget() != &d)
            continue;
        EXPECT_LE(w->geometry().right(), d.width() - 1) << w->objectName().toStdString();
        if (auto* button = qobject_cast<QPushButton*>(w)) {
            EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()) + 12)
                << w->objectName().toStdString();
        }
    }
    // A caption does not run under a three-digit value, nor a value under its arrows, however long.
    EXPECT_LT(d.Label6->geometry().right(), d.HochwertLabel->x());
    EXPECT_LT(d.Label8->geometry().right(), d.TiefwertLabel->x());
    for (int limit : {888, 1999, std::numeric_limits<int>::min()}) {
        m.state.greenLimit = limit;
        d.FormPaint();
        EXPECT_LT(d.HochwertLabel->geometry().right(), d.HochwertSpinButton->x()) << limit;
    }
    // The frames hold what they group.
    EXPECT_TRUE(d.computationFrame->geometry().contains(d.GrenzwerteBerechnenBitBtn->geometry()));
    EXPECT_TRUE(d.computationFrame->geometry().contains(d.Label9->geometry()));
    EXPECT_TRUE(d.chartFrame->geometry().contains(d.computationFrame->geometry()));
    EXPECT_TRUE(d.browserFrame->geometry().contains(d.LinieUnterbrechenCheckBox->geometry()));
}
