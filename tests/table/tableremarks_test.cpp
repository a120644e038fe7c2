#include "support/children.h"
#include "table/tablefixture.h"

#include <QDir>
#include <QScrollBar>
#include <QTextCursor>

using namespace luftikon;
using namespace luftikon::test;

namespace {

const QString question = QStringLiteral("Möchten Sie Ihre Bemerkungen speichern?");
const QString heading = QStringLiteral("          Meine Bemerkung:\n\n");
// "Pollenflug stärker" / "Spray genommen, Atemnot größer" in Windows-1252.
const QByteArray oldRemarks = "Pollenflug st\xe4rker\r\n\r\nSpray genommen, Atemnot gr\xf6\xdf"
                              "er\r\n";
const QString oldText = QStringLiteral("Pollenflug stärker\n\nSpray genommen, Atemnot größer\n");

void typeAtEnd(TableWindow& t, const QString& text)
{
    child<QPlainTextEdit>(&t, "remarksEdit")->moveCursor(QTextCursor::End);
    TableWindowTest::type(child<QPlainTextEdit>(&t, "remarksEdit"), text);
}

} // namespace

TEST_F(TableWindowTest, RemarksRoundTripInWindows1252WithCrLf)
{
    // The first save makes the file, below the heading.
    openAndShow([](TableWindow& t) { typeAtEnd(t, QStringLiteral("Erkältet")); }, {Answer::Yes});
    EXPECT_EQ(bytes(remarksFile), QByteArray("          Meine Bemerkung:\r\n\r\nErk\xe4ltet\r\n"));

    desktop.clearShown();
    Sandbox::writeBytes(remarksFile, oldRemarks);
    openAndShow(
        [](TableWindow& t) {
            EXPECT_EQ(child<QPlainTextEdit>(&t, "remarksEdit")->toPlainText(), oldText);
            EXPECT_FALSE(t.remarksChanged());
            typeAtEnd(t, QStringLiteral("Übung\tmüde\n"));
            EXPECT_TRUE(t.remarksChanged());
        },
        {Answer::Yes});
    EXPECT_EQ(desktop.shownTexts(), QStringList{question});
    const QByteArray saved = oldRemarks + "\xdc"
                                          "bung\tm\xfc"
                                          "de\r\n";
    EXPECT_EQ(bytes(remarksFile), saved);
    EXPECT_TRUE(child<QPlainTextEdit>(table, "remarksEdit")->toPlainText().isEmpty());

    // The next opening shows the saved text; answering No keeps the file as it was.
    openAndShow(
        [](TableWindow& t) {
            EXPECT_EQ(child<QPlainTextEdit>(&t, "remarksEdit")->toPlainText(),
                      oldText + QStringLiteral("Übung\tmüde\n"));
            typeAtEnd(t, QStringLiteral("verworfen"));
        },
        {Answer::No});
    EXPECT_EQ(bytes(remarksFile), saved);

    // Closing unchanged asks nothing.
    openAndShow([](TableWindow& t) {
        EXPECT_FALSE(child<QPlainTextEdit>(&t, "remarksEdit")->toPlainText().contains(QStringLiteral("verworfen")));
    });
    EXPECT_EQ(desktop.shownTexts(), (QStringList{question, question}));
}

TEST_F(TableWindowTest, AFailedSaveKeepsTheWindowOpenUntilTheUserGivesUp)
{
    Sandbox::writeBytes(remarksFile, oldRemarks);
    openAndShow([](TableWindow& t) { typeAtEnd(t, QStringLiteral("Arzt in Łódź")); }, {Answer::Yes});
    ASSERT_EQ(desktop.shown().size(), 2u);
    EXPECT_EQ(desktop.shown()[1].kind, MessageKind::Error);
    EXPECT_TRUE(desktop.shown()[1].text.startsWith(QStringLiteral("Ihre Bemerkungen wurden nicht gespeichert.")));
    EXPECT_TRUE(desktop.shown()[1].text.contains(remarksFile));
    EXPECT_TRUE(table->isVisible());
    EXPECT_TRUE(child<QPlainTextEdit>(table, "remarksEdit")->toPlainText().endsWith(QStringLiteral("Arzt in Łódź")));

    // Asked again, the user may leave without saving.
    desktop.answer(Answer::No);
    table->close();
    EXPECT_FALSE(table->isVisible());
    EXPECT_EQ(desktop.shownTexts().last(), question);
    EXPECT_EQ(bytes(remarksFile), oldRemarks);
}

TEST_F(TableWindowTest, RemarksNeverOverwriteADiary)
{
    const QByteArray diary = "[Personendaten]\r\nBenutzerName=Muster\r\n"
                             "Morgens den    05.3.2024 Z=08:00  Luftikon=420\r\n";
    // A remarks name that is a link to the diary.
    QFile::remove(remarksFile);
    Sandbox::writeBytes(diaryFile, diary);
    form->month().open(diaryFile);
    ASSERT_TRUE(QFile::link(diaryFile, remarksFile));
    openAndShow([](TableWindow& t) { EXPECT_TRUE(child<QPlainTextEdit>(&t, "remarksEdit")->isReadOnly()); });
    EXPECT_EQ(desktop.shown().size(), 1u);
    EXPECT_EQ(bytes(diaryFile), diary);

    // A proper diary afterwards gets its pane back.
    QFile::remove(remarksFile);
    desktop.clearShown();
    form->openTableWindow();
    child<QTimer>(form, "tableShowTimer")->stop();
    EXPECT_FALSE(child<QPlainTextEdit>(table, "remarksEdit")->isReadOnly());
    EXPECT_TRUE(desktop.shown().empty());
}

TEST_F(TableWindowTest, UnreadableOrMissingRemarksCannotBeSaved)
{
    QDir(box.path()).mkpath(QStringLiteral("Muster_3_2024.txt")); // a folder where the file should be
    openAndShow([](TableWindow& t) {
        EXPECT_TRUE(child<QPlainTextEdit>(&t, "remarksEdit")->isReadOnly());
        EXPECT_EQ(child<QPlainTextEdit>(&t, "remarksEdit")->toPlainText(), heading);
    });
    ASSERT_EQ(desktop.shown().size(), 1u);
    EXPECT_EQ(desktop.shown()[0].kind, MessageKind::Warning);
    EXPECT_TRUE(desktop.shown()[0].text.contains(remarksFile));
    EXPECT_TRUE(QFileInfo(remarksFile).isDir());

    // Without any diary there is nothing to file the remarks with.
    desktop.clearShown();
    form->month().open(QString());
    openAndShow([](TableWindow& t) { EXPECT_TRUE(child<QPlainTextEdit>(&t, "remarksEdit")->isReadOnly()); });
    ASSERT_EQ(desktop.shown().size(), 1u);
    EXPECT_EQ(desktop.shown()[0].kind, MessageKind::Information);
}

TEST_F(TableWindowTest, ALongRemarkWrapsInThePaneAndIsSavedAsOneLine)
{
    const QString remark =
        QStringLiteral("Nachts zweimal aufgewacht, ").repeated(12) + QStringLiteral("morgens Spray.");
    openAndShow(
        [&remark](TableWindow& t) {
            typeAtEnd(t, remark);
            QApplication::processEvents();
            // Wrapped: nothing to scroll sideways to.
            EXPECT_EQ(child<QPlainTextEdit>(&t, "remarksEdit")->horizontalScrollBar()->maximum(), 0);
        },
        {Answer::Yes});
    EXPECT_EQ(bytes(remarksFile), QByteArray("          Meine Bemerkung:\r\n\r\n") + remark.toLatin1() + "\r\n");
}
