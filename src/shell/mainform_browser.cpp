#include "browser/exportpage.h"
#include "browser/weekpartition.h"
#include "shell/mainform.h"

namespace luftikon {

void TMainForm::LiniendiagrammimBrowseranzeigen1Click()
{
    QString breakText;
    Lies_Integer_aus_Registry(QStringLiteral("LinieBeiNullUnterbrechen"), breakText);
    const ExportRequest request = ExportRequestFrom(state_, BreakLineAtZeroFromText(breakText));
    const auto notify = [this](MessageKind kind, const QString& text) { desktop_.show(kind, text); };
    if (const auto page = ExportMonthPage(request, notify))
        desktop_.openDocument(*page);
}

} // namespace luftikon
