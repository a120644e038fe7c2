// Takes a CSV file of readings apart: encoding, separator, header and the fields of each line.
#include "import/csvreadings.h"

#include "diary/dates.h"
#include "diary/entryline.h"
#include "diary/slots.h"
#include "diary/textfile.h"

#include <QDateTime>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <optional>
#include <variant>

namespace luftikon {

namespace {

// Tried in this order: a German file with decimal commas has ";" and "," in every line.
constexpr std::array<char16_t, 3> separatorCandidates{u';', u'\t', u','};
// Lines looked at to choose the separator.
constexpr int separatorSample = 50;
// An unreadable line is shown up to this many characters.
constexpr qsizetype shownLineLength = 120;

// 1 to `maxDigits` decimal digits and nothing else.
std::optional<int> digitsOf(QStringView text, int maxDigits)
{
    if (text.isEmpty() || text.size() > maxDigits)
        return std::nullopt;
    int number = 0;
    for (QChar c : text) {
        if (!isAsciiDigit(c))
            return std::nullopt;
        number = number * 10 + (c.unicode() - u'0');
    }
    return number;
}

// How many times `separator` stands outside quotes in `line`.
int countOutside(QStringView line, QChar separator)
{
    int count = 0;
    bool quoted = false;
    for (QChar c : line) {
        if (c == u'"')
            quoted = !quoted;
        else if (c == separator && !quoted)
            ++count;
    }
    return count;
}

// The fields of one line, blanks around each removed; a quoted field may hold the separator and
// doubled quotes. With ' ' as separator, fields stand between runs of blanks.
QStringList fieldsOf(QStringView line, QChar separator)
{
    QStringList fields;
    if (separator == u' ') {
        for (QStringView part : line.split(u' ', Qt::SkipEmptyParts))
            fields << trimBlanks(part.toString());
        return fields;
    }
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c != u'"')
                field += c;
            else if (i + 1 < line.size() && line.at(i + 1) == u'"')
                field += line.at(++i);
            else
                quoted = false;
        }
        else if (c == separator) {
            fields << trimBlanks(field);
            field.clear();
        }
        else if (c == u'"' && trimBlanks(field).isEmpty()) {
            quoted = true;
            field.clear();
        }
        else {
            field += c;
        }
    }
    fields << trimBlanks(field);
    return fields;
}

QChar separatorOf(const QStringList& lines)
{
    std::array<int, separatorCandidates.size()> linesWith{};
    int looked = 0;
    for (const QString& line : lines) {
        if (trimBlanks(line).isEmpty())
            continue;
        for (std::size_t i = 0; i < separatorCandidates.size(); ++i) {
            if (countOutside(line, separatorCandidates[i]) > 0)
                ++linesWith[i];
        }
        if (++looked == separatorSample)
            break;
    }
    std::size_t best = 0;
    for (std::size_t i = 1; i < linesWith.size(); ++i) {
        if (linesWith[i] > linesWith[best])
            best = i;
    }
    // Neither of them: the fields stand between blanks.
    return linesWith[best] > 0 ? QChar(separatorCandidates[best]) : QChar(u' ');
}

struct Clock {
    QString text;
    int minutes;
};

// H:MM or HH:MM, seconds after a second colon dropped; 00:00 to 24:00.
std::optional<Clock> clockOf(QStringView text)
{
    const QList<QStringView> parts = text.split(u':');
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    // -1 for a part that is no number.
    const int hours = digitsOf(parts[0], 2).value_or(-1);
    const int minutes = parts[1].size() == 2 ? digitsOf(parts[1], 2).value_or(-1) : -1;
    const int seconds = parts.size() == 3 ? digitsOf(parts[2], 2).value_or(-1) : 0;
    if (hours < 0 || minutes < 0 || seconds < 0 || minutes > 59 || seconds > 59)
        return std::nullopt;
    if (hours > 24 || (hours == 24 && (minutes > 0 || seconds > 0)))
        return std::nullopt;
    const int total = hours * 60 + minutes;
    return Clock{twoDigits(hours) + u':' + twoDigits(minutes), total};
}

struct DateParts {
    int year;
    int month;
    int day;
};

// 05.03.2024 (day and month with one or two digits) or 2024-03-05.
std::optional<DateParts> datePartsOf(QStringView text)
{
    const QList<QStringView> german = text.split(u'.');
    if (german.size() == 3 && german[2].size() == 4) {
        const auto day = digitsOf(german[0], 2);
        const auto month = digitsOf(german[1], 2);
        const auto year = digitsOf(german[2], 4);
        if (day && month && year)
            return DateParts{*year, *month, *day};
    }
    const QList<QStringView> iso = text.split(u'-');
    if (iso.size() == 3 && iso[0].size() == 4) {
        const auto year = digitsOf(iso[0], 4);
        const auto month = digitsOf(iso[1], 2);
        const auto day = digitsOf(iso[2], 2);
        if (day && month && year)
            return DateParts{*year, *month, *day};
    }
    return std::nullopt;
}

// A date field, perhaps with the time behind a blank or a "T".
struct Stamp {
    std::optional<DateParts> date;
    std::optional<Clock> clock; // only when the field holds a time as well
};

Stamp stampOf(const QString& field)
{
    // A stamp in UTC ("…Z") or with an offset ("…+01:00") is a moment: read at the clock here.
    const qsizetype timeStart = field.indexOf(u'T');
    if (timeStart > 0 &&
        (field.endsWith(u'Z') || field.indexOf(u'+', timeStart) > 0 || field.indexOf(u'-', timeStart) > 0)) {
        const QDateTime moment = QDateTime::fromString(field, Qt::ISODate);
        if (!moment.isValid())
            return {};
        const QDateTime here = moment.toLocalTime();
        const QTime time = here.time();
        return {DateParts{here.date().year(), here.date().month(), here.date().day()},
                Clock{twoDigits(time.hour()) + u':' + twoDigits(time.minute()), time.hour() * 60 + time.minute()}};
    }
    qsizetype cut = field.indexOf(u' ');
    if (cut < 0)
        cut = field.indexOf(u'T');
    if (cut < 0)
        return {datePartsOf(field), std::nullopt};
    const auto date = datePartsOf(QStringView(field).first(cut));
    if (!date)
        return {};
    return {date, clockOf(trimBlanks(field.sliced(cut + 1)))};
}

// A whole number, also written with a fraction of zeros ("420.0", "420,00") as some meters do.
std::optional<int> valueOf(QStringView text)
{
    qsizetype end = text.size();
    const qsizetype point = std::max(text.indexOf(u'.'), text.indexOf(u','));
    if (point > 0) {
        const QStringView fraction = text.sliced(point + 1);
        if (fraction.isEmpty() || !std::all_of(fraction.begin(), fraction.end(), [](QChar c) { return c == u'0'; }))
            return std::nullopt;
        end = point;
    }
    return digitsOf(text.first(end), 9);
}

QString keyOf(const QString& field)
{
    return field.toLower();
}

bool anyOf(const QString& key, std::initializer_list<const char*> words)
{
    return std::any_of(words.begin(), words.end(), [&](const char* word) { return key.contains(QLatin1String(word)); });
}

struct Columns {
    int date = -1;
    int time = -1;
    int value = -1;
    int slot = -1;
};

// The columns a header line names, in German or English.
Columns columnsOf(const QStringList& header)
{
    Columns columns;
    for (int i = 0; i < header.size(); ++i) {
        const QString key = keyOf(header[i]);
        if (columns.value < 0 && anyOf(key, {"wert", "value", "pef", "peak", "flow", "l/min", "luftikon"})) {
            columns.value = i;
            continue;
        }
        // Before the time: "Tageszeit" names the slot, though it holds "zeit".
        if (columns.slot < 0 && (key == u"messung" || anyOf(key, {"slot", "tageszeit"}))) {
            columns.slot = i;
            continue;
        }
        const bool date = columns.date < 0 && (anyOf(key, {"datum", "date"}) || key == u"tag" || key == u"day");
        const bool time = columns.time < 0 && (anyOf(key, {"zeit", "time"}) || key == u"uhr");
        if (date)
            columns.date = i;
        if (time)
            columns.time = i;
    }
    return columns;
}

bool hasLetter(const QString& line)
{
    return std::any_of(line.begin(), line.end(), [](QChar c) { return c.isLetter(); });
}

int slotNamed(const QString& field)
{
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        if (field == slotInfo(slot)->name)
            return slot;
    }
    return NoSlot;
}

QString quoted(const QString& text)
{
    return u'"' + text + u'"';
}

using LineResult = std::variant<CsvReading, QString>;

// One data line into a reading, or the German reason why not. Columns a header named are taken
// from there; the others are found by what the fields hold.
LineResult readingOf(const QStringList& fields, const Columns& columns)
{
    const auto field = [&](int column) { return column < fields.size() ? fields[column] : QString(); };
    CsvReading reading;

    int dateColumn = columns.date;
    Stamp stamp;
    if (dateColumn >= 0) {
        stamp = stampOf(field(dateColumn));
        if (!stamp.date)
            return field(dateColumn).isEmpty() ? QStringLiteral("Das Datum fehlt.")
                                               : QStringLiteral("%1 ist kein Datum der Form 05.03.2024 oder "
                                                                "2024-03-05.")
                                                     .arg(quoted(field(dateColumn)));
    }
    else {
        for (int i = 0; i < fields.size() && !stamp.date; ++i) {
            stamp = stampOf(fields[i]);
            dateColumn = i;
        }
        if (!stamp.date)
            return QStringLiteral("Die Zeile enthält kein Datum der Form 05.03.2024 oder 2024-03-05.");
    }
    const DateParts& parts = *stamp.date;
    reading.date = QDate(parts.year, parts.month, parts.day);
    if (!reading.date.isValid() || parts.year < 1900)
        return QStringLiteral("Den Tag %1 gibt es nicht.").arg(quoted(field(dateColumn)));

    int timeColumn = dateColumn;
    std::optional<Clock> clock = stamp.clock;
    if (!clock && columns.time >= 0 && columns.time != dateColumn) {
        timeColumn = columns.time;
        clock = clockOf(field(timeColumn));
        if (!clock)
            return field(timeColumn).isEmpty()
                       ? QStringLiteral("Die Uhrzeit fehlt.")
                       : QStringLiteral("%1 ist keine Uhrzeit der Form 08:00.").arg(quoted(field(timeColumn)));
    }
    for (int i = 0; i < fields.size() && !clock; ++i) {
        if (i != dateColumn) {
            clock = clockOf(fields[i]);
            timeColumn = i;
        }
    }
    if (!clock)
        return QStringLiteral("Die Zeile enthält keine Uhrzeit der Form 08:00.");
    reading.time = clock->text;
    reading.minutes = clock->minutes;

    std::optional<int> value;
    QString valueText;
    if (columns.value >= 0) {
        valueText = field(columns.value);
        value = valueOf(valueText);
        if (!value)
            return valueText.isEmpty() ? QStringLiteral("Der Messwert fehlt.")
                                       : QStringLiteral("Der Messwert %1 ist keine ganze Zahl.").arg(quoted(valueText));
    }
    for (int i = 0; i < fields.size() && !value; ++i) {
        if (i != dateColumn && i != timeColumn) {
            valueText = fields[i];
            value = valueOf(valueText);
        }
    }
    if (!value)
        return QStringLiteral("Die Zeile enthält keinen Messwert.");
    if (*value < LowestReading || *value > HighestReading)
        return QStringLiteral("Der Messwert %1 liegt nicht zwischen %2 und %3 l/min.")
            .arg(valueText)
            .arg(LowestReading)
            .arg(HighestReading);
    reading.value = *value;

    if (columns.slot >= 0) {
        reading.slot = slotNamed(field(columns.slot));
    }
    else {
        for (int i = 0; i < fields.size() && reading.slot == NoSlot; ++i)
            reading.slot = slotNamed(fields[i]);
    }
    return reading;
}

QString shown(const QString& line)
{
    return line.size() <= shownLineLength ? line : line.first(shownLineLength) + QStringLiteral(" …");
}

QStringList linesOf(const QString& text)
{
    // Files from old Macs end their lines with a lone CR.
    if (!text.contains(u'\n') && text.contains(u'\r'))
        return text.split(u'\r');
    QStringList lines = splitLines(text);
    // A last line end leaves no line behind it.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

std::optional<int> minutesOfDay(QStringView time)
{
    const auto clock = clockOf(time);
    return clock ? std::optional<int>(clock->minutes) : std::nullopt;
}

DecodedText decodeCsvBytes(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return {QString::fromUtf8(bytes.sliced(3)), QStringLiteral("UTF-8 mit BOM")};
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        return {utf16.decode(bytes.sliced(2)), QStringLiteral("UTF-16")};
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return {text, QStringLiteral("UTF-8")};
    return {decodeCp1252(bytes), QStringLiteral("Windows-1252")};
}

CsvContent readCsvReadings(const QByteArray& bytes)
{
    CsvContent content;
    const DecodedText decoded = decodeCsvBytes(bytes);
    content.encoding = decoded.encoding;
    // A NUL never stands in a text file: a picture, an archive or a spreadsheet's own format.
    if (decoded.text.contains(QChar(u'\0'))) {
        content.kind = CsvContent::Kind::NotCsv;
        return content;
    }
    const QStringList lines = linesOf(decoded.text);
    content.lineCount = int(lines.size());
    content.separator = separatorOf(lines);

    Columns columns;
    bool first = true;
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (trimBlanks(line).isEmpty())
            continue;
        const QStringList fields = fieldsOf(line, content.separator);
        // The first line is a header when it holds words and no date.
        if (first) {
            first = false;
            const bool dated =
                std::any_of(fields.begin(), fields.end(), [](const QString& f) { return stampOf(f).date.has_value(); });
            if (!dated && hasLetter(line)) {
                content.headerLine = i + 1;
                // A single field is a title ("Peak-Flow-Export"), no names of columns.
                if (fields.size() >= 2)
                    columns = columnsOf(fields);
                continue;
            }
        }
        const LineResult result = readingOf(fields, columns);
        if (const auto* reading = std::get_if<CsvReading>(&result)) {
            content.readings << *reading;
            content.readings.last().lineNumber = i + 1;
        }
        else {
            content.unreadable << CsvProblem{i + 1, shown(line), std::get<QString>(result)};
        }
    }
    if (!content.readings.isEmpty())
        content.kind = CsvContent::Kind::Readings;
    else if (!content.unreadable.isEmpty())
        content.kind = CsvContent::Kind::NotCsv;
    else
        content.kind = CsvContent::Kind::Empty;
    return content;
}

} // namespace luftikon
