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
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Info"));
    setFixedSize(361, 248);

    // A raised outer edge around a lowered inner one.
    panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(8, 8, 345, 193);
    auto* inner = new QFrame(panel);
    inner->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    inner->setGeometry(3, 3, 339, 187);

    titleLabel = new QLabel(QStringLiteral("Luftikon ") + QString::fromLatin1(appVersion), inner);
    titleLabel->setFont(boldPixels(19));
    titleLabel->setGeometry(12, 14, 315, 26);
    readingsLabel = new QLabel(QStringLiteral("Mit 4 oder 8 Eingabemöglichkeiten am Tag"), inner);
    readingsLabel->setFont(boldPixels(13));
    readingsLabel->setGeometry(12, 50, 315, 20);
    purposeLabel = new QLabel(QStringLiteral("Ermöglicht die täglich erfaßten Luftikon-Messwerte grafisch") +
                                  QString(24, u' ') + QStringLiteral("und tabellarisch anzuzeigen und auszudrucken."),
                              inner);
    // Shown as flowing text: the run of spaces only pushed the second half to a new line in a
    // narrower font, and kept as it is it would tear a gap into the sentence.
    purposeLabel->setTextFormat(Qt::RichText);
    purposeLabel->setWordWrap(true);
    purposeLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    purposeLabel->setGeometry(12, 84, 315, 90);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setDefault(true);
    okButton->setGeometry(143, 211, 75, 27);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutBox::showEvent(QShowEvent* event)
{
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

} // namespace luftikon
