// The browser export command: the month on screen, written as a page and opened.
#include "browser/exportpage.h"
#include "browser/weekpartition.h"
#include "shell/mainwindow.h"

namespace luftikon {

namespace {

ExportRequest exportRequestOf(const AppState& state, const CurrentMonth& month, bool breakLineAtZero)
{
    const MonthSummary& summary = month.summary();
    ExportRequest request;
    request.month = ExportMonth{summary.monthNumber, summary.monthYear, summary.monthName, month.diary().userName};
    request.dailyMeans = summary.dailyMeans;
    request.bestValue = summary.best.value;
    request.greenLimit = month.limits().green;
    request.redLimit = month.limits().red;
    request.curveColor = state.curveColor;
    request.aboveCurveColor = state.aboveCurveColor;
    request.brightness = state.zoneIntensity;
    request.showValues = state.showValuesAboveCurve;
    request.breakLineAtZero = breakLineAtZero;
    request.currentDiaryFile = month.path();
    request.remarksFile = month.remarksPath();
    request.htmlFolder = state.htmlFolder;
    request.diaryYear = month.yearFolder();
    request.dataFolder = state.dataFolder;
    return request;
}

} // namespace

void MainWindow::showChartInBrowser()
{
    const ExportRequest request = exportRequestOf(state_, month_, settings_.breakLineAtZero());
    const auto notify = [this](MessageKind kind, const QString& text) { desktop_.show(kind, text); };
    if (const auto page = exportMonthPage(request, notify))
        desktop_.openDocument(*page);
}

} // namespace luftikon
