#pragma once
// Stepping through a user's months: the diary of the nearest earlier or later month that has one.

#include <QString>

namespace luftikon {

// The user name a diary file is named after: "<user>_<month>_<year>.tab" gives "<user>"; empty
// when the name does not have that form.
QString userNameOfDiaryFile(const QString& path);

// The diary in `galleryFolder`'s year folders of the nearest month before (`step` -1) or after
// (`step` +1) the calendar month `month`/`year` that `userName` has one for; empty when there is
// none. Either form of the month in the file name counts.
QString neighbourMonthDiary(const QString& galleryFolder, const QString& userName, int month, int year, int step);

} // namespace luftikon
