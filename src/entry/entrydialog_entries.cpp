// The entry dialog: adding a reading to the list and taking one back for editing.
#include "diary/dates.h"
#include "diary/diaryfile.h"
#include "diary/diarywriter.h"
#include "diary/entryline.h"
#include "diary/entrysort.h"
#include "diary/longlines.h"
#include "diary/slots.h"
#include "entry/entrydialog.h"
#include "widgets/spinedit.h"

#include <QListWidget>

namespace luftikon {

namespace {

std::optional<int> numberOf(const std::optional<QString>& text)
{
    return text ? parseWholeNumber(*text) : std::nullopt;
}

bool sameReading(const QString& line, const QString& prefix, int day, int month, int year)
{
    const DiaryEntry entry = parseEntryLine(line);
    return !entry.prefix.isEmpty() && entry.prefix == prefix && numberOf(entry.fields.day) == day &&
           numberOf(entry.fields.month) == month && numberOf(entry.fields.year) == year;
}

} // namespace

std::optional<int> EntryDialog::fieldNumber(SpinEdit* field, const QString& name)
{
    const auto number = field->number();
    if (!number) {
        say(MessageKind::Error, QStringLiteral("Im Feld \"%1\" steht keine Zahl: \"%2\". Es wurde nichts geändert.")
                                    .arg(name, field->text()));
        return std::nullopt;
    }
    if (*number < field->minimum() || *number > field->maximum()) {
        say(MessageKind::Error,
            QStringLiteral("Die Zahl %1 im Feld \"%2\" liegt nicht zwischen %3 und %4. "
                           "Es wurde nichts geändert.")
                .arg(field->text(), name, QString::number(field->minimum()), QString::number(field->maximum())));
        return std::nullopt;
    }
    return number;
}

QString EntryDialog::monthFormFor(int month, int year) const
{
    const QString field = trimBlanks(monthSpin_->text());
    DiarySave save = listSave(state_.userName);
    save.listMonth = field.size() <= 2 && parseWholeNumber(field) == month ? field : QString::number(month);
    save.listYear = QString::number(year);
    return monthTextForLines(save);
}

void EntryDialog::addReadingClicked()
{
    if (!offerRemovalOfEmptiedReading())
        addFromFields();
}

bool EntryDialog::addPendingValue()
{
    if (offerRemovalOfEmptiedReading())
        return true;
    if (!valueTouched_)
        return true;
    return addFromFields();
}

bool EntryDialog::offerRemovalOfEmptiedReading()
{
    if (!editedLine_ || !trimBlanks(valueSpin_->text()).isEmpty())
        return false;
    const QString line = *editedLine_;
    editedLine_.reset();
    valueTouched_ = false;
    updateNotes();
    if (desktop_.ask(QStringLiteral("Das Feld \"Luftikon in l/min.\" ist leer. Soll dieser Eintrag aus der Liste "
                                    "gelöscht werden?\r\n") +
                         line,
                     MessageKind::WarningQuestion, Desktop::Preset::No)) {
        entries_.removeOne(line);
        showEntries();
    }
    return true;
}

bool EntryDialog::addFromFields()
{
    // Whatever happens below, the value in the fields has had its turn.
    valueTouched_ = false;
    const auto day = fieldNumber(daySpin_, QStringLiteral("Tag"));
    const auto month = day ? fieldNumber(monthSpin_, QStringLiteral("Monat")) : std::nullopt;
    const auto year = month ? fieldNumber(yearSpin_, QStringLiteral("Jahr")) : std::nullopt;
    const auto value = year ? fieldNumber(valueSpin_, QStringLiteral("Luftikon in l/min.")) : std::nullopt;
    if (!value)
        return false;
    if (!timeStepUp(timeEdit_->text())) {
        say(MessageKind::Error, QStringLiteral("Im Feld \"Uhrzeit\" steht keine Uhrzeit der Form Stunden:Minuten "
                                               "(zum Beispiel 08:00): \"%1\". Es wurde nichts geändert.")
                                    .arg(timeEdit_->text()));
        return false;
    }

    // A day past the end of the month becomes its last day.
    const int monthLength = daysInMonthOf(*month, *year);
    const int finalDay = std::min(*day, monthLength);
    if (*day > monthLength)
        daySpin_->setValue(monthLength);

    // The date is written by the file's rule, whatever the fields show.
    const QString prefix = entryPrefix_;
    const QString dayText = twoDigits(finalDay);
    const QString monthText = monthFormFor(*month, *year);
    const QString yearText = QString::number(*year);
    const QString line = composeReadingLine(prefix, finalDay, monthText, *year, timeEdit_->text(), *value);
    lastEntryLine_ = line;

    // The reading being edited is replaced by the new line, so it is no twin of it.
    QStringList others = entries_;
    if (editedLine_)
        others.removeOne(*editedLine_);
    if (!others.isEmpty()) {
        const QString& last = others.last();
        if (!last.contains(yearText)) {
            say(MessageKind::Information, QStringLiteral("Überprüfen Sie bitte die Jahreszahl ") + yearText +
                                              QStringLiteral(" Sie stimmt nicht ") +
                                              QStringLiteral("mit den bisherigen Eintragungen überein!"));
            return false;
        }
        // Readings of two months in one list would end up in one month's file.
        if (const auto listMonth = numberOf(parseEntryLine(last).fields.month); listMonth && *listMonth != *month) {
            say(MessageKind::Information, QStringLiteral("Überprüfen Sie bitte den Monat ") + monthText +
                                              QStringLiteral(" Er stimmt nicht ") +
                                              QStringLiteral("mit den bisherigen Eintragungen überein!"));
            return false;
        }
    }

    const QString key = entryDateKey(prefix, dayText, monthText, yearText);
    const bool duplicate = std::any_of(others.cbegin(), others.cend(), [&](const QString& other) {
        return other.contains(key) || sameReading(other, prefix, finalDay, *month, *year);
    });
    if (duplicate) {
        if (slotOfEntryPrefix(prefix) != NoSlot)
            say(MessageKind::Information, QStringLiteral("Ein Eintrag mit dem Datum: ") + prefix + dayText + u'.' +
                                              monthText + u'.' + yearText +
                                              QStringLiteral(" existiert schon in der Liste!"));
        return false;
    }

    // Only an accepted reading decides which file the list is saved to.
    listMonth_ = monthText;
    listYear_ = yearText;
    entries_ = sortEntries(others + QStringList{line});
    editedLine_.reset();
    showEntries();
    updateNotes();

    readingsList_->setCurrentRow(readingsList_->count() - 1);
    readingsList_->setFocus();
    advanceSlot();
    return true;
}

void EntryDialog::editReadingClicked()
{
    const int row = readingsList_->currentRow();
    if (row < 0 || row >= entries_.size() || readingsList_->selectedItems().isEmpty()) {
        say(MessageKind::Information,
            QStringLiteral("Sie müssen zuerst einen Eintrag in der Liste durch Anklicken auswählen!"));
        return;
    }
    // The reading stays in the list until the changed one is added in its place.
    const QString line = entries_.at(row);
    const DiaryEntry entry = parseEntryLine(line);
    if (entry.prefix.isEmpty())
        return;
    if (entry.slot != NoSlot)
        setSlot(entry.slot);
    showFields(entry.fields);
    editedLine_ = line;
    valueTouched_ = true;
    updateNotes();
}

} // namespace luftikon
