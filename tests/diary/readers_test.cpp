// Whatever a diary file holds, reading it must neither crash nor lose the lines it has.
#include "diary/diarywriter.h"
#include "diary/entryline.h"
#include "diary/entrysort.h"
#include "diary/iniheader.h"
#include "diary/means.h"
#include "support/sandbox.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::Sandbox;

TEST(DiaryReaders, SurviveGarbageHugeLinesAndMissingHeader)
{
    Sandbox box;
    const QString path = box.file("kaputt.tab");
    QByteArray bytes;
    QRandomGenerator random(42);
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>(random.bounded(256));
    bytes += "\nMorgens den    5.3.2024 Z=08:00  Luftikon=410\n"; // one-digit day, LF only
    bytes += "Abends den      05.3.2024 Z=20:00  Luftikon=viel\n";
    bytes += "M" + QByteArray(10 * 1024 * 1024, '.') + "\n";
    bytes += "A.Luftikon=\n";
    bytes += "Messung2 den 05.3.2024 Z=12:00  Luftikon=430";
    Sandbox::writeBytes(path, bytes);

    const ReadResult file = readTextLines(path);
    ASSERT_TRUE(file.ok);
    const QStringList entries = entryLinesOf(file.lines);
    ASSERT_GE(entries.size(), 5);
    EXPECT_EQ(entries.last(), "Messung2 den 05.3.2024 Z=12:00  Luftikon=430");

    QStringList dayValues;
    for (const QString& line : entries) {
        (void)parseEntryLine(line);
        dayValues << dayValueEntry(line);
    }
    // Day 5: "viel" is not counted and the one-digit day belongs to no day.
    EXPECT_EQ(dailyMeansOf(dayValues)[4], "430");
    EXPECT_EQ(sortEntries(entries).size(), entries.size());

    EXPECT_EQ(readHeaderValue(path, "GrenzwertGruen>", "500"), "500");
    EXPECT_EQ(readHeaderValue(path, "BisZu4MessungenJeTag", ""), "");
}

TEST(DiaryReaders, WriterTakesDefaultsFromAFileWithoutHeader)
{
    Sandbox box;
    DiarySave save;
    save.galleryFolder = box.file("G/");
    save.htmlFolder = box.file("H/");
    save.userName = "Muster";
    save.listMonth = "3";
    save.listYear = "2024";
    save.greenLimit = 321;
    save.margins[1] = "7";
    Sandbox::writeBytes(box.file("G/2024/Muster_3_2024.tab"), "Morgens den    05.3.2024 Z=08:00  Luftikon=420\n");
    save.entries = {"Morgens den    05.3.2024 Z=08:00  Luftikon=420"};
    ASSERT_TRUE(writeDiaryFile(save, "3", "2024", {}));
    EXPECT_EQ(save.greenLimit, 500);
    EXPECT_EQ(save.margins[1], "5");
    const ReadResult file = readTextLines(save.path);
    EXPECT_EQ(file.lines.size(), 19);
    EXPECT_EQ(file.lines.last(), save.entries.first());
}
