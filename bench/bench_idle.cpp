// The whole program beside a bare Qt main window, each started afresh in a process of its own:
// how long until it sits idle, and how much memory it then holds. The program starts as a
// returning user does, with a month of readings drawn. Under X when there is a display, else
// on the offscreen platform.
#include "config/configstore.h"
#include "diary/diarywriter.h"
#include "diary/textfile.h"
#include "readingmonths.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>
#include <optional>

using namespace luftikon;

namespace {

struct Settled {
    double startMs = 0; // until the last moment it used the processor
    double rssKb = 0;   // resident memory once idle
};

// Processor time of process `pid` so far, in clock ticks.
long long cpuTicksOf(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    // The fields after the command name, which may hold blanks, start after its ")".
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12 ? fields[11].toLongLong() + fields[12].toLongLong() : -1;
}

double residentKbOf(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble();
    return 0;
}

// Starts `program` and waits until it has used no processor time for `quietMs`.
std::optional<Settled> runUntilIdle(const QString& program, const QProcessEnvironment& environment,
                                    const QString& folder)
{
    constexpr int quietMs = 400;
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.setProgram(program);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start();
    if (!process.waitForStarted())
        return std::nullopt;
    const qint64 pid = process.processId();
    long long lastTicks = -1;
    qint64 lastBusy = 0;
    while (clock.elapsed() - lastBusy < quietMs && clock.elapsed() < 20000) {
        QThread::msleep(2);
        const long long ticks = cpuTicksOf(pid);
        if (ticks < 0)
            return std::nullopt; // it ended
        if (ticks != lastTicks) {
            lastTicks = ticks;
            lastBusy = clock.elapsed();
        }
    }
    const Settled settled{double(lastBusy), residentKbOf(pid)};
    process.kill();
    process.waitForFinished();
    return settled;
}

// A data folder with a returning user's settings and one month of readings.
QProcessEnvironment returningUser(const QTemporaryDir& home)
{
    const QString data = home.filePath(QStringLiteral("data/"));
    QDir().mkpath(data);
    const QString user = QStringLiteral("Erika Muster");
    const QString gallery = data + QStringLiteral("Luftikon-Daten-Galerie/");
    const QString diary = diaryFilePath(gallery, QStringLiteral("2026"), user, QStringLiteral("12"));
    QDir().mkpath(gallery + QStringLiteral("2026"));
    DiaryHeader header;
    header.userName = user;
    header.listMonth = QStringLiteral("12");
    header.listYear = QStringLiteral("2026");
    writeTextLines(diary, composeDiaryLines(header, bench::readingLines(12, 2026, 20, {1, 8})));

    const QString configFolder = home.filePath(QStringLiteral("config"));
    ConfigStore config(configFolder + QStringLiteral("/Quendel/Luftikon.conf"));
    config.writeFirstRunDefaults(data, QStringLiteral(LUFTIKON_RESOURCE_DIR "/"));
    config.setText(QStringLiteral("BenutzerName"), user);
    config.setText(QStringLiteral("TabellenDateiName"), diary);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const bool x = !qEnvironmentVariableIsEmpty("DISPLAY");
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), x ? QStringLiteral("xcb") : QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configFolder);
    QDir().mkpath(home.filePath(QStringLiteral("run")));
    QFile::setPermissions(home.filePath(QStringLiteral("run")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("run")));
    // No session bus: nothing outside the process answers or wakes it.
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent"));
    return environment;
}

// Both programs by turns, so a busy machine weighs on both alike. Reported: the program's idle
// memory and start time, the bare window's, and the ratios.
void BM_IdleBesideBareWindow(benchmark::State& bench)
{
    QTemporaryDir home;
    const QProcessEnvironment environment = returningUser(home);
    const QString data = home.filePath(QStringLiteral("data"));
    double program[2] = {0, 0};
    double bare[2] = {0, 0};
    for (auto _ : bench) {
        const auto ours = runUntilIdle(QStringLiteral(LUFTIKON_PROGRAM), environment, data);
        const auto yardstick = runUntilIdle(QStringLiteral(BARE_WINDOW_PROGRAM), environment, data);
        if (!ours || !yardstick) {
            bench.SkipWithError("a program ended before it was idle");
            return;
        }
        program[0] += ours->startMs;
        program[1] += ours->rssKb;
        bare[0] += yardstick->startMs;
        bare[1] += yardstick->rssKb;
    }
    const double runs = double(bench.iterations());
    bench.counters["start_ms"] = program[0] / runs;
    bench.counters["bare_start_ms"] = bare[0] / runs;
    bench.counters["start_ratio"] = program[0] / bare[0];
    bench.counters["rss_MB"] = program[1] / runs / 1024;
    bench.counters["bare_rss_MB"] = bare[1] / runs / 1024;
    bench.counters["rss_ratio"] = program[1] / bare[1];
}

} // namespace

BENCHMARK(BM_IdleBesideBareWindow)->Iterations(6)->Unit(benchmark::kMillisecond)->UseRealTime();
