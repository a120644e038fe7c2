#pragma once
// Diary, remarks and page files: Windows-1252, CR LF line ends, no byte-order mark.
// Readers accept CR LF and LF; writers replace a file only once the new one is complete.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace luftikon {

QString decodeCp1252(const QByteArray& bytes);

// Encodes text in Windows-1252. Characters the code page lacks make it fail, so a name
// such as "Łukasz" is refused instead of silently turning into "?ukasz".
std::optional<QByteArray> encodeCp1252(const QString& text);

// Splits file content into lines at LF, dropping one CR before each LF.
QStringList splitLines(const QString& text);

struct ReadResult {
    bool ok = false;
    QStringList lines;
    QString error; // German, for the user
};
ReadResult readTextLines(const QString& path);

// What stopped a write, for callers whose messages differ by cause.
enum class WriteFailure {
    None,
    Content, // a line cannot be stored (a character Windows-1252 lacks, a bad key)
    Open,    // the file cannot be created or reached
    Write,   // writing or the final rename failed
};

struct WriteResult {
    bool ok = false;
    QString error; // German, for the user; names the file
    WriteFailure failure = WriteFailure::None;
};
// Writes every line followed by CR LF into a temporary file beside `path` and renames it
// over `path` only when everything was written; on failure the old file stays untouched.
WriteResult writeTextLines(const QString& path, const QStringList& lines);

// The same for content that is already bytes (a PDF, a UTF-8 CSV file).
WriteResult writeFileBytes(const QString& path, const QByteArray& bytes);

} // namespace luftikon
