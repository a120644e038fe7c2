#pragma once
// The three commands of the evaluation menu, over the month the main window has drawn: the
// figures in a small window, the doctor's report as PDF (opened at once) and the CSV file.

#include "month/currentmonth.h"
#include "platform/desktop.h"
#include "report/monthreport.h"
#include "state/appstate.h"

#include <QImage>
#include <QString>
#include <optional>

namespace luftikon {

class EvaluationWindow;

// Writes a report file safely, making its year folder first; the absolute path, or none when
// the user has been told why not.
std::optional<QString> writeReportFileAt(const QString& path, const QByteArray& bytes, Desktop& desktop);

ReportSource reportSourceOf(const AppState& state, const CurrentMonth& month);

// "Monat auswerten...": fills the window with the month's figures and shows it modally.
void evaluateMonth(const AppState& state, const CurrentMonth& month, Desktop& desktop, EvaluationWindow& window);

// "Arztbericht als PDF": writes the report beside the month's other report files and opens
// it; gives the path written, none when nothing was (the user has been told why).
std::optional<QString> writeDoctorReport(const AppState& state, const CurrentMonth& month, Desktop& desktop,
                                         const QImage& chart);

// "Als CSV-Datei speichern": writes the readings and says where; the path or none.
std::optional<QString> saveReadingsCsv(const AppState& state, const CurrentMonth& month, Desktop& desktop);

} // namespace luftikon
