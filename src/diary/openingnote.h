#pragma once
// What an opener tells the user about a diary before showing it: readings whose date cannot
// be read (they would silently be missing from the chart and the table) and a month that
// stands in two files.

#include "diary/diaryfile.h"

#include <QString>
#include <QStringList>

namespace luftikon {

// The reading lines whose date cannot be read: day, month or year missing or no number, a
// month outside 1..12 or a day the month does not have.
QStringList undatedReadings(const DiaryFile& diary);

// The German note about both; empty when there is nothing to tell.
QString openingNote(const DiaryFile& diary);

} // namespace luftikon
