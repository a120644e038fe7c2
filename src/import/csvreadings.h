#pragma once
// Readings from a CSV file that a meter, a phone app or our own export wrote: the encoding found
// by the bytes, the separator by the lines, a header line or none, and every line taken apart into
// a date, a time and a value. A line that cannot be read is kept with its number and the reason.

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

namespace luftikon {

struct CsvReading {
    int lineNumber = 0; // counted from 1, as an editor shows it
    QDate date;
    QString time;    // "HH:MM", 00:00 to 24:00
    int minutes = 0; // the time as minutes of the day
    int value = 0;   // l/min, within LowestReading..HighestReading
    int slot = 0;    // named in the line itself (our own export), otherwise NoSlot
};

struct CsvProblem {
    int lineNumber = 0;
    QString text;   // the line, shortened for showing
    QString reason; // German, for the user
};

struct CsvContent {
    enum class Kind {
        Readings, // at least one line was read
        Empty,    // no line holds anything
        NotCsv,   // no line could be read, or the file is no text at all
    };
    Kind kind = Kind::Empty;
    QString encoding;   // "UTF-8", "UTF-8 mit BOM", "UTF-16", "Windows-1252"
    QChar separator;    // ';', ',', '\t', or ' ' for fields between blanks
    int headerLine = 0; // the number of the header line, 0 without one
    int lineCount = 0;  // lines of the file, empty ones included
    QList<CsvReading> readings;
    QList<CsvProblem> unreadable;
};

CsvContent readCsvReadings(const QByteArray& bytes);

// A time "H:MM" or "HH:MM" (seconds after a second colon dropped), 00:00 to 24:00, as minutes of
// the day; nothing for any other text.
std::optional<int> minutesOfDay(QStringView time);

// The text of the bytes and the name of its encoding: UTF-16 or UTF-8 by their byte-order mark,
// UTF-8 when every byte sequence is valid UTF-8, otherwise Windows-1252.
struct DecodedText {
    QString text;
    QString encoding;
};
DecodedText decodeCsvBytes(const QByteArray& bytes);

} // namespace luftikon
