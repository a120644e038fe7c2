#include "diary/diaryfile.h"
#include "diary/diarywriter.h"
#include "diary/entrysort.h"
#include "diary/iniheader.h"
#include "diary/monthsteps.h"
#include "support/sandbox.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

using namespace luftikon;
using luftikon::test::Sandbox;

namespace {

QByteArray golden(const char* name)
{
    return Sandbox::readBytes(QStringLiteral(LUFTIKON_TEST_DATA "/diary/") + QLatin1String(name));
}

QStringList allFiles(const QString& root)
{
    QStringList files;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

struct Messages {
    std::vector<std::pair<MessageKind, QString>> shown;
    Notify notify()
    {
        return [this](MessageKind kind, const QString& text) { shown.emplace_back(kind, text); };
    }
};

class DiaryWriter : public ::testing::Test {
protected:
    DiaryWriter()
    {
        diary.galleryFolder = box.file("Luftikon-Daten-Galerie/");
        diary.htmlFolder = box.file("Luftikon-Daten im Browser/");
        diary.userName = QStringLiteral("Jürgen Müller");
        diary.listMonth = "3";
        diary.listYear = "2024";
    }
    QStringList marchEntries(const QString& month) const
    {
        // In the order they were typed; the list is kept sorted as the dialog keeps it.
        return sortEntries({
            "Morgens den    06." + month + ".2024 Z=08:00  Luftikon=400",
            "Abends den      05." + month + ".2024 Z=20:00  Luftikon=431",
            "Morgens den    05." + month + ".2024 Z=08:00  Luftikon=420",
            "Messung2 den 05." + month + ".2024 Z=12:00  Luftikon=430",
        });
    }
    bool save(const QString& monthField = "3", const QString& yearField = "2024")
    {
        return writeDiaryFile(diary, monthField, yearField, messages.notify());
    }

    Sandbox box;
    DiarySave diary;
    Messages messages;
};
} // namespace

TEST_F(DiaryWriter, DiariesByteForByte)
{
    diary.entries = marchEntries("3");
    ASSERT_TRUE(save());
    const QString path3 = box.file(QStringLiteral("Luftikon-Daten-Galerie/2024/Jürgen Müller_3_2024.tab"));
    EXPECT_EQ(diary.path, path3);
    EXPECT_EQ(diary.diaryYear, "2024");
    EXPECT_EQ(Sandbox::readBytes(path3), golden("march2024_four.tab"));
    EXPECT_TRUE(QDir(box.file("Luftikon-Daten im Browser/2024")).exists());
    EXPECT_TRUE(messages.shown.empty());

    // A month is kept in one file: lines written "03" go on in the file named "_3_".
    const QString path03 = box.file(QStringLiteral("Luftikon-Daten-Galerie/2024/Jürgen Müller_03_2024.tab"));
    diary.listMonth = "03";
    diary.entries = marchEntries("03");
    ASSERT_TRUE(save("03"));
    EXPECT_EQ(diary.path, path3);
    EXPECT_FALSE(QFileInfo::exists(path03));
    // Without a file of the month, the list's own form names it.
    ASSERT_TRUE(QFile::remove(path3));
    ASSERT_TRUE(save("03"));
    EXPECT_EQ(Sandbox::readBytes(path03), golden("march2024_four_03.tab"));
    EXPECT_FALSE(QFileInfo::exists(path3));

    diary.userName = "Muster";
    diary.listMonth = "7";
    diary.listYear = "2025";
    diary.slotMode = SlotMode::Eight;
    diary.entries = {"Morgens den    01.7.2025 Z=06:00  Luftikon=380", "Messung4 den 01.7.2025 Z=12:00  Luftikon=410",
                     "Messung7 den 01.7.2025 Z=18:00  Luftikon=405", "Abends den      01.7.2025 Z=20:00  Luftikon=390"};
    ASSERT_TRUE(save("7", "2025"));
    EXPECT_EQ(Sandbox::readBytes(box.file("Luftikon-Daten-Galerie/2025/Muster_7_2025.tab")),
              golden("july2025_eight.tab"));

    // An empty list writes the head; the file name keeps the month it was given, the head
    // takes the fields.
    diary.listMonth = "2";
    diary.listYear = "2024";
    diary.slotMode = SlotMode::Four;
    diary.entries.clear();
    ASSERT_TRUE(save("02", "2024"));
    EXPECT_EQ(diary.listMonth, "02");
    EXPECT_EQ(Sandbox::readBytes(box.file("Luftikon-Daten-Galerie/2024/Muster_2_2024.tab")),
              golden("february2024_empty.tab"));
}

TEST_F(DiaryWriter, LimitsAndMarginsOnDiskComeIntoForce)
{
    // A diary without head gives the defaults.
    const QString path = box.file(QStringLiteral("Luftikon-Daten-Galerie/2024/Jürgen Müller_3_2024.tab"));
    Sandbox::writeBytes(path, "Morgens den    05.3.2024 Z=08:00  Luftikon=420\n");
    diary.greenLimit = 321;
    diary.margins[1] = "7";
    diary.entries = marchEntries("3");
    ASSERT_TRUE(save());
    EXPECT_EQ(diary.greenLimit, 500);
    EXPECT_EQ(diary.margins[1], "5");

    // Changed in place, they survive the next save.
    ASSERT_TRUE(writeHeaderValue(path, "GrenzwertGruen>", "450").ok);
    ASSERT_TRUE(writeHeaderValue(path, "DruckenTabellenRandTop", "15").ok);
    diary.greenLimit = 500;
    ASSERT_TRUE(save());
    EXPECT_EQ(diary.greenLimit, 450);
    EXPECT_EQ(diary.margins[2], "15");
    QStringList lines = readTextLines(path).lines;
    EXPECT_EQ(lines.at(14), "GrenzwertGruen>=450");
    EXPECT_EQ(lines.at(6), "DruckenTabellenRandTop=15");
    EXPECT_EQ(lines.size(), 22);

    // A limit that is no number keeps the one in force, and the user hears of it; a number with
    // blanks around it counts, as the chart reads it.
    messages.shown.clear();
    Sandbox::writeBytes(path, "[Personendaten]\r\nGrenzwertGruen>=viel\r\nGrenzwertRot<= 180 \r\n");
    ASSERT_TRUE(save());
    EXPECT_EQ(diary.greenLimit, 450);
    EXPECT_EQ(diary.redLimit, 180);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].first, MessageKind::Warning);
    for (const QString& part : {path, QStringLiteral("GrenzwertGruen>"), QStringLiteral("viel")})
        EXPECT_TRUE(messages.shown[0].second.contains(part)) << part.toStdString();
    lines = readTextLines(path).lines;
    EXPECT_EQ(lines.at(14), "GrenzwertGruen>=450");
    EXPECT_EQ(lines.at(15), "GrenzwertRot<=180");
}

TEST_F(DiaryWriter, CreateFailureNamesTheFileByUserNameParts)
{
    // A plain file where the year folders should be: neither folder nor diary can be made.
    Sandbox::writeBytes(box.file("Luftikon-Daten-Galerie/2024"), "x");
    Sandbox::writeBytes(box.file("Luftikon-Daten im Browser/2024"), "x");
    diary.entries = marchEntries("3");
    EXPECT_FALSE(save());
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0],
              std::pair(MessageKind::Plain, QStringLiteral("Ordner \"2024\" konnte nicht erstellt werden! ")));
    EXPECT_EQ(messages.shown[1],
              std::pair(MessageKind::Plain, QStringLiteral("HtmlOrdner \"2024\" konnte nicht erstellt werden! ")));
    EXPECT_EQ(messages.shown[2], std::pair(MessageKind::Warning,
                                           QStringLiteral("Fehler beim Erzeugen der Datei Jürgen Müller 3_2024.tab")));
}

TEST_F(DiaryWriter, FailedWriteLeavesTheOldFileByteForByte)
{
    diary.entries = marchEntries("3");
    ASSERT_TRUE(save());
    const QByteArray before = Sandbox::readBytes(diary.path);
    diary.entries << QStringLiteral("Morgens den    07.3.2024 Z=08:00  Luftikon=4€0");
    diary.entries << QStringLiteral("Morgens den    08.3.2024 Z=08:00  Luftikon=4Ł0");
    EXPECT_FALSE(save());
    EXPECT_EQ(Sandbox::readBytes(diary.path), before);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].first, MessageKind::Error);
    EXPECT_TRUE(messages.shown[0].second.contains(diary.path));
    EXPECT_TRUE(messages.shown[0].second.contains(QStringLiteral("4Ł0")));
    EXPECT_EQ(allFiles(box.file("Luftikon-Daten-Galerie/2024")), QStringList{diary.path});
}

TEST_F(DiaryWriter, NamesThatLeaveTheYearFolderWriteNothing)
{
    const QStringList before = allFiles(box.path());
    struct Case {
        QString user, month, year;
    };
    for (const Case& c : {Case{"../../Ausbruch", "3", "2024"}, Case{"a/b", "3", "2024"}, Case{".", "3", "2024"},
                          Case{"..", "3", "2024"}, Case{"Zeile\r\nBisZu8MessungenJeTag=1", "3", "2024"},
                          Case{"Muster", "3/..", "2024"}, Case{"Muster", "3", ".."}, Case{"Muster", "3", "../x"}}) {
        messages.shown.clear();
        diary.userName = c.user;
        diary.listMonth = c.month;
        diary.listYear = c.year;
        diary.path = "unverändert";
        diary.entries = {"Morgens den    05.3.2024 Z=08:00  Luftikon=420"};
        EXPECT_FALSE(save()) << c.user.toStdString();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].first, MessageKind::Warning);
        EXPECT_TRUE(messages.shown[0].second.contains("nicht gespeichert"));
        EXPECT_EQ(diary.path, "unverändert");
        EXPECT_EQ(allFiles(box.path()), before);
    }
}

TEST(MonthSteps, TheNearestMonthAcrossYearsInEitherFormAndOnlyOfThatUser)
{
    Sandbox box;
    const QString gallery = box.file(QStringLiteral("gallery/"));
    for (const char* name : {"2023/Erika_11_2023.tab", "2024/Erika_03_2024.tab", "2024/Erika Maria_1_2024.tab",
                             "2024/Erika_13_2024.tab", "2025/Erika_2_2025.tab", "Sicherungen/2024/Erika_1_2024.tab"})
        Sandbox::writeBytes(gallery + QLatin1String(name), QByteArray());
    EXPECT_EQ(neighbourMonthDiary(gallery, QStringLiteral("Erika"), 3, 2024, -1), gallery + "2023/Erika_11_2023.tab");
    EXPECT_EQ(neighbourMonthDiary(gallery, QStringLiteral("Erika"), 11, 2023, +1), gallery + "2024/Erika_03_2024.tab");
    EXPECT_EQ(neighbourMonthDiary(gallery, QStringLiteral("Erika"), 3, 2024, +1), gallery + "2025/Erika_2_2025.tab");
    EXPECT_EQ(neighbourMonthDiary(gallery, QStringLiteral("Erika"), 2, 2025, +1), QString());
    EXPECT_EQ(userNameOfDiaryFile(gallery + "2024/Erika Maria_1_2024.tab"), QStringLiteral("Erika Maria"));
}

TEST(MonthSteps, OnlyANameEndingInMonthAndFourDigitYearNamesAMonth)
{
    const auto named = [](const char* name) {
        const MonthTexts texts = monthTextsOfName(QString::fromUtf8(name));
        return (texts.month + u'/' + texts.year).toStdString();
    };
    EXPECT_EQ(named("/g/2024_1_2024.tab/Erika_3_2024.tab"), "3/2024");
    EXPECT_EQ(named("Erika_12_2024.TAB"), "12/2024");
    EXPECT_EQ(named("_07_2024.tab"), "07/2024");
    for (const char* odd : {"Erika_123_2024.tab", "Erika_3_02024.tab", "Erika_3_224.tab", "Erika__2024.tab",
                            "3_2024.tab", "Erika_3_2024.tab.fassung", "Erika_3-2024.tab", "Erika_٣_٢٠٢٤.tab", ".tab"})
        EXPECT_EQ(named(odd), "/") << odd;
}
