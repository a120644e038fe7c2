#include "browser/exportpage.h"

#include "diary/diaryfile.h"
#include "diary/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace luftikon {

namespace {

QString inFolder(const QString& folder, const QString& name)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

// The labels need a real calendar month: a month 1..12 and a four-digit year.
bool isCalendarMonth(const ExportMonth& month)
{
    bool monthOk = false;
    const int number = month.month.trimmed().toInt(&monthOk);
    const QString& year = month.year;
    const bool yearOk = year.size() == 4 &&
                        std::all_of(year.begin(), year.end(), [](QChar ch) { return ch.isDigit(); }) &&
                        year.toInt() >= 1;
    return monthOk && number >= 1 && number <= 12 && yearOk;
}

} // namespace

std::optional<QString> pageFileName(const QString& diaryPath)
{
    QString name = QFileInfo(diaryPath).fileName();
    if (!name.endsWith(QLatin1String(".tab"), Qt::CaseInsensitive))
        return std::nullopt;
    name.chop(4);
    return name + QLatin1String(".html");
}

std::optional<QString> exportMonthPage(const ExportRequest& request, const Notify& notify)
{
    if (request.month.month.trimmed().isEmpty()) {
        notify(MessageKind::Plain, QStringLiteral("Es wurden noch keine Daten eingegeben!"));
        return std::nullopt;
    }
    const std::optional<QString> pageName = pageFileName(request.currentDiaryFile);
    if (!pageName) {
        notify(MessageKind::Warning,
               QStringLiteral("Die Seite für den Browser wurde nicht erstellt: Der Name der Tabelle \"%1\" endet "
                              "nicht auf \".tab\".")
                   .arg(request.currentDiaryFile));
        return std::nullopt;
    }
    if (!isCalendarMonth(request.month)) {
        notify(MessageKind::Warning,
               QStringLiteral("Die Seite für den Browser wurde nicht erstellt: Monat \"%1\" und Jahr \"%2\" der "
                              "Messwerte ergeben kein gültiges Datum.")
                   .arg(request.month.month, request.month.year));
        return std::nullopt;
    }

    PageInput input;
    static_cast<PageSettings&>(input) = request;

    if (QFileInfo(request.currentDiaryFile).isFile()) {
        DiaryFile diary = readDiary(request.currentDiaryFile);
        if (!diary.ok) {
            notify(MessageKind::Error, diary.error);
            return std::nullopt;
        }
        input.readings = std::move(diary.readings);
    }
    const QFileInfo remarksInfo(request.remarksFile);
    if (!request.remarksFile.isEmpty() && remarksInfo.isFile() && remarksInfo.size() > 0) {
        ReadResult remarks = readTextLines(request.remarksFile);
        if (!remarks.ok) {
            notify(MessageKind::Error, remarks.error);
            return std::nullopt;
        }
        input.remarksLines = std::move(remarks.lines);
    }
    const QStringList page = buildPage(input);

    const QString yearFolder = request.htmlFolder + request.diaryYear;
    if (!yearFolder.isEmpty() && !QFileInfo(yearFolder).isDir() && !QDir().mkpath(yearFolder))
        notify(MessageKind::Plain, QStringLiteral("Ordner \"%1\" konnte nicht erstellt werden! ").arg(yearFolder));

    const QString pagePath = inFolder(yearFolder, *pageName);
    const WriteResult written = writeTextLines(pagePath, page);
    if (!written.ok) {
        notify(MessageKind::Error, written.error);
        return std::nullopt;
    }

    // Copied once; a script already in the year folder is never replaced.
    if (!QFileInfo::exists(inFolder(yearFolder, QStringLiteral("Chart.min.js")))) {
        const QString script = request.dataFolder + QLatin1String("scripts/Chart.min.js");
        if (QFileInfo::exists(script)) {
            const WriteResult copied = copyFileSafely(script, inFolder(yearFolder, QStringLiteral("Chart.min.js")));
            if (!copied.ok)
                notify(MessageKind::Error, copied.error);
        }
        else
            notify(MessageKind::Plain, QStringLiteral("Datei \"%1\" konnte nicht in den Ordner:\"%2\" kopiert werden! ")
                                           .arg(script, yearFolder));
    }
    return QFileInfo(pagePath).absoluteFilePath();
}

} // namespace luftikon
