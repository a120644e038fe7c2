#include "diary/monthsteps.h"

#include "diary/diaryfile.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

namespace luftikon {

QString userNameOfDiaryFile(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const MonthTexts texts = monthTextsOfName(name);
    if (texts.month.isEmpty())
        return {};
    return name.left(name.size() - int((u'_' + texts.month + u'_' + texts.year + QStringLiteral(".tab")).size()));
}

QString neighbourMonthDiary(const QString& galleryFolder, const QString& userName, int month, int year, int step)
{
    const int from = year * 12 + month - 1;
    std::optional<int> best;
    QString found;
    const QDir gallery(galleryFolder);
    for (const QString& yearName : gallery.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isYear = false;
        yearName.toInt(&isYear);
        if (!isYear || yearName.size() != 4)
            continue;
        const QDir folder(gallery.filePath(yearName));
        // A user name may hold characters a name filter would read as a pattern.
        for (const QString& name : folder.entryList({QStringLiteral("*.tab")}, QDir::Files)) {
            if (userNameOfDiaryFile(name) != userName)
                continue;
            const MonthTexts texts = monthTextsOfName(name);
            const int monthNumber = texts.month.toInt();
            if (texts.year != yearName || monthNumber < 1 || monthNumber > 12)
                continue;
            const int at = texts.year.toInt() * 12 + monthNumber - 1;
            const int distance = (at - from) * step;
            if (distance > 0 && (!best || distance < *best)) {
                best = distance;
                found = folder.filePath(name);
            }
        }
    }
    return found;
}

} // namespace luftikon
