#include "entry/toucheingabe.h"

#include "diary/dates.h"
#include "diary/entryline.h"
#include "entry/spinedit.h"

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
        return QStringLiteral("Geben sie den Luftikon Wert ein:");
    case KeypadField::None:
        break;
    }
    return QStringLiteral("Eingabe ");
}

} // namespace

TTouchEingabeDlg::TTouchEingabeDlg(Desktop& desktop, QWidget* parent) : QDialog(parent), desktop_(desktop)
{
    setObjectName(QStringLiteral("TouchEingabeDlg"));
    setWindowTitle(QStringLiteral("Eingabe"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);
    setFixedSize(447, 250);

    PromptLabel = new QLabel(QStringLiteral("Eingabe "), this);
    PromptLabel->setObjectName(QStringLiteral("PromptLabel"));
    PromptLabel->setFont(verdana(15, true));
    PromptLabel->setGeometry(8, 6, 431, 22);

    ZahlEdit = new QLineEdit(QStringLiteral("0"), this);
    ZahlEdit->setObjectName(QStringLiteral("ZahlEdit"));
    ZahlEdit->setFont(verdana(96, false));
    ZahlEdit->setGeometry(8, 34, 265, 124);
    ZahlEdit->setContextMenuPolicy(Qt::NoContextMenu);
    QPalette palette = ZahlEdit->palette();
    palette.setColor(QPalette::Text, QColor(0, 128, 0));
    ZahlEdit->setPalette(palette);
    ZahlEdit->installEventFilter(this);

    // One spin button, 131 x 129: the upper half steps up, the lower half down.
    UpButton = new QToolButton(this);
    UpButton->setObjectName(QStringLiteral("UpButton"));
    UpButton->setText(QStringLiteral("\u25B2"));
    UpButton->setFont(verdana(40, false));
    UpButton->setGeometry(283, 32, 131, 64);
    DownButton = new QToolButton(this);
    DownButton->setObjectName(QStringLiteral("DownButton"));
    DownButton->setText(QStringLiteral("\u25BC"));
    DownButton->setFont(verdana(40, false));
    DownButton->setGeometry(283, 97, 131, 64);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setFont(verdana(19, true));
    OKButton->setGeometry(8, 176, 265, 50);
    OKButton->setAutoDefault(false);

    connect(UpButton, &QToolButton::clicked, this, &TTouchEingabeDlg::UpButtonClick);
    connect(DownButton, &QToolButton::clicked, this, &TTouchEingabeDlg::DownButtonClick);
    connect(OKButton, &QPushButton::clicked, this, &TTouchEingabeDlg::OKButtonClick);
    connect(ZahlEdit, &QLineEdit::textChanged, this, &TTouchEingabeDlg::ZahlEditChange);
}

void TTouchEingabeDlg::openFor(KeypadField field, SpinEdit* target)
{
    if (isVisible()) {
        if (!OKButtonClick())
            return;
    }
    field_ = field;
    target_ = target;
    PromptLabel->setText(promptOf(field));
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

void TTouchEingabeDlg::showNumber()
{
    adjusting_ = true;
    ZahlEdit->setText(twoDigitField(field_) ? twoDigits(number_) : QString::number(number_));
    adjusting_ = false;
}

void TTouchEingabeDlg::UpButtonClick()
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
    ZahlEditChange();
}

void TTouchEingabeDlg::DownButtonClick()
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
    ZahlEditChange();
}

void TTouchEingabeDlg::ZahlEditChange()
{
    if (adjusting_)
        return;
    const QString text = ZahlEdit->text();
    if (text.isEmpty() || text.size() > 4) {
        adjusting_ = true;
        ZahlEdit->setText(QStringLiteral("0"));
        adjusting_ = false;
    }
    if (field_ == KeypadField::None)
        return;
    if (const auto n = parseWholeNumber(ZahlEdit->text()))
        number_ = *n;
}

bool TTouchEingabeDlg::OKButtonClick()
{
    const QString text = ZahlEdit->text();
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

bool TTouchEingabeDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != ZahlEdit || event->type() != QEvent::KeyPress)
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
