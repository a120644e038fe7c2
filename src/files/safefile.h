#pragma once
// Writes files so that a crash, a power cut or a full disk leaves either the old bytes or the new ones,
// never a truncated file: a temporary file beside the target, every byte checked, fsync, rename, fsync of
// the folder.

#include <QByteArray>
#include <QString>
#include <optional>

namespace luftikon {

// What stopped a write, for callers whose messages differ by cause.
enum class WriteFailure {
    None,
    Content, // a line cannot be stored (a character Windows-1252 lacks, a bad key)
    Open,    // the file cannot be created or reached
    Write,   // writing, syncing or the final rename failed
};

struct WriteResult {
    bool ok = false;
    QString error; // German, for the user; names the file and says what to do
    WriteFailure failure = WriteFailure::None;
};

// Replaces `path` with `bytes`. On failure the old file keeps its bytes and no temporary file is left.
// Temporaries left by an earlier, killed write of the same file are removed first.
WriteResult writeFileSafely(const QString& path, const QByteArray& bytes);

// The whole file; none when it cannot be opened or read to its end.
std::optional<QByteArray> readWholeFile(const QString& path);

// Copies `source` to `target` through writeFileSafely, so a half-copied file never appears.
WriteResult copyFileSafely(const QString& source, const QString& target);

// The prefix of the temporaries that writeFileSafely makes for `fileName`; they start with a dot so that
// no listing of diaries ever shows them.
QString temporaryPrefixFor(const QString& fileName);

} // namespace luftikon
