#include "shell/singleinstance.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QSysInfo>
#include <QWidget>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace luftikon {

namespace {

QString socketPathOf(const QString& lockPath)
{
    return lockPath + QStringLiteral(".socket");
}

// The address of the socket file at `path`; false when the path does not fit into one.
bool socketAddress(const QString& path, sockaddr_un& address)
{
    const QByteArray name = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || std::size_t(name.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, name.constData(), std::size_t(name.size()));
    return true;
}

} // namespace

SingleInstance::SingleInstance(const QString& lockPath) : lockPath_(lockPath), lock_(lockPath)
{
    // Only a dead holder makes a lock stale; a long-running program keeps its lock.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    release();
}

QString SingleInstance::lockPathFor(const QString& configPath)
{
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::tempPath();
    // Short and fixed in length: a socket path may not exceed 107 bytes.
    const QByteArray key =
        QCryptographicHash::hash(QDir::cleanPath(configPath).toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return folder + QStringLiteral("/luftikon-%1-%2.lock").arg(getuid()).arg(QString::fromLatin1(key));
}

bool SingleInstance::acquire(std::function<void()> onWake)
{
    // Another round only when a start elsewhere takes the removed leftover's place in between.
    for (int round = 0; !lock_.tryLock(0); ++round) {
        if (lock_.error() != QLockFile::LockFailedError)
            return true;
        if (holderRuns())
            return false;
        // QLockFile's own take-over first writes a file beside the lock, which a full disk
        // refuses; removing the leftover needs no space.
        if (round == 2 || !removeLeftover())
            return true;
    }
    listen(std::move(onWake));
    return true;
}

void SingleInstance::listen(std::function<void()> onWake)
{
    sockaddr_un address;
    if (!socketAddress(socketPathOf(lockPath_), address))
        return;
    // A socket file left by a killed holder would block listening; the lock says it is stale.
    QFile::remove(socketPathOf(lockPath_));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return;
    // Without a socket the program still runs; a second start then only says it is running.
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return;
    }
    listener_ = fd;
    onWake_ = std::move(onWake);
    notifier_ = std::make_unique<QSocketNotifier>(qintptr(fd), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, &SingleInstance::wokenUp);
}

void SingleInstance::wokenUp()
{
    // Each connection is one wake-up; nothing is read from it.
    int connection;
    while ((connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0) {
        ::close(connection);
        if (onWake_)
            onWake_();
    }
}

void SingleInstance::release()
{
    if (listener_ >= 0) {
        notifier_.reset();
        ::close(listener_);
        listener_ = -1;
        QFile::remove(socketPathOf(lockPath_));
    }
    lock_.unlock();
}

bool SingleInstance::holderRuns() const
{
    qint64 pid = 0;
    QString host;
    QString app;
    // Empty or garbled: left half written by a program that ended while making it.
    if (!lock_.getLockInfo(&pid, &host, &app) || pid <= 0)
        return false;
    // A holder on another machine cannot be asked; its lock is kept.
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return true;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

bool SingleInstance::removeLeftover()
{
    QFile::remove(socketPathOf(lockPath_));
    return QFile::remove(lockPath_) || !QFileInfo::exists(lockPath_);
}

void SingleInstance::wakeRunning() const
{
    sockaddr_un address;
    if (!socketAddress(socketPathOf(lockPath_), address))
        return;
    // Never waits: a holder that hangs must not hang this start as well.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return;
    // A local connection is made or refused at once; being accepted is the whole message.
    ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::close(fd);
}

bool startAlone(SingleInstance& instance, Desktop& desktop, std::function<void()> onWake)
{
    if (instance.acquire(std::move(onWake)))
        return true;
    instance.wakeRunning();
    desktop.information(QStringLiteral("Luftikon läuft bereits."));
    return false;
}

void bringToFront(QWidget& window)
{
    if (window.isMinimized())
        window.showNormal();
    window.raise();
    window.activateWindow();
    // A modal dialog open in front of the window (the entry dialog) stays in front of it.
    if (QWidget* dialog = QApplication::activeModalWidget(); dialog && dialog != &window) {
        dialog->raise();
        dialog->activateWindow();
    }
}

} // namespace luftikon
