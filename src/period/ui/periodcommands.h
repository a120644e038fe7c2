#pragma once
// The commands over several months: the course window opened on the month drawn, the period's
// report as PDF and its readings as one CSV file.

#include "month/currentmonth.h"
#include "period/periodfigures.h"
#include "platform/desktop.h"
#include "state/appstate.h"

#include <QString>
#include <optional>

class QWidget;

namespace luftikon {

// "Verlauf mehrerer Monate...": the window "Verlauf" over the last three months up to the
// month drawn (today's month when none is), shown modally.
void showPeriodView(const AppState& state, const CurrentMonth& month, Desktop& desktop, QWidget* parent);

// "Bericht als PDF": writes the report into the report folder of the last month's year and
// opens it; the path written, or none (the user has been told why).
std::optional<QString> writePeriodReport(const Period& period, const QString& dataFolder, Desktop& desktop);

// "Als CSV-Datei speichern": writes the readings beside the report and says where.
std::optional<QString> savePeriodCsv(const Period& period, const QString& dataFolder, Desktop& desktop);

} // namespace luftikon
