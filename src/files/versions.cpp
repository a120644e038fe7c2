#include "files/versions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <optional>

namespace luftikon {

namespace {

const QString stampFormat = QStringLiteral("yyyy-MM-dd_HH-mm-ss");
constexpr qsizetype stampLength = 19;
constexpr int keptNewest = 20;
constexpr int dailyDays = 90;
constexpr qint64 paceSeconds = 10 * 60;

VersionKeeping& keeping()
{
    static VersionKeeping current;
    return current;
}

// Told once: after one report, failures stay quiet until a version is kept again.
bool& toldOfFailure()
{
    static bool told = false;
    return told;
}

QDateTime now()
{
    const VersionKeeping& k = keeping();
    return k.clock ? k.clock() : QDateTime::currentDateTime();
}

bool isYear(const QString& name)
{
    return name.size() == 4 && std::all_of(name.begin(), name.end(), [](QChar c) { return c.isDigit(); });
}

void report(const QString& text)
{
    if (toldOfFailure())
        return;
    toldOfFailure() = true;
    if (keeping().tell)
        keeping().tell(text);
}

void prune(const QString& filePath, const QDateTime& at)
{
    const QList<EarlierVersion> versions = versionsOf(filePath);
    QList<QDateTime> times;
    for (const EarlierVersion& version : versions)
        times << version.taken;
    for (int index : versionsToRemove(times, at))
        QFile::remove(versions[index].path);
}

// Each version has a name of its own, so a killed write of one leaves a temporary no later write
// of the same name would clear; every save of the file clears them, kept version or not.
void removeLeftoverTemporaries(const QString& filePath)
{
    const QString folder = versionsFolderOf(filePath);
    const QString leftover = u'.' + QFileInfo(filePath).fileName() + u'.';
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name.startsWith(leftover) && name.contains(VersionSuffix + QStringLiteral(".tmp-")))
            QFile::remove(folder + name);
    }
}

// Keeps what `path` holds before `bytes` replace it; false only when a version was due and could
// not be kept, with the reason in `why`.
bool keepVersion(const QString& path, const QByteArray& bytes, VersionPace pace, QString& why)
{
    if (!QFileInfo(path).isFile())
        return true;
    removeLeftoverTemporaries(path);
    const std::optional<QByteArray> old = readWholeFile(path);
    if (!old) {
        why = QStringLiteral("Sie ist nicht lesbar.");
        return false;
    }
    if (*old == bytes)
        return true;
    const QDateTime at = now();
    const QList<EarlierVersion> versions = versionsOf(path);
    if (pace == VersionPace::Paced && !versions.isEmpty() && std::abs(versions.last().taken.secsTo(at)) < paceSeconds)
        return true;

    const QString folder = versionsFolderOf(path);
    const QString name = QFileInfo(path).fileName();
    QDateTime stamp = at;
    QString target = folder + versionFileName(name, stamp);
    // Two versions in one second (a restore right after a save) must not overwrite each other.
    while (QFileInfo::exists(target)) {
        if (readWholeFile(target) == old)
            return true;
        stamp = stamp.addSecs(1);
        target = folder + versionFileName(name, stamp);
    }
    WriteResult written;
    if (!QDir().mkpath(folder)) {
        written.error = QStringLiteral("Der Ordner \"%1\" kann nicht angelegt werden.").arg(folder);
    }
    else {
        written = writeFileSafely(target, *old);
    }
    if (!written.ok) {
        why = written.error;
        return false;
    }
    toldOfFailure() = false;
    prune(path, at);
    return true;
}

} // namespace

QString versionsFolderOf(const QString& filePath)
{
    const QFileInfo info(filePath);
    const QDir folder = info.absoluteDir();
    const QString folderName = folder.dirName();
    if (isYear(folderName)) {
        QDir gallery = folder;
        gallery.cdUp();
        return gallery.absolutePath() + u'/' + VersionsFolderName + u'/' + folderName + u'/';
    }
    return folder.absolutePath() + u'/' + VersionsFolderName + u'/';
}

QString versionFileName(const QString& fileName, const QDateTime& taken)
{
    return fileName + u'.' + taken.toString(stampFormat) + VersionSuffix;
}

QList<EarlierVersion> versionsOf(const QString& filePath)
{
    const QString folder = versionsFolderOf(filePath);
    const QString fileName = QFileInfo(filePath).fileName();
    const QString prefix = fileName + u'.';
    QList<EarlierVersion> versions;
    const QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name);
    for (const QString& name : names) {
        if (!name.startsWith(prefix) || !name.endsWith(VersionSuffix) ||
            name.size() != prefix.size() + stampLength + VersionSuffix.size())
            continue;
        const QDateTime taken = QDateTime::fromString(name.mid(prefix.size(), stampLength), stampFormat);
        if (taken.isValid())
            versions.append({folder + name, fileName, taken});
    }
    std::sort(versions.begin(), versions.end(),
              [](const EarlierVersion& a, const EarlierVersion& b) { return a.taken < b.taken; });
    return versions;
}

QList<int> versionsToRemove(const QList<QDateTime>& taken, const QDateTime& now)
{
    QList<int> order(taken.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return taken[a] > taken[b]; });

    QSet<int> kept;
    for (int i = 0; i < std::min<qsizetype>(keptNewest, order.size()); ++i)
        kept.insert(order[i]);
    // Oldest first, so the first version of each day is the one a day keeps.
    const QDateTime since = now.addDays(-dailyDays);
    QSet<QDate> days;
    for (auto it = order.crbegin(); it != order.crend(); ++it) {
        if (taken[*it] >= since && !days.contains(taken[*it].date())) {
            days.insert(taken[*it].date());
            kept.insert(*it);
        }
    }
    QList<int> removed;
    for (int i = 0; i < taken.size(); ++i) {
        if (!kept.contains(i))
            removed << i;
    }
    return removed;
}

VersionKeeping setVersionKeeping(VersionKeeping replacement)
{
    std::swap(keeping(), replacement);
    toldOfFailure() = false;
    return replacement;
}

void releaseVersionKeeping(const void* owner)
{
    if (owner && keeping().owner == owner)
        setVersionKeeping({});
}

WriteResult replaceKeepingVersion(const QString& path, const QByteArray& bytes, VersionPace pace)
{
    if (QString why; !keepVersion(path, bytes, pace, why)) {
        // A restore replaces what the user may want back: without its version it does not happen.
        if (pace == VersionPace::Always) {
            WriteResult refused;
            refused.failure = WriteFailure::Write;
            refused.error = QStringLiteral("Die Datei \"%1\" wurde nicht ersetzt, weil ihr jetziger Stand nicht als "
                                           "frühere Fassung aufbewahrt werden konnte. %2")
                                .arg(path, why);
            return refused;
        }
        report(QStringLiteral("Von der Datei \"%1\" konnte keine frühere Fassung aufbewahrt werden. %2\nIhre Daten "
                              "werden trotzdem gespeichert; frühere Fassungen werden wieder aufbewahrt, sobald das "
                              "möglich ist.")
                   .arg(path, why));
    }
    return writeFileSafely(path, bytes);
}

WriteResult restoreVersion(const EarlierVersion& version, const QString& filePath)
{
    const std::optional<QByteArray> bytes = readWholeFile(version.path);
    if (!bytes) {
        WriteResult result;
        result.failure = WriteFailure::Open;
        result.error = QStringLiteral("Die frühere Fassung \"%1\" kann nicht gelesen werden.").arg(version.path);
        return result;
    }
    return replaceKeepingVersion(filePath, *bytes, VersionPace::Always);
}

} // namespace luftikon
