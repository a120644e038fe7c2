// The entry dialog: loading a diary's readings, saving the list and leaving the dialog.
#include "diary/diaryfile.h"
#include "diary/diarywriter.h"
#include "diary/entryline.h"
#include "diary/longlines.h"
#include "diary/textfile.h"
#include "entry/entrydialog.h"
#include "widgets/spinedit.h"

#include <QFileInfo>
#include <QListWidget>

namespace luftikon {

namespace {

QString firstDataAdvice()
{
    // One paragraph: the message box breaks the lines to its own width.
    return QStringLiteral("Da Sie erstmals Daten eingegeben haben, sollten Sie später (nach mehreren Eingaben) "
                          "daran denken, den Schalter \"Grenzwerte anhand des Bestwertes berechnen\" im Menü "
                          "\"Einstellungen\" zu betätigen. Dadurch wird eine ungefähre Einstellung der Grenzwerte "
                          "vorgenommen. Fragen Sie Ihren Arzt, welche Grenzwerte Sie anhand Ihres Bestwertes "
                          "eintragen sollen.");
}

} // namespace

void EntryDialog::clearEntries()
{
    entries_.clear();
    listMonth_.clear();
    listYear_.clear();
    savedEntries_.clear();
    diaryFile_.clear();
    continuationNote_.clear();
    readingsList_->clear();
    updateNotes();
}

bool EntryDialog::checkOpened(const DiaryFile& diary)
{
    if (!diary.ok) {
        say(MessageKind::Warning, QStringLiteral("Fehler beim Lesen der Datei!"));
        return false;
    }
    if (const QString note = overlongLinesNote(diary.path, diary.lines); !note.isEmpty())
        say(MessageKind::Information, note);
    return true;
}

void EntryDialog::takeDiary(const DiaryFile& diary)
{
    entries_ = diary.entryLines();
    savedEntries_ = entries_;
    diaryFile_ = diary.path;
    continuationNote_.clear();
    showEntries();
    // The month of the readings names the file the list is saved to; the fields show it, so the
    // table counts its days.
    if (!diary.month.isEmpty()) {
        listMonth_ = diary.month;
        listYear_ = diary.year;
        monthSpin_->setText(diary.month);
        yearSpin_->setText(diary.year);
    }
    // Otherwise the year field takes the four characters in front of ".tab", when they are a year.
    else if (const auto year = parseWholeNumber(QStringView(diary.path).chopped(4).right(4));
             diary.path.size() >= 8 && year) {
        yearSpin_->setValue(*year);
    }
    updateNotes();
}

void EntryDialog::revertToCurrentDiary()
{
    if (month_.hasFile() && month_.diary().ok)
        takeDiary(month_.diary());
}

bool EntryDialog::entriesMatchListMonth()
{
    const auto listMonth = parseWholeNumber(trimBlanks(listMonth_));
    const auto listYear = parseWholeNumber(trimBlanks(listYear_));
    for (const QString& line : entries_) {
        const DiaryEntry entry = parseEntryLine(line);
        if (entry.prefix.isEmpty())
            continue;
        const EntryFields& fields = entry.fields;
        const auto month = fields.month ? parseWholeNumber(*fields.month) : std::nullopt;
        const auto year = fields.year ? parseWholeNumber(*fields.year) : std::nullopt;
        if (!month || !year)
            continue; // a hand-edited line without a date belongs to no other month either
        if (month != listMonth || year != listYear) {
            say(MessageKind::Error,
                QStringLiteral("Der Eintrag \"%1\" gehört nicht in die Tabelle des Monats %2 des Jahres %3. "
                               "Die Tabelle wurde nicht gespeichert.")
                    .arg(line, listMonth_, listYear_));
            return false;
        }
    }
    return true;
}

bool EntryDialog::confirmOverwriteOfEmptyList()
{
    if (!QFileInfo::exists(savePathOf(listSave(state_.userName))))
        return true;
    return desktop_.ask(QStringLiteral("Eine Tabelle mit Namen: ") +
                            diaryFileLabel(state_.userName, listMonth_, listYear_) +
                            QStringLiteral(" existiert schon! ") +
                            QStringLiteral("Alle Messwerte darin werden gelöscht! Möchten Sie das?"),
                        MessageKind::WarningQuestion, Desktop::Preset::No);
}

bool EntryDialog::takeEmptyListMonthFromFields()
{
    if (!entries_.isEmpty())
        return true;
    if (!fieldNumber(monthSpin_, QStringLiteral("Monat")) || !fieldNumber(yearSpin_, QStringLiteral("Jahr")))
        return false;
    listMonth_ = monthSpin_->text();
    listYear_ = yearSpin_->text();
    return true;
}

bool EntryDialog::saveAndShowChart()
{
    // An empty list is the month of the fields, for the file name as for the header.
    if (!takeEmptyListMonthFromFields() || !entriesMatchListMonth())
        return false;
    const Notify notify = desktop_.notifier();
    DiarySave save = listSave(state_.userName);
    // The month takes what was written and tells every window, this one included.
    if (!month_.save(save, monthSpin_->text(), yearSpin_->text(), notify))
        return false;
    finishSave();
    return true;
}

DiarySave EntryDialog::listSave(const QString& userName) const
{
    DiarySave save;
    save.galleryFolder = state_.galleryFolder;
    save.htmlFolder = state_.htmlFolder;
    save.userName = userName;
    save.listMonth = listMonth_;
    save.listYear = listYear_;
    save.entries = entries_;
    save.readFrom = diaryFile_;
    save.slotMode = month_.layout().mode();
    save.greenLimit = month_.limits().green;
    save.redLimit = month_.limits().red;
    return save;
}

void EntryDialog::finishSave()
{
    settings_.setUserName(state_.userName);
    if (!QString(lastEntryLine_).remove(u' ').isEmpty())
        settings_.setLastEntryLine(lastEntryLine_);
    showSlotTime();
    if (newTable_) {
        say(MessageKind::Information, firstDataAdvice());
        newTable_ = false;
    }
    // Saved: the dialog may be left again, and leaving it loses nothing.
    updateCancelButton();
}

EntryDialog::ShowingSave EntryDialog::saveForShowing()
{
    if (!addPendingValue())
        return ShowingSave::FieldsRefused;
    if (entries_.isEmpty()) {
        if (!takeEmptyListMonthFromFields())
            return ShowingSave::FieldsRefused;
        if (!confirmOverwriteOfEmptyList())
            return ShowingSave::Declined;
    }
    return saveAndShowChart() ? ShowingSave::Saved : ShowingSave::Failed;
}

void EntryDialog::chartButtonClicked()
{
    const ShowingSave outcome = saveForShowing();
    // A failed save keeps the dialog open with its list, so no typed reading is lost.
    if (outcome == ShowingSave::FieldsRefused || outcome == ShowingSave::Failed)
        return;
    if (outcome != ShowingSave::Saved)
        revertToCurrentDiary();
    accept();
}

void EntryDialog::tableButtonClicked()
{
    const ShowingSave outcome = saveForShowing();
    if (outcome == ShowingSave::Declined) {
        revertToCurrentDiary();
        accept();
    }
    // Otherwise the dialog stays open under the table window.
    else if (outcome == ShowingSave::Saved)
        emit tableRequested();
}

void EntryDialog::cancelClicked()
{
    // A value typed but not yet added is entered data as well.
    if (entryListChanged() || valueTouched_) {
        if (!desktop_.ask(QStringLiteral("Möchten Sie wirklich abbrechen? Wenn ja, dann sind die eingegebenen Daten "
                                         "verloren!"),
                          MessageKind::WarningQuestion, Desktop::Preset::No))
            return;
    }
    valueTouched_ = false;
    editedLine_.reset();
    // What was not saved leaves the list: it is the month on screen again.
    revertToCurrentDiary();
    reject();
}

} // namespace luftikon
