#pragma once
// The order of the entry list and of the diary file: by day, then by slot in the order of
// the day, then by the rest of the line; German, without regard to case.

#include <QString>
#include <QStringList>

namespace luftikon {

// The two characters before the first "." + the slot letter ("a" for "Morgens den",
// "b".."g" for "Messung2 den".."Messung7 den", "h" for "Abends den", searched in that order)
// + the whole line. A line without any slot name is its own key.
QString entrySortKey(const QString& line);

// The lines in ascending key order (German collation, case ignored). Lines that are equal
// but for letter case collapse into one; the one that came first is kept.
QStringList sortEntries(const QStringList& lines);

} // namespace luftikon
