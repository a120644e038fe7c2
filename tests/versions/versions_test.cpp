// Earlier versions: what a save replaces is kept, paced and pruned, and can be put back.
#include "files/versions.h"
#include "month/currentmonth.h"
#include "support/diarylines.h"
#include "support/sandbox.h"
#include "support/scripteddesktop.h"
#include "versions/ui/earlierversionsdialog.h"

#include <QDir>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::Sandbox;

namespace {

// A clock the test moves, and every version failure the user would have been told.
struct Keeping {
    QDateTime now{QDate(2024, 3, 5), QTime(8, 0)};
    QStringList told;
    VersionKeeping before;
    Keeping()
    {
        before = setVersionKeeping({[this] { return now; }, [this](const QString& text) { told << text; }});
    }
    ~Keeping() { setVersionKeeping(before); }
};

QByteArray diary(int readings)
{
    QStringList lines = test::diaryHead(QStringLiteral("Muster"), QStringLiteral("März 2024"), false, 500, 200);
    for (int day = 1; day <= readings; ++day)
        lines << test::reading("Morgens", day, 400 + day);
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

QStringList versionNames(const Sandbox& box)
{
    return QDir(box.file("G/Sicherungen/2024")).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

TEST(EarlierVersions, ASaveKeepsWhatItReplacesOncePerTenMinutesAndNeverForSameBytes)
{
    Sandbox box;
    Keeping keeping;
    const QString path = box.file("G/2024/Muster_3_2024.tab");
    QDir().mkpath(box.file("G/2024"));
    ASSERT_TRUE(replaceKeepingVersion(path, diary(1)).ok); // a new file has nothing to keep
    EXPECT_TRUE(versionNames(box).isEmpty());

    ASSERT_TRUE(replaceKeepingVersion(path, diary(2)).ok);
    keeping.now = keeping.now.addSecs(4 * 60); // a burst: the state before it is what stays
    ASSERT_TRUE(replaceKeepingVersion(path, diary(3)).ok);
    keeping.now = keeping.now.addSecs(20 * 60);
    ASSERT_TRUE(replaceKeepingVersion(path, diary(3)).ok); // same bytes
    keeping.now = keeping.now.addSecs(60);
    ASSERT_TRUE(replaceKeepingVersion(path, diary(4)).ok);

    EXPECT_EQ(versionNames(box), (QStringList{"Muster_3_2024.tab.2024-03-05_08-00-00.fassung",
                                              "Muster_3_2024.tab.2024-03-05_08-25-00.fassung"}));
    EXPECT_EQ(Sandbox::readBytes(box.file("G/Sicherungen/2024/Muster_3_2024.tab.2024-03-05_08-00-00.fassung")),
              diary(1));
    EXPECT_EQ(Sandbox::readBytes(box.file("G/Sicherungen/2024/Muster_3_2024.tab.2024-03-05_08-25-00.fassung")),
              diary(3));
    EXPECT_EQ(Sandbox::readBytes(path), diary(4));
    EXPECT_TRUE(keeping.told.isEmpty());
}

TEST(EarlierVersions, PruningKeepsTheNewestTwentyAndTheFirstOfEachDayOfNinetyDays)
{
    const QDateTime now(QDate(2024, 6, 1), QTime(12, 0));
    QList<QDateTime> taken{now.addDays(-200), now.addDays(-200).addSecs(3600), now.addDays(-80),
                           now.addDays(-80).addSecs(3600)};
    for (int i = 0; i < 20; ++i)
        taken << now.addSecs(-60 * 11 * (i + 1));
    // Shuffled order must not matter.
    std::swap(taken[0], taken[10]);
    EXPECT_EQ(versionsToRemove(taken, now), (QList<int>{1, 3, 10}));
    EXPECT_TRUE(versionsToRemove(taken.mid(4), now).isEmpty());
}

TEST(EarlierVersions, AVersionThatCannotBeKeptNeverStopsASaveIsToldOnceAndStopsARestore)
{
    Sandbox box;
    Keeping keeping;
    const QString path = box.file("G/2024/Muster_3_2024.txt");
    Sandbox::writeBytes(path, "alt\r\n");
    Sandbox::writeBytes(box.file("G/Sicherungen"), "kein Ordner"); // stands where the versions go

    ASSERT_TRUE(writeTextLines(path, {"neu"}, Earlier::Kept).ok);
    keeping.now = keeping.now.addDays(1);
    ASSERT_TRUE(writeTextLines(path, {"neuer"}, Earlier::Kept).ok);
    EXPECT_EQ(Sandbox::readBytes(path), "neuer\r\n");
    ASSERT_EQ(keeping.told.size(), 1);
    EXPECT_TRUE(keeping.told[0].contains(path));
    // A restore, which promises the state it replaces can be taken back, replaces nothing then.
    const WriteResult restore = replaceKeepingVersion(path, "zurück\r\n", VersionPace::Always);
    EXPECT_FALSE(restore.ok);
    EXPECT_TRUE(restore.error.contains(path)) << restore.error.toStdString();
    EXPECT_EQ(Sandbox::readBytes(path), "neuer\r\n");
    EXPECT_EQ(keeping.told.size(), 1);
}

TEST(EarlierVersions, ARestoredVersionBringsTheReadingsBackAndCanItselfBeUndone)
{
    Sandbox box;
    Keeping keeping;
    const QString path = box.file("G/2024/Muster_3_2024.tab");
    Sandbox::writeBytes(path, diary(5));
    CurrentMonth month;
    month.open(path);
    // Typed over by mistake: three readings gone, later a remark saved too.
    DiarySave save;
    save.userName = QStringLiteral("Muster");
    save.listMonth = QStringLiteral("3");
    save.listYear = QStringLiteral("2024");
    save.galleryFolder = box.file("G/");
    save.htmlFolder = box.file("H/");
    save.readFrom = path;
    save.entries = QStringList{test::reading("Morgens", 1, 401), test::reading("Morgens", 2, 402),
                               test::reading("Abends", 9, 300)};
    ASSERT_TRUE(month.save(save, "3", "2024", {}));
    const QByteArray mistaken = Sandbox::readBytes(path);
    keeping.now = keeping.now.addSecs(3600);
    Sandbox::writeBytes(month.remarksPath(), "alt\r\n");
    ASSERT_TRUE(writeTextLines(month.remarksPath(), {"neu"}, Earlier::Kept).ok);

    test::ScriptedDesktop desktop;
    EarlierVersionsDialog dialog;
    QStringList listed;
    desktop.answerDialog([&](QDialog& shown) {
        auto* table = shown.findChild<QTableWidget*>(QStringLiteral("versionsTable"));
        for (int row = 0; row < table->rowCount(); ++row)
            listed << table->item(row, 0)->text() + u' ' + table->item(row, 1)->text() + u' ' +
                          table->item(row, 2)->text();
        table->setCurrentCell(1, 0);
        return int(QDialog::Accepted);
    });
    keeping.now = keeping.now.addSecs(60); // within ten minutes of the last version: a restore is kept all the same
    ASSERT_TRUE(restoreEarlierVersion(month, desktop, dialog));

    EXPECT_EQ(listed, (QStringList{"05.03.2024 09:00:00 Bemerkungen",
                                   "05.03.2024 08:00:00 5 Messwerte; seither hinzugekommen: 1; heute fehlend: 3"}));
    EXPECT_EQ(Sandbox::readBytes(path), diary(5));
    EXPECT_EQ(month.readings().size(), 5);
    EXPECT_EQ(desktop.shownTexts().back(), QStringLiteral("Die Fassung vom 05.03.2024 um 08:00:00 Uhr ist "
                                                          "wiederhergestellt. Der Stand davor ist als frühere "
                                                          "Fassung aufbewahrt."));
    const QList<EarlierVersion> versions = versionsOf(path);
    ASSERT_EQ(versions.size(), 2);
    EXPECT_EQ(Sandbox::readBytes(versions.last().path), mistaken);
}
