// The month on screen: what a save or a limit leaves in memory is what the file holds.
#include "diary/diarywriter.h"
#include "month/currentmonth.h"
#include "support/sandbox.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace luftikon;
using luftikon::test::Sandbox;

namespace {

const QByteArray diaryBytes = "[Personendaten]\r\nBenutzerName=Muster\r\nDatum=M\xe4rz 2024\r\n\r\n"
                              "BisZu4MessungenJeTag=1\r\nBisZu8MessungenJeTag=0\r\n\r\n"
                              "GrenzwertGruen>=500\r\nGrenzwertRot<=200\r\n\r\n"
                              "Morgens den    05.3.2024 Z=08:00  Luftikon=420\r\n";

// Writes beyond `bytes` fail for this process while it lives, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

std::vector<CurrentMonth::Change> changesOf(const QSignalSpy& spy)
{
    std::vector<CurrentMonth::Change> changes;
    for (const QList<QVariant>& signal : spy)
        changes.push_back(signal.at(0).value<CurrentMonth::Change>());
    return changes;
}

} // namespace

TEST(CurrentMonth, WhatASaveAndALayoutSwitchLeaveInMemoryIsWhatAFreshReadGives)
{
    Sandbox box;
    const QString path = box.file(QStringLiteral("Muster_3_2024.tab"));
    Sandbox::writeBytes(path, diaryBytes);
    CurrentMonth month;
    QSignalSpy spy(&month, &CurrentMonth::changed);
    month.open(box.file(QStringLiteral("Muster_3_2024.TAB")));
    EXPECT_EQ(month.remarksPath(), box.file(QStringLiteral("Muster_3_2024.txt")));
    month.open(path);

    DiarySave save;
    save.galleryFolder = box.path() + u'/';
    save.htmlFolder = save.galleryFolder;
    save.userName = QStringLiteral("Muster");
    save.listMonth = QStringLiteral("3");
    save.listYear = QStringLiteral("2024");
    save.readFrom = path;
    save.entries = {QStringLiteral("Morgens den    05.3.2024 Z=08:00  Luftikon=420"),
                    QStringLiteral("Abends den      05.3.2024 Z=20:00  Luftikon=455")};
    // A limit changed in the file since it was read wins over the one in memory.
    Sandbox::writeBytes(path, QByteArray(diaryBytes).replace("Gruen>=500", "Gruen>=470"));
    ASSERT_TRUE(month.save(save, QString(), QString(), {}));
    const auto sameAsRead = [&month, &path] {
        const DiaryFile read = readDiary(path);
        EXPECT_EQ(month.diary().lines, read.lines);
        EXPECT_EQ(month.diary().entryLines(), read.entryLines());
        EXPECT_EQ(month.summary().best.value, summaryOf(read.readings).best.value);
    };
    sameAsRead();
    EXPECT_EQ(month.limits(), (ZoneLimits{470, 200}));

    ASSERT_TRUE(month.setLayout(SlotMode::Eight, QString(), {}));
    sameAsRead();
    EXPECT_TRUE(month.layout().marks(SlotMode::Eight));
    EXPECT_EQ(changesOf(spy), (std::vector{CurrentMonth::Change::Opened, CurrentMonth::Change::Opened,
                                           CurrentMonth::Change::Saved, CurrentMonth::Change::Layout}));
}

TEST(CurrentMonth, AFailedLimitWriteKeepsTheFileAndTheLimitItHolds)
{
    Sandbox box;
    const QString path = box.file(QStringLiteral("Muster_3_2024.tab"));
    Sandbox::writeBytes(path, diaryBytes);
    CurrentMonth month;
    month.open(path);
    // Changed by hand since it was opened: the limit in force after a failed write is the file's.
    const QByteArray edited = QByteArray(diaryBytes).replace("Gruen>=500", "Gruen>=480");
    Sandbox::writeBytes(path, edited);
    QStringList told;
    const Notify notify = [&told](MessageKind, const QString& text) { told << text; };
    {
        const FileSizeLimit full(64);
        EXPECT_FALSE(month.setLimit(CurrentMonth::Limit::Green, 501, notify));
    }
    EXPECT_EQ(Sandbox::readBytes(path), edited);
    EXPECT_EQ(month.limits().green, 480);
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains(path) && told[0].endsWith(QStringLiteral("Der Grenzwert bleibt 480.")))
        << told[0].toStdString();

    // A diary that is gone is not made anew by a limit.
    QFile::remove(path);
    EXPECT_FALSE(month.setLimit(CurrentMonth::Limit::Green, 501, notify));
    EXPECT_EQ(month.limits().green, 480);
    EXPECT_FALSE(QFileInfo::exists(path));
}
