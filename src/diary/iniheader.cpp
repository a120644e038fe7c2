#include "diary/iniheader.h"

#include "diary/entryline.h"

#include <QFileInfo>
#include <optional>

namespace luftikon {

namespace {

bool startsSection(const QString& line)
{
    return trimBlanks(line).startsWith(QLatin1Char('['));
}

bool isSectionLine(const QString& line, const QString& section)
{
    const QString trimmed = trimBlanks(line);
    if (!trimmed.startsWith(QLatin1Char('[')))
        return false;
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    if (close < 0)
        return false;
    return trimBlanks(trimmed.mid(1, close - 1)).compare(section, Qt::CaseInsensitive) == 0;
}

// Index of the section line, or -1.
qsizetype findSection(const QStringList& lines, const QString& section)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (isSectionLine(lines.at(i), section))
            return i;
    }
    return -1;
}

// Index of the first line in the section whose key matches, and the end of the section.
struct KeySearch {
    qsizetype keyLine = -1;
    qsizetype sectionEnd = -1;
};

KeySearch findKey(const QStringList& lines, qsizetype sectionLine, const QString& key)
{
    KeySearch search;
    const QString wanted = trimBlanks(key);
    qsizetype i = sectionLine + 1;
    for (; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (startsSection(line))
            break;
        if (search.keyLine >= 0)
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        if (trimBlanks(line.left(equals)).compare(wanted, Qt::CaseInsensitive) == 0)
            search.keyLine = i;
    }
    search.sectionEnd = i;
    return search;
}

bool hasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

} // namespace

QString readIniValue(const QStringList& lines, const QString& section, const QString& key, const QString& defaultValue)
{
    QString result = defaultValue;
    const qsizetype sectionLine = findSection(lines, section);
    if (sectionLine >= 0) {
        const KeySearch search = findKey(lines, sectionLine, key);
        if (search.keyLine >= 0) {
            const QString& line = lines.at(search.keyLine);
            result = trimBlanks(line.mid(line.indexOf(QLatin1Char('=')) + 1));
        }
    }
    return result.left(MaxIniValueLength);
}

QString readHeaderValue(const QStringList& lines, const QString& key, const QString& defaultValue)
{
    return readIniValue(lines, PersonDataSection, key, defaultValue);
}

QString readHeaderValue(const QString& path, const QString& key, const QString& defaultValue)
{
    const ReadResult file = readTextLines(path);
    if (!file.ok)
        return defaultValue.left(MaxIniValueLength);
    return readHeaderValue(file.lines, key, defaultValue);
}

QStringList withIniValue(const QStringList& lines, const QString& section, const QString& key, const QString& value)
{
    QStringList result = lines;
    const QString line = trimBlanks(key) + QLatin1Char('=') + value;
    const qsizetype sectionLine = findSection(lines, section);
    if (sectionLine < 0) {
        result << QLatin1Char('[') + section + QLatin1Char(']') << line;
        return result;
    }
    const KeySearch search = findKey(lines, sectionLine, key);
    if (search.keyLine >= 0)
        result[search.keyLine] = line;
    else
        result.insert(search.sectionEnd, line);
    return result;
}

WriteResult writeHeaderValue(const QString& path, const QString& key, const QString& value)
{
    WriteResult result;
    const QString trimmedKey = trimBlanks(key);
    if (trimmedKey.isEmpty() || trimmedKey.contains(QLatin1Char('=')) || hasLineBreak(key) || hasLineBreak(value) ||
        trimmedKey.startsWith(QLatin1Char('['))) {
        result.error = QStringLiteral("Der Wert \"%1\" kann nicht als \"%2\" in die Datei \"%3\" geschrieben werden.")
                           .arg(value, key, path);
        result.failure = WriteFailure::Content;
        return result;
    }
    if (!QFileInfo::exists(path)) {
        result.error =
            QStringLiteral("Die Datei \"%1\" existiert nicht; der Wert \"%2\" wurde nicht gespeichert.").arg(path, key);
        result.failure = WriteFailure::Open;
        return result;
    }
    const ReadResult file = readTextLines(path);
    if (!file.ok) {
        result.error = file.error;
        result.failure = WriteFailure::Open;
        return result;
    }
    return writeTextLines(path, withIniValue(file.lines, PersonDataSection, key, value), Earlier::Kept);
}

} // namespace luftikon
