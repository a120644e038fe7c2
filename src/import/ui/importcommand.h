#pragma once
// "Messwerte aus CSV-Datei übernehmen...": readings a meter, a phone app or our own export wrote
// into a CSV file, brought into the months' diaries after a preview.

#include "config/settings.h"
#include "month/currentmonth.h"
#include "platform/desktop.h"
#include "state/appstate.h"

class QWidget;

namespace luftikon {

// The user picks the file, sees per month what it would add and, on OK, the new readings are
// written into each month's diary. The month on screen is read again when its diary changed, or
// shows the last month written when no diary was on screen. One message says what was done.
void importReadingsCsv(const AppState& state, const Settings& settings, CurrentMonth& month, Desktop& desktop,
                       QWidget* parent);

} // namespace luftikon
