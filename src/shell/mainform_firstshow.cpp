// The first show of the main window: the chart settings, then the last diary of the user.
#include "chart/limits.h"
#include "chart/ui/einstell.h"
#include "diary/diaryfile.h"
#include "diary/iniheader.h"
#include "shell/mainform.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>

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

    const QString name = settings_.userName();
    if (name.isEmpty()) {
        if (onNoUserName)
            onNoUserName();
        return;
    }
    state_.userName = name;
    Label1->setText(QStringLiteral("von ") + name);
    if (onUserNameShown)
        onUserNameShown(name);

    state_.lastDiaryFile = settings_.lastDiaryFile();
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
    state_.showValuesAboveCurve = settings_.showValuesAboveCurve();

    // Without a stored colour, or with one that is none, the values are written in black.
    state_.aboveCurveColor = settings_.aboveCurveColor().value_or(0);
    if (!settings_.aboveCurveColor() && !settings_.aboveCurveColorText().isEmpty())
        desktop_.error(QStringLiteral("Die Einstellung \"DatenwerteOberhalbFarbe\" in %1 ist keine Farbe: \"%2\". "
                                      "Die Datenwerte werden schwarz geschrieben.")
                           .arg(config_.path(), settings_.aboveCurveColorText()));

    state_.showPin = settings_.showPin();

    if (const auto intensity = settings_.zoneIntensity())
        state_.zoneIntensity = *intensity;
    else if (!settings_.zoneIntensityText().isEmpty())
        desktop_.error(QStringLiteral("Die Einstellung \"HintergrundFarbIntensitaet\" in %1 ist keine Zahl: "
                                      "\"%2\". Die Zonen werden mit der Intensität %3 gemalt.")
                           .arg(config_.path(), settings_.zoneIntensityText())
                           .arg(state_.zoneIntensity));
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
