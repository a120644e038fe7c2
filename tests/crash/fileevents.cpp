// Replacements for the C library's file calls every save makes through the safe writer (open, write, fsync,
// rename): each calls the real one, then counts the call when it touched a file below the watched folder.
#include "fileevents.h"

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstring>
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
    if (n <= MaxEvents)
        eventLog->kinds[n - 1] = kind;
    if (n == eventLog->stopAfter)
        raise(SIGSTOP); // the harness kills us while we stand here
    errno = saved;
}

int afterOpen(int fd, const char* path, int flags)
{
    if (fd >= 0 && fd < MaxFd && counting()) {
        // A folder is opened read-only to sync it: watched for its fsync, not counted as an open.
        const bool folder = (flags & O_DIRECTORY) != 0;
        watchedFd[fd] = underRoot(path) && ((flags & (O_WRONLY | O_RDWR | O_CREAT)) != 0 || folder);
        if (watchedFd[fd] && !folder)
            record(FileEvent::Open);
    }
    return fd;
}

} // namespace

const char* nameOf(FileEvent event)
{
    static const char* const names[] = {"?", "open", "write", "fsync", "rename"};
    return names[int(event)];
}

void useEventLog(EventLog* log)
{
    eventLog = log;
}

} // namespace luftikon::crash

using namespace luftikon::crash;

extern "C" {

int open(const char* path, int flags, ...)
{
    static int (*real)(const char*, int, ...) = nullptr;
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & O_CREAT) ? mode_t(va_arg(args, int)) : 0;
    va_end(args);
    return afterOpen(realCall(real, "open")(path, flags, mode), path, flags);
}

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

int fsync(int fd)
{
    static int (*real)(int) = nullptr;
    const int result = realCall(real, "fsync")(fd);
    if (fd >= 0 && fd < MaxFd && watchedFd[fd] && counting())
        record(FileEvent::Sync);
    return result;
}

int rename(const char* from, const char* to)
{
    static int (*real)(const char*, const char*) = nullptr;
    const int result = realCall(real, "rename")(from, to);
    if (counting() && underRoot(to))
        record(FileEvent::Rename);
    return result;
}

} // extern "C"
