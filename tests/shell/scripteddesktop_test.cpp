// The scripted desktop is what keeps window tests from hanging; these check that it fails
// loudly instead of guessing.
#include "support/scripteddesktop.h"

#include <QDialog>
#include <QLineEdit>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using luftikon::MessageKind;
using luftikon::test::ScriptedDesktop;

TEST(ScriptedDesktop, UnqueuedQuestionFailsAndAnswersNo)
{
    ScriptedDesktop desktop;
    bool reply = true;
    EXPECT_NONFATAL_FAILURE(reply = desktop.ask(QStringLiteral("Wirklich?")), "Wirklich?");
    EXPECT_FALSE(reply);
    ASSERT_EQ(desktop.shown().size(), 1u);
    EXPECT_EQ(desktop.shown()[0].caption, QStringLiteral("Bestätigung"));
}

TEST(ScriptedDesktop, AnswersOfTheWrongKindFailWithoutBeingUsed)
{
    ScriptedDesktop desktop;
    desktop.answerFile(QStringLiteral("/a.tab"));
    EXPECT_NONFATAL_FAILURE(desktop.ask(QStringLiteral("Speichern?")), "file name");
    EXPECT_EQ(desktop.openFileName(nullptr, QStringLiteral("Öffnen"), QString(), QStringLiteral("*.tab")),
              QStringLiteral("/a.tab"));
    EXPECT_EQ(desktop.fileRequests().at(0).filter, QStringLiteral("*.tab"));
    QDialog dialog;
    int code = 1;
    EXPECT_NONFATAL_FAILURE(code = desktop.execModal(dialog), "modal dialog");
    EXPECT_EQ(code, QDialog::Rejected);
}

TEST(ScriptedDesktop, DialogHandlerFillsTheShownDialog)
{
    ScriptedDesktop desktop;
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Name"));
    auto* edit = new QLineEdit(&dialog);
    desktop.answerDialog([&](QDialog& shown) {
        EXPECT_TRUE(shown.isVisible());
        edit->setText(QStringLiteral("Anna"));
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(desktop.execModal(dialog), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(edit->text(), QStringLiteral("Anna"));
}

TEST(ScriptedDesktop, LeftoverAnswersFailTheTest)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDesktop desktop;
            desktop.answer(true);
        },
        "never asked for");
}

TEST(ScriptedDesktop, RecordsMessagesAndTerminateWithoutExiting)
{
    ScriptedDesktop desktop;
    desktop.error(QStringLiteral("kaputt"));
    desktop.message(QStringLiteral("Hallo"));
    desktop.terminate(3);
    EXPECT_EQ(desktop.terminatedWith(), 3);
    ASSERT_EQ(desktop.shown().size(), 2u);
    EXPECT_EQ(desktop.shown()[0].kind, MessageKind::Error);
    EXPECT_EQ(desktop.shown()[0].caption, QStringLiteral("Fehler"));
    EXPECT_EQ(desktop.shown()[1].caption, QStringLiteral("Luftikon"));
}
