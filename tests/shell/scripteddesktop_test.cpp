// The scripted desktop is what keeps window tests from hanging; these check that it fails
// loudly instead of guessing.
#include "support/scripteddesktop.h"

#include <QDialog>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using luftikon::test::ScriptedDesktop;

TEST(ScriptedDesktop, UnqueuedMismatchedOrLeftoverAnswersFail)
{
    ScriptedDesktop desktop;
    bool reply = true;
    EXPECT_NONFATAL_FAILURE(reply = desktop.ask(QStringLiteral("Wirklich?")), "Wirklich?");
    EXPECT_FALSE(reply);

    // An answer of the wrong kind is not used up by the question.
    desktop.answerFile(QStringLiteral("/a.tab"));
    EXPECT_NONFATAL_FAILURE(desktop.ask(QStringLiteral("Speichern?")), "file name");
    EXPECT_EQ(desktop.openFileName(nullptr, QStringLiteral("Öffnen"), QString(), QStringLiteral("*.tab")),
              QStringLiteral("/a.tab"));
    QDialog dialog;
    int code = 1;
    EXPECT_NONFATAL_FAILURE(code = desktop.execModal(dialog), "modal dialog");
    EXPECT_EQ(code, QDialog::Rejected);

    // So do answers left over at the end.
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDesktop leftover;
            leftover.answer(true);
        },
        "never asked for");
}
