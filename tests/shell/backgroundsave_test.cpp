// Saves that run without the entry dialog, and the month the windows see right after start-up.
#include "entry/eingabe.h"
#include "shell/mainform.h"
#include "support/sandbox.h"
#include "support/scripteddesktop.h"
#include "table/tabellen.h"

#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::Sandbox;
using luftikon::test::ScriptedDesktop;

namespace {

// A returning user: settings that name the user and the last diary; the first show draws it.
struct ReturningUser {
    Sandbox box;
    ScriptedDesktop desktop;
    ConfigStore config{box.configFile()};
    AppState state;
    std::unique_ptr<TMainForm> form;
    QString diary;

    ReturningUser(int month, const QByteArray& monthName, const QByteArray& readings)
    {
        state.resourceFolder = QStringLiteral(LUFTIKON_RESOURCE_DIR) + u'/';
        desktop.setToday(QDate(2024, 3, 15));
        form = std::make_unique<TMainForm>(state, desktop, config);
        diary = state.galleryFolder + QStringLiteral("2024/Erika_%1_2024.tab").arg(month);
        Sandbox::writeBytes(diary, "[Personendaten]\r\nBenutzerName=Erika\r\nDatum=" + monthName +
                                       " 2024\r\n\r\nDruckenTabellenRandLeft=10\r\nDruckenTabellenRandRight=5\r\n"
                                       "DruckenTabellenRandTop=10\r\nDruckenTabellenRandBottom=10\r\n\r\n\r\n"
                                       "BisZu4MessungenJeTag=1\r\nBisZu8MessungenJeTag=0\r\n\r\n\r\n"
                                       "GrenzwertGruen>=450\r\nGrenzwertRot<=200\r\n\r\n\r\n" +
                                       readings);
        config.Schreib_String_in_Registry(QStringLiteral("BenutzerName"), QStringLiteral("Erika"));
        config.Schreib_String_in_Registry(QStringLiteral("TabellenDateiName"), diary);
        form->FormPaint();
    }
    TEingabeDlg& entry() { return *form->EingabeDlg; }
    QByteArray bytes() const { return Sandbox::readBytes(diary); }
    // The diary as before, with the eight-slot layout lines.
    static QByteArray asEightSlots(QByteArray before)
    {
        return before.replace("BisZu4MessungenJeTag=1\r\nBisZu8MessungenJeTag=0",
                              "BisZu8MessungenJeTag=1\r\nBisZu4MessungenJeTag=0");
    }
};

const QByteArray marchReadings = "Morgens den    01.3.2024 Z=08:00  Luftikon=368\r\n"
                                 "Abends den      01.3.2024 Z=20:00  Luftikon=410\r\n"
                                 "Morgens den    02.3.2024 Z=08:00  Luftikon=395\r\n";

} // namespace

TEST(BackgroundSave, SwitchRightAfterStartRewritesTheDrawnMonthInTheOtherLayout)
{
    ReturningUser user(3, "M\xe4rz", marchReadings);
    const QByteArray before = user.bytes();
    ASSERT_TRUE(user.desktop.shown().empty()) << user.desktop.shownTexts().join(u'|').toStdString();

    user.form->biszu8MessungenjeTag->trigger();

    EXPECT_TRUE(user.desktop.shown().empty()) << user.desktop.shownTexts().join(u'|').toStdString();
    EXPECT_EQ(user.bytes(), ReturningUser::asEightSlots(before));
    // Drawn again, not left as the bare template.
    EXPECT_EQ(user.state.valueList.size(), 3);
    EXPECT_EQ(user.state.bestValue, 410);
}

TEST(BackgroundSave, TableRightAfterStartHasTheDaysOfTheDrawnFebruary)
{
    ReturningUser user(2, "Februar",
                       "Morgens den    28.2.2024 Z=08:00  Luftikon=400\r\n"
                       "Morgens den    29.2.2024 Z=08:00  Luftikon=410\r\n");
    user.form->aktuelleanzeigen1->trigger();
    user.form->TabellenAnzeigeTimer->stop();
    QTableWidget& grid = *user.form->TabellenDlg->StringGrid1;
    ASSERT_EQ(grid.rowCount(), 30);
    EXPECT_EQ(grid.item(29, 2)->text(), QStringLiteral("    410"));

    grid.selectAll();
    user.form->TabellenDlg->MarkierterTextkopieren1Click();
    ASSERT_EQ(user.desktop.clipboardTexts().size(), 1);
    const QStringList rows = user.desktop.clipboardTexts().back().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    EXPECT_EQ(rows.size(), 30);
    EXPECT_TRUE(rows.last().startsWith(QStringLiteral("      29"))) << rows.last().toStdString();
}

TEST(BackgroundSave, RefusedOverwriteOfANewTableLeavesTheDiaryToTheNextSwitch)
{
    ReturningUser user(3, "M\xe4rz", marchReadings);
    const QByteArray before = user.bytes();
    user.desktop.answer(true); // "Sie möchten einen neue Tabelle erstellen?"
    user.desktop.answerDialog([&](QDialog&) {
        user.desktop.answer(false); // "... existiert schon! Alle Messwerte darin werden gelöscht!"
        user.entry().GrafikButton->click();
        return user.entry().result();
    });
    user.form->Neu1->trigger();
    EXPECT_EQ(user.bytes(), before);

    user.form->biszu8MessungenjeTag->trigger();
    EXPECT_EQ(user.bytes(), ReturningUser::asEightSlots(before));
    EXPECT_EQ(user.state.entryList.size(), 3);
}

TEST(BackgroundSave, CancelAfterATakeBackAsksAndTheReadingStaysInTheDiary)
{
    ReturningUser user(3, "M\xe4rz", marchReadings);
    const QByteArray before = user.bytes();
    user.desktop.answerDialog([&](QDialog&) {
        user.entry().ListBox1->setCurrentRow(0);
        user.desktop.answer(true); // take the reading back into the fields
        user.entry().BearbeitenButton->click();
        EXPECT_EQ(user.state.entryList.size(), 2);
        user.desktop.answer(true); // "Möchten Sie wirklich abbrechen? ..."
        user.entry().AbbrechenButton->click();
        return user.entry().result();
    });
    user.form->aktuellebearbeiten1->trigger();
    EXPECT_EQ(user.desktop.shown().back().kind, MessageKind::WarningQuestion);
    // The list is the saved month again, so the table shows what the diary holds.
    EXPECT_EQ(user.state.entryList.size(), 3);

    user.form->biszu8MessungenjeTag->trigger();
    EXPECT_EQ(user.bytes(), ReturningUser::asEightSlots(before));
}

TEST(BackgroundSave, SwitchWithoutADiaryOnScreenCreatesNoFile)
{
    Sandbox box;
    ScriptedDesktop desktop;
    ConfigStore config{box.configFile()};
    AppState state;
    state.resourceFolder = QStringLiteral(LUFTIKON_RESOURCE_DIR) + u'/';
    desktop.setToday(QDate(2024, 3, 15));
    TMainForm form(state, desktop, config);
    state.userName = QStringLiteral("Erika");

    form.biszu8MessungenjeTag->trigger();

    EXPECT_TRUE(state.eightSlotMark);
    EXPECT_TRUE(QDir(state.galleryFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    EXPECT_TRUE(desktop.shown().empty()) << desktop.shownTexts().join(u'|').toStdString();
}
