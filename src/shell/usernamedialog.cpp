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
// the frame_ instead of being cut off.
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

    frame_ = new QGroupBox(this);
    frame_->setObjectName(QStringLiteral("frame"));
    frame_->setGeometry(8, 8, 401, 105);
    askLabel_ =
        new QLabel(QStringLiteral("Geben Sie Ihren Vornamen und Nachnamen getrennt durch ein Leerzeichen ein:"), this);
    askLabel_->setObjectName(QStringLiteral("askLabel"));
    askLabel_->move(17, 21);
    fitIntoWidth(askLabel_, 409 - 4 - 17);
    nameEdit_ = new QLineEdit(this);
    nameEdit_->setObjectName(QStringLiteral("nameEdit"));
    nameEdit_->setGeometry(17, 47, 369, 21);
    nameEdit_->setAccessibleName(QStringLiteral("Vorname und Nachname"));
    purposeLabel_ =
        new QLabel(QStringLiteral("Vor- und Nachname werden für die Kennzeichnung der Tabellen-Dateien benutzt"), this);
    purposeLabel_->setObjectName(QStringLiteral("purposeLabel"));
    purposeLabel_->move(14, 78);
    fitIntoWidth(purposeLabel_, 409 - 4 - 14);

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setGeometry(103, 124, 75, 25);
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    cancelButton_->setGeometry(239, 124, 75, 25);
    cancelButton_->setAutoDefault(false);

    connect(nameEdit_, &QLineEdit::textChanged, this, &UserNameDialog::nameEdited);
    connect(okButton_, &QPushButton::clicked, this, &UserNameDialog::okClicked);
    connect(cancelButton_, &QPushButton::clicked, this, &UserNameDialog::cancelClicked);

    const QString& stored = settings_.userName();
    if (!stored.isEmpty()) {
        state_.userName = stored;
        nameEdit_->setText(stored);
    }
}

void UserNameDialog::nameEdited()
{
    // Each refusal removes the last character and looks again, so a pasted name loses
    // everything from the first forbidden character on, one message per character.
    if (checking_)
        return;
    checking_ = true;
    QString text = nameEdit_->text();
    while (std::any_of(text.cbegin(), text.cend(), isForbiddenNameCharacter)) {
        desktop_.message(QStringLiteral("Unerlaubtes Zeichen im Namen: ") + text.back());
        text.chop(1);
        nameEdit_->setText(text);
        nameEdit_->setCursorPosition(int(text.size()));
    }
    checking_ = false;
}

void UserNameDialog::okClicked()
{
    state_.userName = nameEdit_->text();
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
    nameEdit_->setFocus();
}

} // namespace luftikon
