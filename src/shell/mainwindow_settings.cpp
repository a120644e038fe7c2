// The chart settings dialog and opening any month as a chart.
#include "chart/ui/chartsettingsdialog.h"
#include "diary/dates.h"
#include "diary/diaryfile.h"
#include "diary/monthsteps.h"
#include "shell/mainwindow.h"

namespace luftikon {

ChartSettingsDialog& MainWindow::chartSettingsDialog()
{
    if (!chartSettingsDialog_) {
        chartSettingsDialog_ = new ChartSettingsDialog(state_, month_, desktop_, settings_, this);
        // A new look is drawn at once; without a diary there is nothing to draw it on.
        connect(chartSettingsDialog_, &ChartSettingsDialog::lookChanged, this, [this] {
            if (month_.hasFile())
                drawMonth();
        });
    }
    return *chartSettingsDialog_;
}

void MainWindow::openChartSettings()
{
    desktop_.execModal(chartSettingsDialog());
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

void MainWindow::showPreviousMonth()
{
    stepMonth(-1);
}

void MainWindow::showNextMonth()
{
    stepMonth(+1);
}

void MainWindow::stepMonth(int step)
{
    // From the month on screen, among the diaries of the user it belongs to; without one, from
    // today's month among the diaries of the user of the program.
    int month = month_.diary().month.toInt();
    int year = month_.diary().year.toInt();
    if (month < 1 || month > 12 || year < 1000) {
        month = desktop_.today().month();
        year = desktop_.today().year();
    }
    QString user = userNameOfDiaryFile(month_.path());
    if (user.isEmpty())
        user = state_.userName;
    const QString path = neighbourMonthDiary(state_.galleryFolder, user, month, year, step);
    if (path.isEmpty()) {
        desktop_.information(QStringLiteral("%1 %2 %3 gibt es keine Tabelle von %4.")
                                 .arg(step < 0 ? QStringLiteral("Vor") : QStringLiteral("Nach"), germanMonthName(month),
                                      QString::number(year), user));
        return;
    }
    showDiaryAsChart(path);
}

} // namespace luftikon
