// A diary line far too long to show (a damaged or hand-edited file) is shown cut in the
// entry list and the table, the user is told which line it is, and the file keeps it whole.
#include "entry/eingabe.h"
#include "shell/mainform.h"
#include "support/sandbox.h"
#include "support/scripteddesktop.h"
#include "table/tabellen.h"

#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace luftikon;
using namespace luftikon::test;

namespace {

TEST(OverlongLine, shownCutWithANoteAndKeptWholeInTheFile)
{
    Sandbox box;
    ScriptedDesktop desktop;
    ConfigStore config{box.configFile()};
    AppState state;
    state.resourceFolder = QStringLiteral(LUFTIKON_RESOURCE_DIR) + u'/';
    desktop.setToday(QDate(2024, 3, 15));
    TMainForm form(state, desktop, config);
    const QString diary = state.galleryFolder + QStringLiteral("2024/Muster_3_2024.tab");
    const QByteArray longValue(1024 * 1024, '4');
    const QByteArray bytes = "[Personendaten]\r\nBenutzerName=Muster\r\nBisZu4MessungenJeTag=1\r\n"
                             "Morgens den    04.3.2024 Z=08:00  Luftikon=410\r\n"
                             "Abends den     05.3.2024 Z=20:00  Luftikon=" +
                             longValue + "\r\n";
    Sandbox::writeBytes(diary, bytes);
    state.currentDiaryFile = diary;
    form.drawDiary(diary);
    desktop.clearShown();

    desktop.answerDialog([&](QDialog&) {
        QListWidget& list = *form.EingabeDlg->ListBox1;
        EXPECT_EQ(list.count(), 2);
        EXPECT_LT(list.item(1)->text().size(), 1000);
        EXPECT_TRUE(list.item(1)->text().startsWith(QStringLiteral("Abends den     05.3.2024 Z=20:00")));
        form.EingabeDlg->GrafikButton->click();
        return 1;
    });
    form.aktuellebearbeiten1Click();
    ASSERT_FALSE(desktop.shown().empty());
    const QString note = desktop.shown().front().text;
    EXPECT_TRUE(note.contains(diary));
    EXPECT_TRUE(note.contains(QStringLiteral("Zeile 5 ")));
    // Saved again, the line is still whole.
    EXPECT_TRUE(Sandbox::readBytes(diary).contains("Luftikon=" + longValue + "\r\n"));

    desktop.clearShown();
    desktop.answerDialog([&](QDialog&) {
        const QTableWidgetItem* value = form.TabellenDlg->StringGrid1->item(5, 11);
        EXPECT_TRUE(value && value->text().size() < 1000);
        return 0;
    });
    form.aktuelleanzeigen1Click();
    form.TabellenAnzeigeTimerTimer();
    ASSERT_FALSE(desktop.shown().empty());
    EXPECT_TRUE(desktop.shown().front().text.contains(QStringLiteral("Zeile ")));
}

} // namespace
