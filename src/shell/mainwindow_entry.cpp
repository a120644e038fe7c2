// Readings in: the user name, a new month table, the openers of the entry dialog and the
// switch between four and eight readings a day.
#include "diary/diaryfile.h"
#include "diary/diarywriter.h"
#include "diary/openingnote.h"
#include "entry/entrycommands.h"
#include "entry/entrydialog.h"
#include "entry/touchkeypad.h"
#include "shell/mainwindow.h"
#include "shell/usernamedialog.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>

namespace luftikon {

void MainWindow::buildEntryWindows()
{
    entryDialog_ = new EntryDialog(state_, month_, desktop_, settings_, this);
    connect(entryDialog_, &EntryDialog::tableRequested, this, &MainWindow::openTableWindow);
    connect(this, &MainWindow::userNameNeeded, this, [this] { desktop_.execModal(userNameDialog()); });
    // A child of the entry dialog, so the modal entry dialog leaves it usable.
    touchKeypad_ = new TouchKeypad(desktop_, entryDialog_);
    entryDialog_->setKeypad(touchKeypad_, touch.multiTouchDigitizer && touch.touchInputAvailable);
    entryCommands_ = std::make_unique<EntryCommands>(state_, month_, desktop_, *entryDialog_);
}

UserNameDialog& MainWindow::userNameDialog()
{
    if (!userNameDialog_) {
        userNameDialog_ = new UserNameDialog(state_, desktop_, settings_, this);
        connect(userNameDialog_, &UserNameDialog::nameConfirmed, this, &MainWindow::takeConfirmedName);
        connect(userNameDialog_, &UserNameDialog::quitting, this, &MainWindow::rememberDiaryOnScreen);
    }
    return *userNameDialog_;
}

void MainWindow::showUserName(const QString& name)
{
    userNameLabel_->setText(QStringLiteral("von ") + name);
    entryDialog_->setHeading(QStringLiteral("Messwerte von ") + name);
}

void MainWindow::takeConfirmedName(const QString& lastDiary)
{
    showUserName(state_.userName);
    if (!lastDiary.isEmpty())
        month_.open(lastDiary, notify());
    entryCommands_->newTable(false);
}

void MainWindow::askForNewTable()
{
    entryCommands_->newTable(true);
}

void MainWindow::editCurrentDiary()
{
    entryCommands_->editCurrentDiary();
}

void MainWindow::openAndEdit()
{
    entryCommands_->openAndEdit(chooseDiaryFile());
}

void MainWindow::openAndShowTable()
{
    entryCommands_->openAndEdit(chooseDiaryFile(), true);
}

void MainWindow::changeUserName()
{
    entryDialog_->showSlotTime();
    desktop_.execModal(userNameDialog());
}

void MainWindow::toggleFourReadingsADay()
{
    // Either item toggles: its own layout when it is not in force, the other one when it is.
    switchDayLayout(month_.layout().marks(SlotMode::Four) ? SlotMode::Eight : SlotMode::Four);
}

void MainWindow::toggleEightReadingsADay()
{
    switchDayLayout(month_.layout().marks(SlotMode::Eight) ? SlotMode::Four : SlotMode::Eight);
}

void MainWindow::switchDayLayout(SlotMode mode)
{
    // The menu item checked itself when clicked; when the layout in force stays, so do its marks.
    if (!entryCommands_->switchDayLayout(mode))
        showDayLayout();
}

void MainWindow::showDayLayout()
{
    if (!fourReadingsADayAction_ || !eightReadingsADayAction_)
        return;
    fourReadingsADayAction_->setChecked(month_.layout().marks(SlotMode::Four));
    eightReadingsADayAction_->setChecked(month_.layout().marks(SlotMode::Eight));
}

} // namespace luftikon
