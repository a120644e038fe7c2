#include "diary/textfile.h"
#include "support/diarylines.h"
#include "support/privatemount.h"
#include "support/sandbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::Sandbox;

TEST(TextFile, WritesWindows1252WithCrLfAndReadsAnyLineEndBack)
{
    Sandbox box;
    const QString path = box.file("a.tab");
    const QStringList lines{QStringLiteral("Datum=März 2024"), QString(), QStringLiteral("Jürgen")};
    ASSERT_TRUE(writeTextLines(path, lines).ok);
    EXPECT_EQ(Sandbox::readBytes(path), QByteArray("Datum=M\xe4rz 2024\r\n\r\nJ\xfcrgen\r\n"));
    const ReadResult back = readTextLines(path);
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.lines, lines);

    // Files edited elsewhere: LF only, and no line end after the last line.
    Sandbox::writeBytes(path, "eins\ndrei\r\nvier");
    EXPECT_EQ(readTextLines(path).lines, (QStringList{"eins", "drei", "vier"}));
}

namespace {

// The old diary, then a new one that no longer fits on the disk.
const QByteArray oldDiary = "[Personendaten]\r\nBenutzerName=Muster\r\n\r\nMorgens den    01.3.2024 Z=08:00  "
                            "Luftikon=430\r\n";

QStringList longerDiary()
{
    QStringList lines = test::diaryHead(QStringLiteral("Muster"), QStringLiteral("März 2024"));
    for (int day = 1; day <= 31; ++day)
        lines << test::reading("Morgens", day, 400 + day);
    return lines;
}

} // namespace

TEST(SafeWrite, FullDiskKeepsTheOldBytesAndSaysWhatToDo)
{
    Sandbox box;
    QDir().mkpath(box.file("disk"));
    const auto outcome = test::runOnPrivateTmpfs(
        box.file("disk"), {},
        [](const QString& folder) {
            Sandbox::writeBytes(folder + "/Muster_3_2024.tab", oldDiary);
            test::fillFileSystem(folder);
            return std::string();
        },
        [](const QString& folder) -> std::string {
            const QString path = folder + "/Muster_3_2024.tab";
            const WriteResult result = writeTextLines(path, longerDiary());
            if (result.ok)
                return "a write on a full disk reported success";
            if (!result.error.contains(path) ||
                !result.error.contains(QStringLiteral("Bitte schaffen Sie Speicherplatz und speichern Sie erneut.")))
                return "message: " + result.error.toStdString();
            if (Sandbox::readBytes(path) != oldDiary)
                return "old diary changed: " + Sandbox::readBytes(path).toStdString();
            const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
            if (!files.filter(QStringLiteral(".tmp-")).isEmpty())
                return "temporary file left behind: " + files.join(u' ').toStdString();
            // Once space is made, the same save goes through whole.
            QFile::remove(folder + "/filler");
            if (!writeTextLines(path, longerDiary()).ok)
                return "the save failed after space was made";
            if (readTextLines(path).lines != longerDiary())
                return "the saved diary differs from what was written";
            return {};
        });
    if (!outcome.ran)
        GTEST_SKIP() << "no private mount namespace: " << outcome.message;
    EXPECT_EQ(outcome.message, "");
}

TEST(SafeWrite, LeftoversOfAKilledSaveGoAndModeAndLinkStay)
{
    Sandbox box;
    const QString target = box.file("Muster_3_2024.tab");
    Sandbox::writeBytes(target, oldDiary);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    const QString leftover = box.file(temporaryPrefixFor("Muster_3_2024.tab") + "k1ll3d");
    Sandbox::writeBytes(leftover, "half");
    // Another file's temporaries are not ours to remove.
    const QString foreign = box.file(temporaryPrefixFor("Muster_4_2024.tab") + "abc");
    Sandbox::writeBytes(foreign, "other");
    const QString link = box.file("link.tab");
    QFile::link(target, link);

    ASSERT_TRUE(writeTextLines(link, {QStringLiteral("neu")}).ok);
    EXPECT_EQ(Sandbox::readBytes(target), QByteArray("neu\r\n"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(leftover));
    EXPECT_TRUE(QFileInfo::exists(foreign));
    const auto modeBits = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                          QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(QFile::permissions(target) & modeBits, QFile::ReadOwner | QFile::WriteOwner);
}
