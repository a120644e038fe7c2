#pragma once
// Runs a check inside a child process that has a mount namespace of its own, where a small tmpfs (full
// disks) or a read-only mount can be made without root rights on the machine and without touching it.

#include <QString>
#include <functional>
#include <string>

namespace luftikon::test {

struct MountOptions {
    int sizeKiB = 256;
    bool readOnly = false; // remounted read-only after `prepare` ran
};

struct MountOutcome {
    bool ran = false;    // false: no namespace could be made; `message` says why (the test skips)
    std::string message; // when ran: empty on success, else what failed
};

// `prepare` runs first on the fresh, writable tmpfs at `folder`; `check` runs after the optional read-only
// remount. Each returns an empty string on success or a description of what went wrong.
MountOutcome runOnPrivateTmpfs(const QString& folder, const MountOptions& options,
                               const std::function<std::string(const QString&)>& prepare,
                               const std::function<std::string(const QString&)>& check);

// Fills the file system holding `folder` until no byte is left; returns the filler's path.
QString fillFileSystem(const QString& folder);

} // namespace luftikon::test
