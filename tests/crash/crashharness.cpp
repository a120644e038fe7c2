// Kills real save paths with SIGKILL, at every file event of the save and at random moments,
// and checks after each kill that every file holds exactly its old or its new bytes and that
// the next start reads them cleanly.
// Usage: luftikon_crashharness [--kills N] [--seed S] [--path NAME-PART]
#include "fileevents.h"
#include "savepaths.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace luftikon::crash;

namespace {

using Snapshot = QMap<QString, QByteArray>; // path below the root -> bytes

Snapshot snapshotOf(const QString& root)
{
    Snapshot files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            files.insert(path.mid(root.size() + 1), file.readAll());
    }
    return files;
}

// Puts the old bytes back; files the save made are removed, anything else (a killed save's
// leftovers) stays for the next save to clean up.
void restore(const QString& root, const Snapshot& before, const Snapshot& after)
{
    for (auto it = after.begin(); it != after.end(); ++it) {
        if (!before.contains(it.key()))
            QFile::remove(root + u'/' + it.key());
    }
    for (auto it = before.begin(); it != before.end(); ++it) {
        QFile file(root + u'/' + it.key());
        if (!file.open(QIODevice::WriteOnly) || file.write(it.value()) != it.value().size())
            std::fprintf(stderr, "cannot restore %s\n", qPrintable(it.key()));
    }
}

enum class Run { Probe, StopAtEvent, KillAfterDelay };

struct ChildOutcome {
    bool ok = false; // ran to its end cleanly, or was killed where asked
    int events = 0;  // file events seen before the end or the kill
    QString problem;
};

EventLog* sharedLog()
{
    void* memory = mmap(nullptr, sizeof(EventLog), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        std::perror("mmap");
        std::exit(2);
    }
    return new (memory) EventLog;
}

[[noreturn]] void childMain(const SavePath& path, const QString& root, bool preparing, EventLog* log, int readyFd)
{
    useEventLog(log);
    if (chdir(qPrintable(root)) != 0)
        std::_Exit(3);
    qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("/config")).toLocal8Bit());
    int argc = 1;
    char name[] = "luftikon";
    char* argv[] = {name, nullptr};
    std::optional<QApplication> app;
    if (preparing || path.windows)
        app.emplace(argc, argv);
    const auto ready = [&] {
        log->armedAtNs = monotonicNs();
        log->armed = 1;
        const char byte = 'R';
        if (::write(readyFd, &byte, 1) != 1)
            std::_Exit(4);
    };
    int rc = preparing ? path.prepare(root) : path.save(root, ready);
    log->armed = 0;
    if (shownMessages() > 0)
        rc = rc ? rc : 5;
    std::fflush(stderr);
    std::_Exit(rc);
}

// Waits for the child's end; kills it when it hangs.
int reap(pid_t pid, bool stopIsKill)
{
    int status = 0;
    for (int waited = 0; waited < 60000; ++waited) {
        const pid_t done = waitpid(pid, &status, WNOHANG | WUNTRACED);
        if (done == pid) {
            if (WIFSTOPPED(status)) {
                if (!stopIsKill)
                    kill(pid, SIGCONT);
                else
                    kill(pid, SIGKILL);
                continue;
            }
            return status;
        }
        usleep(1000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return status;
}

ChildOutcome runChild(const SavePath& path, const QString& root, EventLog* log, Run run, int stopAfter,
                      std::int64_t delayNs, bool preparing = false)
{
    log->armed = 0;
    log->count = 0;
    log->stopAfter = run == Run::StopAtEvent ? stopAfter : 0;
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return {false, 0, QStringLiteral("pipe failed")};
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeFds[0]);
        childMain(path, root, preparing, log, pipeFds[1]);
    }
    close(pipeFds[1]);
    ChildOutcome outcome;
    char byte = 0;
    const bool readied = ::read(pipeFds[0], &byte, 1) == 1;
    close(pipeFds[0]);
    if (run == Run::KillAfterDelay && readied) {
        const timespec pause{time_t(delayNs / 1000000000), long(delayNs % 1000000000)};
        nanosleep(&pause, nullptr);
        kill(pid, SIGKILL);
    }
    const int status = reap(pid, run == Run::StopAtEvent);
    outcome.events = log->count;
    const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    const bool clean = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!preparing && !readied && !killed)
        outcome.problem = QStringLiteral("the child ended before saving (status %1)").arg(status);
    else if (run == Run::Probe)
        outcome.ok = clean;
    else if (run == Run::StopAtEvent)
        outcome.ok = killed;
    else
        outcome.ok = killed || clean;
    if (!outcome.ok && outcome.problem.isEmpty())
        outcome.problem = QStringLiteral("child status %1").arg(status);
    return outcome;
}

struct Tally {
    int kills = 0;
    int inside = 0;
    int intact = 0;
    QStringList failures;
};

// Every file holds its old or its new bytes; nothing else looks like a diary; the next
// start reads the files without complaint. Empty when all holds.
QString check(const SavePath& path, const QString& root, const Snapshot& before, const Snapshot& after)
{
    const Snapshot now = snapshotOf(root);
    QStringList keys = before.keys() + after.keys();
    keys.removeDuplicates();
    for (const QString& key : keys) {
        const std::optional<QByteArray> was =
            before.contains(key) ? std::optional<QByteArray>(before.value(key)) : std::nullopt;
        const std::optional<QByteArray> will =
            after.contains(key) ? std::optional<QByteArray>(after.value(key)) : std::nullopt;
        const std::optional<QByteArray> is =
            now.contains(key) ? std::optional<QByteArray>(now.value(key)) : std::nullopt;
        if (is != was && is != will)
            return QStringLiteral("%1 holds neither its old nor its new bytes (%2 bytes)")
                .arg(key)
                .arg(is ? is->size() : -1);
    }
    for (auto it = now.begin(); it != now.end(); ++it) {
        if (!keys.contains(it.key()) && (it.key().endsWith(QLatin1String(".tab"), Qt::CaseInsensitive) ||
                                         it.key().endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)))
            return QStringLiteral("a leftover shows up as a diary or remarks file: %1").arg(it.key());
    }
    return path.readBack(root);
}

QStringList leftovers(const QString& root, const Snapshot& before, const Snapshot& after)
{
    QStringList extra;
    const Snapshot now = snapshotOf(root);
    for (auto it = now.begin(); it != now.end(); ++it) {
        if (!before.contains(it.key()) && !after.contains(it.key()))
            extra << it.key();
    }
    return extra;
}

bool runPath(const SavePath& path, EventLog* log, int randomKills, std::mt19937_64& random)
{
    QTemporaryDir box;
    const QString root = box.path();
    qstrncpy(log->root, qPrintable(root + u'/'), sizeof(log->root));

    const ChildOutcome prepared = runChild(path, root, log, Run::Probe, 0, 0, true);
    if (!prepared.ok) {
        std::printf("%s: setup failed: %s\n", qPrintable(path.name), qPrintable(prepared.problem));
        return false;
    }
    const Snapshot before = snapshotOf(root);
    const ChildOutcome probe = runChild(path, root, log, Run::Probe, 0, 0);
    const Snapshot after = snapshotOf(root);
    if (!probe.ok || probe.events == 0 || before == after) {
        std::printf("%s: the save does not run cleanly (%s, %d file events)\n", qPrintable(path.name),
                    qPrintable(probe.problem), probe.events);
        return false;
    }
    const int total = std::min(probe.events, MaxEvents);
    QStringList points;
    for (int i = 0; i < total; ++i)
        points << QString::fromLatin1(nameOf(log->kinds[i]));
    const std::int64_t firstEventNs = log->atNs[0];
    const std::int64_t lastEventNs = log->atNs[total - 1];
    // How long the whole save takes, redraw included: from a second clean run.
    restore(root, before, after);
    const std::int64_t started = monotonicNs();
    runChild(path, root, log, Run::Probe, 0, 0);
    const std::int64_t saveNs = std::max<std::int64_t>(monotonicNs() - started, lastEventNs + 1000);

    Tally tally;
    const auto afterKill = [&](const ChildOutcome& outcome, const QString& where) {
        ++tally.kills;
        if (outcome.events > 0 && outcome.events < total)
            ++tally.inside;
        QString problem = outcome.ok ? check(path, root, before, after) : outcome.problem;
        if (problem.isEmpty())
            ++tally.intact;
        else
            tally.failures << where + QStringLiteral(": ") + problem;
        restore(root, before, after);
    };
    for (int point = 1; point <= total; ++point) {
        restore(root, before, after);
        afterKill(runChild(path, root, log, Run::StopAtEvent, point, 0),
                  QStringLiteral("after %1 #%2").arg(points[point - 1]).arg(point));
    }
    // Half the random kills anywhere in the save, half while its files are being written.
    std::uniform_int_distribution<std::int64_t> anywhere(0, saveNs);
    std::uniform_int_distribution<std::int64_t> writing(firstEventNs > 50000 ? firstEventNs - 50000 : 0,
                                                        lastEventNs + 50000);
    for (int i = 0; i < randomKills; ++i) {
        const std::int64_t delay = i % 2 ? writing(random) : anywhere(random);
        afterKill(runChild(path, root, log, Run::KillAfterDelay, 0, delay),
                  QStringLiteral("random kill after %1 µs").arg(delay / 1000));
    }
    // The next save cleans up what the killed ones left behind.
    restore(root, before, after);
    const ChildOutcome next = runChild(path, root, log, Run::Probe, 0, 0);
    const QStringList left = leftovers(root, before, after);
    if (!next.ok)
        tally.failures << QStringLiteral("the save after the kills: ") + next.problem;
    if (!left.isEmpty())
        tally.failures << QStringLiteral("left behind after the next save: ") + left.join(QStringLiteral(", "));

    std::printf("%-24s kills %5d  inside the write %5d  intact %5d  fixed points %d (%s)  save %.1f ms\n",
                qPrintable(path.name), tally.kills, tally.inside, tally.intact, total, qPrintable(points.join(u' ')),
                double(saveNs) / 1e6);
    for (const QString& failure : tally.failures.mid(0, 10))
        std::printf("    FAILED %s\n", qPrintable(failure));
    std::fflush(stdout);
    return tally.failures.isEmpty() && tally.intact == tally.kills;
}

} // namespace

int main(int argc, char** argv)
{
    int randomKills = 100;
    unsigned long long seed = std::random_device{}();
    QString only;
    for (int i = 1; i + 1 < argc; i += 2) {
        const QString option = QString::fromLocal8Bit(argv[i]);
        if (option == QLatin1String("--kills"))
            randomKills = std::atoi(argv[i + 1]);
        else if (option == QLatin1String("--seed"))
            seed = std::strtoull(argv[i + 1], nullptr, 10);
        else if (option == QLatin1String("--path"))
            only = QString::fromLocal8Bit(argv[i + 1]);
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    }
    std::printf("seed %llu, %d random kills per save path\n", seed, randomKills);
    std::mt19937_64 random(seed);
    EventLog* log = sharedLog();
    bool allIntact = true;
    for (const SavePath& path : savePaths()) {
        if (only.isEmpty() || path.name.contains(only))
            allIntact = runPath(path, log, randomKills, random) && allIntact;
    }
    return allIntact ? 0 : 1;
}
