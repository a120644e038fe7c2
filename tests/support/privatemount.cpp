#include "support/privatemount.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace luftikon::test {

namespace {

bool writeProc(const char* path, const std::string& text)
{
    const int fd = ::open(path, O_WRONLY);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    return ok;
}

std::string enterNamespace()
{
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    // Root (in CI, or already inside a namespace of ours) needs only a mount namespace.
    if (uid == 0) {
        if (::unshare(CLONE_NEWNS) != 0)
            return std::string("unshare(CLONE_NEWNS): ") + std::strerror(errno);
    }
    else {
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return std::string("unshare(CLONE_NEWUSER|CLONE_NEWNS): ") + std::strerror(errno);
        writeProc("/proc/self/setgroups", "deny");
        if (!writeProc("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
            !writeProc("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
            return "cannot map the user into the namespace";
    }
    // Mounts made here stay here.
    if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return std::string("mount --make-rprivate /: ") + std::strerror(errno);
    return {};
}

void sendAndExit(int fd, char kind, const std::string& text)
{
    const std::string message = kind + text;
    [[maybe_unused]] const ssize_t n = ::write(fd, message.data(), message.size());
    ::close(fd);
    ::_exit(0);
}

} // namespace

const std::string& privateMountProblem()
{
    static const std::string problem = enterNamespace();
    return problem;
}

bool mountTmpfs(const QString& folder, int kib)
{
    const std::string options = "size=" + std::to_string(kib) + "k";
    return ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options.c_str()) == 0;
}

bool bindReadOnly(const QString& folder)
{
    const QByteArray path = QFile::encodeName(folder);
    return ::mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) == 0 &&
           ::mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
}

void unmount(const QString& folder)
{
    ::umount2(QFile::encodeName(folder).constData(), MNT_DETACH);
}

QString fillFileSystem(const QString& folder)
{
    const QString path = folder + QStringLiteral("/filler");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return path;
    const QByteArray block(4096, 'x');
    while (file.write(block) == block.size()) {
    }
    // Fill the last partial block too.
    while (file.write("x", 1) == 1) {
    }
    return path;
}

MountOutcome runOnPrivateTmpfs(const QString& folder, const MountOptions& options,
                               const std::function<std::string(const QString&)>& prepare,
                               const std::function<std::string(const QString&)>& check)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {false, "pipe failed"};
    const pid_t child = ::fork();
    if (child < 0)
        return {false, "fork failed"};
    if (child == 0) {
        ::close(pipeFds[0]);
        const int out = pipeFds[1];
        // 'S': could not set up (skip); 'F': the check failed; 'P': passed.
        if (const std::string error = enterNamespace(); !error.empty())
            sendAndExit(out, 'S', error);
        if (!mountTmpfs(folder, options.sizeKiB))
            sendAndExit(out, 'S', std::string("mount tmpfs: ") + std::strerror(errno));
        if (std::string error = prepare(folder); !error.empty())
            sendAndExit(out, 'F', "prepare: " + error);
        if (options.readOnly && !bindReadOnly(folder))
            sendAndExit(out, 'S', std::string("bind read-only: ") + std::strerror(errno));
        const std::string failure = check(folder);
        sendAndExit(out, failure.empty() ? 'P' : 'F', failure);
    }
    ::close(pipeFds[1]);
    std::string received;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
        received.append(buffer, static_cast<size_t>(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (received.empty())
        return {true, "the check process ended without an answer (status " + std::to_string(status) + ")"};
    if (received[0] == 'S')
        return {false, received.substr(1)};
    return {true, received[0] == 'P' ? std::string() : received.substr(1)};
}

} // namespace luftikon::test
