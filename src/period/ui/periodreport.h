#pragma once
// The report of a period as PDF: a first page with the course and the months side by side,
// then the doctor's one-page report of every month that holds readings.

#include "period/periodfigures.h"
#include "report/monthreport.h"
#include "report/ui/reportpage.h"

#include <QByteArray>
#include <QDate>
#include <QSize>
#include <QString>

namespace luftikon {

struct PeriodReport {
    Period period;
    QDate madeOn;
    QString version; // of the program
};

QByteArray periodReportPdf(const PeriodReport& report);

// The month as the doctor's report takes it: its readings, figures and remarks. A remarks file
// that cannot be read becomes a remark that says so.
MonthReport monthReportOf(const PeriodMonth& month, const QString& userName);

// Where the course lies on the first page, in mm from the sheet's top left corner, and the
// size of the picture it is drawn as.
inline constexpr double periodChartLeft = reportMargin;
inline constexpr double periodChartTop = 36;
inline constexpr double periodChartWidth = reportPageWidth - 2 * reportMargin;
inline constexpr QSize periodChartPicture{1820, 750};

} // namespace luftikon
