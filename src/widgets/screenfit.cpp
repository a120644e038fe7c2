#include "widgets/screenfit.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace luftikon {

namespace {

// Until the window system has framed a window, its frame is guessed: a title bar and thin
// borders, on the generous side. The window is fitted again once its real frame is known.
constexpr QMargins guessedFrame(4, 32, 4, 4);
// The window system frames a new window a moment after showing it.
constexpr int frameSettleMs[] = {0, 150, 600};

WindowSizeMemory& sizeMemory()
{
    static WindowSizeMemory memory;
    return memory;
}

QMargins frameOf(const QWidget& window)
{
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// The frame of a window that is not framed yet: as the other windows have it, else guessed.
QMargins expectedFrame(const QWidget& window)
{
    if (window.isVisible())
        return frameOf(window);
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other != &window && other->isVisible() && other->isWindow() && !other->isMinimized() &&
            frameOf(*other) != QMargins())
            return frameOf(*other);
    }
    return guessedFrame;
}

// Fits its window at every showing and remembers the size it is hidden at.
class ScreenFitter : public QObject {
public:
    explicit ScreenFitter(QWidget& window) : QObject(&window), window_(window)
    {
        setObjectName(QStringLiteral("screenFitter"));
        window.installEventFilter(this);
    }

    void configure(QSize design, const QString& name, Shrink shrink)
    {
        design_ = design;
        name_ = name;
        shrink_ = shrink;
        if (window_.isVisible())
            fit(frameOf(window_));
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &window_)
            return false;
        if (event->type() == QEvent::Show && !event->spontaneous()) {
            fit(expectedFrame(window_));
            // Fitted again with the real frame, unless the user took the window in hand meanwhile.
            const QPointer<ScreenFitter> self(this);
            const int showing = ++showings_;
            for (const int ms : frameSettleMs) {
                QTimer::singleShot(ms, this, [self, showing] {
                    if (self && self->showings_ == showing && self->window_.isVisible() &&
                        self->window_.size() == self->fittedSize_)
                        self->fit(frameOf(self->window_));
                });
            }
        }
        else if (event->type() == QEvent::Hide && !event->spontaneous()) {
            remember();
        }
        return false;
    }

private:
    QSize wanted() const
    {
        if (!name_.isEmpty() && sizeMemory().recall) {
            if (const std::optional<QSize> remembered = sizeMemory().recall(name_);
                remembered && remembered->width() > 0 && remembered->height() > 0)
                return *remembered;
        }
        return design_;
    }

    void fit(QMargins frame)
    {
        if (window_.isMaximized() || window_.isFullScreen() || design_.isEmpty())
            return;
        const QScreen* screen = window_.screen() ? window_.screen() : QGuiApplication::primaryScreen();
        if (!screen)
            return;
        const QRect room = screen->availableGeometry();
        const QSize size = fittedWindowSize(wanted(), window_.minimumSize(), frame, room.size(), shrink_);
        if (size != window_.size())
            window_.resize(size);
        fittedSize_ = window_.size();
        const QSize outer = fittedSize_.grownBy(frame);
        window_.move(room.left() + std::max(0, (room.width() - outer.width()) / 2),
                     room.top() + std::max(0, (room.height() - outer.height()) / 2));
    }

    void remember() const
    {
        if (name_.isEmpty() || !sizeMemory().keep)
            return;
        const bool whole = window_.isMaximized() || window_.isFullScreen();
        const QSize size = whole ? window_.normalGeometry().size() : window_.size();
        if (size.width() > 0 && size.height() > 0)
            sizeMemory().keep(name_, size);
    }

    QWidget& window_;
    QSize design_;
    QString name_;
    Shrink shrink_ = Shrink::EachSide;
    QSize fittedSize_;
    int showings_ = 0;
};

} // namespace

QSize fittedWindowSize(QSize wanted, QSize minimum, QMargins frame, QSize available, Shrink shrink)
{
    const QSize room(std::max(1, available.width() - frame.left() - frame.right()),
                     std::max(1, available.height() - frame.top() - frame.bottom()));
    QSize size = wanted.expandedTo(QSize(1, 1));
    if (shrink == Shrink::Proportionally) {
        const double factor =
            std::min({1.0, double(room.width()) / size.width(), double(room.height()) / size.height()});
        // The side that sets the factor comes out at its room exactly, not a rounding below it.
        size = QSize(int(std::floor(size.width() * factor + 1e-9)), int(std::floor(size.height() * factor + 1e-9)));
    }
    size = size.boundedTo(room);
    // The smallest usable size wins over the wish, the screen over both.
    return size.expandedTo(minimum).boundedTo(room);
}

WindowSizeMemory setWindowSizeMemory(WindowSizeMemory memory)
{
    std::swap(memory, sizeMemory());
    return memory;
}

void releaseWindowSizeMemory(const void* owner)
{
    if (owner && sizeMemory().owner == owner)
        setWindowSizeMemory({});
}

void fitToScreen(QWidget& window, QSize design, const QString& name, Shrink shrink)
{
    // Only this file makes objects of that name.
    auto* fitter = static_cast<ScreenFitter*>(
        window.findChild<QObject*>(QStringLiteral("screenFitter"), Qt::FindDirectChildrenOnly));
    if (!fitter)
        fitter = new ScreenFitter(window);
    fitter->configure(design, name, shrink);
}

} // namespace luftikon
