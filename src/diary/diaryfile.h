#pragma once
// A diary file read once: its lines for header lookups, its reading lines, and the month
// (ListMonth, ListYear) they belong to. Drawing, openers and background saves all start here.

#include "diary/textfile.h"

#include <QString>
#include <QStringList>

namespace luftikon {

struct DiaryFile {
    QString path;
    bool ok = false;
    QString error;       // German, for the user, when the file could not be read
    QStringList lines;   // every line, for header lookups
    QStringList entries; // the reading lines, unchanged, in file order
    // The month text (3 or 03) and year text of the last reading line whose month and year
    // are numbers; without such a line, those of the file name "<user>_<month>_<year>.tab";
    // otherwise empty.
    QString month;
    QString year;
};

// The month and year texts of a diary named "<user>_<month>_<year>.tab" (one or two digits,
// four digits); both empty when the name does not have that form.
struct MonthTexts {
    QString month;
    QString year;
};
MonthTexts monthTextsOfName(const QString& path);

// Takes read lines apart; `path` only serves the month of a diary without readings.
DiaryFile diaryOf(const QStringList& lines, const QString& path);
DiaryFile readDiary(const QString& path);

} // namespace luftikon
