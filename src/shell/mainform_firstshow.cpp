// The first show of the main window: the chart settings, then the last diary of the user.
#include "chart/limits.h"
#include "chart/ui/einstell.h"
#include "diary/diaryfile.h"
#include "diary/entryline.h"
#include "diary/iniheader.h"
#include "shell/mainform.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>
#include <algorithm>

namespace luftikon {

namespace {

const QStringList yearPatterns{"/199", "/200", "/201", "/202", "/203"};

// The 4 characters after the "/" of the first occurrence of the last pattern found; the
// previous year when the path holds none.
QString diaryYearOf(const QString& path, const QString& previous)
{
    QString year = previous;
    for (const QString& pattern : yearPatterns) {
        const qsizetype at = path.indexOf(pattern);
        if (at >= 0)
            year = path.mid(at + 1, 4);
    }
    return year;
}

} // namespace

void TMainForm::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    if (state_.firstShowPending && !firstShowQueued_) {
        firstShowQueued_ = true;
        QTimer::singleShot(0, this, &TMainForm::FormPaint);
    }
}

void TMainForm::FormPaint()
{
    if (!state_.firstShowPending)
        return;
    state_.firstShowPending = false;

    readFirstShowSettings();

    const QString name = config_.Lies_String_aus_Registry(QStringLiteral("BenutzerName"));
    if (name.isEmpty()) {
        if (onNoUserName)
            onNoUserName();
        return;
    }
    state_.userName = name;
    Label1->setText(QStringLiteral("von ") + name);
    if (onUserNameShown)
        onUserNameShown(name);

    state_.lastDiaryFile = config_.Lies_String_aus_Registry(QStringLiteral("TabellenDateiName"));
    if (!QFileInfo(state_.lastDiaryFile).isFile()) {
        desktop_.message(QStringLiteral("Kann die Datei nicht finden: ") + state_.lastDiaryFile);
        return;
    }
    const DiaryFile diary = readDiary(state_.lastDiaryFile);
    tellAboutOpenedDiary(diary);
    showDiaryAsChart(diary);
}

void TMainForm::showDiaryAsChart(const QString& diaryFile)
{
    showDiaryAsChart(readDiary(diaryFile));
}

void TMainForm::showDiaryAsChart(const DiaryFile& diary)
{
    state_.currentDiaryFile = diary.path;
    // The export files the month under its own year, not under the one shown before.
    state_.diaryYear = diaryYearOf(diary.path, state_.diaryYear);

    // A file that exists but cannot be read is told by the drawing.
    readDayLayout(diary);
    if (biszu4MessungenjeTag && biszu8MessungenjeTag) {
        biszu4MessungenjeTag->setChecked(state_.fourSlotMark);
        biszu8MessungenjeTag->setChecked(state_.eightSlotMark);
    }
    readLimits(diary);
    state_.zonesPainted = false;
    GrafikZeichnen(diary);
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

void TMainForm::readDayLayout(const DiaryFile& diary)
{
    state_.fourSlotMark = diary.fourSlotMark;
    state_.eightSlotMark = diary.eightSlotMark;
    // Both set: both marks stay; the eight-slot template is taken last and the chart follows it.
    takeTemplatePicture();
}

void TMainForm::readLimits(const DiaryFile& diary)
{
    const auto limit = [&](const QString& key, int defaultValue) {
        if (const auto value = storedLimit(diary.lines, key, defaultValue))
            return *value;
        desktop_.warning(QStringLiteral("Der Grenzwert \"%1\" in der Datei %2 ist keine Zahl: \"%3\". "
                                        "Es gilt der Grenzwert %4.")
                             .arg(key, diary.path, readHeaderValue(diary.lines, key, QString()))
                             .arg(defaultValue));
        return defaultValue;
    };
    state_.greenLimit = limit(GreenLimitKey, DefaultGreenLimit);
    state_.redLimit = limit(RedLimitKey, DefaultRedLimit);
}

} // namespace luftikon
