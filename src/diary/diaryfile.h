#pragma once
// A diary file read once: its header fields, its readings each taken apart once, and the month
// (ListMonth, ListYear) they belong to. The drawing, the openers, the export and the saves that
// run without the entry dialog all work from this value.

#include "diary/entryline.h"
#include "diary/slots.h"
#include "diary/textfile.h"
#include "diary/zones.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace luftikon {

// The two zone limits in a diary's header, and their values when the header has none.
inline const QString GreenLimitKey = QStringLiteral("GrenzwertGruen>");
inline const QString RedLimitKey = QStringLiteral("GrenzwertRot<");

// The limit stored under `key` in the header lines; the default when the key is missing,
// nothing when the stored text is no whole number.
std::optional<int> storedLimit(const QStringList& lines, const QString& key, int defaultValue);

struct DiaryFile {
    QString path;
    bool ok = false;
    QString error;                  // German, for the user, when the file could not be read
    QStringList lines;              // every line, for other header lookups
    QList<DiaryEntry> readings;     // the reading lines, in file order
    QStringList entryLines() const; // the reading lines as they stand

    // Header fields of "[Personendaten]", with the defaults of a missing key.
    QString userName; // "BenutzerName"
    QString date;     // "Datum"
    // "BisZu4MessungenJeTag" and "BisZu8MessungenJeTag", each set when it contains "1".
    DayLayout layout = DayLayout::fromKeys(false, false);

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
