// Readings in: the user name, a new month table, the openers of the entry dialog and the
// switch between four and eight readings a day.
#include "diary/diaryfile.h"
#include "entry/eingabe.h"
#include "entry/toucheingabe.h"
#include "shell/mainform.h"
#include "shell/nameeing.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>

namespace luftikon {

void TMainForm::buildEntryWindows()
{
    EingabeDlg = new TEingabeDlg(state_, desktop_, config_, this);
    EntryDialogHost host;
    host.GrafikZeichnen = [this](const QString& diaryFile) { drawDiary(diaryFile); };
    host.writeTimesLine = [this] { schreibTextInGrafik(); };
    host.openTableWindow = [this] { openTableWindow(); };
    EingabeDlg->setHost(std::move(host));
    NameEingDlg = new TNameEingDlg(state_, desktop_, config_, this);
    NameDialogHost names;
    names.showUserName = [this](const QString& name) {
        Label1->setText(QStringLiteral(" von ") + name);
        EingabeDlg->setHeading(QStringLiteral("Messwerte von ") + name);
    };
    names.drawDiary = [this](const QString& diaryFile) { drawDiary(diaryFile); };
    names.Neu1Click = [this] { Neu1Click(); };
    NameEingDlg->setHost(std::move(names));
    // A child of the entry dialog, so the modal entry dialog leaves it usable.
    TouchEingabeDlg = new TTouchEingabeDlg(desktop_, EingabeDlg);
    EingabeDlg->setKeypad(TouchEingabeDlg);

    // The first show asks for a name when there is none, and titles the entry dialog otherwise.
    onNoUserName = [this] { desktop_.execModal(*NameEingDlg); };
    onUserNameShown = [this](const QString& name) { EingabeDlg->setHeading(QStringLiteral("Messwerte von ") + name); };
}

void TMainForm::drawDiary(const QString& diaryFile)
{
    GrafikZeichnen(diaryFile);
}

void TMainForm::takeTemplatePicture()
{
    // Four-slot marks are checked before eight-slot ones, so with both set the eight wins.
    for (const bool eight : {false, true}) {
        if (!(eight ? state_.eightSlotMark : state_.fourSlotMark))
            continue;
        const QString configured =
            config_.Lies_String_aus_Registry(eight ? QStringLiteral("Grafik8") : QStringLiteral("Grafik4"));
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

void TMainForm::loadTemplatePicture()
{
    QImage picture;
    if (!picture.load(state_.templatePictureFile))
        return;
    chartPicture_ = picture;
    updateChart();
}

void TMainForm::Neu1Click()
{
    const bool askedNothing = state_.newUserPending;
    if (!askedNothing && !desktop_.ask(QStringLiteral("Sie möchten einen neue Tabelle erstellen?")))
        return;
    EingabeDlg->setHeading(QStringLiteral("Messwerte von ") + state_.userName);
    EingabeDlg->clearEntries();
    const QDate today = desktop_.today();
    EingabeDlg->setDateLine(today);
    EingabeDlg->setMonthAndYear(today.month(), today.year());
    EingabeDlg->LiesUhrzeitenEin();
    state_.newTablePending = true;
    desktop_.execModal(*EingabeDlg);
    if (askedNothing)
        state_.newUserPending = false;
}

void TMainForm::aktuellebearbeiten1Click()
{
    EingabeDlg->KorrigiereDieMorgensBisAbendsEinstellung();
    EingabeDlg->clearEntries();
    EingabeDlg->LiesUhrzeitenEin();
    const QString path = state_.currentDiaryFile;
    const DiaryFile diary = readDiary(path);
    EingabeDlg->setHeading(QStringLiteral("Messwerte ") + diary.date + QStringLiteral("  ") + diary.userName);
    if (!diary.userName.isEmpty())
        state_.userName = diary.userName;
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        Neu1Click();
        return;
    }
    if (!EingabeDlg->loadEntries(diary))
        return;
    EingabeDlg->setDateLine(desktop_.today());
    desktop_.execModal(*EingabeDlg);
}

void TMainForm::undbearbeiten1Click()
{
    const QString path = chooseDiaryFile();
    if (path.isEmpty())
        return;
    EingabeDlg->clearEntries();
    state_.currentDiaryFile = path;
    EingabeDlg->setYearText(path.chopped(4).right(4));
    EingabeDlg->LiesUhrzeitenEin();
    const DiaryFile diary = readDiary(path);
    EingabeDlg->setHeading(QStringLiteral("Messwerte ") + diary.date + QStringLiteral("  ") + diary.userName);
    // A diary without a name keeps the user's: an empty one would name no file.
    if (!diary.userName.isEmpty())
        state_.userName = diary.userName;

    state_.fourSlotMark = diary.fourSlotMark;
    state_.eightSlotMark = diary.eightSlotMark;
    takeTemplatePicture();
    biszu4MessungenjeTag->setChecked(state_.fourSlotMark);
    biszu8MessungenjeTag->setChecked(state_.eightSlotMark);

    if (!EingabeDlg->loadEntries(diary)) {
        loadTemplatePicture();
        return;
    }
    EingabeDlg->setDateLine(desktop_.today());
    state_.zonesPainted = false;
    GrafikZeichnen(diary);
    desktop_.execModal(*EingabeDlg);
}

void TMainForm::undinTabellenformanzeigen1Click()
{
    state_.showTableAfterPaint = true;
    undbearbeiten1Click();
    // Cancelled or unreadable: the flag must not open the table at some later, unrelated showing.
    state_.showTableAfterPaint = false;
}

void TMainForm::Benutzernamendern1Click()
{
    EingabeDlg->LiesUhrzeitenEin();
    state_.zonesPainted = false;
    desktop_.execModal(*NameEingDlg);
}

void TMainForm::biszu4MessungenjeTagClick()
{
    // Either item toggles: its own layout when it is not in force, the other one when it is.
    switchDayLayout(state_.fourSlotMark ? SlotMode::Eight : SlotMode::Four);
}

void TMainForm::biszu8MessungenjeTagClick()
{
    switchDayLayout(state_.eightSlotMark ? SlotMode::Four : SlotMode::Eight);
}

void TMainForm::switchDayLayout(SlotMode mode)
{
    state_.fourSlotMark = mode == SlotMode::Four;
    state_.eightSlotMark = mode == SlotMode::Eight;
    biszu4MessungenjeTag->setChecked(state_.fourSlotMark);
    biszu8MessungenjeTag->setChecked(state_.eightSlotMark);

    takeTemplatePicture();

    EingabeDlg->KorrigiereDieMorgensBisAbendsEinstellung();
    EingabeDlg->LiesUhrzeitenEin();
    state_.zonesPainted = false;
    // A saved diary is redrawn on the new template; otherwise the bare template shows the layout.
    if (!EingabeDlg->saveCurrentDiary())
        loadTemplatePicture();
}

} // namespace luftikon
