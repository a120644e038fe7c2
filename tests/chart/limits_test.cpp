// The zone limits: stepping, deriving from the best value, and writing them into a diary in place.
#include "chart/limits.h"
#include "support/sandbox.h"

#include <QFileInfo>
#include <csignal>
#include <gtest/gtest.h>
#include <limits>
#include <sys/resource.h>

using namespace luftikon;
using luftikon::test::Sandbox;

namespace {

constexpr int intMax = std::numeric_limits<int>::max();
constexpr int intMin = std::numeric_limits<int>::min();

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

} // namespace

TEST(ZoneLimits, BestValueGivesEightyAndSixtyPercentAndArrowsStepByOne)
{
    EXPECT_EQ(limitsFromBestValue(437), (ZoneLimits{349, 262}));
    EXPECT_EQ(limitsFromBestValue(1), (ZoneLimits{0, 0}));
    // A month without a usable reading has nothing to compute from.
    EXPECT_EQ(limitsFromBestValue(0), std::nullopt);
    EXPECT_EQ(limitsFromBestValue(-7), std::nullopt);
    // A hand-edited reading near the end of the range must not overflow the product.
    EXPECT_EQ(limitsFromBestValue(intMax), (ZoneLimits{1717986917, 1288490188}));
    // The arrows stop at the ends of the range.
    EXPECT_EQ(stepLimit(intMax, +1), intMax);
    EXPECT_EQ(stepLimit(intMin, -1), intMin);
}

TEST(ZoneLimits, AFailedWriteKeepsTheFileAndTheLimitItHolds)
{
    Sandbox box;
    const QString path = box.file(QStringLiteral("Muster_3_2024.tab"));
    Sandbox::writeBytes(path, diaryBytes);
    LimitWrite written;
    {
        const FileSizeLimit full(64);
        written = storeLimit(path, GreenLimitKey, 501, 480, DefaultGreenLimit);
    }
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(Sandbox::readBytes(path), diaryBytes);
    EXPECT_EQ(written.inForce, 500); // what the diary holds, not the 480 in memory
    EXPECT_TRUE(written.error.contains(path)) << written.error.toStdString();

    // A diary that is gone is not made anew by a limit.
    const QString gone = box.file(QStringLiteral("weg.tab"));
    written = storeLimit(gone, GreenLimitKey, 501, 480, DefaultGreenLimit);
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.inForce, 480);
    EXPECT_FALSE(QFileInfo::exists(gone));
}
