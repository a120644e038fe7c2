#include "shell/usernamedialog.h"

#include "config/settings.h"
#include "platform/desktop.h"
#include "state/appstate.h"

#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace luftikon {

namespace {

// The two texts were laid out for a narrow font; with a wider one they shrink to fit inside
// the frame instead of being cut off.
void fitIntoWidth(QLabel* label, int width)
{
    QFont font = label->font();
    if (font.pixelSize() <= 0)
        font.setPixelSize(QFontInfo(font).pixelSize());
    while (font.pixelSize() > 8 && QFontMetrics(font).horizontalAdvance(label->text()) > width)
        font.setPixelSize(font.pixelSize() - 1);
    label->setFont(font);
    label->adjustSize();
}

} // namespace

bool isForbiddenNameCharacter(QChar c)
{
    return QStringView(u"\"<>\\|/").contains(c);
}

QString existingPathIgnoringCase(const QString& path)
{
    if (path.isEmpty())
        return {};
    if (QFileInfo::exists(path))
        return path;
    const bool absolute = path.startsWith(u'/');
    QString current = absolute ? QStringLiteral("/") : QString();
    const QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const QString candidate = current + part;
        if (QFileInfo::exists(candidate)) {
            current = candidate + u'/';
            continue;
        }
        const QDir folder(current.isEmpty() ? QStringLiteral(".") : current);
        const QStringList entries =
            folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        const auto match = std::find_if(entries.cbegin(), entries.cend(), [&part](const QString& entry) {
            return entry.compare(part, Qt::CaseInsensitive) == 0;
        });
        if (match == entries.cend())
            return {};
        current += *match + u'/';
    }
    current.chop(1);
    return current;
}

UserNameDialog::UserNameDialog(AppState& state, Desktop& desktop, Settings& settings, QWidget* parent)
    : QDialog(parent), state_(state), desktop_(desktop), settings_(settings)
{
    setObjectName(QStringLiteral("userNameDialog"));
    setWindowTitle(QStringLiteral("Luftikon"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(416, 165);

    frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("frame"));
    frame->setGeometry(8, 8, 401, 105);
    askLabel =
        new QLabel(QStringLiteral("Geben Sie Ihren Vornamen und Nachname getrennt durch ein Leerzeichen ein:"), this);
    askLabel->setObjectName(QStringLiteral("askLabel"));
    askLabel->move(17, 21);
    fitIntoWidth(askLabel, 409 - 4 - 17);
    nameEdit = new QLineEdit(this);
    nameEdit->setObjectName(QStringLiteral("nameEdit"));
    nameEdit->setGeometry(17, 47, 369, 21);
    purposeLabel =
        new QLabel(QStringLiteral("Vor- und Nachname werden für die Kennzeichnung der Tabellen-Dateien benutzt"), this);
    purposeLabel->setObjectName(QStringLiteral("purposeLabel"));
    purposeLabel->move(14, 78);
    fitIntoWidth(purposeLabel, 409 - 4 - 14);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setGeometry(103, 124, 75, 25);
    okButton->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setGeometry(239, 124, 75, 25);
    cancelButton->setAutoDefault(false);

    connect(nameEdit, &QLineEdit::textChanged, this, &UserNameDialog::nameEdited);
    connect(okButton, &QPushButton::clicked, this, &UserNameDialog::okClicked);
    connect(cancelButton, &QPushButton::clicked, this, &UserNameDialog::cancelClicked);

    const QString& stored = settings_.userName();
    if (!stored.isEmpty()) {
        state_.userName = stored;
        nameEdit->setText(stored);
    }
}

void UserNameDialog::nameEdited()
{
    // Each refusal removes the last character and looks again, so a pasted name loses
    // everything from the first forbidden character on, one message per character.
    if (checking_)
        return;
    checking_ = true;
    QString text = nameEdit->text();
    while (std::any_of(text.cbegin(), text.cend(), isForbiddenNameCharacter)) {
        desktop_.message(QStringLiteral("Unerlaubtes Zeichen im Namen: ") + text.back());
        text.chop(1);
        nameEdit->setText(text);
        nameEdit->setCursorPosition(int(text.size()));
    }
    checking_ = false;
}

void UserNameDialog::okClicked()
{
    state_.userName = nameEdit->text();
    settings_.setUserName(state_.userName);

    // The last diary is drawn when it is this user's.
    QString existing;
    const QString lastDiary = settings_.lastDiaryFile().toLower();
    const QString fileName = lastDiary.mid(lastDiary.lastIndexOf(u'/') + 1);
    if (fileName.contains(state_.userName.toLower()))
        existing = existingPathIgnoringCase(lastDiary);

    accept();
    emit nameConfirmed(existing);
}

void UserNameDialog::cancelClicked()
{
    // The typed name is dropped; the diary on screen is remembered as at any end, or the next
    // start would look for a diary without a name.
    emit quitting();
    desktop_.terminate(0);
    QDialog::reject();
}

void UserNameDialog::reject()
{
    cancelClicked();
}

void UserNameDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    nameEdit->setFocus();
}

} // namespace luftikon
