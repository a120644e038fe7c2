#include "widgets/spinbutton.h"

#include <QKeyEvent>
#include <QToolButton>

namespace luftikon {

namespace {

QToolButton* arrowButton(QWidget* parent, Qt::ArrowType arrow)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    // The pair takes the focus as one control, so the arrow keys reach it.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

SpinButton::SpinButton(QWidget* parent)
    : QWidget(parent), up_(arrowButton(this, Qt::UpArrow)), down_(arrowButton(this, Qt::DownArrow))
{
    setFocusPolicy(Qt::StrongFocus);
    connect(up_, &QToolButton::clicked, this, &SpinButton::upClick);
    connect(down_, &QToolButton::clicked, this, &SpinButton::downClick);
}

void SpinButton::setAccessibleNames(const QString& pair, const QString& up, const QString& down)
{
    setAccessibleName(pair);
    up_->setAccessibleName(up);
    down_->setAccessibleName(down);
}

void SpinButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Up)
        emit upClick();
    else if (event->key() == Qt::Key_Down)
        emit downClick();
    else
        QWidget::keyPressEvent(event);
}

void SpinButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int upper = height() / 2;
    up_->setGeometry(0, 0, width(), upper);
    down_->setGeometry(0, upper, width(), height() - upper);
}

} // namespace luftikon
