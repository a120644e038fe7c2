#include "diary/textfile.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace luftikon {

QString decodeCp1252(const QByteArray& bytes)
{
    QStringDecoder decoder("windows-1252");
    return decoder.decode(bytes);
}

std::optional<QByteArray> encodeCp1252(const QString& text)
{
    QStringEncoder encoder("windows-1252", QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

QStringList splitLines(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    // A final line end does not start another line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

ReadResult readTextLines(const QString& path)
{
    ReadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden: %2").arg(path, file.errorString());
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = QStringLiteral("Fehler beim Lesen der Datei \"%1\": %2").arg(path, file.errorString());
        return result;
    }
    result.lines = splitLines(decodeCp1252(bytes));
    result.ok = true;
    return result;
}

WriteResult writeTextLines(const QString& path, const QStringList& lines, Earlier earlier)
{
    WriteResult result;
    QByteArray bytes;
    for (const QString& line : lines) {
        const auto encoded = encodeCp1252(line);
        if (!encoded) {
            result.error = QStringLiteral("Die Datei \"%1\" wurde nicht geschrieben: Die Zeile \"%2\" enthält "
                                          "Zeichen, die in der Datei nicht gespeichert werden können.")
                               .arg(path, line);
            result.failure = WriteFailure::Content;
            return result;
        }
        bytes += *encoded;
        bytes += "\r\n";
    }
    return earlier == Earlier::Kept ? replaceKeepingVersion(path, bytes) : writeFileSafely(path, bytes);
}

} // namespace luftikon
