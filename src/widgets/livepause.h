#pragma once
// A pause that keeps the window live: it waits for its timer while still dispatching events,
// so clicks and repaints go on during the wait.

#include <QObject>

class QTimer;

namespace luftikon {

class LivePause : public QObject {
    Q_OBJECT
public:
    explicit LivePause(QObject* parent = nullptr);

    // The timer's interval in milliseconds; 0 when there is no timer.
    int interval() const;
    void setInterval(int milliseconds);

    // Waits one interval, dispatching events meanwhile.
    void pause();
    // Waits `milliseconds`, which becomes the interval.
    void pauseFor(int milliseconds);

private:
    QTimer* timer_ = nullptr;
    bool done_ = false;
};

} // namespace luftikon
