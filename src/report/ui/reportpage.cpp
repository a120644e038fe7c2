// The A4 writer and the footer every report page shares.
#include "report/ui/reportpage.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

namespace luftikon {

void prepareReportWriter(QPdfWriter& writer, const QString& title, const QString& version)
{
    writer.setResolution(reportDpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Luftikon %1").arg(version));
}

void drawReportFooter(ReportPage& page)
{
    page.line(reportMargin, reportFooterTop, reportPageWidth - reportMargin, reportFooterTop, reportGrey);
    page.text(reportMargin, reportFooterTop + 1, (reportPageWidth - 2 * reportMargin),
              QStringLiteral("Dieser Bericht gibt die eingetragenen Messwerte und daraus berechnete Zahlen wieder; "
                             "er stellt keine Diagnose. Fragen Sie Ihren Arzt, welche Grenzwerte Sie eintragen "
                             "sollen."),
              ReportPage::font(7.5), reportGrey);
}

} // namespace luftikon
