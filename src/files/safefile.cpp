#include "files/safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace luftikon {

namespace {

QString reasonFor(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Der Speicherplatz reicht nicht aus. Bitte schaffen Sie Speicherplatz und speichern Sie "
                              "erneut.");
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral("Der Ordner ist schreibgeschützt oder Sie haben dort keine Schreibrechte. Bitte wählen "
                              "Sie einen beschreibbaren Ordner oder ändern Sie die Rechte und speichern Sie erneut.");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("Der Ordner existiert nicht.");
    case EIO:
        return QStringLiteral("Der Datenträger meldet einen Ein-/Ausgabefehler. Bitte prüfen Sie den Datenträger und "
                              "speichern Sie erneut.");
    default:
        return QStringLiteral("Systemfehler %1 (%2). Bitte speichern Sie erneut.")
            .arg(error)
            .arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}

WriteResult failed(const QString& path, WriteFailure failure, int error)
{
    WriteResult result;
    result.failure = failure;
    result.error = QStringLiteral("Die Datei \"%1\" konnte nicht gespeichert werden. %2").arg(path, reasonFor(error));
    return result;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        data += n;
        left -= n;
    }
    return true;
}

void removeLeftovers(const QString& folder, const QString& prefix)
{
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (name.startsWith(prefix))
            QFile::remove(folder + QLatin1Char('/') + name);
    }
}

void syncFolder(const QByteArray& folder)
{
    // A rename is only durable once its folder is; where a file system cannot sync folders the data is
    // already safe in the file, so a failure here is not reported.
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

QString temporaryPrefixFor(const QString& fileName)
{
    return QLatin1Char('.') + fileName + QStringLiteral(".tmp-");
}

WriteResult writeFileSafely(const QString& path, const QByteArray& bytes)
{
    // Through a link the file it points to is replaced, and the link stays.
    QFileInfo info(path);
    if (info.isSymLink() && !info.symLinkTarget().isEmpty())
        info = QFileInfo(info.symLinkTarget());
    const QString target = info.absoluteFilePath();
    const QString folder = info.absolutePath();
    const QString prefix = temporaryPrefixFor(info.fileName());
    removeLeftovers(folder, prefix);

    struct stat old {};
    const QByteArray targetName = QFile::encodeName(target);
    const bool hadFile = ::stat(targetName.constData(), &old) == 0;

    QByteArray tempName;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        const QString suffix = QString::number(QRandomGenerator::global()->generate(), 36);
        tempName = QFile::encodeName(folder + QLatin1Char('/') + prefix + suffix);
        // 0666 lets the umask decide, as for any new file of the user's.
        fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        // A full disk may already refuse the new file; it is a failed write all the same, not a bad path.
        if (fd < 0 && (errno == ENOSPC || errno == EDQUOT))
            return failed(target, WriteFailure::Write, errno);
        if (fd < 0 && errno != EEXIST)
            return failed(target, WriteFailure::Open, errno);
    }
    if (fd < 0)
        return failed(target, WriteFailure::Open, EEXIST);

    const auto abandon = [&](int error) {
        ::close(fd);
        ::unlink(tempName.constData());
        return failed(target, WriteFailure::Write, error);
    };
    if (hadFile)
        ::fchmod(fd, old.st_mode & 07777);
    if (!writeAll(fd, bytes))
        return abandon(errno);
    if (::fsync(fd) != 0)
        return abandon(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(tempName.constData());
        return failed(target, WriteFailure::Write, error);
    }
    if (::rename(tempName.constData(), targetName.constData()) != 0) {
        const int error = errno;
        ::unlink(tempName.constData());
        return failed(target, WriteFailure::Write, error);
    }
    syncFolder(QFile::encodeName(folder));
    WriteResult result;
    result.ok = true;
    return result;
}

std::optional<QByteArray> readWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

WriteResult copyFileSafely(const QString& source, const QString& target)
{
    const std::optional<QByteArray> bytes = readWholeFile(source);
    if (!bytes) {
        WriteResult result;
        result.failure = WriteFailure::Open;
        result.error = QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden.").arg(source);
        return result;
    }
    return writeFileSafely(target, *bytes);
}

} // namespace luftikon
