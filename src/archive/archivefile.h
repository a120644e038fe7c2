#pragma once
// The archive file: a plain .zip or .tar.gz whose first member is a manifest naming every other
// member with its size, SHA-256 and time. A reader trusts nothing it has not checked against it.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

namespace luftikon {

inline const QString ManifestName = QStringLiteral("Luftikon-Sicherung.txt");

struct ArchivedFile {
    QString path; // relative, "/"-separated, e.g. "Tagebuecher/2024/Muster_3_2024.tab"
    QByteArray bytes;
    QDateTime modified; // UTC, whole seconds
};

enum class ArchiveFormat { Zip, TarGz };

// The format a file name asks for: ".zip" or ".tar.gz"/".tgz" (any case); none otherwise.
std::optional<ArchiveFormat> archiveFormatOf(const QString& fileName);

// Why `path` cannot stand in an archive of ours (absolute, "..", empty or odd parts); empty when it can.
QString archivePathProblem(const QString& path);

// The manifest text of `files`.
QByteArray composeManifest(const QList<ArchivedFile>& files);

// The archive of `files` with the manifest first; `error` says why when there is none.
std::optional<QByteArray> composeArchive(const QList<ArchivedFile>& files, ArchiveFormat format, QString* error);

struct ArchiveContent {
    bool ok = false;
    QString error;             // German, for the user, when the archive is refused
    QList<ArchivedFile> files; // the members the manifest names, in its order; never the manifest
};

// Reads an archive of ours, refusing it whole (no files) when it is damaged or foreign, when a member
// climbs out of its folder or is no plain file, or when any member differs from the manifest.
ArchiveContent readArchive(const QByteArray& archive);

} // namespace luftikon
