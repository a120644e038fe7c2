#include "mounts.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace luftikon::test {

namespace {

bool writeProcFile(const char* path, const std::string& text)
{
    const int fd = ::open(path, O_WRONLY);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, text.data(), text.size()) == ssize_t(text.size());
    ::close(fd);
    return ok;
}

// Runs before main: unshare refuses a new user namespace once other threads exist.
QString enterNamespaces()
{
    const uid_t uid = getuid();
    const gid_t gid = getgid();
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return QStringLiteral("unshare: ") + QString::fromLocal8Bit(std::strerror(errno));
    if (!writeProcFile("/proc/self/setgroups", "deny") ||
        !writeProcFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !writeProcFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
        return QStringLiteral("cannot map the user into the namespace");
    // Mounts made here stay here.
    if (mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return QStringLiteral("cannot make the mounts private: ") + QString::fromLocal8Bit(std::strerror(errno));
    return QString();
}

const QString entered = enterNamespaces();

} // namespace

QString namespaceProblem()
{
    return entered;
}

bool mountTmpfs(const QString& folder, int kib)
{
    const QByteArray options = "size=" + QByteArray::number(kib) + "k";
    return mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options.constData()) == 0;
}

bool bindReadOnly(const QString& folder)
{
    const QByteArray path = QFile::encodeName(folder);
    return mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) == 0 &&
           mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
}

void unmount(const QString& folder)
{
    umount2(QFile::encodeName(folder).constData(), MNT_DETACH);
}

} // namespace luftikon::test
