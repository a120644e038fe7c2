#include "entry/touchkeypad.h"

#include "diary/dates.h"
#include "diary/entryline.h"
#include "widgets/spinedit.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

namespace luftikon {

namespace {

QFont verdana(int pixels, bool bold)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

bool twoDigitField(KeypadField field)
{
    return field == KeypadField::Day || field == KeypadField::Month;
}

QString fieldName(KeypadField field)
{
    switch (field) {
    case KeypadField::Day:
        return QStringLiteral("Tag");
    case KeypadField::Month:
        return QStringLiteral("Monat");
    case KeypadField::Year:
        return QStringLiteral("Jahr");
    case KeypadField::Value:
        return QStringLiteral("Luftikon-Wert");
    case KeypadField::None:
        break;
    }
    return {};
}

QString promptOf(KeypadField field)
{
    switch (field) {
    case KeypadField::Day:
        return QStringLiteral("Geben Sie den Tag ein:");
    case KeypadField::Month:
        return QStringLiteral("Geben Sie den Monat ein:");
    case KeypadField::Year:
        return QStringLiteral("Geben Sie das Jahr ein:");
    case KeypadField::Value:
        return QStringLiteral("Geben Sie den Luftikon-Wert ein:");
    case KeypadField::None:
        break;
    }
    return QStringLiteral("Eingabe ");
}

} // namespace

TouchKeypad::TouchKeypad(Desktop& desktop, QWidget* parent) : QDialog(parent), desktop_(desktop)
{
    setObjectName(QStringLiteral("touchKeypad"));
    setWindowTitle(QStringLiteral("Eingabe"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);
    setFixedSize(447, 250);

    promptLabel_ = new QLabel(QStringLiteral("Eingabe "), this);
    promptLabel_->setObjectName(QStringLiteral("promptLabel"));
    promptLabel_->setFont(verdana(15, true));
    promptLabel_->setGeometry(8, 6, 431, 22);

    numberEdit_ = new QLineEdit(QStringLiteral("0"), this);
    numberEdit_->setObjectName(QStringLiteral("numberEdit"));
    numberEdit_->setFont(verdana(96, false));
    numberEdit_->setGeometry(8, 34, 265, 124);
    numberEdit_->setContextMenuPolicy(Qt::NoContextMenu);
    QPalette palette = numberEdit_->palette();
    palette.setColor(QPalette::Text, QColor(0, 128, 0));
    numberEdit_->setPalette(palette);
    numberEdit_->installEventFilter(this);

    // One spin button, 131 x 129: the upper half steps up, the lower half down.
    upButton_ = new QToolButton(this);
    upButton_->setObjectName(QStringLiteral("upButton"));
    upButton_->setText(QStringLiteral("\u25B2"));
    upButton_->setFont(verdana(40, false));
    upButton_->setGeometry(283, 32, 131, 64);
    downButton_ = new QToolButton(this);
    downButton_->setObjectName(QStringLiteral("downButton"));
    downButton_->setText(QStringLiteral("\u25BC"));
    downButton_->setFont(verdana(40, false));
    downButton_->setGeometry(283, 97, 131, 64);

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setFont(verdana(19, true));
    okButton_->setGeometry(8, 176, 265, 50);
    okButton_->setAutoDefault(false);

    connect(upButton_, &QToolButton::clicked, this, &TouchKeypad::upClicked);
    connect(downButton_, &QToolButton::clicked, this, &TouchKeypad::downClicked);
    connect(okButton_, &QPushButton::clicked, this, &TouchKeypad::okClicked);
    connect(numberEdit_, &QLineEdit::textChanged, this, &TouchKeypad::numberEdited);
}

void TouchKeypad::openFor(KeypadField field, SpinEdit* target)
{
    if (isVisible()) {
        if (!okClicked())
            return;
    }
    field_ = field;
    target_ = target;
    promptLabel_->setText(promptOf(field));
    number_ = target ? target->value() : 0;
    showNumber();
    if (!isVisible()) {
        if (const QScreen* screen = this->screen())
            move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

void TouchKeypad::showNumber()
{
    adjusting_ = true;
    numberEdit_->setText(twoDigitField(field_) ? twoDigits(number_) : QString::number(number_));
    adjusting_ = false;
}

void TouchKeypad::upClicked()
{
    switch (field_) {
    case KeypadField::Day:
        if (number_ < 31)
            ++number_;
        break;
    case KeypadField::Month:
        if (number_ < 12)
            ++number_;
        break;
    case KeypadField::Year:
        ++number_;
        break;
    case KeypadField::Value:
        if (number_ < 800)
            ++number_;
        break;
    case KeypadField::None:
        return;
    }
    showNumber();
    numberEdited();
}

void TouchKeypad::downClicked()
{
    switch (field_) {
    case KeypadField::Day:
    case KeypadField::Month:
        if (number_ >= 2)
            --number_;
        break;
    case KeypadField::Year:
        if (number_ >= 1994)
            --number_;
        break;
    case KeypadField::Value:
        if (number_ >= 21)
            --number_;
        break;
    case KeypadField::None:
        return;
    }
    showNumber();
    numberEdited();
}

void TouchKeypad::numberEdited()
{
    if (adjusting_)
        return;
    const QString text = numberEdit_->text();
    if (text.isEmpty() || text.size() > 4) {
        adjusting_ = true;
        numberEdit_->setText(QStringLiteral("0"));
        adjusting_ = false;
    }
    if (field_ == KeypadField::None)
        return;
    if (const auto n = parseWholeNumber(numberEdit_->text()))
        number_ = *n;
}

bool TouchKeypad::okClicked()
{
    const QString text = numberEdit_->text();
    const auto n = parseWholeNumber(text);
    if (!n || text.startsWith(u'-') || text.startsWith(u'+')) {
        desktop_.show(MessageKind::Error, QStringLiteral("Die Eingabe \"%1\" für das Feld \"%2\" ist keine ganze Zahl. "
                                                         "Bitte nur Ziffern eingeben, ohne Komma.")
                                              .arg(text, fieldName(field_)));
        return false;
    }
    if (field_ != KeypadField::None && target_)
        target_->enterValue(*n);
    field_ = KeypadField::None;
    target_ = nullptr;
    hide();
    return true;
}

bool TouchKeypad::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != numberEdit_ || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Tab:
        return false;
    default:
        break;
    }
    // Of the typed characters only digits and the comma get through.
    const QString text = key->text();
    const bool character = text.size() == 1 && text.at(0).isPrint();
    const bool wanted = character && ((text.at(0) >= u'0' && text.at(0) <= u'9') || text.at(0) == u',') &&
                        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    return !wanted;
}

} // namespace luftikon
