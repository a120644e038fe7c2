#include "shell/singleinstance.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>
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
    if (!lock_.tryLock(0))
        return lock_.error() != QLockFile::LockFailedError;
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
