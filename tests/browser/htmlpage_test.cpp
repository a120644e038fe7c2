#include "browser/htmlpage.h"
#include "diary/diaryfile.h"
#include "pagefixtures.h"

#include <gtest/gtest.h>
#include <limits>

using namespace luftikon;
using luftikon::test::Sandbox;

namespace {

QList<DiaryEntry> readingsOf(const QStringList& lines)
{
    return diaryOf(lines, QString()).readings;
}

// Compares line by line first, so a failure names the first differing line.
void expectSameBytes(const QByteArray& actual, const QByteArray& golden)
{
    ASSERT_FALSE(golden.isEmpty()) << "golden file missing";
    const QList<QByteArray> got = actual.split('\n');
    const QList<QByteArray> want = golden.split('\n');
    for (qsizetype i = 0; i < std::min(got.size(), want.size()); ++i)
        ASSERT_EQ(got[i].toStdString(), want[i].toStdString()) << "line " << i + 1;
    EXPECT_EQ(got.size(), want.size());
    EXPECT_EQ(actual, golden);
}

QByteArray exportedPage(const ExportRequest& request, const QString& expectedName)
{
    QStringList notices;
    const auto path = ExportMonthPage(request, [&](MessageKind, const QString& text) { notices << text; });
    EXPECT_TRUE(notices.isEmpty()) << notices.join(u'\n').toStdString();
    if (!path)
        return QByteArray();
    EXPECT_EQ(*path, request.htmlFolder + request.diaryYear + QLatin1Char('/') + expectedName);
    return Sandbox::readBytes(*path);
}

PageInput simplePage()
{
    PageInput in;
    in.month = {QStringLiteral("03"), QStringLiteral("2024"), QStringLiteral("März"), QStringLiteral("Anna")};
    in.dailyMeans[0] = QStringLiteral("400");
    return in;
}

} // namespace

TEST(PageGolden, SparseMonthWithUmlautsRemarksBrightnessZero)
{
    Sandbox box;
    test::putChartScript(box, "/* chart */");
    expectSameBytes(exportedPage(test::sparseMarch2024(box), QStringLiteral("Jürgen Mäder_03_2024.html")),
                    test::goldenPage(QStringLiteral("sparse_march_2024.html")));
}

TEST(PageGolden, FullMonthBrightnessThreeWithoutValuesOrBreaks)
{
    Sandbox box;
    test::putChartScript(box, "/* chart */");
    expectSameBytes(exportedPage(test::fullJanuary2017(box), QStringLiteral("Anna_01_2017.html")),
                    test::goldenPage(QStringLiteral("full_january_2017.html")));
}

TEST(PageGolden, CommonFebruaryWithoutDiaryAndEmptyRemarks)
{
    Sandbox box;
    test::putChartScript(box, "/* chart */");
    expectSameBytes(exportedPage(test::february2023(box), QStringLiteral("Anna_02_2023.html")),
                    test::goldenPage(QStringLiteral("february_2023.html")));
}

TEST(PageColours, ColorToHtmlReadsRedFromTheLowByte)
{
    EXPECT_EQ(ColorToHtml(10485760), QStringLiteral("#0000A0"));
    EXPECT_EQ(ColorToHtml(128), QStringLiteral("#800000"));
    EXPECT_EQ(ColorToHtml(0x00C0FFEE), QStringLiteral("#EEFFC0"));
    EXPECT_EQ(ColorToHtml(0xFF0A0B0C), QStringLiteral("#0C0B0A"));
}

TEST(PageColours, BrightnessOutsideTheSliderTakesTheNearestLevel)
{
    EXPECT_EQ(BandPaletteFor(-3).redBorder, QStringLiteral("#DD3631"));
    EXPECT_EQ(BandPaletteFor(9).greenFill, QStringLiteral("#25E432"));
    const BandPalette five = BandPaletteFor(5);
    EXPECT_EQ(five.yellowFill, QStringLiteral("#F3F342"));
    EXPECT_EQ(five.yellowBorder, five.yellowFill);
}

// A best value of 202 must not pick a line only because its year is 2024.
TEST(BestValueLine, MatchesTheReadingNotAnySubstring)
{
    const QStringList diary{
        QStringLiteral("[Personendaten]"),
        QStringLiteral("GrenzwertRot<=202"),
        QStringLiteral("Morgens den    01.03.2024 Z=08:00  Luftikon=202"),
        QStringLiteral("Morgens den    02.03.2024 Z=08:00  Luftikon=420"),
        QStringLiteral("Abends den     03.03.2024 Z=20:00  Luftikon=2020"),
        QStringLiteral("Abends den     04.03.2024 Z=20:00  Luftikon=1202"),
    };
    EXPECT_EQ(BestValueLine(readingsOf(diary), 202), QStringLiteral("Morgens den    01.03.2024"));
    EXPECT_EQ(BestValueLine(readingsOf(diary), 203), QStringLiteral("-"));
    EXPECT_EQ(BestValueLine({}, 202), QStringLiteral("-"));
    // Without a reading above 0 there is no best value, so a reading of 0 is not quoted.
    EXPECT_EQ(BestValueLine(readingsOf({QStringLiteral("Morgens den    01.03.2024 Z=08:00  Luftikon=0")}), 0),
              QStringLiteral("-"));
}

TEST(BestValueLine, LastMatchWinsAndIsCutAtTheTimeAndTrimmed)
{
    const QStringList diary{
        QStringLiteral("Morgens den    03.03.2024 Z=08:00  Luftikon=480"),
        QStringLiteral("Messung2 den 17.03.2024 Z=12:00  Luftikon= 480 \t"),
        QStringLiteral("Morgens den    18.03.2024 Z=08:00  Luftikon=470"),
        QStringLiteral("BenutzerName=Luftikon=480"), // not an entry line
        QStringLiteral("Abends den 19.03.2024 Luftikon=480  "),
    };
    EXPECT_EQ(BestValueLine(readingsOf(diary.mid(0, 4)), 480), QStringLiteral("Messung2 den 17.03.2024"));
    // Without a time the whole line is kept, trimmed.
    EXPECT_EQ(BestValueLine(readingsOf(diary), 480), QStringLiteral("Abends den 19.03.2024 Luftikon=480"));
}

// User text must show as text: a remark with a script tag must not run in the browser.
TEST(PageEscaping, UserNameRemarksAndBestValueLineAreEscaped)
{
    PageInput in = simplePage();
    in.month.userName = QStringLiteral("<b>Anna & Bob</b>");
    in.bestValue = 480;
    in.readings = readingsOf({QStringLiteral("Morgens den <i>01.03.2024 Z=08:00  Luftikon=480")});
    in.remarksLines = QStringList{QStringLiteral("<script>alert('x')</script>\tA&B"), QStringLiteral("\t")};
    const QStringList page = BuildPage(in);

    EXPECT_EQ(page[5],
              QStringLiteral("<h0><b>Luftikon Werte von &lt;b&gt;Anna &amp; Bob&lt;/b&gt; im März 2024</b></h0>"));
    EXPECT_TRUE(page[7].contains(QStringLiteral(" l/min. (Morgens den &lt;i&gt;01.03.2024)</h1>")));
    const qsizetype end = page.indexOf(QStringLiteral("});};</script></body></html>"));
    ASSERT_GT(end, 0);
    EXPECT_EQ(
        page.mid(end + 1),
        (QStringList{QStringLiteral("<h2><u>Ihre Angaben:</u><br><h2><div>"),
                     QStringLiteral("&lt;script&gt;alert('x')&lt;/script&gt;&nbsp;&nbsp;&nbsp;&nbsp;A&amp;B <br>"),
                     QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp; <br>")}));
    for (const QString& line : page.mid(end + 1))
        EXPECT_FALSE(line.contains(QStringLiteral("<script>")));
}

TEST(PageLines, LeapFebruaryAndThirtyDayMonthsLabelGroupFiveWithPlaceholders)
{
    PageInput in = simplePage();
    in.month.month = QStringLiteral("02");
    in.month.monthName = QStringLiteral("Februar");
    in.dailyMeans[28] = QStringLiteral("410"); // 29 February
    const QStringList page = BuildPage(in);
    EXPECT_TRUE(page.contains(QStringLiteral("labels: ['Do.29.02.2024' ,'-' ,'-' ,], ")));
    EXPECT_TRUE(page.contains(QStringLiteral(
        "<div class=\"container\"><div class=\"chart-container\"><canvas id=\"diagramm1\"></canvas></div>"
        "<div class=\"chart-container\"><canvas id=\"diagramm5\"></canvas></div>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<center><h2>[Es fehlen Daten der Tagesgruppe:   8-14 , 15-21 , 22-28")));
}

TEST(PageLimits, LimitsClickedToTheEndsOfTheRangeDoNotWrapRound)
{
    PageInput in = simplePage();
    in.redLimit = std::numeric_limits<int>::max();
    in.greenLimit = std::numeric_limits<int>::min();
    const QString page = BuildPage(in).join(u'\n');
    // The bands just above red and just below green lie beyond the 32-bit range.
    EXPECT_TRUE(page.contains(QStringLiteral("data: [2147483648,"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("data: [-2147483649,")));
}
