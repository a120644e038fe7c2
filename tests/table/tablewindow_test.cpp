#include "support/children.h"
#include "table/tablefixture.h"

#include <QElapsedTimer>
#include <QMenu>
#include <QScrollBar>

using namespace luftikon;
using namespace luftikon::test;

TEST_F(TableWindowTest, ShowsHalfASecondAfterOpeningWithCaptionAndAsksNothingOnClose)
{
    showMarch({reading("Morgens", 5, 480)});
    child<QLabel>(form, "userNameLabel")->setText(QStringLiteral("von Muster"));
    QElapsedTimer clock;
    bool shown = false;
    desktop.answerDialog([&](QDialog& dialog) {
        shown = true;
        EXPECT_GE(clock.elapsed(), 450);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("von Muster  ·  Bestwert: 480 l/min."));
        // A tick while the window is up does not show it a second time.
        form->showPreparedTable();
        // Only the menu and the close button leave the window.
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&dialog, &escape);
        EXPECT_TRUE(dialog.isVisible());
        return int(QDialog::Rejected);
    });
    clock.start();
    form->openTableWindow();
    EXPECT_FALSE(table->isVisible());
    while (!shown && clock.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(table->isVisible());
    EXPECT_FALSE(child<QTimer>(form, "tableShowTimer")->isActive());
    EXPECT_TRUE(desktop.shown().empty()) << desktop.shownTexts().join(u'|').toStdString();
    EXPECT_FALSE(QFile::exists(form->month().remarksPath()));
}

TEST_F(TableWindowTest, SlotModeDecidesColumnsAndWhereTheRemarksPaneSits)
{
    const QStringList readings{reading("Morgens", 5, 420), reading("Messung5", 5, 399, 3, 2024, "15:30")};
    showMarch(readings);
    openAndShow([](TableWindow& t) {
        // Beside the grid, as high as it; the grid takes what the window grows by.
        t.resize(t.size() + QSize(100, 40));
        const QRect grid = child<QTableWidget>(&t, "readingsGrid")->geometry();
        EXPECT_EQ(
            child<QPlainTextEdit>(&t, "remarksEdit")->geometry(),
            QRect(grid.right() + 3, grid.top(), child<QPlainTextEdit>(&t, "remarksEdit")->width(), grid.height()));
    });
    EXPECT_EQ(child<QTableWidget>(table, "readingsGrid")->columnCount(), 12);
    EXPECT_EQ(table->cellTexts().at(5).mid(3), QStringList(9, QStringLiteral("  ")));
    EXPECT_EQ(child<QTableWidget>(table, "readingsGrid")->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(child<QPlainTextEdit>(table, "remarksEdit")->toPlainText(),
              QStringLiteral("          Meine Bemerkung:\n\n"));

    showMarch(readings, true);
    openAndShow([](TableWindow& t) {
        // Below the grid, as wide as it.
        t.resize(t.size() + QSize(100, 40));
        const QRect grid = child<QTableWidget>(&t, "readingsGrid")->geometry();
        EXPECT_EQ(
            child<QPlainTextEdit>(&t, "remarksEdit")->geometry(),
            QRect(grid.left(), grid.bottom() + 3, grid.width(), child<QPlainTextEdit>(&t, "remarksEdit")->height()));
    });
    EXPECT_EQ(child<QTableWidget>(table, "readingsGrid")->columnCount(), 24);
    EXPECT_EQ(child<QTableWidget>(table, "readingsGrid")->item(5, 14)->text(), QStringLiteral("    399"));
}

TEST_F(TableWindowTest, RowsFollowTheMonthAndABrokenMonthHidesNoDay)
{
    for (const int month : {4, 13})
        writeLines(box.file(QStringLiteral("Muster_%1_2024.tab").arg(month)), {QStringLiteral("[Personendaten]")});
    form->month().open(box.file(QStringLiteral("Muster_4_2024.tab")));
    form->openTableWindow();
    EXPECT_EQ(child<QTableWidget>(table, "readingsGrid")->rowCount(), 31);
    EXPECT_EQ(child<QTableWidget>(table, "readingsGrid")->item(30, 0)->text(), QStringLiteral("      30"));
    form->month().open(box.file(QStringLiteral("Muster_13_2024.tab")));
    form->openTableWindow();
    EXPECT_EQ(child<QTableWidget>(table, "readingsGrid")->rowCount(), 32);
    child<QTimer>(form, "tableShowTimer")->stop();
}

TEST_F(TableWindowTest, WheelScrollsAThirdOfItsDeltaAndRightClickOpensTheMenu)
{
    openAndShow([](TableWindow& t) {
        QScrollBar* bar = child<QTableWidget>(&t, "readingsGrid")->verticalScrollBar();
        ASSERT_GT(bar->maximum(), 100);
        const QPointF inside(30, 30);
        const QPointF global = child<QTableWidget>(&t, "readingsGrid")->viewport()->mapToGlobal(inside);
        for (const auto& [delta, value] : {std::pair{-120, 40}, std::pair{-200, 106}, std::pair{100, 73}}) {
            QWheelEvent event(inside, global, {}, {0, delta}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(child<QTableWidget>(&t, "readingsGrid")->viewport(), &event);
            EXPECT_EQ(bar->value(), value) << delta; // -200 / 3 is cut toward zero
        }
        QMouseEvent press(QEvent::MouseButtonPress, inside, global, Qt::RightButton, Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(child<QTableWidget>(&t, "readingsGrid")->viewport(), &press);
        EXPECT_TRUE(child<QMenu>(&t, "gridMenu")->isVisible());
        child<QMenu>(&t, "gridMenu")->hide();
    });
}
