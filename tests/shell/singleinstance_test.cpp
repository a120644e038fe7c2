// A second start of the program wakes the first one and ends; a lock left behind by a killed
// program does not keep the next start out, not even on a full disk, and a folder where no lock
// can be made does not stop the start.
#include "platform/qtdesktop.h"
#include "shell/singleinstance.h"
#include "support/privatemount.h"
#include "support/sandbox.h"
#include "support/scripteddesktop.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace luftikon;
using luftikon::test::Sandbox;
using luftikon::test::ScriptedDesktop;

namespace {

QStringList filesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

// A process of its own that takes the lock the way a start does and waits; 0 when it could not.
pid_t startHolder(const QString& lock)
{
    int ready[2];
    if (pipe(ready) != 0)
        return 0;
    const pid_t holder = fork();
    if (holder == 0) {
        SingleInstance held(lock);
        const char byte = held.acquire({}) ? 'L' : 'F';
        if (::write(ready[1], &byte, 1) != 1)
            _exit(1);
        pause();
        _exit(0);
    }
    char byte = 0;
    const bool told = ::read(ready[0], &byte, 1) == 1;
    close(ready[0]);
    close(ready[1]);
    if (told && byte == 'L')
        return holder;
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    return 0;
}

void killHolder(pid_t holder)
{
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
}

// What a start in `folder` as the runtime folder does: "" when it goes on without a message.
std::string startIn(const QString& folder)
{
    SingleInstance instance(folder + QStringLiteral("/luftikon.lock"));
    ScriptedDesktop desktop;
    if (!startAlone(instance, desktop, {}))
        return "the start ended; told: " + desktop.shownTexts().join(u'|').toStdString();
    if (!desktop.shown().empty())
        return "told: " + desktop.shownTexts().join(u'|').toStdString();
    return {};
}

void expectOnTmpfs(const test::MountOptions& options, const std::function<std::string(const QString&)>& prepare,
                   const std::function<std::string(const QString&)>& check)
{
    Sandbox box;
    QDir().mkpath(box.file(QStringLiteral("run")));
    const auto outcome = test::runOnPrivateTmpfs(box.file(QStringLiteral("run")), options, prepare, check);
    if (!outcome.ran)
        GTEST_SKIP() << "no private mount namespace: " << outcome.message;
    EXPECT_EQ(outcome.message, "");
}

TEST(SingleInstance, secondStartWakesTheFirstAndEndsWithoutTouchingAFileOtherSettingsAreAnotherProgram)
{
    Sandbox box;
    const QString lock = SingleInstance::lockPathFor(box.configFile());
    int wakeUps = 0;
    SingleInstance first(lock);
    ScriptedDesktop firstDesktop;
    ASSERT_TRUE(startAlone(first, firstDesktop, [&] { ++wakeUps; }));
    EXPECT_TRUE(firstDesktop.shown().empty());

    const QStringList before = filesBelow(box.path());
    SingleInstance second(lock);
    ScriptedDesktop desktop;
    EXPECT_FALSE(startAlone(second, desktop, {}));
    ASSERT_EQ(desktop.shownTexts(), QStringList{QStringLiteral("Luftikon läuft bereits.")});
    EXPECT_EQ(desktop.shown().front().kind, MessageKind::Information);
    EXPECT_EQ(filesBelow(box.path()), before);

    QElapsedTimer waited;
    waited.start();
    while (wakeUps == 0 && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(wakeUps, 1);

    // Another settings file is another program.
    SingleInstance other(SingleInstance::lockPathFor(box.file(QStringLiteral("b/Luftikon.conf"))));
    EXPECT_TRUE(other.acquire({}));
}

TEST(SingleInstance, lockOfAKilledProgramIsTakenOver)
{
    Sandbox box;
    const QString lock = SingleInstance::lockPathFor(box.configFile());
    const pid_t holder = startHolder(lock);
    ASSERT_NE(holder, 0);
    SingleInstance meanwhile(lock);
    EXPECT_FALSE(meanwhile.acquire({}));

    killHolder(holder);
    SingleInstance next(lock);
    ScriptedDesktop desktop;
    EXPECT_TRUE(startAlone(next, desktop, {}));
    EXPECT_TRUE(desktop.shown().empty());
}

TEST(SingleInstance, onAFullDiskALockLeftByAKilledOrHalfWrittenStartDoesNotStopTheNext)
{
    // Killed with its lock and socket in place; the disk fills up afterwards.
    expectOnTmpfs(
        {},
        [](const QString& folder) -> std::string {
            const pid_t holder = startHolder(folder + QStringLiteral("/luftikon.lock"));
            if (holder == 0)
                return "the first start got no lock";
            killHolder(holder);
            if (!QFileInfo::exists(folder + QStringLiteral("/luftikon.lock.socket")))
                return "the killed start left no socket behind";
            test::fillFileSystem(folder);
            return {};
        },
        [](const QString& folder) -> std::string {
            if (std::string trouble = startIn(folder); !trouble.empty())
                return trouble;
            // The leftover is gone, so the one after sees no lock of a dead start either.
            return startIn(folder);
        });
    // A start that ended between making the lock file and writing into it left it empty.
    expectOnTmpfs(
        {},
        [](const QString& folder) -> std::string {
            Sandbox::writeBytes(folder + QStringLiteral("/luftikon.lock"), {});
            test::fillFileSystem(folder);
            return {};
        },
        startIn);
}

TEST(SingleInstance, onAFullDiskARunningProgramStillStopsTheSecondStart)
{
    pid_t holder = 0;
    expectOnTmpfs(
        {},
        [&holder](const QString& folder) -> std::string {
            holder = startHolder(folder + QStringLiteral("/luftikon.lock"));
            if (holder == 0)
                return "the first start got no lock";
            test::fillFileSystem(folder);
            return {};
        },
        [&holder](const QString& folder) -> std::string {
            const std::string trouble = startIn(folder);
            const bool lockStayed = QFileInfo::exists(folder + QStringLiteral("/luftikon.lock"));
            killHolder(holder);
            if (trouble != "the start ended; told: Luftikon läuft bereits.")
                return "a second start beside a running one: " + (trouble.empty() ? "went on" : trouble);
            if (!lockStayed)
                return "the running program's lock was removed";
            return {};
        });
}

TEST(SingleInstance, aFolderWhereNoLockCanBeMadeLetsTheStartGoOn)
{
    const auto nothing = [](const QString&) { return std::string(); };
    expectOnTmpfs({256, true}, nothing, startIn);
    expectOnTmpfs(
        {},
        [](const QString& folder) {
            test::fillFileSystem(folder);
            return std::string();
        },
        startIn);
}

TEST(SingleInstance, terminateGivesTheLockAndSocketUpBeforeTheProcessEnds)
{
    Sandbox box;
    const QString lock = SingleInstance::lockPathFor(box.configFile());
    const QString socket = lock + QStringLiteral(".socket");
    const pid_t child = fork();
    if (child == 0) {
        SingleInstance instance(lock);
        if (!instance.acquire({}) || !QFileInfo::exists(lock) || !QFileInfo::exists(socket))
            _exit(2);
        QtDesktop desktop;
        desktop.setBeforeTerminate([&instance] { instance.release(); });
        desktop.terminate(7);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 7);
    EXPECT_FALSE(QFileInfo::exists(lock));
    EXPECT_FALSE(QFileInfo::exists(socket));
}

} // namespace
