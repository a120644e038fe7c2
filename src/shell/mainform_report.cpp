// The evaluation commands of the main window: the month's figures, the doctor's report, the CSV file.
#include "report/ui/evaluationwindow.h"
#include "report/ui/reportcommands.h"
#include "shell/mainform.h"

namespace luftikon {

void TMainForm::buildEvaluationWindow()
{
    evaluationWindow = new EvaluationWindow(this);
}

void TMainForm::evaluateMonthTriggered()
{
    evaluateMonth(state_, month_, desktop_, *evaluationWindow);
}

void TMainForm::doctorReportTriggered()
{
    writeDoctorReport(state_, month_, desktop_, chartPicture_);
}

void TMainForm::saveCsvTriggered()
{
    saveReadingsCsv(state_, month_, desktop_);
}

} // namespace luftikon
