#pragma once
// The doctor's report: one A4 page as PDF with the month's chart, its readings by day and
// slot, the figures with their formulas and the remarks.

#include "report/monthreport.h"

#include <QByteArray>
#include <QDate>
#include <QImage>
#include <QString>

class QPainter;

namespace luftikon {

struct DoctorReport {
    MonthReport month;
    QImage chart; // the month chart as the main window shows it
    QDate madeOn;
    QString version; // of the program
};

// The page as PDF bytes, fonts embedded so the text stays selectable and looks the same on
// any viewer.
QByteArray doctorReportPdf(const DoctorReport& report);

// Paints the page onto a painter on a writer made ready by prepareReportWriter, so longer
// reports can hold it as one of their pages.
void paintDoctorReport(QPainter& painter, const DoctorReport& report);

// Where the month chart lies on the page, in mm from the top left corner of the sheet; a
// heading that needs more room (a name over two lines) moves it down.
inline constexpr double reportChartLeft = 14;
inline constexpr double reportChartTop = 40;
inline constexpr double reportChartWidth = 104;

// The note that ends the remarks when not all of them fit on the page.
inline const QString remarksCutNote =
    QStringLiteral("… (gekürzt: die vollständigen Bemerkungen stehen in der Tabelle)");

} // namespace luftikon
