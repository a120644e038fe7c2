#pragma once
// The month's readings as a CSV file for spreadsheets: UTF-8 with a byte-order mark, ";"
// between fields, CR LF line ends, one reading a line in the diary's order.

#include "diary/entryline.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace luftikon {

inline const QString csvHeader = QStringLiteral("Datum;Uhrzeit;Messung;Wert;Zone");

// One field: quoted when asked or when it holds ";", a quote or a line break; a leading
// "=", "+", "-", "@", tab or CR gets an apostrophe in front so no spreadsheet runs it.
QString csvField(const QString& text, bool quoted = false);

// One CSV line (without line end) of a reading: German date "05.03.2024", time, slot word,
// the value as a number with its zone ("grün", "gelb", "rot"), or a value that is no number
// in quotes as it stands, with an empty zone.
QString csvLine(const DiaryEntry& reading, int greenLimit, int redLimit);

// A whole CSV file of those lines: UTF-8 with a byte order mark, the header, CR LF line ends.
QByteArray csvFile(const QStringList& lines);

// The whole file.
QByteArray readingsCsv(const QList<DiaryEntry>& readings, int greenLimit, int redLimit);

} // namespace luftikon
