// The entry dialog: adding a reading to the list and taking one back for editing.
#include "diary/dates.h"
#include "diary/entryline.h"
#include "diary/entrysort.h"
#include "diary/slots.h"
#include "entry/eingabe.h"
#include "entry/spinedit.h"

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

std::optional<int> TEingabeDlg::fieldNumber(SpinEdit* field, const QString& name)
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

void TEingabeDlg::AufnehmenButtonClick()
{
    const auto day = fieldNumber(TagSpinEdit, QStringLiteral("Tag"));
    const auto month = day ? fieldNumber(MonatSpinEdit, QStringLiteral("Monat")) : std::nullopt;
    const auto year = month ? fieldNumber(JahrSpinEdit, QStringLiteral("Jahr")) : std::nullopt;
    const auto value = year ? fieldNumber(LuftikonSpinEdit, QStringLiteral("Luftikon in l/min.")) : std::nullopt;
    if (!value)
        return;
    if (!timeStepUp(UhrzeitEdit->text())) {
        say(MessageKind::Error, QStringLiteral("Im Feld \"Uhrzeit\" steht keine Uhrzeit der Form Stunden:Minuten "
                                               "(zum Beispiel 08:00): \"%1\". Es wurde nichts geändert.")
                                    .arg(UhrzeitEdit->text()));
        return;
    }

    // A day past the end of the month becomes its last day.
    const int monthLength = DaysInMonthLocal(*month, *year);
    if (*day > monthLength)
        TagSpinEdit->setValue(monthLength);

    entryListChanged_ = false;
    const QString prefix = state_.currentEntryPrefix;
    const QString dayText = TagSpinEdit->text();
    const QString monthText = MonatSpinEdit->text();
    const QString yearText = JahrSpinEdit->text();
    const QString line =
        composeEntryLine(prefix, dayText, monthText, yearText, UhrzeitEdit->text(), LuftikonSpinEdit->text());
    state_.lastEntryLine = line;

    if (!state_.entryList.isEmpty()) {
        const QString& last = state_.entryList.last();
        if (!last.contains(QString(yearText).remove(u' '))) {
            say(MessageKind::Information, QStringLiteral("Überprüfen Sie bitte die Jahreszahl ") + yearText +
                                              QStringLiteral(" Sie stimmt nicht ") +
                                              QStringLiteral("mit den bisherigen Eintragungen überein!"));
            return;
        }
        // Readings of two months in one list would end up in one month's file.
        if (const auto listMonth = numberOf(parseEntryLine(last).fields.month); listMonth && *listMonth != *month) {
            say(MessageKind::Information, QStringLiteral("Überprüfen Sie bitte den Monat ") + monthText +
                                              QStringLiteral(" Er stimmt nicht ") +
                                              QStringLiteral("mit den bisherigen Eintragungen überein!"));
            return;
        }
    }

    const QString key = entryDateKey(prefix, dayText, monthText, yearText);
    const int finalDay = TagSpinEdit->value();
    const bool duplicate = std::any_of(state_.entryList.cbegin(), state_.entryList.cend(), [&](const QString& other) {
        return other.contains(key) || sameReading(other, prefix, finalDay, *month, *year);
    });
    if (duplicate) {
        if (slotOfEntryPrefix(prefix) != NoSlot)
            say(MessageKind::Information, QStringLiteral("Ein Eintrag mit dem Datum: ") + prefix + dayText + u'.' +
                                              monthText + u'.' + yearText +
                                              QStringLiteral(" existiert schon in der Liste!"));
        return;
    }

    // Only an accepted reading decides which file the list is saved to.
    state_.listMonth = monthText;
    state_.listYear = yearText;
    state_.entryList = sortEntries(state_.entryList + QStringList{line});
    showEntries();

    entryListChanged_ = true;
    ListBox1->setCurrentRow(ListBox1->count() - 1);
    ListBox1->setFocus();
    advanceSlot();
}

void TEingabeDlg::BearbeitenButtonClick()
{
    const int row = ListBox1->currentRow();
    if (row < 0 || row >= state_.entryList.size() || ListBox1->selectedItems().isEmpty()) {
        say(MessageKind::Information,
            QStringLiteral("Sie müssen zuerst einen Eintrag in der Liste durch Anklicken auswählen!"));
        return;
    }
    if (!desktop_.ask(QStringLiteral("Der ausgewählte Eintrag wird in der Liste gelöscht und die einzelnen Werte in "
                                     "die Eingabefelder zum Bearbeiten eingetragen. Möchten Sie das?"),
                      MessageKind::InformationQuestion))
        return;

    const QString line = state_.entryList.takeAt(row);
    delete ListBox1->takeItem(row);
    // The list now lacks a saved reading: leaving without saving must ask, as after an add.
    entryListChanged_ = true;

    const DiaryEntry entry = parseEntryLine(line);
    if (entry.prefix.isEmpty())
        return;
    if (entry.slot != NoSlot)
        setSlot(entry.slot);
    const EntryFields& fields = entry.fields;
    if (fields.day)
        TagSpinEdit->setText(*fields.day);
    if (fields.month)
        MonatSpinEdit->setText(*fields.month);
    if (fields.year)
        JahrSpinEdit->setText(*fields.year);
    if (fields.time)
        UhrzeitEdit->setText(*fields.time);
    if (fields.value)
        LuftikonSpinEdit->setText(*fields.value);
}

} // namespace luftikon
