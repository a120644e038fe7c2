// Kills real save paths with SIGKILL, at every file event of the save and at random moments, and checks
// after each kill that every file holds exactly its old or its new bytes and that the next start reads them
// cleanly.
// Usage: luftikon_crashharness [--kills N] [--seed S] [--path NAME-PART]
#include "fileevents.h"
#include "savepaths.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
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
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            files.insert(file.fileName().mid(root.size() + 1), file.readAll());
    }
    return files;
}

// A version a save kept of what a file held: named after the time it was taken, so each run names its own.
bool isVersion(const QString& key)
{
    return key.endsWith(QLatin1String(".fassung")) && !QFileInfo(key).fileName().startsWith(u'.');
}

// The file a version was taken of: "<gallery>/Sicherungen/<year>/<name>.<yyyy-MM-dd_HH-mm-ss>.fassung" belongs
// to "<gallery>/<year>/<name>".
QString versionedFileOf(const QString& version)
{
    QString file = version.chopped(int(qstrlen(".yyyy-MM-dd_HH-mm-ss.fassung")));
    return file.replace(QStringLiteral("/Sicherungen/"), QStringLiteral("/"));
}

// Puts the old bytes back; files the save made, versions included, are removed, anything else (a killed
// save's leftovers) stays for the next save to clean up.
void restore(const QString& root, const Snapshot& before, const Snapshot& after)
{
    QStringList made = after.keys();
    for (const QString& key : snapshotOf(root).keys()) {
        if (isVersion(key))
            made << key;
    }
    for (const QString& key : made) {
        if (!before.contains(key))
            QFile::remove(root + u'/' + key);
    }
    for (auto it = before.begin(); it != before.end(); ++it) {
        QFile file(root + u'/' + it.key());
        if (!file.open(QIODevice::WriteOnly) || file.write(it.value()) != it.value().size())
            std::fprintf(stderr, "cannot restore %s\n", qPrintable(it.key()));
    }
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
        log->armed = 1;
        if (::write(readyFd, "R", 1) != 1)
            std::_Exit(4);
    };
    int rc = preparing ? path.prepare(root) : path.save(root, ready);
    log->armed = 0;
    if (rc == 0 && shownMessages() > 0)
        rc = 5;
    std::fflush(stderr);
    std::_Exit(rc);
}

enum class Run { Prepare, Clean, StopAtEvent, KillAfterDelay };

// Runs the path's save (or its setup) in a child; with StopAtEvent the child stops itself at event
// `stopAfter` and is killed there, with KillAfterDelay it is killed `delayNs` after the save began. Empty
// when the child ended as asked (or was killed).
QString runChild(const SavePath& path, const QString& root, EventLog* log, Run run, int stopAfter = 0,
                 std::int64_t delayNs = 0)
{
    log->armed = 0;
    log->count = 0;
    log->stopAfter = run == Run::StopAtEvent ? stopAfter : 0;
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return QStringLiteral("pipe failed");
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeFds[0]);
        childMain(path, root, run == Run::Prepare, log, pipeFds[1]);
    }
    close(pipeFds[1]);
    char byte = 0;
    const bool readied = ::read(pipeFds[0], &byte, 1) == 1;
    close(pipeFds[0]);
    if (run == Run::KillAfterDelay && readied) {
        const timespec pause{time_t(delayNs / 1000000000), long(delayNs % 1000000000)};
        nanosleep(&pause, nullptr);
        kill(pid, SIGKILL);
    }
    // A stopped child stands at its chosen event: it is killed there. A hung one is killed after a minute.
    int status = 0;
    for (int waited = 0;; ++waited) {
        const pid_t done = waitpid(pid, &status, WNOHANG | WUNTRACED);
        if (done == pid && !WIFSTOPPED(status))
            break;
        if (done == pid || waited == 60000)
            kill(pid, SIGKILL);
        usleep(1000);
    }
    const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    const bool clean = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (run != Run::Prepare && !readied && !killed)
        return QStringLiteral("the child ended before saving (status %1)").arg(status);
    const bool asked = run == Run::StopAtEvent ? killed : run == Run::KillAfterDelay ? killed || clean : clean;
    return asked ? QString() : QStringLiteral("child status %1").arg(status);
}

// Every file holds its old or its new bytes; no leftover looks like a diary or remarks file; the next start
// reads the files without complaint. Empty when all holds.
QString check(const SavePath& path, const QString& root, const Snapshot& before, const Snapshot& after)
{
    const Snapshot now = snapshotOf(root);
    const auto at = [](const Snapshot& files, const QString& key) {
        return files.contains(key) ? std::optional(files.value(key)) : std::nullopt;
    };
    QStringList keys = before.keys() + after.keys() + now.keys();
    keys.removeDuplicates();
    for (const QString& key : keys) {
        const std::optional<QByteArray> is = at(now, key);
        if (is == at(before, key) || is == at(after, key))
            continue;
        if (isVersion(key) && !before.contains(key)) {
            if (is != at(before, versionedFileOf(key)))
                return QStringLiteral("%1 is not the file as it was before the save").arg(key);
            continue;
        }
        if (before.contains(key) || after.contains(key))
            return QStringLiteral("%1 holds neither its old nor its new bytes (%2 bytes)")
                .arg(key)
                .arg(is ? is->size() : -1);
        if (key.endsWith(QLatin1String(".tab"), Qt::CaseInsensitive) ||
            key.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive))
            return QStringLiteral("a leftover shows up as a diary or remarks file: %1").arg(key);
    }
    return path.readBack(root);
}

bool runPath(const SavePath& path, EventLog* log, int randomKills, std::mt19937_64& random)
{
    QTemporaryDir box;
    const QString root = box.path();
    qstrncpy(log->root, qPrintable(root + u'/'), sizeof(log->root));

    if (const QString problem = runChild(path, root, log, Run::Prepare); !problem.isEmpty()) {
        std::printf("%s: setup failed: %s\n", qPrintable(path.name), qPrintable(problem));
        return false;
    }
    const Snapshot before = snapshotOf(root);
    const QString probe = runChild(path, root, log, Run::Clean);
    const int total = std::min(int(log->count), MaxEvents);
    const Snapshot after = snapshotOf(root);
    if (!probe.isEmpty() || total == 0 || before == after) {
        std::printf("%s: the save does not run cleanly (%s, %d file events)\n", qPrintable(path.name),
                    qPrintable(probe), total);
        return false;
    }
    QStringList points;
    for (int i = 0; i < total; ++i)
        points << QString::fromLatin1(nameOf(log->kinds[i]));
    // How long the whole save takes, redraw included: from a second clean run.
    restore(root, before, after);
    QElapsedTimer clock;
    clock.start();
    runChild(path, root, log, Run::Clean);
    const std::int64_t saveNs = clock.nsecsElapsed();

    int kills = 0;
    int inside = 0;
    int intact = 0;
    QStringList failures;
    const auto afterKill = [&](const QString& outcome, const QString& where) {
        ++kills;
        if (log->count > 0 && log->count < total)
            ++inside;
        const QString problem = outcome.isEmpty() ? check(path, root, before, after) : outcome;
        if (problem.isEmpty())
            ++intact;
        else
            failures << where + QStringLiteral(": ") + problem;
        restore(root, before, after);
    };
    for (int point = 1; point <= total; ++point) {
        restore(root, before, after);
        afterKill(runChild(path, root, log, Run::StopAtEvent, point),
                  QStringLiteral("after %1 #%2").arg(points[point - 1]).arg(point));
    }
    // Random kills anywhere in the save, between the file events as well.
    std::uniform_int_distribution<std::int64_t> anywhere(0, saveNs);
    for (int i = 0; i < randomKills; ++i) {
        const std::int64_t delay = anywhere(random);
        afterKill(runChild(path, root, log, Run::KillAfterDelay, 0, delay),
                  QStringLiteral("random kill after %1 µs").arg(delay / 1000));
    }
    // The next save cleans up what the killed ones left behind.
    restore(root, before, after);
    if (const QString next = runChild(path, root, log, Run::Clean); !next.isEmpty())
        failures << QStringLiteral("the save after the kills: ") + next;
    QStringList left = snapshotOf(root).keys();
    left.removeIf([&](const QString& key) { return before.contains(key) || after.contains(key) || isVersion(key); });
    if (!left.isEmpty())
        failures << QStringLiteral("left behind after the next save: ") + left.join(QStringLiteral(", "));

    std::printf("%-24s kills %5d  inside the write %5d  intact %5d  fixed points %d (%s)  save %.1f ms\n",
                qPrintable(path.name), kills, inside, intact, total, qPrintable(points.join(u' ')),
                double(saveNs) / 1e6);
    for (const QString& failure : failures.mid(0, 10))
        std::printf("    FAILED %s\n", qPrintable(failure));
    std::fflush(stdout);
    return failures.isEmpty();
}

EventLog* sharedLog()
{
    void* memory = mmap(nullptr, sizeof(EventLog), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        std::perror("mmap");
        std::exit(2);
    }
    return new (memory) EventLog;
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
