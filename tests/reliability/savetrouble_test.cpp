// Every save path on a full disk and in a read-only folder: the user is told which file was
// not saved, the old file keeps its bytes, and what was typed stays to be saved again.
#include "mounts.h"

#include "diary/iniheader.h"
#include "entry/eingabe.h"
#include "entry/spinedit.h"
#include "shell/mainform.h"
#include "support/privatemount.h"
#include "support/sandbox.h"
#include "support/scripteddesktop.h"
#include "table/tabellen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace luftikon;
using namespace luftikon::test;

namespace {

enum class Trouble { FullDisk, ReadOnly };

const QString freeSpaceAdvice = QStringLiteral("Bitte schaffen Sie Speicherplatz und speichern Sie erneut.");

QByteArray marchDiary()
{
    QByteArray bytes = "[Personendaten]\r\nBenutzerName=Erika Muster\r\nDatum=M\xe4rz 2024\r\n\r\n"
                       "DruckenTabellenRandLeft=10\r\nDruckenTabellenRandRight=5\r\nDruckenTabellenRandTop=10\r\n"
                       "DruckenTabellenRandBottom=10\r\n\r\n\r\nBisZu4MessungenJeTag=1\r\nBisZu8MessungenJeTag=0\r\n"
                       "\r\n\r\nGrenzwertGruen>=500\r\nGrenzwertRot<=200\r\n\r\n\r\n";
    for (int day = 1; day <= 14; ++day)
        bytes += QStringLiteral("Morgens den    %1.03.2024 Z=08:00  Luftikon=%2\r\n")
                     .arg(day, 2, 10, QLatin1Char('0'))
                     .arg(380 + day)
                     .toLatin1();
    return bytes;
}

// A machine whose data folder is a small file system of its own, after its first start,
// with Erika Muster's diary of March 2024 drawn.
class SaveTrouble : public ::testing::TestWithParam<Trouble> {
protected:
    void SetUp() override
    {
        ASSERT_EQ(namespaceProblem(), QString());
        disk = box.path() + QStringLiteral("/disk");
        QDir().mkpath(disk);
        ASSERT_TRUE(mountTmpfs(disk, 1024));
        mounted = true;
        state.resourceFolder = QStringLiteral(LUFTIKON_RESOURCE_DIR) + u'/';
        desktop.setToday(QDate(2024, 3, 15));
        QDir::setCurrent(disk);
        form = std::make_unique<TMainForm>(state, desktop, config);
        QDir::setCurrent(box.path());
        config.Schreib_String_in_Registry(QStringLiteral("BenutzerName"), QStringLiteral("Erika Muster"));
        diary = state.galleryFolder + QStringLiteral("2024/Erika Muster_03_2024.tab");
        Sandbox::writeBytes(diary, marchDiary());
        QDir().mkpath(state.htmlFolder + QStringLiteral("2024"));
        // As the first show leaves it.
        state.currentDiaryFile = diary;
        state.diaryYear = QStringLiteral("2024");
        state.userName = QStringLiteral("Erika Muster");
        form->drawDiary(diary);
    }

    void TearDown() override
    {
        form.reset();
        if (mounted)
            unmount(disk);
    }

    // The disk fills up, or the data folder becomes read-only.
    void strike()
    {
        if (GetParam() == Trouble::FullDisk)
            filler = fillFileSystem(disk);
        else
            ASSERT_TRUE(bindReadOnly(disk));
    }

    void relieve()
    {
        if (GetParam() == Trouble::FullDisk)
            QFile::remove(filler);
        else
            unmount(disk);
    }

    // One message names the file; on a full disk it says what to do. A diary that cannot be
    // created at all is named the way its old message names it: "Erika Muster 03_2024.tab".
    void expectToldAbout(const QString& file)
    {
        const QString name = file.section(u'/', -1);
        const QString label = QString(name).replace(QStringLiteral("Muster_"), QStringLiteral("Muster "));
        for (const QString& text : desktop.shownTexts()) {
            if ((text.contains(name) || text.contains(label)) &&
                (GetParam() == Trouble::ReadOnly || text.contains(freeSpaceAdvice)))
                return;
        }
        ADD_FAILURE() << "no message names " << name.toStdString()
                      << "; shown: " << desktop.shownTexts().join(QStringLiteral(" | ")).toStdString();
    }

    TEingabeDlg& entry() { return *form->EingabeDlg; }

    Sandbox box;
    ScriptedDesktop desktop;
    ConfigStore config{box.configFile()};
    AppState state;
    std::unique_ptr<TMainForm> form;
    QString disk;
    QString diary;
    QString filler;
    bool mounted = false;
};

TEST_P(SaveTrouble, entryDialogKeepsItsListUntilTheDiaryCanBeSaved)
{
    desktop.allowUnusedAnswers();
    desktop.answerDialog([&](QDialog& dialog) {
        entry().TagSpinEdit->setText(QStringLiteral("15"));
        entry().LuftikonSpinEdit->setText(QStringLiteral("455"));
        entry().AufnehmenButton->click();
        strike();
        entry().GrafikButton->click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(entry().ListBox1->count(), 15);
        EXPECT_EQ(Sandbox::readBytes(diary), marchDiary());
        expectToldAbout(diary);

        relieve();
        entry().GrafikButton->click();
        EXPECT_FALSE(dialog.isVisible());
        return int(QDialog::Accepted);
    });
    form->aktuellebearbeiten1Click();
    EXPECT_TRUE(Sandbox::readBytes(diary).contains("15.03.2024 Z=08:00  Luftikon=455"));
}

TEST_P(SaveTrouble, dayLayoutSwitchLeavesTheDiaryAsItWas)
{
    desktop.allowUnusedAnswers();
    strike();
    form->biszu8MessungenjeTagClick();
    EXPECT_EQ(Sandbox::readBytes(diary), marchDiary());
    expectToldAbout(diary);
}

TEST_P(SaveTrouble, limitWrittenInPlaceLeavesTheDiaryAsItWas)
{
    strike();
    const WriteResult written = writeHeaderValue(diary, QStringLiteral("GrenzwertGruen>"), QStringLiteral("450"));
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(Sandbox::readBytes(diary), marchDiary());
    desktop.show(MessageKind::Error, written.error);
    expectToldAbout(diary);
}

TEST_P(SaveTrouble, tableWindowKeepsTheRemarksUntilTheyCanBeSaved)
{
    const QString remarks = state.remarksFile;
    Sandbox::writeBytes(remarks, "Meine Bemerkung:\r\nalt\r\n");
    TTabellenDlg& table = *form->TabellenDlg;
    desktop.answerDialog([&](QDialog&) {
        table.Memo1->moveCursor(QTextCursor::End);
        table.Memo1->insertPlainText(QStringLiteral("neu: Spray zweimal\n"));
        strike();
        table.done(0);
        EXPECT_TRUE(table.isVisible());
        EXPECT_TRUE(table.Memo1->toPlainText().contains(QStringLiteral("neu: Spray zweimal")));
        EXPECT_EQ(Sandbox::readBytes(remarks), QByteArray("Meine Bemerkung:\r\nalt\r\n"));
        expectToldAbout(remarks);

        relieve();
        table.done(0);
        EXPECT_FALSE(table.isVisible());
        return 0;
    });
    desktop.answer(Answer::Yes);
    desktop.answer(Answer::Yes);
    form->aktuelleanzeigen1Click();
    form->TabellenAnzeigeTimerTimer();
    EXPECT_EQ(Sandbox::readBytes(remarks), QByteArray("Meine Bemerkung:\r\nalt\r\nneu: Spray zweimal\r\n"));
}

TEST_P(SaveTrouble, pageExportLeavesTheOldPage)
{
    const QString page = state.htmlFolder + QStringLiteral("2024/Erika Muster_03_2024.html");
    Sandbox::writeBytes(page, "alte Seite");
    strike();
    form->LiniendiagrammimBrowseranzeigen1Click();
    EXPECT_EQ(Sandbox::readBytes(page), QByteArray("alte Seite"));
    expectToldAbout(page);
    EXPECT_TRUE(desktop.openedDocuments().isEmpty());
}

// A half-copied script would stay for good (it is never copied twice) and no chart would draw.
class ScriptCopy : public SaveTrouble {};

TEST_P(ScriptCopy, onAFullDiskIsWholeOrNotAtAll)
{
    const QString script = state.htmlFolder + QStringLiteral("2024/Chart.min.js");
    // Room for the page, not for the script.
    filler = fillFileSystem(disk);
    ASSERT_TRUE(QFile::resize(filler, QFileInfo(filler).size() - 64 * 1024));
    form->LiniendiagrammimBrowseranzeigen1Click();
    EXPECT_TRUE(QFile::exists(state.htmlFolder + QStringLiteral("2024/Erika Muster_03_2024.html")));
    EXPECT_FALSE(QFile::exists(script));
    expectToldAbout(script);
}

INSTANTIATE_TEST_SUITE_P(, ScriptCopy, ::testing::Values(Trouble::FullDisk),
                         [](const auto&) { return std::string("FullDisk"); });

TEST_P(SaveTrouble, settingsThatCannotBeSavedAreReported)
{
    ConfigStore onDisk(disk + QStringLiteral("/config/Luftikon.conf"),
                       [&](MessageKind kind, const QString& text) { desktop.show(kind, text); });
    ASSERT_TRUE(onDisk.Wenn_Noch_Nicht_Installiert_SchreibRegistryEintraege(disk + u'/', disk + u'/'));
    const QByteArray before = Sandbox::readBytes(onDisk.path());
    strike();
    onDisk.Schreib_String_in_Registry(QStringLiteral("BenutzerName"), QStringLiteral("Erika Muster"));
    EXPECT_EQ(Sandbox::readBytes(onDisk.path()), before);
    expectToldAbout(onDisk.path());
}

INSTANTIATE_TEST_SUITE_P(, SaveTrouble, ::testing::Values(Trouble::FullDisk, Trouble::ReadOnly),
                         [](const auto& info) { return info.param == Trouble::FullDisk ? "FullDisk" : "ReadOnly"; });

} // namespace
