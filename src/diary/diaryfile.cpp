#include "diary/diaryfile.h"

#include "diary/entryline.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace luftikon {

MonthTexts monthTextsOfName(const QString& path)
{
    static const QRegularExpression pattern(QStringLiteral("_(\\d{1,2})_(\\d{4})\\.tab$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(QFileInfo(path).fileName());
    if (!match.hasMatch())
        return {};
    return {match.captured(1), match.captured(2)};
}

DiaryFile diaryOf(const QStringList& lines, const QString& path)
{
    DiaryFile diary;
    diary.path = path;
    diary.ok = true;
    diary.lines = lines;
    diary.entries = entryLinesOf(lines);
    for (auto line = diary.entries.crbegin(); line != diary.entries.crend(); ++line) {
        const auto split = splitEntryPrefixView(*line);
        if (!split)
            continue;
        const EntryFieldViews fields = entryFieldViewsOf(split->rest);
        if (fields.month && fields.year && parseWholeNumber(*fields.month) && parseWholeNumber(*fields.year)) {
            diary.month = fields.month->toString();
            diary.year = fields.year->toString();
            return diary;
        }
    }
    const MonthTexts named = monthTextsOfName(path);
    diary.month = named.month;
    diary.year = named.year;
    return diary;
}

DiaryFile readDiary(const QString& path)
{
    ReadResult read = readTextLines(path);
    if (!read.ok) {
        DiaryFile failed;
        failed.path = path;
        failed.error = read.error;
        return failed;
    }
    return diaryOf(read.lines, path);
}

} // namespace luftikon
