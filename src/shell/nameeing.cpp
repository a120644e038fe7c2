#include "shell/nameeing.h"

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

TNameEingDlg::TNameEingDlg(AppState& state, Desktop& desktop, Settings& settings, QWidget* parent)
    : QDialog(parent), state_(state), desktop_(desktop), settings_(settings)
{
    setObjectName(QStringLiteral("NameEingDlg"));
    setWindowTitle(QStringLiteral("Luftikon"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(416, 165);

    Bevel1 = new QGroupBox(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setGeometry(8, 8, 401, 105);
    Label1 =
        new QLabel(QStringLiteral("Geben Sie Ihren Vornamen und Nachname getrennt durch ein Leerzeichen ein:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(17, 21);
    fitIntoWidth(Label1, 409 - 4 - 17);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(17, 47, 369, 21);
    Label2 =
        new QLabel(QStringLiteral("Vor- und Nachname werden für die Kennzeichnung der Tabellen-Dateien benutzt"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->move(14, 78);
    fitIntoWidth(Label2, 409 - 4 - 14);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(103, 124, 75, 25);
    OKButton->setDefault(true);
    AbbrechenButton = new QPushButton(QStringLiteral("Abbrechen"), this);
    AbbrechenButton->setObjectName(QStringLiteral("AbbrechenButton"));
    AbbrechenButton->setGeometry(239, 124, 75, 25);
    AbbrechenButton->setAutoDefault(false);

    connect(Edit1, &QLineEdit::textChanged, this, &TNameEingDlg::EditChange);
    connect(OKButton, &QPushButton::clicked, this, &TNameEingDlg::OKButtonClick);
    connect(AbbrechenButton, &QPushButton::clicked, this, &TNameEingDlg::AbbrechenButtonClick);

    const QString& stored = settings_.userName();
    if (!stored.isEmpty()) {
        state_.userName = stored;
        Edit1->setText(stored);
    }
}

void TNameEingDlg::EditChange()
{
    // Each refusal removes the last character and looks again, so a pasted name loses
    // everything from the first forbidden character on, one message per character.
    if (checking_)
        return;
    checking_ = true;
    QString text = Edit1->text();
    while (std::any_of(text.cbegin(), text.cend(), isForbiddenNameCharacter)) {
        desktop_.message(QStringLiteral("Unerlaubtes Zeichen im Namen: ") + text.back());
        text.chop(1);
        Edit1->setText(text);
        Edit1->setCursorPosition(int(text.size()));
    }
    checking_ = false;
}

void TNameEingDlg::OKButtonClick()
{
    state_.userName = Edit1->text();
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

void TNameEingDlg::AbbrechenButtonClick()
{
    // The typed name is dropped; the diary on screen is remembered as at any end, or the next
    // start would look for a diary without a name.
    emit quitting();
    desktop_.terminate(0);
    QDialog::reject();
}

void TNameEingDlg::reject()
{
    AbbrechenButtonClick();
}

void TNameEingDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Edit1->setFocus();
}

} // namespace luftikon
