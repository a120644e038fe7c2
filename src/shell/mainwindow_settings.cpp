// The chart settings dialog and opening any month as a chart.
#include "chart/ui/chartsettingsdialog.h"
#include "diary/diaryfile.h"
#include "shell/mainwindow.h"

namespace luftikon {

void MainWindow::buildSettingsWindow()
{
    chartSettingsDialog_ = new ChartSettingsDialog(state_, month_, desktop_, settings_, this);
    // A new look is drawn at once; without a diary there is nothing to draw it on.
    connect(chartSettingsDialog_, &ChartSettingsDialog::lookChanged, this, [this] {
        if (month_.hasFile())
            drawMonth();
    });
}

void MainWindow::openChartSettings()
{
    desktop_.execModal(*chartSettingsDialog_);
}

QString MainWindow::chooseDiaryFile()
{
    return desktop_.openFileName(this, QStringLiteral("Öffnen"), state_.galleryFolder,
                                 QStringLiteral("Luftikon-Tabellen (*.tab);;Alle Dateien (*)"));
}

void MainWindow::openAsChart()
{
    const QString path = chooseDiaryFile();
    if (path.isEmpty())
        return;
    showDiaryAsChart(path);
}

} // namespace luftikon
