#include "diary/textfile.h"
#include "support/sandbox.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::Sandbox;

TEST(TextFile, WritesWindows1252WithCrLfAndReadsItBack)
{
    Sandbox box;
    const QString path = box.file("a.tab");
    ASSERT_TRUE(writeTextLines(path, {QStringLiteral("Datum=März 2024"), QString(), QStringLiteral("Jürgen")}).ok);
    EXPECT_EQ(Sandbox::readBytes(path), QByteArray("Datum=M\xe4rz 2024\r\n\r\nJ\xfcrgen\r\n"));
    const ReadResult back = readTextLines(path);
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.lines, (QStringList{QStringLiteral("Datum=März 2024"), QString(), QStringLiteral("Jürgen")}));
}

TEST(TextFile, ReadsLfOnlyAndMissingFinalLineEnd)
{
    Sandbox box;
    Sandbox::writeBytes(box.file("b.txt"), "eins\ndrei\r\nvier");
    const ReadResult back = readTextLines(box.file("b.txt"));
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.lines, (QStringList{"eins", "drei", "vier"}));
}

TEST(TextFile, UnencodableTextLeavesTheOldFileAlone)
{
    Sandbox box;
    const QString path = box.file("c.tab");
    Sandbox::writeBytes(path, "alt\r\n");
    const WriteResult result = writeTextLines(path, {QStringLiteral("Łukasz")});
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(path));
    EXPECT_EQ(Sandbox::readBytes(path), QByteArray("alt\r\n"));
}

TEST(TextFile, UnwritableTargetIsReportedWithItsPath)
{
    Sandbox box;
    // A plain file where the folder should be: no user, not even root, can write below it.
    Sandbox::writeBytes(box.file("blocker"), "x");
    const QString path = box.file("blocker/d.tab");
    const WriteResult result = writeTextLines(path, {QStringLiteral("neu")});
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(path));
}
