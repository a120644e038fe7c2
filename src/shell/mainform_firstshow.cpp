// The first show of the main window: the chart settings, then the last diary of the user.
#include "chart/limits.h"
#include "chart/ui/einstell.h"
#include "diary/entryline.h"
#include "diary/iniheader.h"
#include "diary/textfile.h"
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

    const QString name = config_.readString(QStringLiteral("BenutzerName"));
    if (name.isEmpty()) {
        if (onNoUserName)
            onNoUserName();
        return;
    }
    state_.userName = name;
    Label1->setText(QStringLiteral("von ") + name);
    if (onUserNameShown)
        onUserNameShown(name);

    state_.lastDiaryFile = config_.readString(QStringLiteral("TabellenDateiName"));
    if (!QFileInfo(state_.lastDiaryFile).isFile()) {
        desktop_.message(QStringLiteral("Kann die Datei nicht finden: ") + state_.lastDiaryFile);
        return;
    }
    showDiaryAsChart(state_.lastDiaryFile);
}

void TMainForm::showDiaryAsChart(const QString& diaryFile)
{
    state_.currentDiaryFile = diaryFile;
    // The export files the month under its own year, not under the one shown before.
    state_.diaryYear = diaryYearOf(diaryFile, state_.diaryYear);

    // The header is read once; a file that exists but cannot be read is told by the drawing.
    const QStringList header = readTextLines(diaryFile).lines;
    readDayLayout(header);
    if (biszu4MessungenjeTag && biszu8MessungenjeTag) {
        biszu4MessungenjeTag->setChecked(state_.fourSlotMark);
        biszu8MessungenjeTag->setChecked(state_.eightSlotMark);
    }
    loadTemplatePicture();
    readLimits(header, diaryFile);
    state_.zonesPainted = false;
    GrafikZeichnen(diaryFile);
}

void TMainForm::readFirstShowSettings()
{
    state_.showValuesAboveCurve = config_.readInteger(QStringLiteral("WerteOberhalbKurveAnzeigen")).startsWith(u'1');

    const QString aboveColour = config_.readString(QStringLiteral("DatenwerteOberhalbFarbe"));
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

    state_.showPin = config_.readString(QStringLiteral("StecknadelAnzeigen")).contains(u'1');

    const QString intensity = config_.readString(QStringLiteral("HintergrundFarbIntensitaet"));
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

void TMainForm::readDayLayout(const QStringList& header)
{
    // A configured template that is missing falls back to the stock one: first beside the
    // program's start folder, then where the program installed it.
    const auto templateFor = [this](const QString& valueName, const QString& stockName) {
        const QString configured = config_.readString(valueName);
        if (QFileInfo::exists(configured))
            return configured;
        const QString beside = state_.startFolder + stockName;
        if (QFileInfo::exists(beside) || !QFileInfo::exists(state_.resourceFolder + stockName))
            return beside;
        return state_.resourceFolder + stockName;
    };
    const auto layoutSet = [&](const QString& key) { return readHeaderValue(header, key, QString()).contains(u'1'); };

    state_.fourSlotMark = layoutSet(QStringLiteral("BisZu4MessungenJeTag"));
    if (state_.fourSlotMark && !config_.readString(QStringLiteral("Grafik4")).isEmpty())
        state_.templatePictureFile = templateFor(QStringLiteral("Grafik4"), QStringLiteral("Vorlag4M.bmp"));
    state_.eightSlotMark = layoutSet(QStringLiteral("BisZu8MessungenJeTag"));
    if (state_.eightSlotMark && !config_.readString(QStringLiteral("Grafik8")).isEmpty())
        state_.templatePictureFile = templateFor(QStringLiteral("Grafik8"), QStringLiteral("Vorlag8M.bmp"));
    // Both set: both marks stay; the eight-slot template was taken last and the chart follows it.
}

void TMainForm::readLimits(const QStringList& header, const QString& diaryFile)
{
    const auto limit = [&](const QString& key, int defaultValue) {
        if (const auto value = storedLimit(header, key, defaultValue))
            return *value;
        desktop_.warning(QStringLiteral("Der Grenzwert \"%1\" in der Datei %2 ist keine Zahl: \"%3\". "
                                        "Es gilt der Grenzwert %4.")
                             .arg(key, diaryFile, readHeaderValue(header, key, QString()))
                             .arg(defaultValue));
        return defaultValue;
    };
    state_.greenLimit = limit(GreenLimitKey, DefaultGreenLimit);
    state_.redLimit = limit(RedLimitKey, DefaultRedLimit);
}

} // namespace luftikon
