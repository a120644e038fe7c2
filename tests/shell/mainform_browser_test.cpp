#include "shell/mainform.h"
#include "support/sandbox.h"
#include "support/scripteddesktop.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::Sandbox;
using luftikon::test::ScriptedDesktop;

TEST(MainFormBrowser, WithoutADrawnMonthTheMenuSaysSoAndOpensNothing)
{
    Sandbox box;
    ScriptedDesktop desktop;
    ConfigStore config(box.configFile());
    AppState state;
    TMainForm form(state, desktop, config);
    desktop.clearShown();

    form.LiniendiagrammimBrowseranzeigen1->trigger();

    ASSERT_EQ(desktop.shown().size(), 1u);
    EXPECT_EQ(desktop.shown()[0].text, QStringLiteral("Es wurden noch keine Daten eingegeben!"));
    EXPECT_TRUE(desktop.openedDocuments().isEmpty());
}

TEST(MainFormBrowser, ADrawnMonthIsWrittenToItsYearFolderAndOpened)
{
    Sandbox box;
    ScriptedDesktop desktop;
    ConfigStore config(box.configFile());
    AppState state;
    state.resourceFolder = QStringLiteral(LUFTIKON_RESOURCE_DIR "/");
    TMainForm form(state, desktop, config);
    desktop.clearShown();
    // Chart.min.js is where the start-up copies it for the page
    Sandbox::writeBytes(state.dataFolder + "scripts/Chart.min.js", "/* chart */");

    state.monthNumber = QStringLiteral("03");
    state.monthYear = QStringLiteral("2024");
    state.monthName = QStringLiteral("März");
    state.diaryUserName = QStringLiteral("Anna");
    state.diaryYear = QStringLiteral("2024");
    state.currentDiaryFile = state.galleryFolder + "2024/Anna_3_2024.tab";
    state.dailyMeans[4] = QStringLiteral("420");
    state.bestValue = 420;

    form.LiniendiagrammimBrowseranzeigen1->trigger();

    EXPECT_TRUE(desktop.shown().empty()) << desktop.shownTexts().join('|').toStdString();
    const QString page = state.htmlFolder + "2024/Anna_3_2024.html";
    ASSERT_EQ(desktop.openedDocuments(), QStringList{page});
    EXPECT_TRUE(Sandbox::readBytes(page).contains("Luftikon Werte von Anna im M\xe4rz 2024"));
    EXPECT_TRUE(QFile::exists(state.htmlFolder + "2024/Chart.min.js"));
}
