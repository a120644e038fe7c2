#include "shell/singleinstance.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSysInfo>
#include <QWidget>
#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace luftikon {

namespace {

QString socketPathOf(const QString& lockPath)
{
    return lockPath + QStringLiteral(".socket");
}

} // namespace

SingleInstance::SingleInstance(const QString& lockPath) : lockPath_(lockPath), lock_(lockPath)
{
    // Only a dead holder makes a lock stale; a long-running program keeps its lock.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

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
    server_ = std::make_unique<QLocalServer>();
    // A socket file left by a killed holder would block listening; the lock says it is stale.
    QLocalServer::removeServer(socketPathOf(lockPath_));
    QObject::connect(server_.get(), &QLocalServer::newConnection, this, [this, onWake = std::move(onWake)] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            if (onWake)
                onWake();
        }
    });
    server_->listen(socketPathOf(lockPath_));
    return true;
}

void SingleInstance::release()
{
    // Closing the server removes its socket file.
    server_.reset();
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
    QLocalServer::removeServer(socketPathOf(lockPath_));
    return QFile::remove(lockPath_) || !QFileInfo::exists(lockPath_);
}

void SingleInstance::wakeRunning() const
{
    QLocalSocket socket;
    socket.connectToServer(socketPathOf(lockPath_));
    if (socket.waitForConnected(1000))
        socket.disconnectFromServer();
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
