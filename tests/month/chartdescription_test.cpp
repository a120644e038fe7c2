// The chart told in words: what a screen reader says for the month on screen.
#include "month/chartdescription.h"
#include "support/diarylines.h"
#include "support/widgettext.h"

#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::reading;

TEST(ChartDescription, TellsTheMonthItsBestValueAndTheLatestReadingWithItsZone)
{
    const struct {
        QStringList lines;
        QString path;
        QString expected;
    } cases[] = {
        // The latest reading is the last of the day, not the last line of the file.
        {{reading("Abends", 6, 455, 12, 2026), reading("Morgens", 6, 466, 12, 2026),
          reading("Abends", 1, 470, 12, 2026), reading("Morgens", 2, 120, 12, 2026),
          reading("Morgens", 3, 0, 12, 2026)},
         QStringLiteral("Muster_12_2026.tab"),
         QStringLiteral(
             "Dezember 2026: 5 Messwerte, Bestwert 470 l/min, letzter Wert 455 l/min am 06.12. (gelbe Zone)")},
        // A value on a limit belongs to the better zone; lines the chart leaves out are not counted.
        {{reading("Messung2", 9, 500), reading("Morgens", 9, "abc"), QStringLiteral("Notiz: Spray neu")},
         QStringLiteral("Muster_3_2024.tab"),
         QStringLiteral("März 2024: 1 Messwert, Bestwert 500 l/min, letzter Wert 500 l/min am 09.03. (grüne Zone)")},
        {{reading("Morgens", 31, 199, 1, 2025)},
         QStringLiteral("x.tab"),
         QStringLiteral("Januar 2025: 1 Messwert, Bestwert 199 l/min, letzter Wert 199 l/min am 31.01. (rote Zone)")},
        // All zero: no best value to name.
        {{reading("Morgens", 4, 0, 5, 2024)},
         QStringLiteral("x.tab"),
         QStringLiteral("Mai 2024: 1 Messwert, letzter Wert 0 l/min am 04.05. (rote Zone)")},
        {{}, QStringLiteral("Muster_3_2024.tab"), QStringLiteral("März 2024: keine Messwerte")},
        {{}, QStringLiteral("notizen.tab"), QStringLiteral("Keine Messwerte")},
    };
    for (const auto& c : cases) {
        const DiaryFile diary = diaryOf(test::diaryHead(QStringLiteral("Muster"), QString()) + c.lines, c.path);
        EXPECT_EQ(chartDescription(diary, summaryOf(diary.readings), ZoneLimits{500, 200}), c.expected);
    }
}
