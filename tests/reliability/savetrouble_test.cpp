// Save paths on a full disk and in a read-only folder: the user is told which file was not saved, the old
// file keeps its bytes, and what was typed stays to be saved again.
#include "entry/entrydialog.h"
#include "support/appfixture.h"
#include "support/children.h"
#include "support/diarylines.h"
#include "support/privatemount.h"
#include "table/tablewindow.h"
#include "widgets/spinedit.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

using namespace luftikon;
using namespace luftikon::test;

namespace {

// Before main, while the program has one thread.
const std::string& mountProblem = privateMountProblem();

enum class Trouble { FullDisk, ReadOnly };

// A disk of 1 MiB, made the temporary folder while the main window's sandbox is made, so that its settings,
// diaries and pages all live on it.
struct SmallDisk {
    QTemporaryDir mountPoint;
    QString disk = mountPoint.path();
    bool mounted = mountTmpfs(disk, 1024);
    bool hadTemp = qEnvironmentVariableIsSet("TMPDIR");
    QByteArray oldTemp = qgetenv("TMPDIR");
    SmallDisk() { qputenv("TMPDIR", QFile::encodeName(disk)); }
    ~SmallDisk()
    {
        if (mounted)
            unmount(disk);
    }
};

// Erika Muster's diary of March 2024 drawn in the main window, on a small disk.
class SaveTrouble : public ::testing::TestWithParam<Trouble>, protected SmallDisk, protected AppFixture {
protected:
    SaveTrouble()
    {
        hadTemp ? qputenv("TMPDIR", oldTemp) : qunsetenv("TMPDIR");
        QStringList lines = diaryHead(QStringLiteral("Erika Muster"), QStringLiteral("März 2024"), false, 500, 200);
        for (int day = 1; day <= 14; ++day)
            lines << reading("Morgens", day, 380 + day);
        writeLines(diary, lines);
        QDir().mkpath(state.htmlFolder + QStringLiteral("2024"));
        oldDiary = bytes(diary);
        returnTo(QStringLiteral("Erika Muster"), diary);
    }

    void SetUp() override { ASSERT_TRUE(mounted) << mountProblem; }
    void TearDown() override { relieve(); }

    // The disk fills up, or becomes read-only.
    void strike()
    {
        struck = true;
        if (GetParam() == Trouble::FullDisk)
            filler = fillFileSystem(disk);
        else
            ASSERT_TRUE(bindReadOnly(disk));
    }

    void relieve()
    {
        if (struck && GetParam() == Trouble::FullDisk)
            QFile::remove(filler);
        else if (struck)
            unmount(disk);
        struck = false;
    }

    // One message names the file; on a full disk it says what to do. A diary that cannot be written into its
    // folder is named the way its old message names it: "Erika Muster 03_2024.tab".
    void expectToldAbout(const QString& file)
    {
        const QString name = file.section(u'/', -1);
        const QString label = QString(name).replace(QStringLiteral("Muster_"), QStringLiteral("Muster "));
        for (const QString& text : desktop.shownTexts()) {
            if ((text.contains(name) || text.contains(label)) &&
                (GetParam() == Trouble::ReadOnly || text.contains(QStringLiteral("Bitte schaffen Sie Speicherplatz"))))
                return;
        }
        ADD_FAILURE() << "no message names " << name.toStdString()
                      << "; shown: " << desktop.shownTexts().join(QStringLiteral(" | ")).toStdString();
    }

    // Named as the entry dialog names it when it saves.
    QString diary = state.galleryFolder + QStringLiteral("2024/Erika Muster_03_2024.tab");
    QByteArray oldDiary;
    QString filler;
    bool struck = false;
};

TEST_P(SaveTrouble, entryDialogKeepsItsListUntilTheDiaryCanBeSaved)
{
    EntryDialog& entry = *child<EntryDialog>(form, "entryDialog");
    desktop.allowUnusedAnswers();
    desktop.answerDialog([&](QDialog& dialog) {
        child<SpinEdit>(&entry, "daySpin")->setText(QStringLiteral("15"));
        child<SpinEdit>(&entry, "valueSpin")->setText(QStringLiteral("455"));
        child<QPushButton>(&entry, "addButton")->click();
        strike();
        child<QPushButton>(&entry, "chartButton")->click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(child<QListWidget>(&entry, "readingsList")->count(), 15);
        EXPECT_EQ(bytes(diary), oldDiary);
        expectToldAbout(diary);

        relieve();
        child<QPushButton>(&entry, "chartButton")->click();
        EXPECT_FALSE(dialog.isVisible());
        return int(QDialog::Accepted);
    });
    form->editCurrentDiary();
    EXPECT_TRUE(bytes(diary).contains("Luftikon=455\r\n"));
}

TEST_P(SaveTrouble, tableWindowKeepsTheRemarksUntilTheyCanBeSaved)
{
    const QString remarks = form->month().remarksPath();
    Sandbox::writeBytes(remarks, "Meine Bemerkung:\r\nalt\r\n");
    TableWindow& table = form->tableWindow();
    desktop.answerDialog([&](QDialog&) {
        child<QPlainTextEdit>(&table, "remarksEdit")->moveCursor(QTextCursor::End);
        child<QPlainTextEdit>(&table, "remarksEdit")->insertPlainText(QStringLiteral("neu: Spray zweimal\n"));
        strike();
        table.done(0);
        EXPECT_TRUE(table.isVisible());
        EXPECT_TRUE(
            child<QPlainTextEdit>(&table, "remarksEdit")->toPlainText().contains(QStringLiteral("neu: Spray zweimal")));
        EXPECT_EQ(bytes(remarks), QByteArray("Meine Bemerkung:\r\nalt\r\n"));
        expectToldAbout(remarks);

        relieve();
        table.done(0);
        EXPECT_FALSE(table.isVisible());
        return 0;
    });
    desktop.answer(Answer::Yes);
    desktop.answer(Answer::Yes);
    form->showCurrentTable();
    form->showPreparedTable();
    EXPECT_EQ(bytes(remarks), QByteArray("Meine Bemerkung:\r\nalt\r\nneu: Spray zweimal\r\n"));
}

TEST_P(SaveTrouble, pageExportLeavesTheOldPageAndNoHalfScript)
{
    const QString page = state.htmlFolder + QStringLiteral("2024/Erika Muster_03_2024.html");
    const QString script = state.htmlFolder + QStringLiteral("2024/Chart.min.js");
    Sandbox::writeBytes(page, "alte Seite");
    strike();
    form->showChartInBrowser();
    EXPECT_EQ(bytes(page), QByteArray("alte Seite"));
    expectToldAbout(page);
    EXPECT_TRUE(desktop.openedDocuments().isEmpty());
    if (GetParam() == Trouble::ReadOnly)
        return;

    // Room for the page, not for the script: a half-copied script would stay for good (it is never copied
    // twice) and no chart would draw.
    ASSERT_TRUE(QFile::resize(filler, QFileInfo(filler).size() - 64 * 1024));
    desktop.clearShown();
    form->showChartInBrowser();
    EXPECT_NE(bytes(page), QByteArray("alte Seite"));
    EXPECT_FALSE(QFile::exists(script));
    expectToldAbout(script);
}

TEST_P(SaveTrouble, settingsThatCannotBeSavedAreReported)
{
    ConfigStore onDisk(box.configFile(), [&](MessageKind kind, const QString& text) { desktop.show(kind, text); });
    const QByteArray before = bytes(box.configFile());
    strike();
    onDisk.setText(QStringLiteral("BenutzerName"), QStringLiteral("Max Muster"));
    EXPECT_EQ(bytes(box.configFile()), before);
    expectToldAbout(box.configFile());
}

INSTANTIATE_TEST_SUITE_P(, SaveTrouble, ::testing::Values(Trouble::FullDisk, Trouble::ReadOnly),
                         [](const auto& info) { return info.param == Trouble::FullDisk ? "FullDisk" : "ReadOnly"; });

} // namespace
