#pragma once
// One running program per user and settings file: two windows saving the same month would
// overwrite each other's readings. The first start holds a lock and listens; a second start
// asks it to come to the front and ends without touching a file.

#include "platform/desktop.h"

#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QSocketNotifier;
class QWidget;

namespace luftikon {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `lockPath` names the lock file; the wake-up socket lies beside it.
    explicit SingleInstance(const QString& lockPath);
    ~SingleInstance() override;

    // The lock for the settings file `configPath`, in the user's runtime folder (a fresh
    // folder after every login, so nothing outlives a power cut).
    static QString lockPathFor(const QString& configPath);

    // True unless a running program holds the lock; a lock whose holder is gone is removed and
    // taken. From then on a wake-up from another start calls `onWake`. Also true when no lock
    // can be made or taken at all (a read-only or full runtime folder must not stop the start).
    bool acquire(std::function<void()> onWake);
    // Asks the program holding the lock to come to the front.
    void wakeRunning() const;
    // Gives the lock and its socket up; for an end that skips the destructors.
    void release();

private:
    bool holderRuns() const;
    bool removeLeftover();
    void listen(std::function<void()> onWake);
    void wokenUp();

    QString lockPath_;
    QLockFile lock_;
    // The wake-up socket; a plain Unix socket, so the program needs no network library.
    int listener_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> onWake_;
};

// Program start: true when this process goes on. Otherwise the running program was asked to
// come forward, the user told "Luftikon läuft bereits.", and the caller ends.
bool startAlone(SingleInstance& instance, Desktop& desktop, std::function<void()> onWake);

// Shows `window` in front of the others, restored when minimised, with its open dialog on top.
void bringToFront(QWidget& window);

} // namespace luftikon
