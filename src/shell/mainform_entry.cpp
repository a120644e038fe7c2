// Readings in: the user name, a new month table, the openers of the entry dialog and the
// switch between four and eight readings a day.
#include "diary/iniheader.h"
#include "entry/eingabe.h"
#include "entry/toucheingabe.h"
#include "shell/mainform.h"
#include "shell/nameeing.h"

#include <QAction>
#include <QFileInfo>
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
    NameEingDlg = new TNameEingDlg(*this);
    // A child of the entry dialog, so the modal entry dialog leaves it usable.
    TouchEingabeDlg = new TTouchEingabeDlg(desktop_, EingabeDlg);
    EingabeDlg->setKeypad(TouchEingabeDlg);

    // The first show asks for a name when there is none, and titles the entry dialog otherwise.
    onNoUserName = [this] { desktop_.execModal(*NameEingDlg); };
    onUserNameShown = [this](const QString& name) { EingabeDlg->setHeading(QStringLiteral("Messwerte von ") + name); };

    Neu1 = new QAction(QStringLiteral("&Neu"), this);
    Datei1->insertAction(LiniendiagrammimBrowseranzeigen1, Neu1);
    connect(Neu1, &QAction::triggered, this, &TMainForm::Neu1Click);
    Oeffnen1 = new QMenu(QStringLiteral("&Öffnen..."), this);
    Datei1->insertMenu(quitSeparator, Oeffnen1);
    undinTabellenformanzeigen1 = Oeffnen1->addAction(QStringLiteral("und in Tabellenform anzeigen"));
    connect(undinTabellenformanzeigen1, &QAction::triggered, this, &TMainForm::undinTabellenformanzeigen1Click);
    undbearbeiten1 = Oeffnen1->addAction(QStringLiteral("und bearbeiten"));
    connect(undbearbeiten1, &QAction::triggered, this, &TMainForm::undbearbeiten1Click);

    Benutzernamendern1 = new QAction(QStringLiteral("&Benutzername ändern"), this);
    biszu4MessungenjeTag = new QAction(QStringLiteral("bis zu &4 Messungen je Tag"), this);
    biszu8MessungenjeTag = new QAction(QStringLiteral("bis zu &8 Messungen je Tag"), this);
    LeerOptionen1 = new QAction(QStringLiteral("    "), this);
    biszu4MessungenjeTag->setCheckable(true);
    biszu8MessungenjeTag->setCheckable(true);
    Optionen1->insertActions(RegistryEintraegeloeschen1,
                             {Benutzernamendern1, biszu4MessungenjeTag, biszu8MessungenjeTag, LeerOptionen1});
    connect(Benutzernamendern1, &QAction::triggered, this, &TMainForm::Benutzernamendern1Click);
    connect(biszu4MessungenjeTag, &QAction::triggered, this, &TMainForm::biszu4MessungenjeTagClick);
    connect(biszu8MessungenjeTag, &QAction::triggered, this, &TMainForm::biszu8MessungenjeTagClick);
    // Opening a diary sets the marks in the state; the menu shows them as they are.
    const auto showMarks = [this] {
        biszu4MessungenjeTag->setChecked(state_.fourSlotMark);
        biszu8MessungenjeTag->setChecked(state_.eightSlotMark);
    };
    connect(Optionen1, &QMenu::aboutToShow, this, showMarks);
    showMarks();

    aktuellebearbeiten1 = Tabelle1->addAction(QStringLiteral("aktuelle &bearbeiten"));
    connect(aktuellebearbeiten1, &QAction::triggered, this, &TMainForm::aktuellebearbeiten1Click);
}

void TMainForm::drawDiary(const QString& diaryFile)
{
    GrafikZeichnen(diaryFile);
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
    const QString diary = state_.currentDiaryFile;
    const QString date = readHeaderValue(diary, QStringLiteral("Datum"), QString());
    const QString user = readHeaderValue(diary, QStringLiteral("BenutzerName"), QString());
    EingabeDlg->setHeading(QStringLiteral("Messwerte ") + date + QStringLiteral("  ") + user);
    if (!user.isEmpty())
        state_.userName = user;
    if (diary.isEmpty() || !QFileInfo::exists(diary)) {
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
    const QString diary = chooseDiaryFile();
    if (diary.isEmpty())
        return;
    EingabeDlg->clearEntries();
    state_.currentDiaryFile = diary;
    EingabeDlg->setYearText(diary.chopped(4).right(4));
    EingabeDlg->LiesUhrzeitenEin();
    const QString date = readHeaderValue(diary, QStringLiteral("Datum"), QString());
    const QString user = readHeaderValue(diary, QStringLiteral("BenutzerName"), QString());
    EingabeDlg->setHeading(QStringLiteral("Messwerte ") + date + QStringLiteral("  ") + user);
    // A diary without a name keeps the user's: an empty one would name no file.
    if (!user.isEmpty())
        state_.userName = user;

    const QString four = readHeaderValue(diary, QStringLiteral("BisZu4MessungenJeTag"), QString());
    const QString eight = readHeaderValue(diary, QStringLiteral("BisZu8MessungenJeTag"), QString());
    state_.fourSlotMark = four.contains(u'1');
    state_.eightSlotMark = eight.contains(u'1');
    for (const auto& [mark, valueName] : {std::pair{state_.fourSlotMark, QStringLiteral("Grafik4")},
                                          std::pair{state_.eightSlotMark, QStringLiteral("Grafik8")}}) {
        const QString picture = config_.readString(valueName);
        if (mark && !picture.isEmpty())
            state_.templatePictureFile = picture;
    }
    biszu4MessungenjeTag->setChecked(state_.fourSlotMark);
    biszu8MessungenjeTag->setChecked(state_.eightSlotMark);
    loadTemplatePicture();

    if (!EingabeDlg->loadEntries(diary))
        return;
    EingabeDlg->setDateLine(desktop_.today());
    state_.zonesPainted = false;
    drawDiary(diary);
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

    const QString picture =
        config_.readString(mode == SlotMode::Four ? QStringLiteral("Grafik4") : QStringLiteral("Grafik8"));
    if (!picture.isEmpty())
        state_.templatePictureFile = QFileInfo::exists(picture) ? picture : state_.startFolder + picture;
    loadTemplatePicture();

    EingabeDlg->KorrigiereDieMorgensBisAbendsEinstellung();
    EingabeDlg->LiesUhrzeitenEin();
    state_.zonesPainted = false;
    EingabeDlg->saveCurrentDiary();
}

} // namespace luftikon
