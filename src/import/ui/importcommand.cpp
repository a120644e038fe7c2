// Runs the CSV import: file dialog, reading, preview, writing and the closing message.
#include "import/ui/importcommand.h"

#include "files/safefile.h"
#include "import/csvreadings.h"
#include "import/importplan.h"
#include "import/ui/importpreviewdialog.h"

#include <QFileInfo>

namespace luftikon {

namespace {

// Far beyond years of readings; a bigger file was chosen by mistake.
constexpr qint64 largestCsvFile = 64 * 1024 * 1024;

const QString nothingTaken = QStringLiteral(" Es wurde nichts übernommen.");

std::optional<QByteArray> readCsvFile(const QString& path, Desktop& desktop)
{
    if (QFileInfo(path).size() > largestCsvFile) {
        desktop.warning(QStringLiteral("Die Datei \"%1\" ist mit mehr als 64 MB zu groß für eine CSV-Datei mit "
                                       "Messwerten.")
                            .arg(path) +
                        nothingTaken);
        return std::nullopt;
    }
    // Read whole or not at all: a file cut short would bring in only part of its readings.
    std::optional<QByteArray> bytes = readWholeFile(path);
    if (!bytes)
        desktop.warning(QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden.").arg(path) + nothingTaken);
    return bytes;
}

bool samePath(const QString& a, const QString& b)
{
    return !a.isEmpty() && !b.isEmpty() && QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

} // namespace

void importReadingsCsv(const AppState& state, const Settings& settings, CurrentMonth& month, Desktop& desktop,
                       QWidget* parent)
{
    if (state.userName.isEmpty()) {
        desktop.warning(QStringLiteral("Die Messwerte werden in die Tabellen eines Benutzers eingetragen. Bitte geben "
                                       "Sie zuerst einen Benutzernamen ein.") +
                        nothingTaken);
        return;
    }
    const QString path =
        desktop.openFileName(parent, QStringLiteral("Messwerte aus CSV-Datei übernehmen"), state.dataFolder,
                             QStringLiteral("CSV-Dateien (*.csv *.txt);;Alle Dateien (*)"));
    if (path.isEmpty())
        return;
    const auto bytes = readCsvFile(path, desktop);
    if (!bytes)
        return;
    CsvContent csv = readCsvReadings(*bytes);
    if (csv.kind == CsvContent::Kind::Empty) {
        desktop.information(QStringLiteral("Die Datei \"%1\" enthält keine Messwerte.").arg(path) + nothingTaken);
        return;
    }
    if (csv.kind == CsvContent::Kind::NotCsv) {
        desktop.warning(QStringLiteral("Die Datei \"%1\" ist keine CSV-Datei mit Messwerten: Keine Zeile enthält ein "
                                       "Datum, eine Uhrzeit und einen Messwert.")
                            .arg(path) +
                        nothingTaken);
        return;
    }

    const ImportSetup setup{state.galleryFolder,   state.htmlFolder,         state.userName,
                            month.layout().mode(), settings.fourSlotTimes(), settings.eightSlotTimes()};
    const ImportPlan plan = planImport(std::move(csv), setup);
    ImportPreviewDialog preview(parent);
    preview.showPlan(plan, path);
    if (desktop.execModal(preview) != QDialog::Accepted)
        return;

    const bool takeFileValues = preview.takeFileValues();
    const Notify notify = desktop.notifier();
    const ImportOutcome outcome = applyImport(plan, setup, takeFileValues, notify);
    if (std::any_of(outcome.writtenPaths.begin(), outcome.writtenPaths.end(),
                    [&](const QString& written) { return samePath(written, month.path()); }))
        month.open(month.path(), notify);
    else if (!month.hasFile() && !outcome.writtenPaths.isEmpty())
        month.open(outcome.writtenPaths.last(), notify);
    desktop.show(outcome.failedMonths.isEmpty() ? MessageKind::Information : MessageKind::Warning,
                 importReport(plan, outcome, takeFileValues));
}

} // namespace luftikon
