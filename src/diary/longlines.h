#pragma once
// Lines too long to show: a hand-edited or damaged file may hold a line of megabytes, which
// would freeze a list or a table cell. Such a line is shown cut; the file keeps it whole.

#include <QString>
#include <QStringList>

namespace luftikon {

// Far beyond any line the program writes (about 50 characters).
constexpr qsizetype MaxShownLineLength = 200;

// The line as shown: cut after MaxShownLineLength characters, marked with "…".
QString shownLine(const QString& line);

// The German note that lines of `file` (its lines as read) are shown cut, naming each such
// line by its number; empty when every line is short enough.
QString overlongLinesNote(const QString& file, const QStringList& fileLines);

} // namespace luftikon
