#include "shell/aboutbox.h"

#include "appversion.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace luftikon {

namespace {

QFont boldPixels(int pixels)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

} // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent, Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(QStringLiteral("Info"));
    setFixedSize(361, 248);

    // A raised outer edge around a lowered inner one.
    panel_ = new QFrame(this);
    panel_->setObjectName(QStringLiteral("panel"));
    panel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel_->setGeometry(8, 8, 345, 193);
    auto* inner = new QFrame(panel_);
    inner->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    inner->setGeometry(3, 3, 339, 187);

    titleLabel_ = new QLabel(QStringLiteral("Luftikon ") + QString::fromLatin1(appVersion), inner);
    titleLabel_->setObjectName(QStringLiteral("titleLabel"));
    titleLabel_->setFont(boldPixels(19));
    titleLabel_->setGeometry(12, 14, 315, 26);
    readingsLabel_ = new QLabel(QStringLiteral("Mit 4 oder 8 Eingabemöglichkeiten am Tag"), inner);
    readingsLabel_->setObjectName(QStringLiteral("readingsLabel"));
    readingsLabel_->setFont(boldPixels(13));
    readingsLabel_->setGeometry(12, 50, 315, 20);
    purposeLabel_ = new QLabel(QStringLiteral("Ermöglicht die täglich erfassten Luftikon-Messwerte grafisch") +
                                   QString(24, u' ') + QStringLiteral("und tabellarisch anzuzeigen und auszudrucken."),
                               inner);
    purposeLabel_->setObjectName(QStringLiteral("purposeLabel"));
    // Shown as flowing text: the run of spaces only pushed the second half to a new line in a
    // narrower font, and kept as it is it would tear a gap into the sentence.
    purposeLabel_->setTextFormat(Qt::RichText);
    purposeLabel_->setWordWrap(true);
    purposeLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    purposeLabel_->setGeometry(12, 84, 315, 90);

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setDefault(true);
    okButton_->setGeometry(143, 211, 75, 27);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutBox::showEvent(QShowEvent* event)
{
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

} // namespace luftikon
