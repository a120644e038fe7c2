#pragma once
// "Liniendiagramm im Browser anzeigen": the month on screen written as a page and opened.

#include "month/currentmonth.h"
#include "platform/desktop.h"
#include "state/appstate.h"

#include <QString>
#include <optional>

namespace luftikon {

// Writes the month's page with the chart's look and opens it; gives the page written, none
// when nothing was (the user has been told why). `breakLineAtZero` leaves days without a reading
// as gaps in the line.
std::optional<QString> showMonthInBrowser(const AppState& state, const CurrentMonth& month, Desktop& desktop,
                                          bool breakLineAtZero);

} // namespace luftikon
