// Start-up and shut-down of the main window: where the data live, and the settings the
// chart needs before its first drawing.
#include "shell/mainwindow.h"

#include "files/safefile.h"

#include "shell/touchsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>

namespace luftikon {

namespace {

const QChar DQ = u'"';
const QString LFCR = QStringLiteral("\n\r");

QString withSlash(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace

void MainWindow::startUp()
{
    setUpTouch();
    firstShowPending_ = true;
    state_.startFolder = withSlash(QDir::currentPath());
    chartPicture_ = QImage(200, 200, QImage::Format_BGR888);
    chartPicture_.fill(Qt::white);
    updateChart();

    checkInstallLocation();

    // A hand-edited data folder without the final "/" would glue the folder names onto it.
    const QString& dataFolder = settings_.dataFolder();
    state_.dataFolder = dataFolder.isEmpty() ? dataFolder : withSlash(dataFolder);

    if (!prepareDataSubfolder(settings_.galleryFolderName(), state_.galleryFolderName, state_.galleryFolder))
        return;
    if (!prepareDataSubfolder(settings_.htmlFolderName(), state_.htmlFolderName, state_.htmlFolder))
        return;

    copyChartScript();
    readCurveColor();
    readPictureNames();
    loadPictures();
}

void MainWindow::setUpTouch()
{
    touch = touchSupportOfMachine();
    if (touch.touchInputAvailable)
        grabGesture(Qt::PinchGesture);
}

void MainWindow::copyChartScript()
{
    // The page export expects the chart script in the data folder, which is only known now.
    const QString source = state_.resourceFolder + QStringLiteral("scripts/Chart.min.js");
    const QString folder = state_.dataFolder + QStringLiteral("scripts/");
    const QString target = folder + QStringLiteral("Chart.min.js");
    if (state_.dataFolder.isEmpty() || QFileInfo::exists(target) || !QFileInfo(source).isFile())
        return;
    // A copy that fails is told by the export, which needs the script; a half copy never stays behind.
    if (QDir().mkpath(folder))
        copyFileSafely(source, target);
}

void MainWindow::loadPictures()
{
    // Missing or unreadable pictures leave the strip empty and the blank chart in place.
    if (QFileInfo(state_.headerPictureFile).isFile()) {
        const QImage header = loadPictureAtScale(state_.headerPictureFile, screenScale());
        if (!header.isNull())
            headerPicture_->setPixmap(QPixmap::fromImage(header));
    }
    loadTemplatePicture();
    loadPins(chart_);
}

void MainWindow::loadPins(ChartDrawing& drawing)
{
    const auto pin = [&](const char* name) {
        return loadPictureAtScale(state_.resourceFolder + QLatin1String(name), drawing.scale());
    };
    drawing.setPinPictures({pin("StecknadelRechts.bmp"), pin("StecknadelLinks.bmp")});
}

void MainWindow::checkInstallLocation()
{
    // A damaged settings file never stops the start; the user hears about it once.
    const SettingsRepair repair = config_.repairAtStart(state_.startFolder, state_.resourceFolder);
    if (!repair.message.isEmpty())
        desktop_.warning(repair.message);
    // Settings with an emptied folder are no first run: the first-run writer would rewrite them all.
    config_.fillEmptyFolders(state_.startFolder);
    // Read once the file is mended; a first run reads what it has just written.
    settings_ = Settings::load(config_);
    const QString installOrt = settings_.installFolder();
    if (installOrt.isEmpty()) {
        writeFirstRunDefaults();
        settings_ = Settings::load(config_);
        return;
    }
    const QString& storedDataFolder = settings_.dataFolder();
    // Started from inside the install folder (or a folder below it) counts as the same place.
    if (state_.startFolder.toUpper().contains(installOrt.toUpper()))
        return;
    desktop_.information(DQ + QStringLiteral("Luftikon") + DQ +
                         QStringLiteral(" haben Sie schon mal an einem anderen Speicherort benutzt:") + LFCR + DQ +
                         installOrt + DQ + LFCR + LFCR + QStringLiteral("Ihre Daten finden Sie weiterhin im Ordner:") +
                         LFCR + DQ + storedDataFolder + QStringLiteral("Luftikon-Daten-Galerie/") + DQ);
    desktop_.information(QStringLiteral("Wenn Sie hier in diesem Ordner zukünftig Ihre Daten anlegen möchten,") + LFCR +
                         QStringLiteral("dann betätigen Sie den Menüpunkt ") + DQ +
                         QStringLiteral("Optionen|Einstellungen löschen") + DQ);
}

bool MainWindow::prepareDataSubfolder(const QString& configured, QString& name, QString& folder)
{
    name = withSlash(configured);
    folder = state_.dataFolder + name;
    if (QFileInfo(folder).isDir())
        return true;
    if (!QDir().mkpath(folder))
        desktop_.message(QStringLiteral("Ordner ") + DQ + name + DQ +
                         QStringLiteral(" konnte nicht erstellt werden! "));
    if (QFileInfo(folder).isDir())
        return true;
    desktop_.information(QStringLiteral("Ordner: ") + folder + DQ + QStringLiteral(" existiert nicht! ") +
                         QStringLiteral(" Das Programm wird beendet."));
    startupAborted_ = true;
    desktop_.terminate(1);
    return false;
}

void MainWindow::readCurveColor()
{
    if (const auto color = settings_.curveColor())
        state_.curveColor = *color;
    else if (!settings_.curveColorText().isEmpty())
        desktop_.error(QStringLiteral("Die Einstellung \"KurvenFarbe\" in %1 ist keine Zahl: \"%2\". "
                                      "Die Kurve wird in der bisherigen Farbe gezeichnet.")
                           .arg(config_.path(), settings_.curveColorText()));
}

void MainWindow::readPictureNames()
{
    // A picture name that is no file is taken as relative to the start folder.
    const auto pictureFile = [this](const QString& value) {
        return QFileInfo::exists(value) ? value : state_.startFolder + value;
    };
    // The month on screen starts with four readings a day.
    takeTemplatePicture();
    const QString& header = settings_.headerPicture();
    if (!header.isEmpty())
        state_.headerPictureFile = pictureFile(header);
    state_.paperFormat = settings_.paperFormat();
}

void MainWindow::rememberDiaryOnScreen()
{
    settings_.setLastDiaryFile(month_.path());
}

void MainWindow::forgetNotices()
{
    config_.setNotify({});
}

} // namespace luftikon
