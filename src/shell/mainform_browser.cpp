// The browser export command: the month as the last drawing left it, written as a page and opened.
#include "browser/exportpage.h"
#include "browser/weekpartition.h"
#include "shell/mainform.h"

namespace luftikon {

namespace {

ExportRequest exportRequestOf(const AppState& state, bool breakLineAtZero)
{
    ExportRequest request;
    request.month = ExportMonth{state.monthNumber, state.monthYear, state.monthName, state.diaryUserName};
    request.dailyMeans = state.dailyMeans;
    request.bestValue = state.bestValue;
    request.greenLimit = state.greenLimit;
    request.redLimit = state.redLimit;
    request.curveColor = state.curveColor;
    request.aboveCurveColor = state.aboveCurveColor;
    request.brightness = state.zoneIntensity;
    request.showValues = state.showValuesAboveCurve;
    request.breakLineAtZero = breakLineAtZero;
    request.currentDiaryFile = state.currentDiaryFile;
    request.remarksFile = state.remarksFile;
    request.htmlFolder = state.htmlFolder;
    request.diaryYear = state.diaryYear;
    request.dataFolder = state.dataFolder;
    return request;
}

} // namespace

void TMainForm::LiniendiagrammimBrowseranzeigen1Click()
{
    const ExportRequest request = exportRequestOf(state_, settings_.breakLineAtZero());
    const auto notify = [this](MessageKind kind, const QString& text) { desktop_.show(kind, text); };
    if (const auto page = ExportMonthPage(request, notify))
        desktop_.openDocument(*page);
}

} // namespace luftikon
