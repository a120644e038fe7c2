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

// A start in a process of its own that takes the lock and is killed with SIGKILL, leaving lock
// and socket behind. False when that start got no lock.
bool leaveLockOfKilledStart(const QString& lock)
{
    int ready[2];
    if (pipe(ready) != 0)
        return false;
    const pid_t holder = fork();
    if (holder == 0) {
        SingleInstance held(lock);
        const char byte = held.acquire({}) ? 'L' : 'F';
        if (::write(ready[1], &byte, 1) != 1)
            _exit(1);
        pause();
    }
    char byte = 0;
    const bool locked = ::read(ready[0], &byte, 1) == 1 && byte == 'L';
    close(ready[0]);
    close(ready[1]);
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    return locked;
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

TEST(SingleInstance, onAFullDiskALockLeftByAKilledOrHalfWrittenStartDoesNotStopTheNext)
{
    // Killed with its lock and socket in place; the disk fills up afterwards.
    expectOnTmpfs(
        {},
        [](const QString& folder) -> std::string {
            if (!leaveLockOfKilledStart(folder + QStringLiteral("/luftikon.lock")))
                return "the first start got no lock";
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
