// The first show of the main window: the chart settings, then the last diary of the user.
#include "chart/ui/einstell.h"
#include "diary/diaryfile.h"
#include "shell/mainform.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>

namespace luftikon {

void TMainForm::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    if (firstShowPending_ && !firstShowQueued_) {
        firstShowQueued_ = true;
        QTimer::singleShot(0, this, &TMainForm::FormPaint);
    }
}

void TMainForm::FormPaint()
{
    if (!firstShowPending_)
        return;
    firstShowPending_ = false;

    readFirstShowSettings();

    const QString name = config_.Lies_String_aus_Registry(QStringLiteral("BenutzerName"));
    if (name.isEmpty()) {
        emit userNameNeeded();
        return;
    }
    state_.userName = name;
    showUserName(name);

    const QString lastDiary = config_.Lies_String_aus_Registry(QStringLiteral("TabellenDateiName"));
    if (!QFileInfo(lastDiary).isFile()) {
        desktop_.message(QStringLiteral("Kann die Datei nicht finden: ") + lastDiary);
        return;
    }
    showDiaryAsChart(lastDiary);
}

void TMainForm::showDiaryAsChart(const QString& diaryFile)
{
    DiaryFile diary = readDiary(diaryFile);
    tellAboutOpenedDiary(diary);
    month_.open(std::move(diary), notify());
}

void TMainForm::readFirstShowSettings()
{
    state_.showValuesAboveCurve =
        config_.Lies_Integer_aus_Registry(QStringLiteral("WerteOberhalbKurveAnzeigen")).startsWith(u'1');

    const QString aboveColour = config_.Lies_String_aus_Registry(QStringLiteral("DatenwerteOberhalbFarbe"));
    if (aboveColour.isEmpty()) {
        state_.aboveCurveColor = 0;
    }
    else if (const auto value = parseWholeNumber(trimBlanks(aboveColour)); value && *value >= 0) {
        state_.aboveCurveColor = static_cast<ColorRef>(*value);
    }
    else {
        desktop_.error(QStringLiteral("Die Einstellung \"DatenwerteOberhalbFarbe\" in %1 ist keine Farbe: \"%2\". "
                                      "Die Datenwerte werden schwarz geschrieben.")
                           .arg(config_.path(), aboveColour));
        state_.aboveCurveColor = 0;
    }

    state_.showPin = config_.Lies_String_aus_Registry(QStringLiteral("StecknadelAnzeigen")).contains(u'1');

    const QString intensity = config_.Lies_String_aus_Registry(QStringLiteral("HintergrundFarbIntensitaet"));
    if (!intensity.isEmpty()) {
        // The slider runs 0..8 and stops at its ends.
        if (const auto value = parseWholeNumber(trimBlanks(intensity)))
            state_.zoneIntensity = std::clamp(*value, 0, 8);
        else
            desktop_.error(QStringLiteral("Die Einstellung \"HintergrundFarbIntensitaet\" in %1 ist keine Zahl: "
                                          "\"%2\". Die Zonen werden mit der Intensität %3 gemalt.")
                               .arg(config_.path(), intensity)
                               .arg(state_.zoneIntensity));
    }
    if (EinstellDlg)
        EinstellDlg->takeFirstShowSettings();
}

} // namespace luftikon
