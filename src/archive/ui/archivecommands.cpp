#include "archive/ui/archivecommands.h"

#include "archive/datafolderarchive.h"
#include "files/safefile.h"
#include "report/monthreport.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

namespace luftikon {

namespace {

const QString archiveFilter = QStringLiteral("Luftikon-Sicherungen (*.zip *.tar.gz *.tgz);;Alle Dateien (*)");

DataFolderPlaces placesOf(const AppState& state, const ConfigStore& store)
{
    return {state.galleryFolder, state.dataFolder + reportFolderName + u'/', store.path()};
}

QString presenceText(Presence presence)
{
    return presence == Presence::Older ? QStringLiteral("in der Sicherung älter")
                                       : QStringLiteral("in der Sicherung neuer");
}

} // namespace

bool backUpAllDiaries(const AppState& state, const ConfigStore& store, Desktop& desktop, QWidget* parent)
{
    const QString suggested =
        state.dataFolder + QStringLiteral("Luftikon-Sicherung_%1.zip").arg(desktop.today().toString(Qt::ISODate));
    QString path = desktop.saveFileName(parent, QStringLiteral("Alle Tagebücher sichern"), suggested, archiveFilter);
    if (path.isEmpty())
        return false;
    if (!archiveFormatOf(path))
        path += QStringLiteral(".zip");
    QStringList unreadable;
    const QList<ArchivedFile> files = collectDataFolder(placesOf(state, store), unreadable);
    QString error;
    const auto archive = composeArchive(files, *archiveFormatOf(path), &error);
    if (!archive) {
        desktop.error(error);
        return false;
    }
    // Read back as a restore would read it: an archive that could not be restored is no backup.
    if (const ArchiveContent check = readArchive(*archive); !check.ok) {
        desktop.error(QStringLiteral("Die Sicherung wurde nicht geschrieben, weil sie sich nicht wiederherstellen "
                                     "ließe. %1")
                          .arg(check.error));
        return false;
    }
    const WriteResult written = writeFileSafely(path, *archive);
    if (!written.ok) {
        desktop.error(written.error);
        return false;
    }
    const QString saved = QStringLiteral("Alle Tagebücher sind gesichert in\n\"%1\":\n%2 Dateien (Tagebücher, "
                                         "Bemerkungen, Berichte und Einstellungen).")
                              .arg(path)
                              .arg(files.size());
    if (unreadable.isEmpty())
        desktop.information(saved);
    else
        desktop.warning(saved +
                        QStringLiteral("\n\nDiese Dateien können nicht gelesen werden und fehlen in der "
                                       "Sicherung:\n") +
                        unreadable.join(u'\n'));
    return true;
}

bool restoreFromBackup(const AppState& state, ConfigStore& store, CurrentMonth& month, Desktop& desktop,
                       QWidget* parent)
{
    const QString path =
        desktop.openFileName(parent, QStringLiteral("Aus Sicherung wiederherstellen"), state.dataFolder, archiveFilter);
    if (path.isEmpty())
        return false;
    const std::optional<QByteArray> bytes = readWholeFile(path);
    if (!bytes) {
        desktop.error(QStringLiteral("Die Sicherung \"%1\" kann nicht gelesen werden.").arg(path));
        return false;
    }
    const ArchiveContent content = readArchive(*bytes);
    if (!content.ok) {
        desktop.warning(content.error);
        return false;
    }
    const DataFolderPlaces places = placesOf(state, store);
    const RestorePlan plan = planRestore(content.files, places);
    if (!plan.error.isEmpty()) {
        desktop.warning(plan.error);
        return false;
    }

    bool replace = false;
    if (const auto differing = plan.differing(); !differing.isEmpty()) {
        QStringList names;
        for (const PlannedFile* planned : differing)
            names << QStringLiteral("%1 (%2)").arg(planned->target, presenceText(planned->presence));
        replace = desktop.ask(
            QStringLiteral("Diese Dateien gibt es hier schon mit anderem Inhalt:\n%1\n\nSollen sie durch die Fassung "
                           "aus der Sicherung ersetzt werden? Die Dateien von hier werden dann als frühere Fassungen "
                           "aufbewahrt.\nBei \"Nein\" bleiben sie, wie sie sind; alles andere wird trotzdem "
                           "wiederhergestellt.")
                .arg(names.join(u'\n')),
            MessageKind::WarningQuestion, Desktop::Preset::No);
    }
    const RestoreOutcome outcome = carryOut(plan, replace, store);
    // The month on screen shows what its files now hold; on a fresh computer, the last diary of the old one.
    const Notify notify = desktop.notifier();
    if (!month.hasFile() && !outcome.lastDiary.isEmpty())
        month.open(outcome.lastDiary, notify);
    else if (month.hasFile() &&
             (outcome.replaced.contains(month.path()) || outcome.replaced.contains(month.remarksPath())))
        month.open(month.path(), notify);
    const QString report =
        QStringLiteral("Aus der Sicherung \"%1\":\n").arg(QFileInfo(path).fileName()) + restoreReport(outcome);
    if (outcome.stoppedBy.isEmpty())
        desktop.information(report);
    else
        desktop.error(report);
    return outcome.added > 0 || !outcome.replaced.isEmpty() || outcome.settingsTaken;
}

} // namespace luftikon
