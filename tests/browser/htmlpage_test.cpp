#include "browser/htmlpage.h"
#include "diary/diaryfile.h"
#include "pagefixtures.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>

using namespace luftikon;
using luftikon::test::Sandbox;

namespace {

QList<DiaryEntry> readingsOf(const QStringList& lines)
{
    return diaryOf(lines, QString()).readings;
}

} // namespace

// The exported page byte for byte: a sparse month with umlauts and remarks at brightness 0; a full
// month at brightness 3 without values or breaks; a common February without diary, empty remarks.
TEST(PageGolden, ExportedPagesMatchTheirGoldenBytes)
{
    const struct {
        std::function<ExportRequest(const Sandbox&)> month;
        QString pageName, golden;
    } cases[] = {
        {test::sparseMarch2024, QStringLiteral("Jürgen Mäder_03_2024.html"), QStringLiteral("sparse_march_2024.html")},
        {test::fullJanuary2017, QStringLiteral("Anna_01_2017.html"), QStringLiteral("full_january_2017.html")},
        {test::february2023, QStringLiteral("Anna_02_2023.html"), QStringLiteral("february_2023.html")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.golden.toStdString());
        Sandbox box;
        test::putChartScript(box, "/* chart */");
        const ExportRequest request = c.month(box);
        QStringList notices;
        const auto path = exportMonthPage(request, [&](MessageKind, const QString& text) { notices << text; });
        EXPECT_TRUE(notices.isEmpty()) << notices.join(u'\n').toStdString();
        ASSERT_TRUE(path);
        EXPECT_EQ(*path, request.htmlFolder + request.diaryYear + QLatin1Char('/') + c.pageName);
        const QByteArray golden = test::goldenPage(c.golden);
        ASSERT_FALSE(golden.isEmpty()) << "golden file missing";
        // As strings, so a failure shows the differing lines.
        EXPECT_EQ(Sandbox::readBytes(*path).toStdString(), golden.toStdString());
    }
}

TEST(PageColours, HighByteIgnoredAndBrightnessOutsideTheSliderTakesTheNearestLevel)
{
    EXPECT_EQ(colorToHtml(0xFF0A0B0C), QStringLiteral("#0C0B0A"));
    EXPECT_EQ(bandPaletteFor(-3).redBorder, QStringLiteral("#DD3631"));
    EXPECT_EQ(bandPaletteFor(9).greenFill, QStringLiteral("#25E432"));
}

TEST(bestValueLine, MatchesTheLastReadingOfTheValueCutAtTheTime)
{
    // A best value of 202 must not pick a line only because its year is 2024.
    const QStringList diary{
        QStringLiteral("[Personendaten]"),
        QStringLiteral("GrenzwertRot<=202"),
        QStringLiteral("Morgens den    01.03.2024 Z=08:00  Luftikon=202"),
        QStringLiteral("Abends den     03.03.2024 Z=20:00  Luftikon=2020"),
        QStringLiteral("Abends den     04.03.2024 Z=20:00  Luftikon=1202"),
    };
    EXPECT_EQ(bestValueLine(readingsOf(diary), 202), QStringLiteral("Morgens den    01.03.2024"));
    EXPECT_EQ(bestValueLine(readingsOf(diary), 203), QStringLiteral("-"));
    // Without a reading above 0 there is no best value, so a reading of 0 is not quoted.
    EXPECT_EQ(bestValueLine(readingsOf({QStringLiteral("Morgens den    01.03.2024 Z=08:00  Luftikon=0")}), 0),
              QStringLiteral("-"));

    const QStringList twice{
        QStringLiteral("Morgens den    03.03.2024 Z=08:00  Luftikon=480"),
        QStringLiteral("Messung2 den 17.03.2024 Z=12:00  Luftikon= 480 \t"),
        QStringLiteral("BenutzerName=Luftikon=480"), // not an entry line
    };
    EXPECT_EQ(bestValueLine(readingsOf(twice), 480), QStringLiteral("Messung2 den 17.03.2024"));
    // Without a time the whole line is kept, trimmed.
    EXPECT_EQ(
        bestValueLine(readingsOf(twice + QStringList{QStringLiteral("Abends den 19.03.2024 Luftikon=480  ")}), 480),
        QStringLiteral("Abends den 19.03.2024 Luftikon=480"));
}

TEST(PageLimits, LimitsClickedToTheEndsOfTheRangeDoNotWrapRound)
{
    PageInput in;
    in.month = {QStringLiteral("03"), QStringLiteral("2024"), QStringLiteral("März"), QStringLiteral("Anna")};
    in.dailyMeans[0] = QStringLiteral("400");
    in.redLimit = std::numeric_limits<int>::max();
    in.greenLimit = std::numeric_limits<int>::min();
    const QString page = buildPage(in).join(u'\n');
    // The bands just above red and just below green lie beyond the 32-bit range.
    EXPECT_TRUE(page.contains(QStringLiteral("data: [2147483648,"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("data: [-2147483649,")));
}
