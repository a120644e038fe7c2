#include "widgets/largemenu.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace luftikon {

namespace {

constexpr int buttonHeight = 33;
constexpr int buttonTextPixels = 19;
constexpr int margin = 8;
constexpr int gap = 6;
constexpr int textRoom = 16; // beyond the style's own padding, so no text touches the edge

} // namespace

LargeMenu::LargeMenu(const QString& caption, Arrangement arrangement, int minButtonWidth, QWidget* owner)
    // A tool window of its owner: a click on the main window does not bury it.
    : QWidget(owner, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      arrangement_(arrangement), minButtonWidth_(minButtonWidth)
{
    setWindowTitle(caption);
    QFont big(QStringLiteral("MS Sans Serif"));
    big.setPixelSize(buttonTextPixels);
    setFont(big);
    arrange();
}

QPushButton* LargeMenu::addButton(const QString& text, std::function<void()> action)
{
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [action = std::move(action)] { action(); });
    buttons_ << button;
    arrange();
    return button;
}

void LargeMenu::arrange()
{
    // The substitute fonts run wider than the design font: widen rather than cut a text off.
    int width = minButtonWidth_;
    for (const QPushButton* button : buttons_)
        width = std::max(width, button->sizeHint().width() + textRoom);
    const int count = int(buttons_.size());
    for (int i = 0; i < count; ++i) {
        const bool row = arrangement_ == Arrangement::Row;
        const int x = margin + (row ? i * (width + gap) : 0);
        const int y = margin + (row ? 0 : i * (buttonHeight + gap));
        buttons_[i]->setGeometry(x, y, width, buttonHeight);
    }
    const int across = std::max(count, 1);
    if (arrangement_ == Arrangement::Row)
        setFixedSize(2 * margin + across * width + (across - 1) * gap, 2 * margin + buttonHeight);
    else
        setFixedSize(2 * margin + width, 2 * margin + across * buttonHeight + (across - 1) * gap);
}

void LargeMenu::showCentred()
{
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    present();
}

void LargeMenu::showBeside(const LargeMenu& opener)
{
    const QRect frame = opener.frameGeometry();
    QPoint place = opener.arrangement_ == Arrangement::Row ? QPoint(frame.left(), frame.bottom() + 1 + gap)
                                                           : QPoint(frame.right() + 1 + gap, frame.top());
    if (const QScreen* screen = opener.screen()) {
        const QRect room = screen->availableGeometry();
        const QSize size = frameGeometry().size();
        // Out of room on the right: the left side of a column opener.
        if (place.x() + size.width() > room.right() + 1 && opener.arrangement_ == Arrangement::Column)
            place.setX(frame.left() - gap - size.width());
        place.setX(std::clamp(place.x(), room.left(), std::max(room.left(), room.right() + 1 - size.width())));
        place.setY(std::clamp(place.y(), room.top(), std::max(room.top(), room.bottom() + 1 - size.height())));
    }
    move(place);
    present();
}

void LargeMenu::present()
{
    // One already open may lie behind the main window.
    if (isVisible())
        raise();
    show();
    activateWindow();
}

void LargeMenu::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void LargeMenu::paintEvent(QPaintEvent* event)
{
    if (onPaint)
        onPaint();
    QWidget::paintEvent(event);
}

void LargeMenu::showEvent(QShowEvent* event)
{
    if (onPaint)
        onPaint();
    QWidget::showEvent(event);
}

void LargeMenu::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && onPaint)
        onPaint();
    QWidget::changeEvent(event);
}

} // namespace luftikon
