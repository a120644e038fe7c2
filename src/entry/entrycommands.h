#pragma once
// The reading commands of the main window over the entry dialog and the month on screen: a new
// month table, editing the month on screen or an opened diary, and the day layout in force.

#include "diary/diaryfile.h"
#include "diary/slots.h"
#include "month/currentmonth.h"
#include "platform/desktop.h"
#include "state/appstate.h"

#include <QDate>
#include <QString>

namespace luftikon {

class EntryDialog;

// What an opener tells before showing a diary: undated readings, a month in two files.
void tellAboutOpenedDiary(Desktop& desktop, const DiaryFile& diary);

class EntryCommands {
public:
    EntryCommands(AppState& state, CurrentMonth& month, Desktop& desktop, EntryDialog& dialog);

    // A new month table; `askFirst` asks whether one is wanted (not after a new user name).
    void newTable(bool askFirst);
    // A new table of a month that has a diary goes on in it. False when that diary cannot be
    // read, so no new table may be started over it.
    bool continueMonthDiary(const QDate& day);
    // The month on screen in the entry dialog; without a diary on screen, a new table.
    void editCurrentDiary();
    // The diary at `path` (nothing when empty: the choice was cancelled) becomes the month on
    // screen and is edited; `thenTable` shows its table once the dialog has saved.
    void openAndEdit(const QString& path, bool thenTable = false);
    // Switches the day layout and rewrites the diary on screen with it; a switch that would hide
    // readings of that diary asks first. False when the layout in force stays.
    bool switchDayLayout(SlotMode mode);

private:
    bool confirmHiddenReadings(SlotMode mode);
    Notify notify();

    AppState& state_;
    CurrentMonth& month_;
    Desktop& desktop_;
    EntryDialog& dialog_;
};

} // namespace luftikon
