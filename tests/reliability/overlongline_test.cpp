// A diary line far too long to show (a damaged or hand-edited file) is shown cut in the entry list and the
// table, the user is told which line it is, and the file keeps it whole.
#include "entry/entrydialog.h"
#include "support/appfixture.h"
#include "support/children.h"
#include "table/tablewindow.h"

#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

using namespace luftikon;
using namespace luftikon::test;

namespace {

TEST(OverlongLine, shownCutWithANoteAndKeptWholeInTheFile)
{
    AppFixture w;
    const QString diary = w.diaryPath(QStringLiteral("Muster"), 3, 2024);
    const QByteArray longLine = "Abends den     05.3.2024 Z=20:00  Luftikon=" + QByteArray(1024 * 1024, '4');
    Sandbox::writeBytes(diary, "[Personendaten]\r\nBenutzerName=Muster\r\nBisZu4MessungenJeTag=1\r\n"
                               "Morgens den    04.3.2024 Z=08:00  Luftikon=410\r\n" +
                                   longLine + "\r\n");
    w.form->month().open(diary);
    w.desktop.clearShown();

    w.desktop.answerDialog([&](QDialog&) {
        const QListWidget& list = *child<QListWidget>(child<EntryDialog>(w.form, "entryDialog"), "readingsList");
        EXPECT_EQ(list.count(), 2);
        // Cut after 200 characters, and marked as cut.
        EXPECT_EQ(list.item(1)->text(), QString::fromLatin1(longLine.left(200)) + QStringLiteral(" …"));
        child<QPushButton>(child<EntryDialog>(w.form, "entryDialog"), "chartButton")->click();
        return 1;
    });
    w.form->editCurrentDiary();
    ASSERT_FALSE(w.desktop.shown().empty());
    const QString note = w.desktop.shown().front().text;
    EXPECT_TRUE(note.contains(diary));
    EXPECT_TRUE(note.contains(QStringLiteral("Zeile 5 ")));
    // Saved again, the line is still whole.
    EXPECT_TRUE(w.bytes(diary).contains(longLine + "\r\n"));

    w.desktop.clearShown();
    w.desktop.answerDialog([&](QDialog&) {
        const QTableWidgetItem* value = child<QTableWidget>(&w.form->tableWindow(), "readingsGrid")->item(5, 11);
        EXPECT_TRUE(value && value->text().size() < 1000);
        return 0;
    });
    w.form->showCurrentTable();
    w.form->showPreparedTable();
    ASSERT_FALSE(w.desktop.shown().empty());
    EXPECT_TRUE(w.desktop.shown().front().text.contains(QStringLiteral("Zeile ")));
}

} // namespace
