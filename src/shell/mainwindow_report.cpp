// The evaluation commands of the main window: the month's figures, the doctor's report, the CSV file.
#include "period/ui/periodcommands.h"
#include "report/ui/evaluationwindow.h"
#include "report/ui/reportcommands.h"
#include "shell/mainwindow.h"

namespace luftikon {

EvaluationWindow& MainWindow::evaluationWindow()
{
    if (!evaluationWindow_)
        evaluationWindow_ = new EvaluationWindow(this);
    return *evaluationWindow_;
}

void MainWindow::evaluateMonthTriggered()
{
    evaluateMonth(state_, month_, desktop_, evaluationWindow());
}

void MainWindow::doctorReportTriggered()
{
    writeDoctorReport(state_, month_, desktop_, chartPicture_);
}

void MainWindow::periodViewTriggered()
{
    showPeriodView(state_, month_, desktop_, this);
}

void MainWindow::saveCsvTriggered()
{
    saveReadingsCsv(state_, month_, desktop_);
}

} // namespace luftikon
