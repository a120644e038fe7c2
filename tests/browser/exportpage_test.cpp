#include "browser/exportpage.h"
#include "pagefixtures.h"

#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

using namespace luftikon;
using luftikon::test::Sandbox;

namespace {

struct Recorder {
    std::vector<std::pair<MessageKind, QString>> notices;
    Notify notify()
    {
        return [this](MessageKind kind, const QString& text) { notices.emplace_back(kind, text); };
    }
};

} // namespace

TEST(ExportPage, NoMonthOrAnUnusableDiaryWritesNothingAndSaysWhy)
{
    Sandbox box;
    test::putChartScript(box, "js");
    const auto variant = [&](const std::function<void(ExportRequest&)>& change) {
        ExportRequest request = test::sparseMarch2024(box);
        change(request);
        return request;
    };
    const QString noData = QStringLiteral("Es wurden noch keine Daten eingegeben!");
    const QString notMade = QStringLiteral("Die Seite für den Browser wurde nicht erstellt");
    const std::pair<ExportRequest, MessageKind> cases[] = {
        // A diary without readings clears the month.
        {variant([](ExportRequest& r) { r.month.month.clear(); }), MessageKind::Plain},
        {variant([&](ExportRequest& r) { r.currentDiaryFile = box.file(QStringLiteral("Anna.tab.bak")); }),
         MessageKind::Warning},
        {variant([](ExportRequest& r) { r.month.month = QStringLiteral("13"); }), MessageKind::Warning},
        {variant([](ExportRequest& r) { r.month.year = QStringLiteral("24"); }), MessageKind::Warning},
    };
    for (const auto& [request, kind] : cases) {
        Recorder recorder;
        EXPECT_FALSE(exportMonthPage(request, recorder.notify()));
        ASSERT_EQ(recorder.notices.size(), 1u);
        EXPECT_EQ(recorder.notices[0].first, kind);
        EXPECT_TRUE(recorder.notices[0].second.startsWith(kind == MessageKind::Plain ? noData : notMade))
            << recorder.notices[0].second.toStdString();
        EXPECT_FALSE(QFileInfo::exists(request.htmlFolder));
    }
    // Only a ".tab" ending, in any case, makes a page name.
    EXPECT_EQ(pageFileName(QStringLiteral("/d/2020/x.tab.Tab")), QStringLiteral("x.tab.html"));
    EXPECT_FALSE(pageFileName(QString()));
}

TEST(ExportPage, CopiesTheScriptOnceAndReplacesThePage)
{
    Sandbox box;
    const ExportRequest request = test::fullJanuary2017(box);
    // Without the script in the data folder the page is still written, and the user told so.
    Recorder missing;
    ASSERT_TRUE(exportMonthPage(request, missing.notify()));
    ASSERT_EQ(missing.notices.size(), 1u);
    EXPECT_EQ(missing.notices[0].first, MessageKind::Plain);
    EXPECT_EQ(missing.notices[0].second, QStringLiteral("Datei \"") + box.path() +
                                             QStringLiteral("/scripts/Chart.min.js\" konnte nicht in den Ordner:\"") +
                                             box.path() +
                                             QStringLiteral("/Luftikon-Daten im Browser/2017\" kopiert werden! "));

    test::putChartScript(box, "first");
    Recorder recorder;
    const auto page = exportMonthPage(request, recorder.notify());
    ASSERT_TRUE(page);
    const QString copied = request.htmlFolder + QStringLiteral("2017/Chart.min.js");
    EXPECT_EQ(Sandbox::readBytes(copied), QByteArray("first"));

    // A newer script in the data folder does not replace the one beside the page; an existing page is replaced.
    test::putChartScript(box, "second");
    Sandbox::writeBytes(*page, "old page");
    ASSERT_TRUE(exportMonthPage(request, recorder.notify()));
    EXPECT_EQ(Sandbox::readBytes(copied), QByteArray("first"));
    EXPECT_TRUE(Sandbox::readBytes(*page).startsWith("<!doctype html>"));

    // Without a year folder name the page and script go into the export folder itself.
    ExportRequest noYear = request;
    noYear.diaryYear.clear();
    EXPECT_EQ(exportMonthPage(noYear, recorder.notify()).value_or(QString()),
              request.htmlFolder + QStringLiteral("Anna_01_2017.html"));
    EXPECT_TRUE(QFileInfo::exists(request.htmlFolder + QStringLiteral("Chart.min.js")));
    EXPECT_TRUE(recorder.notices.empty());
}

TEST(ExportPage, FolderThatCannotBeMadeIsReportedAndTheFailedSaveEndsTheCommand)
{
    Sandbox box;
    test::putChartScript(box, "js");
    ExportRequest request = test::fullJanuary2017(box);
    Sandbox::writeBytes(box.file(QStringLiteral("blocker")), "a file, not a folder");
    request.htmlFolder = box.file(QStringLiteral("blocker/"));
    Recorder recorder;
    EXPECT_FALSE(exportMonthPage(request, recorder.notify()));
    ASSERT_EQ(recorder.notices.size(), 2u);
    EXPECT_EQ(recorder.notices[0].first, MessageKind::Plain);
    EXPECT_EQ(recorder.notices[0].second, QStringLiteral("Ordner \"") + box.path() +
                                              QStringLiteral("/blocker/2017\" konnte nicht erstellt werden! "));
    EXPECT_EQ(recorder.notices[1].first, MessageKind::Error);
    EXPECT_TRUE(recorder.notices[1].second.contains(QStringLiteral("/blocker/2017/Anna_01_2017.html")));
}
