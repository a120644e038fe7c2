// The entry dialog: loading a diary's readings, saving the list and leaving the dialog.
#include "diary/diarywriter.h"
#include "diary/entryline.h"
#include "diary/longlines.h"
#include "diary/textfile.h"
#include "entry/eingabe.h"
#include "entry/spinedit.h"

#include <QFileInfo>
#include <QListWidget>

namespace luftikon {

namespace {

const QChar DQ = u'"';
const QString CRLF = QStringLiteral("\r\n");

QString firstDataAdvice()
{
    return QStringLiteral("Da Sie Erstmals Daten eingegeben haben, sollten Sie später (nach mehreren Eingaben) "
                          "daran denken den Schalter") +
           CRLF + DQ + QStringLiteral(" Grenzwerte anhand des Bestwertes berechnen") + DQ +
           QStringLiteral(" im Menü ") + DQ + QStringLiteral("Einstellungen") + DQ +
           QStringLiteral(" zu betätigen. Dadurch wird eine") + CRLF +
           QStringLiteral("ungefähre Einstellung der Grenzwerte vorgenommen. Fragen Sie Ihren Arzt, welche "
                          "Grenzwerte an Hand ") +
           CRLF + QStringLiteral("Ihres Bestwertes Sie eintragen sollen.");
}

} // namespace

void TEingabeDlg::clearEntries()
{
    state_.entryList.clear();
    ListBox1->clear();
}

bool TEingabeDlg::loadEntries(const QString& diaryFile)
{
    const ReadResult read = readTextLines(diaryFile);
    if (!read.ok) {
        say(MessageKind::Warning, QStringLiteral("Fehler Lesen der Datei!"));
        return false;
    }
    state_.entryList = entryLinesOf(read.lines);
    if (const QString note = overlongLinesNote(diaryFile, read.lines); !note.isEmpty())
        say(MessageKind::Information, note);
    // The last reading names the month and year of the list, as it names the file.
    QString month;
    for (const QString& line : state_.entryList) {
        const auto split = splitEntryPrefix(line);
        if (!split)
            continue;
        const EntryFields fields = entryFieldsOf(split->rest);
        if (fields.month) {
            month = *fields.month;
            state_.listMonth = *fields.month;
        }
        if (fields.year)
            state_.listYear = *fields.year;
    }
    showEntries();
    if (!month.isEmpty())
        MonatSpinEdit->setText(month);
    if (!state_.entryList.isEmpty() && !state_.listYear.isEmpty())
        JahrSpinEdit->setText(state_.listYear);
    return true;
}

bool TEingabeDlg::entriesMatchListMonth()
{
    const auto listMonth = parseWholeNumber(trimBlanks(state_.listMonth));
    const auto listYear = parseWholeNumber(trimBlanks(state_.listYear));
    for (const QString& line : state_.entryList) {
        const auto split = splitEntryPrefix(line);
        if (!split)
            continue;
        const EntryFields fields = entryFieldsOf(split->rest);
        const auto month = fields.month ? parseWholeNumber(*fields.month) : std::nullopt;
        const auto year = fields.year ? parseWholeNumber(*fields.year) : std::nullopt;
        if (!month || !year)
            continue; // a hand-edited line without a date belongs to no other month either
        if (month != listMonth || year != listYear) {
            say(MessageKind::Error,
                QStringLiteral("Der Eintrag \"%1\" gehört nicht in die Tabelle des Monats %2 des Jahres %3. "
                               "Die Tabelle wurde nicht gespeichert.")
                    .arg(line, state_.listMonth, state_.listYear));
            return false;
        }
    }
    return true;
}

bool TEingabeDlg::confirmOverwriteOfEmptyList()
{
    const QString path = diaryFilePath(state_.galleryFolder, state_.listYear, state_.userName, state_.listMonth);
    if (!QFileInfo::exists(path))
        return true;
    return desktop_.ask(QStringLiteral("Eine Tabelle mit Namen: ") +
                            diaryFileLabel(state_.userName, state_.listMonth, state_.listYear) +
                            QStringLiteral(" existiert schon! ") +
                            QStringLiteral("Alle Messwerte darin werden gelöscht! Möchten Sie das?"),
                        MessageKind::WarningQuestion);
}

bool TEingabeDlg::takeEmptyListMonthFromFields()
{
    if (!state_.entryList.isEmpty())
        return true;
    if (!fieldNumber(MonatSpinEdit, QStringLiteral("Monat")) || !fieldNumber(JahrSpinEdit, QStringLiteral("Jahr")))
        return false;
    state_.listMonth = MonatSpinEdit->text();
    state_.listYear = JahrSpinEdit->text();
    return true;
}

bool TEingabeDlg::mayReplaceWithEmptyList()
{
    if (!state_.entryList.isEmpty())
        return true;
    return takeEmptyListMonthFromFields() && confirmOverwriteOfEmptyList();
}

bool TEingabeDlg::GrafikZeigen()
{
    // An empty list is the month of the fields, for the file name as for the header.
    if (!takeEmptyListMonthFromFields() || !entriesMatchListMonth())
        return false;
    const auto notify = [this](MessageKind kind, const QString& text) { say(kind, text); };
    if (!writeDiaryFile(state_, MonatSpinEdit->text(), JahrSpinEdit->text(), notify))
        return false;
    config_.Schreib_String_in_Registry(QStringLiteral("BenutzerName"), state_.userName);
    if (!QString(state_.lastEntryLine).remove(u' ').isEmpty())
        config_.Schreib_String_in_Registry(QStringLiteral("LetzteEingabe"), state_.lastEntryLine);
    LiesUhrzeitenEin();
    if (host_.GrafikZeichnen)
        host_.GrafikZeichnen(state_.currentDiaryFile);
    refreshFromState();
    if (state_.newUserPending || state_.newTablePending) {
        say(MessageKind::Information, firstDataAdvice());
        state_.newUserPending = false;
        state_.newTablePending = false;
    }
    return true;
}

TEingabeDlg::ShowingSave TEingabeDlg::saveForShowing()
{
    if (state_.entryList.isEmpty()) {
        if (!takeEmptyListMonthFromFields())
            return ShowingSave::FieldsRefused;
        if (!confirmOverwriteOfEmptyList())
            return ShowingSave::Declined;
    }
    state_.zonesPainted = false;
    return GrafikZeigen() ? ShowingSave::Saved : ShowingSave::Failed;
}

void TEingabeDlg::GrafikButtonClick()
{
    const ShowingSave outcome = saveForShowing();
    // A failed save keeps the dialog open with its list, so no typed reading is lost.
    if (outcome == ShowingSave::FieldsRefused || outcome == ShowingSave::Failed)
        return;
    if (outcome == ShowingSave::Saved && host_.writeTimesLine)
        host_.writeTimesLine();
    accept();
}

void TEingabeDlg::TabelleButtonClick()
{
    const ShowingSave outcome = saveForShowing();
    if (outcome == ShowingSave::Declined)
        accept();
    // Otherwise the dialog stays open under the table window.
    else if (outcome == ShowingSave::Saved && host_.openTableWindow)
        host_.openTableWindow();
}

void TEingabeDlg::AbbrechenButtonClick()
{
    if (entryListChanged_) {
        if (!desktop_.ask(QStringLiteral("Möchten Sie wirklich abbrechen? Wenn ja, dann sind die eingegebenen Daten "
                                         "verloren!"),
                          MessageKind::WarningQuestion))
            return;
        entryListChanged_ = false;
    }
    reject();
}

} // namespace luftikon
