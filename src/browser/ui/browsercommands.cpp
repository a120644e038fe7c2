// The browser export: the month's request made from the month on screen and the chart's look.
#include "browser/ui/browsercommands.h"

#include "browser/exportpage.h"

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

std::optional<QString> showMonthInBrowser(const AppState& state, const CurrentMonth& month, Desktop& desktop,
                                          bool breakLineAtZero)
{
    const Notify notify = desktop.notifier();
    const auto page = exportMonthPage(exportRequestOf(state, month, breakLineAtZero), notify);
    if (page)
        desktop.openDocument(*page);
    return page;
}

} // namespace luftikon
