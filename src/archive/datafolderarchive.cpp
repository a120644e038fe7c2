#include "archive/datafolderarchive.h"

#include "files/safefile.h"
#include "files/versions.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace luftikon {

namespace {

QDateTime wholeSeconds(const QDateTime& time)
{
    return QDateTime::fromSecsSinceEpoch(time.toSecsSinceEpoch(), Qt::UTC);
}

// The plain files under `folder` that `wanted` accepts, outside hidden folders and earlier versions.
void collect(const QString& folder, const QString& prefix, bool (*wanted)(const QString&), QList<ArchivedFile>& files,
             QStringList& unreadable)
{
    QStringList paths;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << it.next();
    paths.sort();
    const QDir base(folder);
    for (const QString& path : paths) {
        const QString relative = base.relativeFilePath(path);
        if (relative.startsWith(VersionsFolderName + u'/') || relative.startsWith(u'.') ||
            relative.contains(QStringLiteral("/.")) || !wanted(relative))
            continue;
        if (const auto bytes = readWholeFile(path))
            files.append({prefix + relative, *bytes, wholeSeconds(QFileInfo(path).lastModified())});
        else
            unreadable << path;
    }
}

bool diaryOrRemarks(const QString& name)
{
    return name.endsWith(QStringLiteral(".tab"), Qt::CaseInsensitive) ||
           name.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
}

bool anyFile(const QString&)
{
    return true;
}

// The values of an archived settings file, read as the program reads its own.
QHash<QString, QString> settingsValuesOf(const QByteArray& bytes)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Luftikon.conf"));
    if (!folder.isValid() || !writeFileSafely(path, bytes).ok)
        return {};
    return ConfigStore(path).readAll();
}

// The archived last diary moved into this gallery: the path whose end names a restored diary.
QString movedLastDiary(const QString& oldPath, const RestorePlan& plan)
{
    for (const PlannedFile& planned : plan.files) {
        if (!planned.file.path.startsWith(DiariesInArchive))
            continue;
        const QString relative = planned.file.path.mid(DiariesInArchive.size());
        if (oldPath.endsWith(u'/' + relative) && QFileInfo::exists(planned.target))
            return planned.target;
    }
    return {};
}

} // namespace

QStringList portableSettingNames()
{
    QStringList names{QStringLiteral("BenutzerName"),
                      QStringLiteral("LetzteEingabe"),
                      QStringLiteral("Grafikformat"),
                      QStringLiteral("StiftBreite"),
                      QStringLiteral("HintergrundFarbIntensitaet"),
                      QStringLiteral("StecknadelAnzeigen"),
                      QStringLiteral("KurvenFarbe"),
                      QStringLiteral("LinieBeiNullUnterbrechen"),
                      QStringLiteral("WerteOberhalbKurveAnzeigen"),
                      QStringLiteral("DatenwerteOberhalbFarbe")};
    for (const SlotTimeValue& slot : fourSlotTimeValues)
        names << QLatin1String(slot.name);
    for (const SlotTimeValue& slot : eightSlotTimeValues)
        names << QLatin1String(slot.name);
    return names;
}

QList<ArchivedFile> collectDataFolder(const DataFolderPlaces& places, QStringList& unreadable)
{
    QList<ArchivedFile> files;
    collect(places.galleryFolder, DiariesInArchive, diaryOrRemarks, files, unreadable);
    collect(places.reportFolder, ReportsInArchive, anyFile, files, unreadable);
    if (QFileInfo(places.settingsFile).isFile()) {
        if (const auto bytes = readWholeFile(places.settingsFile))
            files.append({SettingsInArchive, *bytes, wholeSeconds(QFileInfo(places.settingsFile).lastModified())});
        else
            unreadable << places.settingsFile;
    }
    return files;
}

QList<const PlannedFile*> RestorePlan::differing() const
{
    QList<const PlannedFile*> list;
    for (const PlannedFile& planned : files) {
        if (planned.presence == Presence::Older || planned.presence == Presence::Newer)
            list << &planned;
    }
    return list;
}

RestorePlan planRestore(const QList<ArchivedFile>& files, const DataFolderPlaces& places)
{
    RestorePlan plan;
    for (const ArchivedFile& file : files) {
        if (file.path == SettingsInArchive) {
            plan.settings = file.bytes;
            continue;
        }
        PlannedFile planned;
        planned.file = file;
        if (file.path.startsWith(DiariesInArchive))
            planned.target = places.galleryFolder + file.path.mid(DiariesInArchive.size());
        else if (file.path.startsWith(ReportsInArchive))
            planned.target = places.reportFolder + file.path.mid(ReportsInArchive.size());
        else {
            plan.error = QStringLiteral("Die Sicherung enthält die fremde Datei \"%1\". Es wurde nichts "
                                        "wiederhergestellt.")
                             .arg(file.path);
            plan.files.clear();
            plan.settings.reset();
            return plan;
        }
        const QFileInfo here(planned.target);
        if (here.exists()) {
            const auto bytes = readWholeFile(planned.target);
            if (bytes && *bytes == file.bytes)
                planned.presence = Presence::Identical;
            else
                planned.presence = file.modified < here.lastModified() ? Presence::Older : Presence::Newer;
        }
        plan.files << planned;
    }
    return plan;
}

RestoreOutcome carryOut(const RestorePlan& plan, bool replaceDiffering, ConfigStore& store)
{
    RestoreOutcome outcome;
    for (const PlannedFile& planned : plan.files) {
        if (planned.presence == Presence::Identical) {
            ++outcome.identical;
            continue;
        }
        const bool replacing = planned.presence != Presence::New;
        if (replacing && !replaceDiffering) {
            ++outcome.kept;
            continue;
        }
        WriteResult written;
        if (!QDir().mkpath(QFileInfo(planned.target).absolutePath()))
            written.error = QStringLiteral("Der Ordner für \"%1\" kann nicht angelegt werden.").arg(planned.target);
        else if (replacing)
            written = replaceKeepingVersion(planned.target, planned.file.bytes, VersionPace::Always);
        else
            written = writeFileSafely(planned.target, planned.file.bytes);
        if (!written.ok) {
            outcome.stoppedBy = written.error;
            return outcome;
        }
        QFile file(planned.target);
        if (file.open(QIODevice::ReadWrite))
            file.setFileTime(planned.file.modified, QFileDevice::FileModificationTime);
        if (replacing)
            outcome.replaced << planned.target;
        else
            ++outcome.added;
    }

    if (plan.settings && store.exists()) {
        const QHash<QString, QString> values = settingsValuesOf(*plan.settings);
        const QList<ConfigDefault> kinds = ConfigStore::firstRunDefaults(QString(), QString());
        for (const QString& name : portableSettingNames()) {
            const auto value = values.constFind(name);
            if (value == values.cend())
                continue;
            const auto kind = std::find_if(kinds.cbegin(), kinds.cend(),
                                           [&name](const ConfigDefault& known) { return known.name == name; });
            if (kind != kinds.cend() && kind->integer)
                store.setInteger(name, *value);
            else
                store.setText(name, *value);
        }
        outcome.lastDiary = movedLastDiary(values.value(QStringLiteral("TabellenDateiName")), plan);
        if (!outcome.lastDiary.isEmpty())
            store.setText(QStringLiteral("TabellenDateiName"), outcome.lastDiary);
        outcome.settingsTaken = !values.isEmpty();
    }
    return outcome;
}

QString restoreReport(const RestoreOutcome& outcome)
{
    QString text;
    if (!outcome.stoppedBy.isEmpty())
        text = QStringLiteral("Die Wiederherstellung wurde abgebrochen: %1\n").arg(outcome.stoppedBy);
    text += QStringLiteral("Neu hinzugefügt: %1 Dateien. Unverändert, weil gleich: %2. Belassen wie hier: %3.")
                .arg(outcome.added)
                .arg(outcome.identical)
                .arg(outcome.kept);
    if (outcome.replaced.isEmpty())
        text += QStringLiteral("\nErsetzt wurde keine Datei.");
    else
        text += QStringLiteral("\nErsetzt (die bisherige Fassung ist jeweils als frühere Fassung aufbewahrt):\n") +
                outcome.replaced.join(u'\n');
    if (outcome.settingsTaken)
        text += QStringLiteral("\nIhr Name, Ihre Farben und Messzeiten wurden aus der Sicherung übernommen; sie "
                               "gelten ab dem nächsten Start von Luftikon.");
    return text;
}

} // namespace luftikon
