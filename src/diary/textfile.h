#pragma once
// Diary, remarks and page files: Windows-1252, CR LF line ends, no byte-order mark.
// Readers accept CR LF and LF; writers replace a file only once the new one is complete.

#include "files/safefile.h"
#include "files/versions.h"

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

// Writes every line followed by CR LF into a temporary file beside `path` and renames it
// over `path` only when every byte is on disk; on failure the old file keeps its bytes.
// Diaries and remarks keep what they held as an earlier version; pages and reports need not.
enum class Earlier { Dropped, Kept };
WriteResult writeTextLines(const QString& path, const QStringList& lines, Earlier earlier = Earlier::Dropped);

} // namespace luftikon
