#pragma once
// Small file systems of a test's own: a tmpfs (a disk that fills up) or a folder bound read-only, made in a
// user and mount namespace of the test's own, so no root rights on the machine are needed and nothing on it
// is touched.

#include <QString>
#include <functional>
#include <string>

namespace luftikon::test {

// Moves the whole test program into a namespace of its own, where mountTmpfs and bindReadOnly work. The kernel
// allows that only while the process has one thread, so the first call must come before main (from a
// namespace-scope initialiser); later calls return the first answer. Empty on success, else why not.
const std::string& privateMountProblem();

bool mountTmpfs(const QString& folder, int kib);
// Lays `folder` over itself read-only; unmount() lifts it again.
bool bindReadOnly(const QString& folder);
void unmount(const QString& folder);

// Fills the file system holding `folder` until no byte is left; returns the filler's path.
QString fillFileSystem(const QString& folder);

struct MountOptions {
    int sizeKiB = 256;
    bool readOnly = false; // made read-only after `prepare` ran
};

struct MountOutcome {
    bool ran = false;    // false: no namespace could be made; `message` says why (the test skips)
    std::string message; // when ran: empty on success, else what failed
};

// For a test program that stays in the machine's namespace: runs `prepare` on a fresh tmpfs at `folder` and
// then `check` (after the optional read-only bind) in a child process of its own. Each returns an empty
// string on success or a description of what went wrong.
MountOutcome runOnPrivateTmpfs(const QString& folder, const MountOptions& options,
                               const std::function<std::string(const QString&)>& prepare,
                               const std::function<std::string(const QString&)>& check);

} // namespace luftikon::test
