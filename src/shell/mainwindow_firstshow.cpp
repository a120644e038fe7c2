// The first show of the main window: the chart settings, then the last diary of the user.
#include "chart/ui/chartsettingsdialog.h"
#include "diary/diaryfile.h"
#include "entry/entrycommands.h"
#include "shell/mainwindow.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>

namespace luftikon {

void MainWindow::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    if (firstShowPending_ && !firstShowQueued_) {
        firstShowQueued_ = true;
        QTimer::singleShot(0, this, &MainWindow::firstShow);
    }
}

void MainWindow::firstShow()
{
    if (!firstShowPending_)
        return;
    firstShowPending_ = false;

    readFirstShowSettings();

    const QString name = settings_.userName();
    if (name.isEmpty()) {
        emit userNameNeeded();
        return;
    }
    state_.userName = name;
    showUserName(name);

    const QString lastDiary = settings_.lastDiaryFile();
    if (!QFileInfo(lastDiary).isFile()) {
        desktop_.message(QStringLiteral("Kann die Datei nicht finden: ") + lastDiary);
        return;
    }
    showDiaryAsChart(lastDiary);
}

void MainWindow::showDiaryAsChart(const QString& diaryFile)
{
    DiaryFile diary = readDiary(diaryFile);
    tellAboutOpenedDiary(desktop_, diary);
    month_.open(std::move(diary), notify());
}

void MainWindow::readFirstShowSettings()
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
    if (chartSettingsDialog_)
        chartSettingsDialog_->takeFirstShowSettings();
}

void MainWindow::takeTemplatePicture()
{
    // Four-slot marks are checked before eight-slot ones, so with both set the eight wins.
    for (const bool eight : {false, true}) {
        if (!month_.layout().marks(eight ? SlotMode::Eight : SlotMode::Four))
            continue;
        const QString& configured = eight ? settings_.eightSlotTemplate() : settings_.fourSlotTemplate();
        if (configured.isEmpty())
            continue;
        const QString stock = eight ? QStringLiteral("Vorlag8M.bmp") : QStringLiteral("Vorlag4M.bmp");
        state_.templatePictureFile = state_.startFolder + configured;
        for (const QString& candidate :
             {configured, state_.startFolder + configured, state_.startFolder + stock, state_.resourceFolder + stock}) {
            if (QFileInfo(candidate).isFile()) {
                state_.templatePictureFile = candidate;
                break;
            }
        }
    }
}

void MainWindow::loadTemplatePicture()
{
    // The drawings' own decoded templates: the next drawing starts from the same pictures.
    const QImage picture = chart_.bareTemplate();
    if (picture.isNull())
        return;
    chartPicture_ = picture;
    loadScreenTemplate();
    updateChart();
}

} // namespace luftikon
