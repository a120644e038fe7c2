// Saves that run without the entry dialog, and the month the windows see right after start-up.
#include "chart/scales.h"
#include "support/appfixture.h"
#include "support/children.h"
#include "support/diarylines.h"
#include "table/tablewindow.h"

#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::reading;

namespace {

const QStringList march{reading("Morgens", 1, 368), reading("Abends", 1, 410, 3, 2024, QStringLiteral("20:00")),
                        reading("Morgens", 2, 395)};

// Erika returns to her diary of that month, limits set; the first show draws it.
struct Erika : test::AppFixture {
    QString diary;

    Erika(int month, const QString& monthAndYear, const QStringList& readings)
    {
        diary = diaryPath(QStringLiteral("Erika"), month, 2024);
        writeLines(diary, test::diaryHead(QStringLiteral("Erika"), monthAndYear, false, 450, 200) + readings);
        returnTo(QStringLiteral("Erika"), diary);
    }
};

} // namespace

TEST(BackgroundSave, SwitchRightAfterStartRewritesTheDrawnMonthWithoutABox)
{
    Erika user(3, QString::fromUtf8("März 2024"), march);
    child<QAction>(user.form, "eightReadingsADayAction")->trigger();

    EXPECT_TRUE(user.desktop.shown().empty()) << user.desktop.shownTexts().join(u'|').toStdString();
    // The diary now says eight slots and still holds its limits and every March reading.
    const QByteArray saved = user.bytes(user.diary);
    EXPECT_TRUE(saved.contains("BisZu8MessungenJeTag=1\r\nBisZu4MessungenJeTag=0")) << saved.constData();
    EXPECT_TRUE(saved.contains("GrenzwertGruen>=450\r\nGrenzwertRot<=200\r\n"));
    EXPECT_TRUE(saved.endsWith((march.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1()));
    // Drawn again, not left as the bare template.
    EXPECT_EQ(user.form->chartPicture().pixelColor(readingX(1, 1, SlotMode::Eight), readingY(368)),
              QColor(243, 190, 93));
    EXPECT_EQ(user.form->month().summary().best.value, 410);
}

TEST(BackgroundSave, TableRightAfterStartHasTheDaysOfTheDrawnFebruary)
{
    Erika user(2, QStringLiteral("Februar 2024"), {reading("Morgens", 28, 400, 2), reading("Morgens", 29, 410, 2)});
    child<QAction>(user.form, "showCurrentTableAction")->trigger();
    child<QTimer>(user.form, "tableShowTimer")->stop();
    QTableWidget& grid = *child<QTableWidget>(&user.form->tableWindow(), "readingsGrid");
    ASSERT_EQ(grid.rowCount(), 30); // the heading and 29 days
    EXPECT_EQ(grid.item(29, 2)->text(), QStringLiteral("    410"));

    grid.selectAll();
    user.form->tableWindow().copySelectedText();
    ASSERT_EQ(user.desktop.clipboardTexts().size(), 1);
    const QStringList rows = user.desktop.clipboardTexts().back().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    EXPECT_EQ(rows.size(), 30);
    EXPECT_TRUE(rows.last().startsWith(QStringLiteral("      29"))) << rows.last().toStdString();
}

TEST(BackgroundSave, SwitchWithoutADiaryOnScreenCreatesNoFile)
{
    test::AppFixture m;
    m.state.userName = QStringLiteral("Erika");
    child<QAction>(m.form, "eightReadingsADayAction")->trigger();

    EXPECT_TRUE(m.form->month().layout().marks(SlotMode::Eight));
    EXPECT_TRUE(QDir(m.state.galleryFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    EXPECT_TRUE(m.desktop.shown().empty()) << m.desktop.shownTexts().join(u'|').toStdString();
}
