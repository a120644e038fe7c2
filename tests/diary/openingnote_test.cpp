// Readings whose date cannot be read are named when a diary is opened, never dropped unseen.
#include "diary/openingnote.h"

#include <gtest/gtest.h>

using namespace luftikon;

TEST(OpeningNote, NamesReadingsNoChartCanPlaceAndOnlyThose)
{
    const QStringList fine{QStringLiteral("Morgens den    29.2.2024 Z=08:00  Luftikon=400"),
                           QStringLiteral("Abends den      30.04.2024 Z=20:00  Luftikon=410")};
    const QStringList undated{QStringLiteral("Morgens den    31.4.2024 Z=08:00  Luftikon=400"), // April has 30
                              QStringLiteral("Messung2 den 05.13.2024 Z=12:00  Luftikon=380"),
                              QStringLiteral("Abends den      05.3. Z=20:00  Luftikon=390"),
                              QStringLiteral("Messung3 den 00.3.2024 Z=16:00  Luftikon=400")};
    const DiaryFile diary = diaryOf(QStringList{QStringLiteral("[Personendaten]")} + fine + undated,
                                    QStringLiteral("/nirgends/Erika_3_2024.tab"));
    EXPECT_EQ(undatedReadings(diary), undated);
    const QString note = openingNote(diary);
    EXPECT_TRUE(note.contains(QStringLiteral("4 Messwerte"))) << note.toStdString();
    EXPECT_TRUE(note.contains(undated.front())) << note.toStdString();

    EXPECT_TRUE(openingNote(diaryOf(fine, QStringLiteral("/nirgends/Erika_3_2024.tab"))).isEmpty());
}
