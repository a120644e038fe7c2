#include "widgets/livepause.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace luftikon {

LivePause::LivePause(QObject* parent) : QObject(parent), timer_(new QTimer(this))
{
    // Precise: a coarse timer may end the pause a few milliseconds early.
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setInterval(1000);
    // A coarse timer may tick up to 5 % early; a pause must last at least its interval.
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, [this] { done_ = true; });
}

int LivePause::interval() const
{
    return timer_ ? timer_->interval() : 0;
}

void LivePause::setInterval(int milliseconds)
{
    if (timer_)
        timer_->setInterval(milliseconds);
}

void LivePause::pause()
{
    if (!timer_)
        return;
    done_ = false;
    timer_->start();
    // Blocks only until the next event arrives; the timer's tick is one.
    while (!done_)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    timer_->stop();
}

void LivePause::pauseFor(int milliseconds)
{
    if (milliseconds != interval())
        setInterval(milliseconds);
    pause();
}

} // namespace luftikon
