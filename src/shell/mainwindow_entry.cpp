// Readings in: the user name, a new month table, the openers of the entry dialog and the
// switch between four and eight readings a day.
#include "diary/diaryfile.h"
#include "diary/diarywriter.h"
#include "diary/openingnote.h"
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
    userNameDialog_ = new UserNameDialog(state_, desktop_, settings_, this);
    connect(userNameDialog_, &UserNameDialog::nameConfirmed, this, &MainWindow::takeConfirmedName);
    connect(userNameDialog_, &UserNameDialog::quitting, this, &MainWindow::rememberDiaryOnScreen);
    connect(this, &MainWindow::userNameNeeded, this, [this] { desktop_.execModal(*userNameDialog_); });
    // A child of the entry dialog, so the modal entry dialog leaves it usable.
    touchKeypad_ = new TouchKeypad(desktop_, entryDialog_);
    entryDialog_->setKeypad(touchKeypad_, touch.multiTouchDigitizer && touch.touchInputAvailable);
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
    newTable(false);
}

void MainWindow::takeTemplatePicture()
{
    // Four-slot marks are checked before eight-slot ones, so with both set the eight wins.
    for (const bool eight : {false, true}) {
        if (!month_.layout().marks(eight ? SlotMode::Eight : SlotMode::Four))
            continue;
        const QString& configured = eight ? settings_.eightSlotTemplate() : settings_.fourSlotTemplate();
        if (configured.isEmpty())
            continue;
        const QString stock = eight ? QStringLiteral("Vorlag8M.bmp") : QStringLiteral("Vorlag4M.bmp");
        state_.templatePictureFile = state_.startFolder + configured;
        for (const QString& candidate :
             {configured, state_.startFolder + configured, state_.startFolder + stock, state_.resourceFolder + stock}) {
            if (QFileInfo(candidate).isFile()) {
                state_.templatePictureFile = candidate;
                break;
            }
        }
    }
}

void MainWindow::loadTemplatePicture()
{
    QImage picture;
    if (!picture.load(state_.templatePictureFile))
        return;
    chartPicture_ = picture;
    updateChart();
}

void MainWindow::askForNewTable()
{
    newTable(true);
}

void MainWindow::newTable(bool askFirst)
{
    if (askFirst && !desktop_.ask(QStringLiteral("Sie möchten einen neue Tabelle erstellen?")))
        return;
    entryDialog_->setHeading(QStringLiteral("Messwerte von ") + state_.userName);
    entryDialog_->clearEntries();
    const QDate today = desktop_.today();
    entryDialog_->setDateLine(today);
    entryDialog_->setMonthAndYear(today.month(), today.year());
    if (continueMonthDiary(today)) {
        entryDialog_->showSlotTime();
        entryDialog_->startNewTable();
        desktop_.execModal(*entryDialog_);
    }
}

bool MainWindow::continueMonthDiary(const QDate& day)
{
    const QString path = monthDiaryPath(state_.galleryFolder, QString::number(day.year()), state_.userName,
                                        QString::number(day.month()));
    if (!QFileInfo::exists(path))
        return true;
    // A new table never replaces a month: the diary it has goes on with the new readings.
    DiaryFile diary = readDiary(path);
    if (!diary.ok) {
        desktop_.error(diary.error + QStringLiteral(" Neue Messwerte für diesen Monat können erst eingegeben werden, "
                                                    "wenn die Datei wieder gelesen werden kann."));
        return false;
    }
    tellAboutOpenedDiary(diary);
    const int readings = int(diary.readings.size());
    month_.open(std::move(diary), notify());
    entryDialog_->noteContinuedMonth(readings);
    return true;
}

void MainWindow::tellAboutOpenedDiary(const DiaryFile& diary)
{
    if (const QString note = openingNote(diary); !note.isEmpty())
        desktop_.information(note);
}

void MainWindow::editCurrentDiary()
{
    entryDialog_->proposeNextReading();
    entryDialog_->clearEntries();
    entryDialog_->showSlotTime();
    const DiaryFile& diary = month_.diary();
    entryDialog_->setHeading(QStringLiteral("Messwerte ") + diary.date + QStringLiteral("  ") + diary.userName);
    if (!diary.userName.isEmpty())
        state_.userName = diary.userName;
    if (month_.path().isEmpty() || !QFileInfo::exists(month_.path())) {
        newTable(true);
        return;
    }
    if (!entryDialog_->checkOpened(diary))
        return;
    entryDialog_->takeDiary(diary);
    tellAboutOpenedDiary(diary);
    entryDialog_->setDateLine(desktop_.today());
    desktop_.execModal(*entryDialog_);
}

void MainWindow::openAndEdit()
{
    const QString path = chooseDiaryFile();
    if (path.isEmpty())
        return;
    entryDialog_->clearEntries();
    entryDialog_->setYearText(path.chopped(4).right(4));
    entryDialog_->showSlotTime();
    DiaryFile diary = readDiary(path);
    entryDialog_->setHeading(QStringLiteral("Messwerte ") + diary.date + QStringLiteral("  ") + diary.userName);
    // A diary without a name keeps the user's: an empty one would name no file.
    if (!diary.userName.isEmpty())
        state_.userName = diary.userName;
    // A file that cannot be read is not put on screen; the month shown before stays.
    if (!entryDialog_->checkOpened(diary))
        return;
    tellAboutOpenedDiary(diary);
    entryDialog_->setDateLine(desktop_.today());
    // The list follows the month it opens.
    month_.open(std::move(diary), notify());
    desktop_.execModal(*entryDialog_);
}

void MainWindow::openAndShowTable()
{
    entryDialog_->showTableWhenShown(true);
    openAndEdit();
    // Cancelled or unreadable: the flag must not open the table at some later, unrelated showing.
    entryDialog_->showTableWhenShown(false);
}

void MainWindow::changeUserName()
{
    entryDialog_->showSlotTime();
    desktop_.execModal(*userNameDialog_);
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

bool MainWindow::confirmHiddenReadings(SlotMode mode)
{
    if (mode != SlotMode::Four || !month_.hasFile())
        return true;
    const QList<DiaryEntry>& readings = month_.readings();
    QStringList slotNames;
    int hidden = 0;
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        if (slotInLayout(slot, SlotMode::Four))
            continue;
        const auto count = std::count_if(readings.cbegin(), readings.cend(),
                                         [slot](const DiaryEntry& reading) { return reading.slot == slot; });
        if (count > 0)
            slotNames << QString(slotInfo(slot)->caption);
        hidden += int(count);
    }
    if (hidden == 0)
        return true;
    const QString which = slotNames.size() == 1 ? slotNames.front()
                                                : slotNames.mid(0, slotNames.size() - 1).join(QStringLiteral(", ")) +
                                                      QStringLiteral(" und ") + slotNames.back();
    return desktop_.ask(QStringLiteral("In dieser Tabelle stehen %1 Messwerte von %2. Bei bis zu 4 Messungen je Tag "
                                       "werden sie in der Grafik nicht gezeigt; in der Datei bleiben sie erhalten.\r\n"
                                       "Möchten Sie trotzdem auf bis zu 4 Messungen je Tag umstellen?")
                            .arg(hidden)
                            .arg(which),
                        MessageKind::WarningQuestion, Desktop::Preset::No);
}

void MainWindow::switchDayLayout(SlotMode mode)
{
    if (!confirmHiddenReadings(mode)) {
        // The menu item checked itself when clicked; the layout in force stays.
        showDayLayout();
        return;
    }
    // The month rewrites its diary with the layout and tells the windows.
    month_.setLayout(mode, state_.userName, notify());
    entryDialog_->proposeNextReading();
    entryDialog_->showSlotTime();
}

void MainWindow::showDayLayout()
{
    if (!fourReadingsADayAction_ || !eightReadingsADayAction_)
        return;
    fourReadingsADayAction_->setChecked(month_.layout().marks(SlotMode::Four));
    eightReadingsADayAction_->setChecked(month_.layout().marks(SlotMode::Eight));
}

} // namespace luftikon
