#pragma once
// Earlier versions of a diary or remarks file: before such a file is replaced, its previous bytes
// are kept as "<file name>.<yyyy-MM-dd_hh-mm-ss>.fassung" in "Sicherungen/<year>/" beside the
// year folders, so a mistaken save can be taken back. No version file ever ends in ".tab" or
// ".txt", so nothing that lists diaries or remarks takes one for a month.

#include "files/safefile.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>

namespace luftikon {

inline const QString VersionsFolderName = QStringLiteral("Sicherungen");
inline const QString VersionSuffix = QStringLiteral(".fassung");

struct EarlierVersion {
    QString path;     // the version file
    QString fileName; // the name of the file it is a version of
    QDateTime taken;  // when the bytes were replaced
};

// Where the versions of `filePath` are kept: for a file in a year folder ("<gallery>/2024/x.tab")
// "<gallery>/Sicherungen/2024/"; for any other file "Sicherungen/" in its own folder. Ends in "/".
QString versionsFolderOf(const QString& filePath);

// The version file name of `fileName` taken at `taken`.
QString versionFileName(const QString& fileName, const QDateTime& taken);

// The versions of `filePath` that exist, oldest first.
QList<EarlierVersion> versionsOf(const QString& filePath);

// Which of the times (any order) to remove once `now` has come: the newest 20 stay, and of the
// last 90 days the first of each day; the rest go. Indexes into `taken`.
QList<int> versionsToRemove(const QList<QDateTime>& taken, const QDateTime& now);

// The clock versions are stamped with and where the user hears that one could not be kept. Set
// once at start; tests set their own clock.
struct VersionKeeping {
    std::function<QDateTime()> clock;
    std::function<void(const QString&)> tell;
    const void* owner = nullptr; // the object whose clock and messages these are
};
// Replaces the keeping in force and gives back the one it replaced.
VersionKeeping setVersionKeeping(VersionKeeping keeping);
// Ends the keeping `owner` set while it is still in force; one set later by another owner stays.
// An owner that goes calls this, so no message ever reaches it afterwards.
void releaseVersionKeeping(const void* owner);

enum class VersionPace {
    Paced,  // at most one version in ten minutes: a burst of saves keeps the state before it
    Always, // a restore: what it replaces can always be taken back
};

// Replaces `path` with `bytes` through writeFileSafely, first keeping the bytes it held as a
// version (none when they are the same, when the file is new, or when the pace says not yet).
// A version that cannot be kept never stops a paced write; the user is told once, until versions
// can be kept again. A restore (Always) whose version cannot be kept writes nothing and fails.
WriteResult replaceKeepingVersion(const QString& path, const QByteArray& bytes, VersionPace pace = VersionPace::Paced);

// Puts the bytes of `version` back in place of `filePath`; what the file held becomes a version
// itself, so the restore can be taken back in turn.
WriteResult restoreVersion(const EarlierVersion& version, const QString& filePath);

} // namespace luftikon
