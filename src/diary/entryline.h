#pragma once
// One reading line of a diary file (DiaryEntry): composing it and taking it apart. Every
// reader uses these rules, so the markers " den ", ".", " Z=" and "Luftikon=" must stay.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace luftikon {

// Removes characters up to U+0020 (blanks and control characters) at both ends.
QString trimBlanks(const QString& text);

// A line is an entry line when it is not empty and starts with "M" or "A".
bool isEntryLine(const QString& line);

// The entry lines among the lines of a diary file, unchanged and in file order.
QStringList entryLinesOf(const QStringList& lines);

// Blanks after the prefix: 5 after an 11-character prefix, 3 after a 12-character one,
// none otherwise.
QString entryPadding(const QString& prefix);

// The range of a reading in l/min that a new line may hold.
constexpr int LowestReading = 20;
constexpr int HighestReading = 800;

// prefix + padding + day + "." + month + "." + year + " Z=" + time + "  Luftikon=" + value
QString composeEntryLine(const QString& prefix, const QString& day, const QString& month, const QString& year,
                         const QString& time, const QString& value);

// A new reading line: the day with two digits, the month as the diary of that month writes it
// (monthTextForLines), the year and the value as plain numbers, the time as given. Every new
// reading is composed here, typed or brought in from elsewhere.
QString composeReadingLine(const QString& prefix, int day, const QString& monthText, int year, const QString& time,
                           int value);

// The date key of the duplicate check: the composed line without time and value.
QString entryDateKey(const QString& prefix, const QString& day, const QString& month, const QString& year);

// The fields after the prefix, each present only when its marker is found: day (before the
// first ".", trimmed), month (before the next ".", trimmed), year (before the next blank,
// trimmed), time (the five characters after "Z="), value (after "Luftikon=", trimmed).
struct EntryFields {
    std::optional<QString> day;
    std::optional<QString> month;
    std::optional<QString> year;
    std::optional<QString> time;
    std::optional<QString> value;
};
EntryFields entryFieldsOf(const QString& rest);

// Everything up to and including the first "den ", and the rest; nullopt without "den ".
struct PrefixSplit {
    QString prefix;
    QString rest;
};
std::optional<PrefixSplit> splitEntryPrefix(const QString& line);

// The two characters right before the first "." of the whole line; empty without ".".
QString dayTextOf(const QString& line);

// The day the means, the chart grouping and the table attribute a line to: 1..31 when the
// two characters before the first "." are two digits "01".."31", otherwise 0.
int dayNumberOf(const QString& line);

// The value text after the first "Luftikon=", trimmed; empty without the marker.
QString valueTextOf(const QString& line);

// A value text as a whole number (optional sign, decimal digits, fits 32 bits); nullopt
// for anything else, which readers then leave out of means and best value.
std::optional<int> parseWholeNumber(const QString& text);
std::optional<int> parseWholeNumber(QStringView text);

// 0 to 9 only: files and names count in ASCII digits, never in another script's.
inline bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// A whole entry line taken apart once; every reader takes what it needs from here.
struct DiaryEntry {
    QString line;             // as it stands in the file
    QString prefix;           // up to and including the first "den "; empty without it
    int slot = 0;             // slot of the prefix, NoSlot when it is none of the eight
    EntryFields fields;       // taken from the text after the prefix
    QString dayText;          // dayTextOf(line)
    int dayNumber = 0;        // dayNumberOf(line)
    QString valueText;        // valueTextOf(line)
    std::optional<int> value; // the value as a whole number
};
DiaryEntry parseEntryLine(const QString& line);

} // namespace luftikon
