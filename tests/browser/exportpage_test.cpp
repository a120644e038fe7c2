#include "browser/exportpage.h"
#include "pagefixtures.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::Sandbox;

namespace {

struct Notice {
    MessageKind kind;
    QString text;
};

struct Recorder {
    std::vector<Notice> notices;
    Notify notify()
    {
        return [this](MessageKind kind, const QString& text) { notices.push_back({kind, text}); };
    }
};

} // namespace

TEST(ExportPage, NoMonthYetWritesNothing)
{
    Sandbox box;
    test::putChartScript(box, "js");
    for (const char* monthText : {"", "  "}) {
        ExportRequest request = test::sparseMarch2024(box);
        request.month.month = QString::fromLatin1(monthText); // a diary without readings clears it
        Recorder recorder;
        EXPECT_FALSE(ExportMonthPage(request, recorder.notify()));
        ASSERT_EQ(recorder.notices.size(), 1u);
        EXPECT_EQ(recorder.notices[0].kind, MessageKind::Plain);
        EXPECT_EQ(recorder.notices[0].text, QStringLiteral("Es wurden noch keine Daten eingegeben!"));
        EXPECT_FALSE(QFileInfo::exists(request.htmlFolder));
    }
}

TEST(ExportPage, PageNameDropsOnlyTheTabEnding)
{
    EXPECT_EQ(PageFileName(QStringLiteral("/d/2024/Dr.Tabea_3_2024.tab")), QStringLiteral("Dr.Tabea_3_2024.html"));
    EXPECT_EQ(PageFileName(QStringLiteral("/d/2020/Anna.TAB")), QStringLiteral("Anna.html"));
    EXPECT_EQ(PageFileName(QStringLiteral("/d/2020/x.tab.Tab")), QStringLiteral("x.tab.html"));
    EXPECT_FALSE(PageFileName(QStringLiteral("/d/2020/Anna.tab.bak")));
    EXPECT_FALSE(PageFileName(QString()));
}

TEST(ExportPage, RefusesADiaryWithoutTabEndingOrWithoutACalendarMonth)
{
    Sandbox box;
    test::putChartScript(box, "js");
    ExportRequest noTab = test::sparseMarch2024(box);
    noTab.currentDiaryFile = box.file(QStringLiteral("Anna.tab.bak"));
    ExportRequest badMonth = test::sparseMarch2024(box);
    badMonth.month.month = QStringLiteral("13");
    ExportRequest badYear = test::sparseMarch2024(box);
    badYear.month.year = QStringLiteral("24");

    for (const ExportRequest& request : {noTab, badMonth, badYear}) {
        Recorder recorder;
        EXPECT_FALSE(ExportMonthPage(request, recorder.notify()));
        ASSERT_EQ(recorder.notices.size(), 1u);
        EXPECT_EQ(recorder.notices[0].kind, MessageKind::Warning);
        EXPECT_TRUE(
            recorder.notices[0].text.startsWith(QStringLiteral("Die Seite für den Browser wurde nicht erstellt")));
        EXPECT_FALSE(QFileInfo::exists(request.htmlFolder));
    }
}

TEST(ExportPage, CopiesTheScriptOnceAndNeverOverwritesIt)
{
    Sandbox box;
    test::putChartScript(box, "first");
    const ExportRequest request = test::fullJanuary2017(box);
    Recorder recorder;
    const auto page = ExportMonthPage(request, recorder.notify());
    ASSERT_TRUE(page);
    EXPECT_TRUE(recorder.notices.empty());
    const QString copied = request.htmlFolder + QStringLiteral("2017/Chart.min.js");
    EXPECT_EQ(Sandbox::readBytes(copied), QByteArray("first"));

    // A newer script in the data folder does not replace the one beside the page, and an
    // existing page is replaced.
    test::putChartScript(box, "second");
    Sandbox::writeBytes(*page, "old page");
    ASSERT_TRUE(ExportMonthPage(request, recorder.notify()));
    EXPECT_TRUE(recorder.notices.empty());
    EXPECT_EQ(Sandbox::readBytes(copied), QByteArray("first"));
    EXPECT_TRUE(Sandbox::readBytes(*page).startsWith("<!doctype html>"));
}

TEST(ExportPage, MissingScriptNamesTheYearFolderAndStillGivesThePage)
{
    Sandbox box;
    const ExportRequest request = test::fullJanuary2017(box);
    Recorder recorder;
    const auto page = ExportMonthPage(request, recorder.notify());
    ASSERT_TRUE(page);
    EXPECT_TRUE(QFileInfo(*page).isFile());
    ASSERT_EQ(recorder.notices.size(), 1u);
    EXPECT_EQ(recorder.notices[0].kind, MessageKind::Plain);
    EXPECT_EQ(recorder.notices[0].text, QStringLiteral("Datei \"") + box.path() +
                                            QStringLiteral("/scripts/Chart.min.js\" konnte nicht in den Ordner:\"") +
                                            box.path() +
                                            QStringLiteral("/Luftikon-Daten im Browser/2017\" kopiert werden! "));
}

TEST(ExportPage, EmptyYearFolderNameWritesIntoTheExportFolder)
{
    Sandbox box;
    test::putChartScript(box, "js");
    ExportRequest request = test::fullJanuary2017(box);
    request.diaryYear.clear();
    Recorder recorder;
    const auto page = ExportMonthPage(request, recorder.notify());
    ASSERT_TRUE(page);
    EXPECT_TRUE(recorder.notices.empty());
    EXPECT_EQ(*page, request.htmlFolder + QStringLiteral("Anna_01_2017.html"));
    EXPECT_TRUE(QFileInfo::exists(request.htmlFolder + QStringLiteral("Chart.min.js")));
}

TEST(ExportPage, FolderThatCannotBeMadeIsReportedAndTheFailedSaveEndsTheCommand)
{
    Sandbox box;
    test::putChartScript(box, "js");
    ExportRequest request = test::fullJanuary2017(box);
    Sandbox::writeBytes(box.file(QStringLiteral("blocker")), "a file, not a folder");
    request.htmlFolder = box.file(QStringLiteral("blocker/"));
    Recorder recorder;
    EXPECT_FALSE(ExportMonthPage(request, recorder.notify()));
    ASSERT_EQ(recorder.notices.size(), 2u);
    EXPECT_EQ(recorder.notices[0].kind, MessageKind::Plain);
    EXPECT_EQ(recorder.notices[0].text, QStringLiteral("Ordner \"") + box.path() +
                                            QStringLiteral("/blocker/2017\" konnte nicht erstellt werden! "));
    EXPECT_EQ(recorder.notices[1].kind, MessageKind::Error);
    EXPECT_TRUE(recorder.notices[1].text.contains(QStringLiteral("/blocker/2017/Anna_01_2017.html")));
}
