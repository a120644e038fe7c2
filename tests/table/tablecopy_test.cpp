#include "support/children.h"
#include "table/tablefixture.h"
#include "table/tablepicture.h"

#include <QTableWidgetSelectionRange>

using namespace luftikon;
using namespace luftikon::test;

namespace {

void select(TableWindow& t, int left, int top, int right, int bottom)
{
    child<QTableWidget>(&t, "readingsGrid")->clearSelection();
    child<QTableWidget>(&t, "readingsGrid")
        ->setRangeSelected(QTableWidgetSelectionRange(top, left, bottom, right), true);
}

void pressCtrlC(TableWindow& t)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"));
    QApplication::sendEvent(child<QTableWidget>(&t, "readingsGrid"), &press);
}

} // namespace

class TableCopyTest : public TableWindowTest {
protected:
    TableCopyTest() { showMarch({reading("Morgens", 7, 420), reading("Abends", 7, 395, 3, 2024, "20:15")}); }
};

TEST_F(TableCopyTest, CtrlCCopiesTheSelectionAsTabbedRows)
{
    openAndShow([](TableWindow& t) {
        const QStringList headers = t.cellTexts()[0];
        select(t, 0, 6, 11, 7);
        pressCtrlC(t);
        // The header row as copied, then back as displayed.
        select(t, 0, 0, 4, 0);
        child<QAction>(&t, "copySelectedTextAction")->trigger();
        EXPECT_EQ(t.cellTexts()[0], headers);
        child<QTableWidget>(&t, "readingsGrid")->clearSelection();
        child<QTableWidget>(&t, "readingsGrid")->setCurrentCell(7, 11);
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

TEST_F(TableCopyTest, PicturesOfTheWholeGridAndOfTheSelection)
{
    openAndShow([](TableWindow& t) {
        select(t, 2, 3, 5, 9); // no highlight may end up in the picture
        child<QAction>(&t, "copyAllAsPictureAction")->trigger();
        child<QTableWidget>(&t, "readingsGrid")->clearSelection();
        child<QTableWidget>(&t, "readingsGrid")->setCurrentCell(0, 0);
        child<QAction>(&t, "copySelectionAsPictureAction")->trigger();
        select(t, 10, 30, 11, 31); // touches the last row and column
        child<QAction>(&t, "copySelectionAsPictureAction")->trigger();
        select(t, 1, 7, 3, 7); // ends on a spacer column
        child<QAction>(&t, "copySelectionAsPictureAction")->trigger();
    });
    const auto& images = desktop.clipboardImages();
    ASSERT_EQ(images.size(), 4u);
    const QImage& whole = images[0];
    EXPECT_EQ(whole.size(), QSize(597, 25 * 32));
    // A selected cell (column 2, row 4) is as white as the others.
    EXPECT_EQ(whole.pixelColor(122 + 58, 100 + 22), QColor(Qt::white));

    // The cut-outs are pieces of the whole, with their closing grid lines and nothing from outside.
    EXPECT_EQ(images[1], whole.copy(0, 0, 62, 26));
    EXPECT_EQ(images[2], whole.copy(475, 750, 122, 50));
    EXPECT_EQ(images[2].pixelColor(121, 49), gridLineColor());
    EXPECT_EQ(images[3], whole.copy(61, 175, 139, 26));
    EXPECT_EQ(images[3].pixelColor(137, 10), gridLineColor()); // the spacer's own grid line
}

TEST_F(TableCopyTest, TheGridOnScreenLooksLikeThePicture)
{
    openAndShow([](TableWindow& t) {
        child<QTableWidget>(&t, "readingsGrid")->clearSelection();
        child<QTableWidget>(&t, "readingsGrid")->setCurrentCell(-1, -1);
        QApplication::processEvents();
        const QImage screen =
            child<QTableWidget>(&t, "readingsGrid")->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage picture = t.gridPicture();
        const QRect shared = QRect(QPoint(0, 0), screen.size()).intersected(picture.rect());
        ASSERT_GE(shared.height(), 25 * 20);
        EXPECT_EQ(screen.copy(shared), picture.copy(shared));
    });
}
