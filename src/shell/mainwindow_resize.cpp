// Window size rules and the pinch gesture that switches between maximised and normal size.
#include "shell/mainwindow.h"
#include "widgets/livepause.h"
#include "widgets/pictureview.h"

#include <QGestureEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPinchGesture>
#include <QScreen>
#include <QScrollArea>
#include <cmath>

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
    // Moving the window raises another resize; that one has nothing left to do.
    if (resizing_)
        return;
    resizing_ = true;

    // Small touch screens: the on-screen keyboard and the finger need the whole height.
    if (touch.multiTouchDigitizer && touch.touchInputAvailable) {
        if (const QScreen* screen = this->screen(); screen && screen->geometry().height() <= smallTouchScreenHeight)
            move(x(), screen->geometry().top());
    }
    layOutChart(centralWidget()->size());

    resizing_ = false;
}

void MainWindow::layOutChart(QSize clientSize)
{
    using namespace mainFormDesign;
    // Title strip and margins keep their pixels; the chart takes the rest in its proportions,
    // exactly its own size at the window's normal size.
    const int fixedHeight = clientHeight - chartHeight;
    const double scale = std::max(0.05, std::min(double(clientSize.width()) / clientWidth,
                                                 double(clientSize.height() - fixedHeight) / chartHeight));
    const int width = std::max(1, int(std::lround(chartWidth * scale)));
    const int height = std::max(1, int(std::lround(chartHeight * scale)));
    chartLabel_->resize(width, height);
    chartHost_->resize(width, chartLabel_->y() + height);
    // The header strip follows the chart; its panel spans the window in the layout anyway.
    headerPicture_->resize(width, headerPicture_->height());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == chartScrollArea_ && event->type() == QEvent::Resize)
        layOutChart(centralWidget()->size());
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::event(QEvent* event)
{
    // Moved to a screen of another density: the chart is drawn for it.
    if (event->type() == QEvent::ScreenChangeInternal) {
        const bool result = QMainWindow::event(event);
        if (month_.path().isEmpty())
            loadScreenTemplate();
        else
            drawForScreen();
        updateChart();
        return result;
    }
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
