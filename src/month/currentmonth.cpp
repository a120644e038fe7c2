#include "month/currentmonth.h"

#include "diary/dates.h"
#include "diary/iniheader.h"

#include <QFileInfo>

namespace luftikon {

namespace {

void tell(const Notify& notify, MessageKind kind, const QString& text)
{
    if (notify)
        notify(kind, text);
}

// The year folder of a diary path: the four characters after the "/" of the last year pattern
// found; the previous one when the path holds none.
QString yearFolderOf(const QString& path, const QString& previous)
{
    static const QStringList yearPatterns{"/199", "/200", "/201", "/202", "/203"};
    QString year = previous;
    for (const QString& pattern : yearPatterns) {
        const qsizetype at = path.indexOf(pattern);
        if (at >= 0)
            year = path.mid(at + 1, 4);
    }
    return year;
}

const QString& limitKey(CurrentMonth::Limit which)
{
    return which == CurrentMonth::Limit::Green ? GreenLimitKey : RedLimitKey;
}

int limitDefault(CurrentMonth::Limit which)
{
    return which == CurrentMonth::Limit::Green ? DefaultGreenLimit : DefaultRedLimit;
}

} // namespace

QString remarksFileOf(const QString& diaryFile)
{
    if (diaryFile.endsWith(QStringLiteral(".tab"), Qt::CaseInsensitive))
        return diaryFile.left(diaryFile.size() - 4) + QStringLiteral(".txt");
    return diaryFile + QStringLiteral(".txt");
}

MonthSummary summaryOf(const QList<DiaryEntry>& readings)
{
    MonthSummary summary;
    summary.dailyMeans = dailyMeansOf(readings);
    summary.best = bestValueOf(readings);
    for (const DiaryEntry& reading : readings) {
        if (!chartedDay(reading))
            continue;
        const EntryFields& fields = reading.fields;
        if (fields.month && *fields.month != summary.monthNumber) {
            summary.monthNumber = *fields.month;
            const auto number = parseWholeNumber(*fields.month);
            summary.monthName = number ? germanMonthName(*number) : QString();
        }
        if (fields.year)
            summary.monthYear = *fields.year;
    }
    return summary;
}

CurrentMonth::CurrentMonth(QObject* parent) : QObject(parent) {}

void CurrentMonth::open(const QString& path, const Notify& notify)
{
    open(readDiary(path), notify);
}

void CurrentMonth::open(DiaryFile diary, const Notify& notify)
{
    layout_ = diary.layout;
    const auto limit = [&](Limit which) {
        if (const auto value = storedLimit(diary.lines, limitKey(which), limitDefault(which)))
            return *value;
        tell(notify, MessageKind::Warning,
             QStringLiteral("Der Grenzwert \"%1\" in der Datei %2 ist keine Zahl: \"%3\". Es gilt der Grenzwert %4.")
                 .arg(limitKey(which), diary.path, readHeaderValue(diary.lines, limitKey(which), QString()))
                 .arg(limitDefault(which)));
        return limitDefault(which);
    };
    limits_ = {limit(Limit::Green), limit(Limit::Red)};
    yearFolder_ = yearFolderOf(diary.path, yearFolder_);
    update(std::move(diary), Change::Opened);
}

bool CurrentMonth::hasFile() const
{
    return !diary_.path.isEmpty() && QFileInfo(diary_.path).isFile();
}

QString CurrentMonth::remarksPath() const
{
    return diary_.path.isEmpty() ? QString() : remarksFileOf(diary_.path);
}

bool CurrentMonth::setLimit(Limit which, int value, const Notify& notify)
{
    int& limit = which == Limit::Green ? limits_.green : limits_.red;
    const int before = limit;
    const WriteResult written = writeHeaderValue(diary_.path, limitKey(which), QString::number(value));
    if (written.ok) {
        limit = value;
        diary_.lines = withIniValue(diary_.lines, PersonDataSection, limitKey(which), QString::number(value));
    }
    else {
        // The limit in force is the one the file still holds.
        const ReadResult file = readTextLines(diary_.path);
        if (file.ok) {
            if (const auto stored = storedLimit(file.lines, limitKey(which), limitDefault(which)))
                limit = *stored;
        }
        tell(notify, MessageKind::Error, written.error + QStringLiteral(" Der Grenzwert bleibt %1.").arg(limit));
    }
    if (limit != before)
        emit changed(Change::Limits);
    return written.ok;
}

bool CurrentMonth::setLayout(SlotMode mode, const QString& userName, const Notify& notify)
{
    layout_ = DayLayout(mode);
    // Without a month the header's date line could not be written.
    bool written = false;
    if (hasFile() && diary_.ok && !diary_.month.isEmpty()) {
        DiarySave save;
        save.userName = diary_.userName.isEmpty() ? userName : diary_.userName;
        save.listMonth = diary_.month;
        save.listYear = diary_.year;
        save.entries = diary_.entryLines();
        save.readFrom = diary_.path;
        save.slotMode = mode;
        save.greenLimit = limits_.green;
        save.redLimit = limits_.red;
        written = writeDiaryAt(save, diary_.path, notify);
        if (written) {
            takeWritten(save, Change::Layout);
            return true;
        }
    }
    emit changed(Change::Layout);
    return written;
}

bool CurrentMonth::save(DiarySave& save, const QString& monthFieldText, const QString& yearFieldText,
                        const Notify& notify)
{
    if (!writeDiaryFile(save, monthFieldText, yearFieldText, notify))
        return false;
    takeWritten(save, Change::Saved);
    return true;
}

void CurrentMonth::takeWritten(const DiarySave& save, Change change)
{
    limits_ = {save.greenLimit, save.redLimit};
    yearFolder_ = save.diaryYear;
    update(diaryOf(composeDiaryLines(save, save.entries), save.path), change);
}

void CurrentMonth::update(DiaryFile diary, Change change)
{
    diary_ = std::move(diary);
    summary_ = summaryOf(diary_.readings);
    emit changed(change);
}

} // namespace luftikon
