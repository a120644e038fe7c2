// A second start of the program wakes the first one and ends; a lock left behind by a killed
// program does not keep the next start out.
#include "shell/singleinstance.h"
#include "support/sandbox.h"
#include "support/scripteddesktop.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QLockFile>
#include <csignal>
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
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t holder = fork();
    if (holder == 0) {
        QLockFile held(lock);
        const char byte = held.tryLock(0) ? 'L' : 'F';
        if (::write(ready[1], &byte, 1) != 1)
            _exit(1);
        pause();
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    close(ready[0]);
    close(ready[1]);
    ASSERT_EQ(byte, 'L');
    SingleInstance meanwhile(lock);
    EXPECT_FALSE(meanwhile.acquire({}));

    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    SingleInstance next(lock);
    ScriptedDesktop desktop;
    EXPECT_TRUE(startAlone(next, desktop, {}));
    EXPECT_TRUE(desktop.shown().empty());
}

} // namespace
