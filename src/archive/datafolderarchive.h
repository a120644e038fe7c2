#pragma once
// A user's data folder as one archive: every diary and remarks file of the gallery, every
// report and the settings file go in; on another computer they come back into its data folder,
// checked first, planned, and never replacing a differing file without the user's yes.

#include "archive/archivefile.h"
#include "config/configstore.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace luftikon {

// Where the files of an archive lie on this computer. Folders end in "/".
struct DataFolderPlaces {
    QString galleryFolder;
    QString reportFolder;
    QString settingsFile;
};

// The members' folders in the archive, whatever the folders are called on either computer.
inline const QString DiariesInArchive = QStringLiteral("Tagebuecher/");
inline const QString ReportsInArchive = QStringLiteral("Berichte/");
inline const QString SettingsInArchive = QStringLiteral("Einstellungen/Luftikon.conf");

// Every diary and remarks file of the gallery (not the earlier versions), every report and the settings;
// the paths of those that cannot be read go to `unreadable`.
QList<ArchivedFile> collectDataFolder(const DataFolderPlaces& places, QStringList& unreadable);

enum class Presence {
    New,       // not here yet
    Identical, // here with the same bytes
    Older,     // here with other bytes; the archived one is older
    Newer,     // here with other bytes; the archived one is newer
};

struct PlannedFile {
    ArchivedFile file;
    QString target;
    Presence presence = Presence::New;
};

struct RestorePlan {
    QString error; // the archive holds something that has no place here; nothing may be written
    QList<PlannedFile> files;
    std::optional<QByteArray> settings;
    QList<const PlannedFile*> differing() const;
};

RestorePlan planRestore(const QList<ArchivedFile>& files, const DataFolderPlaces& places);

struct RestoreOutcome {
    int added = 0;
    int identical = 0;
    int kept = 0;         // differing files left as they are here
    QStringList replaced; // targets replaced; what they held is kept as an earlier version
    QString stoppedBy;    // why the restore stopped half-way; empty when it ran through
    bool settingsTaken = false;
    QString lastDiary; // the diary "TabellenDateiName" now names, when it was moved here
};

// Writes the plan: new files always, differing ones only when `replaceDiffering`; then the
// user's own settings values into `store`. Stops at the first file that cannot be written.
RestoreOutcome carryOut(const RestorePlan& plan, bool replaceDiffering, ConfigStore& store);

// The one German message that says what a restore did.
QString restoreReport(const RestoreOutcome& outcome);

// The settings values that are the user's own and travel with the diaries: the name, the
// colours and look, the slot times. Never folders, pictures or where the program was installed.
QStringList portableSettingNames();

} // namespace luftikon
