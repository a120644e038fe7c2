#include "archive/archivefile.h"

#include <QCryptographicHash>
#include <QHash>
#include <QSet>
#include <QStringList>

#include "archive/libarchive.h"

#include <memory>

namespace luftikon {

namespace {

const QByteArray manifestHeader = "Luftikon-Sicherung 1";
// A diary archive of decades stays far below these; anything beyond is no archive of ours.
constexpr qint64 maxTotalBytes = 256LL * 1024 * 1024;
constexpr int maxMembers = 100000;

QString sha256Of(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

struct Manifested {
    QString sha256;
    qint64 size = 0;
    QDateTime modified;
};

ArchiveContent refused(const QString& why)
{
    ArchiveContent content;
    content.error = QStringLiteral("Die Datei ist keine unbeschädigte Luftikon-Sicherung: %1 Es wurde nichts "
                                   "wiederhergestellt.")
                        .arg(why);
    return content;
}

la_ssize_t appendTo(archive*, void* out, const void* buffer, size_t length)
{
    static_cast<QByteArray*>(out)->append(static_cast<const char*>(buffer), qsizetype(length));
    return la_ssize_t(length);
}

// The manifest's lines by path; an error text when it cannot be taken apart.
QString parseManifest(const QByteArray& text, QList<QString>& order, QHash<QString, Manifested>& entries)
{
    QList<QByteArray> lines = text.split('\n');
    if (lines.isEmpty() || lines.takeFirst() != manifestHeader)
        return QStringLiteral("Das Inhaltsverzeichnis fehlt seine Kennung.");
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (const QByteArray& line : lines) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 4)
            return QStringLiteral("Eine Zeile des Inhaltsverzeichnisses ist unvollständig.");
        Manifested entry;
        entry.sha256 = QString::fromLatin1(fields[0]);
        bool sized = false;
        entry.size = fields[1].toLongLong(&sized);
        // Written in UTC with its "Z", so no local clock change can shift or void it.
        entry.modified = QDateTime::fromString(QString::fromLatin1(fields[2]), Qt::ISODate);
        const QString path = QString::fromUtf8(line.mid(fields[0].size() + fields[1].size() + fields[2].size() + 3));
        if (entry.sha256.size() != 64 || !sized || entry.size < 0 || !entry.modified.isValid())
            return QStringLiteral("Eine Zeile des Inhaltsverzeichnisses ist unlesbar.");
        if (const QString problem = archivePathProblem(path); !problem.isEmpty())
            return problem;
        if (entries.contains(path) || path == ManifestName)
            return QStringLiteral("Die Datei \"%1\" steht doppelt im Inhaltsverzeichnis.").arg(path);
        order << path;
        entries.insert(path, entry);
    }
    return {};
}

} // namespace

std::optional<ArchiveFormat> archiveFormatOf(const QString& fileName)
{
    if (fileName.endsWith(QStringLiteral(".zip"), Qt::CaseInsensitive))
        return ArchiveFormat::Zip;
    if (fileName.endsWith(QStringLiteral(".tar.gz"), Qt::CaseInsensitive) ||
        fileName.endsWith(QStringLiteral(".tgz"), Qt::CaseInsensitive))
        return ArchiveFormat::TarGz;
    return std::nullopt;
}

QString archivePathProblem(const QString& path)
{
    const QString refusedPath = QStringLiteral("Der Pfad \"%1\" in der Sicherung führt aus dem Datenordner hinaus "
                                               "oder ist ungültig.")
                                    .arg(path);
    if (path.isEmpty() || path.startsWith(u'/') || path.contains(u'\\'))
        return refusedPath;
    for (const QString& part : path.split(u'/')) {
        if (part.isEmpty() || part == QStringLiteral(".") || part == QStringLiteral(".."))
            return refusedPath;
        if (std::any_of(part.begin(), part.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; }))
            return refusedPath;
    }
    return {};
}

QByteArray composeManifest(const QList<ArchivedFile>& files)
{
    QByteArray text = manifestHeader + '\n';
    for (const ArchivedFile& file : files) {
        text += sha256Of(file.bytes).toLatin1() + ' ' + QByteArray::number(file.bytes.size()) + ' ' +
                file.modified.toUTC().toString(Qt::ISODate).toLatin1() + ' ' + file.path.toUtf8() + '\n';
    }
    return text;
}

std::optional<QByteArray> composeArchive(const QList<ArchivedFile>& files, ArchiveFormat format, QString* error)
{
    QString unavailable;
    const LibArchive* la = libArchive(&unavailable);
    if (!la) {
        if (error)
            *error = unavailable;
        return std::nullopt;
    }
    QByteArray out;
    std::unique_ptr<archive, decltype(la->archive_write_free)> writer(la->archive_write_new(), la->archive_write_free);
    const bool zip = format == ArchiveFormat::Zip;
    int status = zip ? la->archive_write_set_format_zip(writer.get())
                     : la->archive_write_set_format_pax_restricted(writer.get());
    if (status == ARCHIVE_OK && !zip)
        status = la->archive_write_add_filter_gzip(writer.get());
    if (status == ARCHIVE_OK)
        status = la->archive_write_open(writer.get(), &out, nullptr, appendTo, nullptr);

    QList<ArchivedFile> members{{ManifestName, composeManifest(files), QDateTime::currentDateTimeUtc()}};
    members += files;
    for (const ArchivedFile& file : members) {
        if (status != ARCHIVE_OK)
            break;
        std::unique_ptr<archive_entry, decltype(la->archive_entry_free)> entry(la->archive_entry_new(),
                                                                               la->archive_entry_free);
        la->archive_entry_set_pathname_utf8(entry.get(), file.path.toUtf8().constData());
        la->archive_entry_set_filetype(entry.get(), AE_IFREG);
        la->archive_entry_set_perm(entry.get(), 0644);
        la->archive_entry_set_size(entry.get(), file.bytes.size());
        la->archive_entry_set_mtime(entry.get(), file.modified.toSecsSinceEpoch(), 0);
        status = la->archive_write_header(writer.get(), entry.get());
        if (status == ARCHIVE_OK && !file.bytes.isEmpty() &&
            la->archive_write_data(writer.get(), file.bytes.constData(), size_t(file.bytes.size())) !=
                file.bytes.size())
            status = ARCHIVE_FATAL;
    }
    if (status == ARCHIVE_OK)
        status = la->archive_write_close(writer.get());
    if (status != ARCHIVE_OK) {
        if (error)
            *error = QStringLiteral("Die Sicherung konnte nicht erstellt werden: %1")
                         .arg(QString::fromLocal8Bit(la->archive_error_string(writer.get())));
        return std::nullopt;
    }
    return out;
}

ArchiveContent readArchive(const QByteArray& bytes)
{
    QString unavailable;
    const LibArchive* la = libArchive(&unavailable);
    if (!la) {
        ArchiveContent content;
        content.error = unavailable;
        return content;
    }
    std::unique_ptr<archive, decltype(la->archive_read_free)> reader(la->archive_read_new(), la->archive_read_free);
    la->archive_read_support_filter_gzip(reader.get());
    la->archive_read_support_format_zip(reader.get());
    la->archive_read_support_format_tar(reader.get());
    if (la->archive_read_open_memory(reader.get(), bytes.constData(), size_t(bytes.size())) != ARCHIVE_OK)
        return refused(QStringLiteral("Sie ist weder eine ZIP- noch eine TAR.GZ-Datei."));

    QHash<QString, QByteArray> members;
    std::optional<QByteArray> manifest;
    qint64 total = 0;
    archive_entry* entry = nullptr;
    int status = ARCHIVE_OK;
    while ((status = la->archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK) {
        const char* name = la->archive_entry_pathname_utf8(entry);
        if (!name)
            name = la->archive_entry_pathname(entry);
        QString path = QString::fromUtf8(name ? name : "");
        const auto type = la->archive_entry_filetype(entry);
        if (type == AE_IFDIR && path.endsWith(u'/'))
            path.chop(1);
        if (const QString problem = archivePathProblem(path); !problem.isEmpty())
            return refused(problem);
        if (type == AE_IFDIR)
            continue;
        if (type != AE_IFREG || la->archive_entry_hardlink(entry) || la->archive_entry_symlink(entry))
            return refused(QStringLiteral("\"%1\" ist keine gewöhnliche Datei (etwa eine Verknüpfung).").arg(path));
        if (members.contains(path) || (path == ManifestName && manifest))
            return refused(QStringLiteral("Die Datei \"%1\" steht doppelt in der Sicherung.").arg(path));
        if (members.size() >= maxMembers)
            return refused(QStringLiteral("Sie enthält zu viele Dateien."));
        QByteArray data;
        char buffer[65536];
        la_ssize_t n = 0;
        while ((n = la->archive_read_data(reader.get(), buffer, sizeof buffer)) > 0) {
            total += n;
            if (total > maxTotalBytes)
                return refused(QStringLiteral("Sie ist zu groß."));
            data.append(buffer, qsizetype(n));
        }
        if (n < 0)
            return refused(QStringLiteral("Die Datei \"%1\" darin ist beschädigt.").arg(path));
        if (path == ManifestName)
            manifest = data;
        else
            members.insert(path, data);
    }
    if (status != ARCHIVE_EOF)
        return refused(QStringLiteral("Sie ist beschädigt oder unvollständig."));
    if (!manifest)
        return refused(QStringLiteral("Ihr fehlt das Inhaltsverzeichnis \"%1\".").arg(ManifestName));

    QList<QString> order;
    QHash<QString, Manifested> listed;
    if (const QString problem = parseManifest(*manifest, order, listed); !problem.isEmpty())
        return refused(problem);
    ArchiveContent content;
    for (const QString& path : order) {
        const auto member = members.constFind(path);
        if (member == members.cend())
            return refused(QStringLiteral("Die Datei \"%1\" fehlt.").arg(path));
        const Manifested& expected = listed[path];
        if (member->size() != expected.size || sha256Of(*member) != expected.sha256)
            return refused(QStringLiteral("Die Datei \"%1\" ist verändert oder beschädigt.").arg(path));
        content.files.append({path, *member, expected.modified});
    }
    if (members.size() != order.size())
        return refused(QStringLiteral("Sie enthält Dateien, die nicht im Inhaltsverzeichnis stehen."));
    content.ok = true;
    return content;
}

} // namespace luftikon
