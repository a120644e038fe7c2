#include "diary/longlines.h"

namespace luftikon {

QString shownLine(const QString& line)
{
    if (line.size() <= MaxShownLineLength)
        return line;
    return line.left(MaxShownLineLength) + QStringLiteral(" …");
}

QString overlongLinesNote(const QString& file, const QStringList& fileLines)
{
    QStringList numbers;
    for (qsizetype i = 0; i < fileLines.size(); ++i) {
        if (fileLines.at(i).size() > MaxShownLineLength)
            numbers << QString::number(i + 1);
    }
    if (numbers.isEmpty())
        return QString();
    constexpr qsizetype named = 10;
    QString which = numbers.mid(0, named).join(QStringLiteral(", "));
    if (numbers.size() > named)
        which += QStringLiteral(" und %1 weitere").arg(numbers.size() - named);
    return (numbers.size() == 1 ? QStringLiteral("Die Zeile %1 der Datei \"%2\" ist zu lang, um ganz angezeigt zu "
                                                 "werden. Sie wird gekürzt angezeigt und bleibt in der Datei "
                                                 "vollständig erhalten.")
                                : QStringLiteral("Die Zeilen %1 der Datei \"%2\" sind zu lang, um ganz angezeigt zu "
                                                 "werden. Sie werden gekürzt angezeigt und bleiben in der Datei "
                                                 "vollständig erhalten."))
        .arg(which, file);
}

} // namespace luftikon
