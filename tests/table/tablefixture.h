#pragma once
// The main window with its table window, March 2024, diary and remarks file named as the
// chart drawing names them.

#include "support/appfixture.h"
#include "support/children.h"
#include "support/diarylines.h"
#include "table/tablewindow.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTimer>
#include <functional>

namespace luftikon::test {

class TableWindowTest : public ::testing::Test, protected AppFixture {
protected:
    TableWindowTest()
    {
        showMarch({});
        child<QLabel>(form, "userNameLabel")->setText(QStringLiteral("von Muster"));
    }

    // Muster's March 2024 diary with `readings` is the month on screen.
    void showMarch(const QStringList& readings, bool eightSlots = false)
    {
        writeLines(diaryFile, diaryHead(QStringLiteral("Muster"), QStringLiteral("März 2024"), eightSlots) + readings);
        form->month().open(diaryFile);
    }

    // "&aktuelle anzeigen", then the timer's tick; `whileShown` runs while the window is up,
    // and afterwards the window is closed the way its close button closes it. `answers` are
    // the user's replies to the questions that follow the showing.
    void openAndShow(const std::function<void(TableWindow&)>& whileShown = {},
                     std::initializer_list<Answer> answers = {})
    {
        desktop.answerDialog([this, whileShown](QDialog& dialog) {
            EXPECT_EQ(&dialog, table);
            EXPECT_TRUE(dialog.isVisible());
            if (whileShown)
                whileShown(*table);
            return int(QDialog::Rejected);
        });
        for (const Answer a : answers)
            desktop.answer(a);
        child<QAction>(form, "showCurrentTableAction")->trigger();
        form->showPreparedTable();
    }

public:
    // Key presses as the keyboard sends them; a line break is Return.
    static void type(QWidget* widget, const QString& text)
    {
        for (const QChar c : text) {
            const Qt::Key key = c == u'\n' ? Qt::Key_Return : c == u'\t' ? Qt::Key_Tab : Qt::Key_unknown;
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, c == u'\n' ? QStringLiteral("\r") : QString(c));
            QApplication::sendEvent(widget, &press);
        }
    }

protected:
    TableWindow* table = &form->tableWindow();
    const QString diaryFile = box.file(QStringLiteral("Muster_3_2024.tab"));
    const QString remarksFile = box.file(QStringLiteral("Muster_3_2024.txt"));
};

} // namespace luftikon::test
