// Readings in: the user name, a new month table, the openers of the entry dialog and the
// switch between four and eight readings a day.
#include "diary/diaryfile.h"
#include "diary/diarywriter.h"
#include "diary/openingnote.h"
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
    EingabeDlg = new TEingabeDlg(state_, desktop_, settings_, this);
    EntryDialogHost host;
    host.GrafikZeichnen = [this](const QString& diaryFile) { drawDiary(diaryFile); };
    host.writeTimesLine = [this] { schreibTextInGrafik(); };
    host.openTableWindow = [this] { openTableWindow(); };
    EingabeDlg->setHost(std::move(host));
    NameEingDlg = new TNameEingDlg(state_, desktop_, settings_, this);
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
    if (continueMonthDiary(today)) {
        EingabeDlg->LiesUhrzeitenEin();
        state_.newTablePending = true;
        desktop_.execModal(*EingabeDlg);
    }
    if (askedNothing)
        state_.newUserPending = false;
}

bool TMainForm::continueMonthDiary(const QDate& day)
{
    const QString path = monthDiaryPath(state_.galleryFolder, QString::number(day.year()), state_.userName,
                                        QString::number(day.month()));
    if (!QFileInfo::exists(path))
        return true;
    // A new table never replaces a month: the diary it has goes on with the new readings.
    const DiaryFile diary = readDiary(path);
    if (!diary.ok) {
        desktop_.error(diary.error + QStringLiteral(" Neue Messwerte für diesen Monat können erst eingegeben werden, "
                                                    "wenn die Datei wieder gelesen werden kann."));
        return false;
    }
    tellAboutOpenedDiary(diary);
    showDiaryAsChart(diary);
    EingabeDlg->noteContinuedMonth(int(diary.readings.size()));
    return true;
}

void TMainForm::tellAboutOpenedDiary(const DiaryFile& diary)
{
    if (const QString note = openingNote(diary); !note.isEmpty())
        desktop_.information(note);
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
    tellAboutOpenedDiary(diary);
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
    tellAboutOpenedDiary(diary);
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

bool TMainForm::confirmHiddenReadings(SlotMode mode)
{
    const QString& path = state_.currentDiaryFile;
    if (mode != SlotMode::Four || path.isEmpty() || !QFileInfo(path).isFile())
        return true;
    const DiaryFile diary = readDiary(path);
    QStringList slotNames;
    int hidden = 0;
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        if (slotInLayout(slot, SlotMode::Four))
            continue;
        const auto count = std::count_if(diary.readings.cbegin(), diary.readings.cend(),
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

void TMainForm::switchDayLayout(SlotMode mode)
{
    if (!confirmHiddenReadings(mode)) {
        // The menu item checked itself when clicked; the layout in force stays.
        biszu4MessungenjeTag->setChecked(state_.fourSlotMark);
        biszu8MessungenjeTag->setChecked(state_.eightSlotMark);
        return;
    }
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
