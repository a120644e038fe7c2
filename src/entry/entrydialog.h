#pragma once
// The entry dialog: readings are typed in, listed, corrected and saved here. The list is a draft
// of the month on screen: it follows every diary the month takes, and a save hands it to the
// month, which writes it and tells the windows.

#include "config/settings.h"
#include "diary/diaryfile.h"
#include "diary/diarywriter.h"
#include "month/currentmonth.h"
#include "platform/desktop.h"
#include "state/appstate.h"

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace luftikon {

class SpinEdit;
class TimeEdit;
class TouchKeypad;

// The time steps of the time field's up and down buttons: 10 minutes, with 24:00 between
// 23:50 and 00:10. nullopt when the text is not hours ":" minutes.
std::optional<QString> timeStepUp(const QString& time);
std::optional<QString> timeStepDown(const QString& time);

class EntryDialog : public QDialog {
    Q_OBJECT
public:
    EntryDialog(AppState& state, CurrentMonth& month, Desktop& desktop, Settings& settings, QWidget* parent = nullptr);

    // The on-screen keypad; a tap into a number field opens it when `tapOpensKeypad` (a touch
    // screen that takes several fingers).
    void setKeypad(TouchKeypad* keypad, bool tapOpensKeypad)
    {
        keypad_ = keypad;
        tapOpensKeypad_ = tapOpensKeypad;
    }

    // Save the list to its diary file through the month. False when nothing was written.
    bool saveAndShowChart();
    // The next slot and the fields after "LetzteEingabe".
    void proposeNextReading();
    // The configured time of the current slot into the time field.
    void showSlotTime();
    // The slot button: the next slot of the day and its time.
    void advanceSlot();

    // Openers, before a diary's readings become the list: false (and "Fehler beim Lesen der Datei!")
    // when the file could not be read; lines too long to show are told.
    bool checkOpened(const DiaryFile& diary);
    // The readings of a diary just read become the list, its month and year those of the list
    // and of the month and year fields; the list is saved back into that file.
    void takeDiary(const DiaryFile& diary);
    void clearEntries();
    // A new table that goes on in the month's diary: the note says how many readings it has.
    void noteContinuedMonth(int readings);
    void setHeading(const QString& text);
    void setDateLine(const QDate& today);
    void setMonthAndYear(int month, int year);
    void setYearText(const QString& year);

    // The state of the dialog when it paints (also run when the window is exposed).
    void refresh();

    // The list of the month being edited, in sort order, and its month and year texts.
    const QStringList& entries() const { return entries_; }
    const QString& listMonth() const { return listMonth_; }
    const QString& listYear() const { return listYear_; }
    // The list differs from the diary as saved.
    bool entryListChanged() const { return entries_ != savedEntries_; }
    // A new table was started: its first save gives the advice on limits, and it cannot be
    // cancelled before it is saved. Closing the large menus forgets it.
    // A new table for `today`'s month: the day field proposes today, and the dialog opens with the
    // value field ready for the first reading.
    void startNewTable(const QDate& today);
    void forgetNewTable() { newTable_ = false; }
    bool newTableStarted() const { return newTable_; }
    // The next show runs "Tabelle zeigen" at once.
    void showTableWhenShown(bool show) { showTableWhenShown_ = show; }
    bool tableWhenShown() const { return showTableWhenShown_; }
    // The slot of the next reading, 1..8.
    int slot() const { return slot_; }

    // Handlers
    void addReadingClicked();
    void editReadingClicked();
    void chartButtonClicked();
    void tableButtonClicked();
    void cancelClicked();
    void slotButtonClicked() { advanceSlot(); }
    void stepTime(int steps);
    void dayChanged();
    void monthChanged();
    void yearChanged();
    void updateDayHint(SpinEdit* field);

signals:
    // "Tabelle zeigen" saved the list: the table of the month is to be shown.
    void tableRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Controls
    QLabel* headingLabel_ = nullptr;      // heading above the list
    QListWidget* readingsList_ = nullptr; // the entry list of the month
    QLabel* todayLabel_ = nullptr;        // "Heute ist der " + today
    QLabel* dateCaptionsLabel_ = nullptr; // captions above the day, month and year fields
    SpinEdit* daySpin_ = nullptr;
    SpinEdit* monthSpin_ = nullptr;
    SpinEdit* yearSpin_ = nullptr;
    QLabel* valueCaptionLabel_ = nullptr; // caption of the reading field
    SpinEdit* valueSpin_ = nullptr;       // the reading in l/min.
    QPushButton* slotButton_ = nullptr;   // the slot of the next reading; a click moves on
    TimeEdit* timeEdit_ = nullptr;
    QPushButton* addButton_ = nullptr;    // adds the reading to the list
    QPushButton* editButton_ = nullptr;   // takes the selected reading back into the fields
    QPushButton* chartButton_ = nullptr;  // saves and shows the chart
    QPushButton* tableButton_ = nullptr;  // saves and shows the table
    QPushButton* cancelButton_ = nullptr; // leaves without saving
    QLabel* noteLabel_ = nullptr;         // what the patient must see before typing: month, edit

    void buildLayout();
    void connectHandlers();
    void setSlot(int slot);
    void setFieldText(SpinEdit* field, const QString& text);
    // The fields a reading or a proposal has a text for; the others keep theirs.
    void showFields(const EntryFields& fields);
    void setFieldColor(QLineEdit* edit, bool locked);
    std::optional<int> fieldNumber(SpinEdit* field, const QString& name);
    // Adds the reading of the fields; false when it was refused (the user has been told why).
    bool addFromFields();
    // Before "Grafik zeigen" and "Tabelle zeigen": a value the user typed and did not add goes
    // in first. False when it was refused, so the dialog stays open.
    bool addPendingValue();
    // A reading taken into the fields whose value was then emptied leaves the list only when
    // the user says so. False when there is no such reading.
    bool offerRemovalOfEmptiedReading();
    // The month form ("3" or "03") of the diary that new lines of `month` and `year` go into.
    QString monthFormFor(int month, int year) const;
    void typeOverField(SpinEdit* field);
    void updateNotes();
    void updateCancelButton();
    bool takeEmptyListMonthFromFields();
    // After a save: settings, slot time and the first-data advice.
    void finishSave();
    // The list with what it is saved with.
    DiarySave listSave(const QString& userName) const;
    // The list goes back to the readings of the diary on screen.
    void revertToCurrentDiary();
    // The common first half of "&Grafik zeigen" and "&Tabelle zeigen".
    enum class ShowingSave { FieldsRefused, Declined, Failed, Saved };
    ShowingSave saveForShowing();
    bool confirmOverwriteOfEmptyList();
    bool entriesMatchListMonth();
    // The entry list into the list widget, overlong lines cut (the list keeps them whole).
    void showEntries();
    void say(MessageKind kind, const QString& text) { desktop_.show(kind, text); }

    AppState& state_;
    CurrentMonth& month_;
    Desktop& desktop_;
    Settings& settings_;
    TouchKeypad* keypad_ = nullptr;
    bool tapOpensKeypad_ = false;
    QStringList entries_; // the draft
    QString listMonth_;   // month and year texts of the list; they name its file
    QString listYear_;
    QString lastEntryLine_; // the reading added last
    int slot_ = 1;
    QString entryPrefix_ = QStringLiteral("Morgens den ");
    bool newTable_ = false;
    bool focusValueWhenShown_ = false;
    bool showTableWhenShown_ = false;
    QStringList savedEntries_;          // the reading lines of the diary as saved
    QString diaryFile_;                 // the diary the list was read from; empty for a new month
    bool valueTouched_ = false;         // the user changed the value field since the last add
    std::optional<QString> editedLine_; // the reading "Eintrag bearbeiten" put into the fields
    QString continuationNote_;
    bool adjusting_ = false; // a change handler is rewriting a field
};

} // namespace luftikon
