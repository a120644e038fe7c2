#pragma once
// A small file system of its own for a test: this test program runs in its own user and mount
// namespace (entered before main, while it has one thread), where it may mount a tmpfs and
// bind a folder read-only, as root in CI and as a user without sudo alike.

#include <QString>

namespace luftikon::test {

// Empty when the namespace was entered; otherwise why not.
QString namespaceProblem();

bool mountTmpfs(const QString& folder, int kib);
// Lays `folder` over itself read-only; unmount() lifts it again.
bool bindReadOnly(const QString& folder);
void unmount(const QString& folder);

} // namespace luftikon::test
