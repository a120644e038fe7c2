// Replacements for the C library's file calls: each calls the real one, then counts the call
// when it touched a file below the watched folder. Defined in the harness executable, they
// also catch the calls Qt makes from its own libraries.
#include "fileevents.h"

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstring>
#include <ctime>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

namespace luftikon::crash {

namespace {

EventLog* eventLog = nullptr;
constexpr int MaxFd = 4096;
bool watchedFd[MaxFd] = {};

template <typename F> F realCall(F& cache, const char* name)
{
    if (!cache)
        cache = reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
    return cache;
}

bool counting()
{
    return eventLog && eventLog->armed.load(std::memory_order_relaxed);
}

bool underRoot(const char* path)
{
    if (!path || !eventLog)
        return false;
    const std::size_t length = std::strlen(eventLog->root);
    return length > 0 && std::strncmp(path, eventLog->root, length) == 0;
}

void record(FileEvent kind)
{
    const int saved = errno;
    const int n = eventLog->count.fetch_add(1) + 1;
    if (n <= MaxEvents) {
        eventLog->kinds[n - 1] = kind;
        eventLog->atNs[n - 1] = monotonicNs() - eventLog->armedAtNs;
    }
    if (n == eventLog->stopAfter)
        raise(SIGSTOP); // the harness kills us while we stand here
    errno = saved;
}

bool writesOrSyncs(int flags)
{
    return (flags & (O_WRONLY | O_RDWR | O_CREAT)) != 0 || (flags & O_TMPFILE) == O_TMPFILE ||
           (flags & O_DIRECTORY) != 0;
}

int afterOpen(int fd, const char* path, int flags)
{
    if (fd >= 0 && fd < MaxFd && counting()) {
        watchedFd[fd] = underRoot(path) && writesOrSyncs(flags);
        const bool plainFolder = (flags & O_DIRECTORY) != 0 && (flags & O_TMPFILE) != O_TMPFILE;
        if (watchedFd[fd] && !plainFolder)
            record(FileEvent::Open);
    }
    return fd;
}

mode_t modeOf(int flags, va_list args)
{
    return ((flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE) ? mode_t(va_arg(args, int)) : 0;
}

} // namespace

const char* nameOf(FileEvent event)
{
    static const char* const names[] = {"?", "open", "write", "fsync", "rename", "link"};
    return names[int(event)];
}

void useEventLog(EventLog* log)
{
    eventLog = log;
}

std::int64_t monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

} // namespace luftikon::crash

using namespace luftikon::crash;

extern "C" {

#define OPEN_REPLACEMENT(name)                                                                                         \
    int name(const char* path, int flags, ...)                                                                         \
    {                                                                                                                  \
        static int (*real)(const char*, int, ...) = nullptr;                                                           \
        va_list args;                                                                                                  \
        va_start(args, flags);                                                                                         \
        const mode_t mode = modeOf(flags, args);                                                                       \
        va_end(args);                                                                                                  \
        return afterOpen(realCall(real, #name)(path, flags, mode), path, flags);                                       \
    }
OPEN_REPLACEMENT(open)
OPEN_REPLACEMENT(open64)

#define OPENAT_REPLACEMENT(name)                                                                                       \
    int name(int dirfd, const char* path, int flags, ...)                                                              \
    {                                                                                                                  \
        static int (*real)(int, const char*, int, ...) = nullptr;                                                      \
        va_list args;                                                                                                  \
        va_start(args, flags);                                                                                         \
        const mode_t mode = modeOf(flags, args);                                                                       \
        va_end(args);                                                                                                  \
        return afterOpen(realCall(real, #name)(dirfd, path, flags, mode), path, flags);                                \
    }
OPENAT_REPLACEMENT(openat)
OPENAT_REPLACEMENT(openat64)

ssize_t write(int fd, const void* data, size_t size)
{
    static ssize_t (*real)(int, const void*, size_t) = nullptr;
    const ssize_t written = realCall(real, "write")(fd, data, size);
    if (fd >= 0 && fd < MaxFd && watchedFd[fd] && counting())
        record(FileEvent::Write);
    return written;
}

int close(int fd)
{
    static int (*real)(int) = nullptr;
    if (fd >= 0 && fd < MaxFd)
        watchedFd[fd] = false;
    return realCall(real, "close")(fd);
}

#define SYNC_REPLACEMENT(name)                                                                                         \
    int name(int fd)                                                                                                   \
    {                                                                                                                  \
        static int (*real)(int) = nullptr;                                                                             \
        const int result = realCall(real, #name)(fd);                                                                  \
        if (fd >= 0 && fd < MaxFd && watchedFd[fd] && counting())                                                      \
            record(FileEvent::Sync);                                                                                   \
        return result;                                                                                                 \
    }
SYNC_REPLACEMENT(fsync)
SYNC_REPLACEMENT(fdatasync)

int rename(const char* from, const char* to)
{
    static int (*real)(const char*, const char*) = nullptr;
    const int result = realCall(real, "rename")(from, to);
    if (counting() && underRoot(to))
        record(FileEvent::Rename);
    return result;
}

int renameat(int fromDir, const char* from, int toDir, const char* to)
{
    static int (*real)(int, const char*, int, const char*) = nullptr;
    const int result = realCall(real, "renameat")(fromDir, from, toDir, to);
    if (counting() && underRoot(to))
        record(FileEvent::Rename);
    return result;
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned int flags)
{
    static int (*real)(int, const char*, int, const char*, unsigned int) = nullptr;
    const int result = realCall(real, "renameat2")(fromDir, from, toDir, to, flags);
    if (counting() && underRoot(to))
        record(FileEvent::Rename);
    return result;
}

int linkat(int fromDir, const char* from, int toDir, const char* to, int flags)
{
    static int (*real)(int, const char*, int, const char*, int) = nullptr;
    const int result = realCall(real, "linkat")(fromDir, from, toDir, to, flags);
    if (counting() && underRoot(to))
        record(FileEvent::Link);
    return result;
}

} // extern "C"
