// Window size rules and the pinch gesture that switches between maximised and normal size.
#include "shell/mainwindow.h"
#include "widgets/livepause.h"

#include <QGestureEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPinchGesture>
#include <QScreen>
#include <QScrollArea>

namespace luftikon {

namespace {

constexpr int smallTouchScreenHeight = 800;
constexpr int pinchPauseMs = 200;

} // namespace

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    applySizeRules();
}

void MainWindow::applySizeRules()
{
    // Setting the height below raises another resize; that one has nothing left to do.
    if (resizing_)
        return;
    resizing_ = true;

    // Small touch screens: the on-screen keyboard and the finger need the whole height.
    if (touch.multiTouchDigitizer && touch.touchInputAvailable) {
        if (const QScreen* screen = this->screen(); screen && screen->geometry().height() <= smallTouchScreenHeight)
            move(x(), screen->geometry().top());
    }

    int chartWidth = mainFormDesign::chartWidth;
    int chartHeight = mainFormDesign::chartHeight;
    if (isMaximized()) {
        chartWidth = std::max(1, chartScrollArea_->width() - 35);
        chartHeight = std::max(1, chartScrollArea_->height() - 25);
    }
    else {
        // Window frames differ between desktops, so the rule restores the design height of the client
        // area rather than an outer height: the chart then fits without scroll bars.
        const int wanted = mainFormDesign::clientHeight + menuBar()->sizeHint().height();
        if (height() != wanted)
            resize(width(), wanted);
    }
    chartLabel_->resize(chartWidth, chartHeight);
    chartHost_->resize(chartWidth, chartLabel_->y() + chartHeight);
    // The header strip follows the chart; its panel spans the window in the layout anyway.
    headerPicture_->resize(chartWidth, headerPicture_->height());

    resizing_ = false;
}

bool MainWindow::event(QEvent* event)
{
    if (event->type() == QEvent::Gesture && touch.touchInputAvailable) {
        if (gestureEvent(static_cast<QGestureEvent*>(event)))
            return true;
    }
    return QMainWindow::event(event);
}

bool MainWindow::gestureEvent(QGestureEvent* event)
{
    auto* pinch = static_cast<QPinchGesture*>(event->gesture(Qt::PinchGesture));
    if (!pinch)
        return false;
    event->accept(pinch);
    switch (pinch->state()) {
    case Qt::GestureStarted:
        pinchGesture(true, pinch->centerPoint());
        break;
    case Qt::GestureUpdated:
        pinchGesture(false, pinch->centerPoint());
        break;
    default: // finished or cancelled: nothing to do
        break;
    }
    return true;
}

void MainWindow::pinchGesture(bool started, QPointF screenPoint)
{
    const QPoint point = mapFromGlobal(screenPoint.toPoint());
    if (started) {
        gesturePoint_ = point;
        return;
    }
    livePause_->pauseFor(pinchPauseMs);
    // Posted, as the window system's own size commands are: the switch happens after this
    // notification has been handled.
    const bool maximise = !isMaximized();
    QMetaObject::invokeMethod(
        this,
        [this, maximise] {
            if (maximise)
                showMaximized();
            else
                showNormal();
        },
        Qt::QueuedConnection);
    gesturePoint_ = point;
}

} // namespace luftikon
