#include "platform/documentopener.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>

namespace luftikon {

namespace {

// $0 is the opener, $1 the document, $2 the status file. The status is written only while the
// file is still waited for; the arguments never pass through the shell's parser.
const QString openerScript =
    QStringLiteral("\"$0\" \"$1\" >/dev/null 2>&1; status=$?; [ -e \"$2\" ] && echo \"$status\" > \"$2\"");

} // namespace

DocumentOpener::DocumentOpener(std::function<void(const QString&)> onFailure, int watchMs)
    : onFailure_(std::move(onFailure)), watchMs_(watchMs)
{
    poll_.setInterval(200);
    connect(&poll_, &QTimer::timeout, this, &DocumentOpener::look);
}

DocumentOpener::~DocumentOpener()
{
    for (const Pending& waiting : std::as_const(pending_))
        QFile::remove(waiting.statusFile);
}

void DocumentOpener::open(const QString& path)
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QTemporaryFile status(folder + QStringLiteral("/luftikon-oeffnen-XXXXXX"));
    status.setAutoRemove(false);
    if (opener.isEmpty() || !status.open()) {
        // Without xdg-open or a place for its answer, Qt finds what the desktop offers.
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
            fail(path);
        return;
    }
    status.close();
    if (!QProcess::startDetached(QStringLiteral("/bin/sh"),
                                 {QStringLiteral("-c"), openerScript, opener, path, status.fileName()})) {
        QFile::remove(status.fileName());
        fail(path);
        return;
    }
    Pending waiting{path, status.fileName(), {}};
    waiting.since.start();
    pending_.append(waiting);
    poll_.start();
}

void DocumentOpener::look()
{
    for (qsizetype i = pending_.size() - 1; i >= 0; --i) {
        const Pending waiting = pending_.at(i);
        QFile status(waiting.statusFile);
        const QByteArray answer = status.open(QIODevice::ReadOnly) ? status.readAll().trimmed() : QByteArray();
        // Still busy when the time is up: the viewer is open and keeps the opener waiting.
        if (answer.isEmpty() && waiting.since.elapsed() < watchMs_)
            continue;
        QFile::remove(waiting.statusFile);
        pending_.removeAt(i);
        if (!answer.isEmpty() && answer != "0")
            fail(waiting.path);
    }
    if (pending_.isEmpty())
        poll_.stop();
}

void DocumentOpener::fail(const QString& path)
{
    if (onFailure_)
        onFailure_(QStringLiteral("Die Datei \"%1\" konnte nicht geöffnet werden: Auf diesem Rechner ist kein "
                                  "Programm eingerichtet, das sie anzeigen kann.")
                       .arg(QDir::toNativeSeparators(path)));
}

} // namespace luftikon
