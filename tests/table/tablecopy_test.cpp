#include "table/tablefixture.h"
#include "table/tablepicture.h"

#include <QTableWidgetSelectionRange>

using namespace luftikon;
using luftikon::test::entryLine;
using luftikon::test::TableWindowTest;

namespace {

void select(TTabellenDlg& t, int left, int top, int right, int bottom)
{
    t.StringGrid1->clearSelection();
    t.StringGrid1->setRangeSelected(QTableWidgetSelectionRange(top, left, bottom, right), true);
}

void pressCtrlC(TTabellenDlg& t)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"));
    QApplication::sendEvent(t.StringGrid1, &press);
}

const QColor white(Qt::white);

} // namespace

class TableCopyTest : public TableWindowTest {
protected:
    void SetUp() override
    {
        TableWindowTest::SetUp();
        state.entryList = {entryLine(QStringLiteral("Morgens den "), 7, QStringLiteral("08:00"), 420),
                           entryLine(QStringLiteral("Abends den "), 7, QStringLiteral("20:15"), 395)};
    }
};

TEST_F(TableCopyTest, CtrlCCopiesTheSelectionAsTabbedRows)
{
    openAndShow([](TTabellenDlg& t) {
        const QStringList headers = t.cellTexts()[0];
        select(t, 0, 6, 11, 7);
        pressCtrlC(t);
        // The header row as copied, then back as displayed.
        select(t, 0, 0, 4, 0);
        t.MarkierterTextkopieren1->trigger();
        EXPECT_EQ(t.cellTexts()[0], headers);
        t.StringGrid1->clearSelection();
        t.StringGrid1->setCurrentCell(7, 11);
        pressCtrlC(t);
    });
    ASSERT_EQ(desktop.clipboardTexts().size(), 3);
    EXPECT_EQ(desktop.clipboardTexts()[0],
              QStringLiteral("      06\t  \t  \t  \t  \t  \t  \t  \t  \r\n"
                             "      07\t    08:00  \t    420\t  \t  \t  \t  \t    20:15  \t    395\r\n"));
    EXPECT_EQ(desktop.clipboardTexts()[1], QStringLiteral("  DATUM MORGENS Luftikon    MESS.2\r\n"));
    EXPECT_EQ(desktop.clipboardTexts()[2], QStringLiteral("    395\r\n"));
    EXPECT_TRUE(desktop.clipboardImages().empty());
}

TEST_F(TableCopyTest, WholeGridPictureHasCellsAndGridLinesAtTheirPitches)
{
    openAndShow([](TTabellenDlg& t) {
        select(t, 2, 3, 5, 9); // no highlight may end up in the picture
        t.AllesalsGrafikkopieren1->trigger();
    });
    ASSERT_EQ(desktop.clipboardImages().size(), 1u);
    const QImage picture = desktop.clipboardImages()[0];
    EXPECT_EQ(picture.size(), QSize(597, 25 * 32));
    EXPECT_EQ(picture.pixelColor(60, 10), gridLineColor());   // right of column 0
    EXPECT_EQ(picture.pixelColor(30, 24), gridLineColor());   // below row 0
    EXPECT_EQ(picture.pixelColor(198, 100), gridLineColor()); // right of spacer 3
    EXPECT_EQ(picture.pixelColor(596, 799), gridLineColor()); // the bottom right corner
    EXPECT_EQ(gridLineColor(), QColor(1, 0, 0));
    // Cell corners carry no text; a selected cell (column 2, row 4) is as white as the others.
    EXPECT_EQ(picture.pixelColor(0, 0), white);
    EXPECT_EQ(picture.pixelColor(122 + 58, 100 + 22), white);
    EXPECT_EQ(picture.pixelColor(183 + 14, 100 + 22), white);
    // Text is there: the day label of row 7 darkens some pixels of its cell.
    bool inked = false;
    for (int x = 0; x < 60 && !inked; ++x)
        for (int y = 175; y < 199 && !inked; ++y)
            inked = picture.pixelColor(x, y).lightness() < 128;
    EXPECT_TRUE(inked);

    state.fourSlotMark = false;
    state.eightSlotMark = true;
    state.entryMonth = 2;
    state.entryYear = 2023;
    openAndShow([](TTabellenDlg& t) { t.AllesalsGrafikkopieren1->trigger(); });
    ASSERT_EQ(desktop.clipboardImages().size(), 2u);
    EXPECT_EQ(desktop.clipboardImages()[1].size(), QSize(1149, 25 * 29));
}

TEST_F(TableCopyTest, CutOutsCoverTheSelectionInsideThePicture)
{
    QImage whole;
    openAndShow([&whole](TTabellenDlg& t) {
        whole = t.gridPicture();
        t.StringGrid1->clearSelection();
        t.StringGrid1->setCurrentCell(0, 0);
        t.NurmarkierterBereichalsGrafikkopieren1->trigger();
        select(t, 10, 30, 11, 31); // touches the last row and column
        t.NurmarkierterBereichalsGrafikkopieren1->trigger();
        select(t, 1, 7, 3, 7); // ends on a spacer column
        t.NurmarkierterBereichalsGrafikkopieren1->trigger();
    });
    const auto& images = desktop.clipboardImages();
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[0].size(), QSize(62, 26));
    EXPECT_EQ(images[0], whole.copy(0, 0, 62, 26));

    EXPECT_EQ(images[1].size(), QSize(61 + 61 - 1 + 1, 50));
    EXPECT_EQ(images[1], whole.copy(475, 750, 122, 50));
    EXPECT_EQ(images[1].pixelColor(121, 49), gridLineColor()) << "nothing from outside the picture";

    EXPECT_EQ(images[2].size(), QSize(61 + 61 + 16 + 1, 26));
    EXPECT_EQ(images[2], whole.copy(61, 175, 139, 26));
    EXPECT_EQ(images[2].pixelColor(137, 10), gridLineColor()); // the spacer's own grid line
}

TEST_F(TableCopyTest, TheGridOnScreenLooksLikeThePicture)
{
    openAndShow([](TTabellenDlg& t) {
        t.StringGrid1->clearSelection();
        t.StringGrid1->setCurrentCell(-1, -1);
        QApplication::processEvents();
        const QImage screen = t.StringGrid1->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage picture = t.gridPicture();
        const QRect shared = QRect(QPoint(0, 0), screen.size()).intersected(picture.rect());
        ASSERT_GE(shared.height(), 25 * 20);
        EXPECT_EQ(screen.copy(shared), picture.copy(shared));
    });
}
