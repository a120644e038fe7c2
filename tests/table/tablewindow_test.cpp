#include "table/tablefixture.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTimer>

using namespace luftikon;
using luftikon::test::entryLine;
using luftikon::test::itemTexts;
using luftikon::test::TableWindowTest;

namespace {

QStringList rowTexts(const TTabellenDlg& table, int row)
{
    return table.cellTexts().at(row);
}

} // namespace

TEST_F(TableWindowTest, ShowsHalfASecondAfterOpeningWithCaptionAndAsksNothingOnClose)
{
    state.bestValue = 480;
    QElapsedTimer clock;
    bool shown = false;
    desktop.answerDialog([&](QDialog& dialog) {
        shown = true;
        EXPECT_GE(clock.elapsed(), 450);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("von Muster  ·  Bestwert: 480 l/min."));
        // A tick while the window is up does not show it a second time.
        form->TabellenAnzeigeTimerTimer();
        return int(QDialog::Rejected);
    });
    clock.start();
    form->openTableWindow();
    EXPECT_TRUE(form->TabellenAnzeigeTimer->isActive());
    EXPECT_TRUE(form->TabellenAnzeigeTimer->isSingleShot());
    EXPECT_EQ(form->TabellenAnzeigeTimer->interval(), 500);
    EXPECT_FALSE(table->isVisible());
    while (!shown && clock.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(table->isVisible());
    EXPECT_FALSE(form->TabellenAnzeigeTimer->isActive());
    EXPECT_TRUE(desktop.shown().empty()) << desktop.shownTexts().join(u'|').toStdString();
    EXPECT_FALSE(QFile::exists(remarksPath()));
}

TEST_F(TableWindowTest, FourSlotWindowLaysOutGridBesideRemarks)
{
    openAndShow([](TTabellenDlg& t) {
        EXPECT_EQ(t.size(), QSize(836, 665));
        const QRect grid = t.StringGrid1->geometry();
        EXPECT_EQ(grid.size(), QSize(619, 605));
        EXPECT_EQ(t.Memo1->geometry(), QRect(grid.right() + 3, grid.top(), 196, 605));
        EXPECT_EQ(grid.top(), t.MainMenu1->geometry().bottom() + 1);

        // The grid follows all four edges, the remarks pane the right one.
        t.resize(936, 705);
        EXPECT_EQ(t.StringGrid1->size(), QSize(719, 645));
        EXPECT_EQ(t.Memo1->geometry(), QRect(grid.left() + 721, grid.top(), 196, 645));
        t.resize(836, 665);

        // Only the menu and the close button leave the window.
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&t, &escape);
        EXPECT_TRUE(t.isVisible());
    });
    EXPECT_EQ(table->StringGrid1->columnCount(), 12);
    EXPECT_EQ(table->StringGrid1->rowCount(), 32);
    EXPECT_EQ(table->StringGrid1->columnWidth(2), 61);
    EXPECT_EQ(table->StringGrid1->columnWidth(3), 16);
    EXPECT_EQ(table->StringGrid1->rowHeight(31), 25);
    EXPECT_FALSE(table->StringGrid1->horizontalHeader()->isVisible());
    EXPECT_FALSE(table->StringGrid1->verticalHeader()->isVisible());
    EXPECT_EQ(table->StringGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(table->StringGrid1->font().pixelSize(), 11);
    EXPECT_TRUE(table->StringGrid1->font().bold());
    EXPECT_EQ(table->Memo1->font().pixelSize(), 12);
    EXPECT_EQ(table->Memo1->toPlainText(), QStringLiteral("          Meine Bemerkung:\n\n"));
    EXPECT_EQ(itemTexts(table->Datei1), (QStringList{"&Drucken", "  ", "Be&enden"}));
    EXPECT_EQ(itemTexts(table->PopupMenu1),
              (QStringList{"Drucken", "Markierter Text kopieren", "Alles als Grafik kopieren",
                           "Nur markierter Bereich als Grafik kopieren", "   "}));
}

TEST_F(TableWindowTest, WheelScrollsAThirdOfItsDeltaAndRightClickOpensTheMenu)
{
    openAndShow([](TTabellenDlg& t) {
        QScrollBar* bar = t.StringGrid1->verticalScrollBar();
        ASSERT_GT(bar->maximum(), 100);
        const QPointF inside(30, 30);
        auto wheel = [&](int delta) {
            QWheelEvent event(inside, t.StringGrid1->viewport()->mapToGlobal(inside), {}, {0, delta}, Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(t.StringGrid1->viewport(), &event);
        };
        wheel(-120);
        EXPECT_EQ(bar->value(), 40);
        wheel(-200); // 66.7, cut toward zero
        EXPECT_EQ(bar->value(), 106);
        wheel(100);
        EXPECT_EQ(bar->value(), 73);

        QMouseEvent press(QEvent::MouseButtonPress, inside, t.StringGrid1->viewport()->mapToGlobal(inside),
                          Qt::RightButton, Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(t.StringGrid1->viewport(), &press);
        EXPECT_TRUE(t.PopupMenu1->isVisible());
        t.PopupMenu1->hide();
    });
}

TEST_F(TableWindowTest, SlotModeDecidesColumnsAndLayout)
{
    state.entryList = {entryLine(QStringLiteral("Morgens den "), 5, QStringLiteral("08:00"), 420),
                       entryLine(QStringLiteral("Messung5 den "), 5, QStringLiteral("15:30"), 399)};
    form->openTableWindow();
    EXPECT_EQ(table->StringGrid1->columnCount(), 12);
    EXPECT_EQ(rowTexts(*table, 5).mid(3), QStringList(9, QStringLiteral("  ")));

    state.fourSlotMark = false;
    state.eightSlotMark = true;
    openAndShow([](TTabellenDlg& t) {
        EXPECT_EQ(t.size(), QSize(1195, 660));
        const QRect grid = t.StringGrid1->geometry();
        EXPECT_EQ(grid.size(), QSize(1175, 498));
        EXPECT_EQ(t.Memo1->geometry(), QRect(grid.left(), grid.bottom() + 3, 1175, 100));
        t.resize(1295, 700);
        EXPECT_EQ(t.StringGrid1->size(), QSize(1275, 538));
        EXPECT_EQ(t.Memo1->geometry(), QRect(grid.left(), grid.bottom() + 43, 1275, 100));
    });
    EXPECT_EQ(table->StringGrid1->columnCount(), 24);
    EXPECT_EQ(table->StringGrid1->item(5, 13)->text(), QStringLiteral("    15:30  "));
    EXPECT_EQ(table->StringGrid1->item(5, 14)->text(), QStringLiteral("    399"));
    EXPECT_EQ(table->StringGrid1->item(0, 22)->text(), QStringLiteral(" ABENDS"));
    EXPECT_EQ(table->StringGrid1->columnWidth(21), 16);
}

TEST_F(TableWindowTest, RowsFollowTheEntryDialogsMonthAndYear)
{
    state.entryMonth = 2;
    state.entryYear = 2024;
    form->openTableWindow();
    EXPECT_EQ(table->StringGrid1->rowCount(), 30);
    EXPECT_EQ(table->StringGrid1->item(29, 0)->text(), QStringLiteral("      29"));

    state.entryYear = 2023;
    form->openTableWindow();
    EXPECT_EQ(table->StringGrid1->rowCount(), 29);

    state.entryMonth = 4;
    form->openTableWindow();
    EXPECT_EQ(table->StringGrid1->rowCount(), 31);
    form->TabellenAnzeigeTimer->stop();
}
