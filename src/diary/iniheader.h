#pragma once
// The header of a diary file read and written key by key as an INI section.
// Rules: a section starts at "[name]" (name without regard to case) and runs to the next
// line starting with "["; a key is the text before the first "=", compared without regard
// to case and with blanks around it ignored; the value is the rest, trimmed; the first
// matching line wins; a result is at most 254 characters.

#include "diary/textfile.h"

#include <QString>
#include <QStringList>

namespace luftikon {

inline const QString PersonDataSection = QStringLiteral("Personendaten");

constexpr qsizetype MaxIniValueLength = 254;

QString readIniValue(const QStringList& lines, const QString& section, const QString& key, const QString& defaultValue);

// Lookup in section "Personendaten".
QString readHeaderValue(const QStringList& lines, const QString& key, const QString& defaultValue);

// The same on a file; a file that is missing or cannot be read gives the default.
QString readHeaderValue(const QString& path, const QString& key, const QString& defaultValue);

// The lines with `key` set to `value` in `section`: the first matching line becomes
// key + "=" + value; a missing key is inserted at the end of the section (before the next
// section line, or at the end of the lines). A missing section is appended at the end
// together with the key, so readers find the value and the next save of the diary moves
// it back into the header.
QStringList withIniValue(const QStringList& lines, const QString& section, const QString& key, const QString& value);

// Writes one header value of a diary file in place, replacing the file only when the new
// one is complete. A missing file is not created: there is no diary to hold the value.
// Keys and values that would break the line structure (line breaks, "=" in a key, an
// empty key) are refused. On failure `error` says in German what failed.
WriteResult writeHeaderValue(const QString& path, const QString& key, const QString& value);

} // namespace luftikon
