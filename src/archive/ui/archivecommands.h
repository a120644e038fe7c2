#pragma once
// "Alle Tagebücher sichern..." and "Aus Sicherung wiederherstellen...": the user picks the archive
// file, everything else is decided by the archive code; the user hears the outcome in one message.

#include "config/configstore.h"
#include "month/currentmonth.h"
#include "platform/desktop.h"
#include "state/appstate.h"

class QWidget;

namespace luftikon {

// Writes every diary, remarks file, report and the settings (`store`'s file) of the data folder
// into one .zip or .tar.gz the user names. True when the archive was written.
bool backUpAllDiaries(const AppState& state, const ConfigStore& store, Desktop& desktop, QWidget* parent);

// Reads an archive the user picks, checks it whole, asks once before replacing files that
// differ, restores into this data folder and the user's own settings values, and opens the
// restored last diary in `month` when there is one. True when anything was restored.
bool restoreFromBackup(const AppState& state, ConfigStore& store, CurrentMonth& month, Desktop& desktop,
                       QWidget* parent);

} // namespace luftikon
