#pragma once
// The month on screen: one diary read once, with its readings, limits and day layout and what
// the windows show of it. Every change goes through here and is announced by changed(); the
// windows listen, and none of them reads the file again or keeps a copy of its own.

#include "config/notice.h"
#include "diary/diaryfile.h"
#include "diary/diarywriter.h"
#include "diary/means.h"
#include "diary/slots.h"
#include "diary/zones.h"

#include <QObject>
#include <QString>

namespace luftikon {

// The diary path with a final ".tab" (any letter case) replaced by ".txt"; a path without that
// ending gets ".txt" appended.
QString remarksFileOf(const QString& diaryFile);

// What the chart, the table and the export show besides the readings.
struct MonthSummary {
    DailyMeanTexts dailyMeans = noDailyMeans();
    BestValue best;      // its index counts in readings()
    QString monthNumber; // month text of the last charted reading, as written
    QString monthName;   // German month name of that text
    QString monthYear;   // year text of the last charted reading
};
MonthSummary summaryOf(const QList<DiaryEntry>& readings);

class CurrentMonth : public QObject {
    Q_OBJECT
public:
    enum class Change {
        Opened, // another diary (or the same one read afresh)
        Saved,  // its readings were written
        Limits, // a zone limit was written in place
        Layout, // the day layout in force
    };
    Q_ENUM(Change)

    explicit CurrentMonth(QObject* parent = nullptr);

    // The diary at `path`, read once. A file that cannot be read is still the month on screen,
    // without readings; diary().ok and diary().error say so. Limits that are no numbers are
    // told through `notify` and the default is in force.
    void open(const QString& path, const Notify& notify = {});
    void open(DiaryFile diary, const Notify& notify = {});

    const DiaryFile& diary() const { return diary_; }
    const QString& path() const { return diary_.path; }
    // A diary is on screen and its file exists.
    bool hasFile() const;
    const QList<DiaryEntry>& readings() const { return diary_.readings; }
    QString remarksPath() const;
    // The year folder the export files the month under.
    const QString& yearFolder() const { return yearFolder_; }
    const ZoneLimits& limits() const { return limits_; }
    const DayLayout& layout() const { return layout_; }
    const MonthSummary& summary() const { return summary_; }

    // Writes one limit into the diary's header in place. False when the file keeps its old
    // value (told through `notify`); the limit in force is then what the file holds.
    enum class Limit { Green, Red };
    bool setLimit(Limit which, int value, const Notify& notify);
    // The day layout in force. A diary on screen that has a month is rewritten whole with it
    // (its readings as they stand; margins and limits as its file holds them); `userName` names
    // the writer when the diary's header names nobody. False when nothing was written.
    bool setLayout(SlotMode mode, const QString& userName, const Notify& notify);
    // Writes a list as its month's diary through the one writer (see writeDiaryFile) and makes
    // what was written the month on screen; the layout in force stays (the file is written with
    // its mode). False when nothing was written.
    bool save(DiarySave& save, const QString& monthFieldText, const QString& yearFieldText, const Notify& notify);

signals:
    void changed(CurrentMonth::Change change);

private:
    // What a write left on disk becomes the month on screen, without reading it back.
    void takeWritten(const DiarySave& save, Change change);
    void update(DiaryFile diary, Change change);

    DiaryFile diary_;
    ZoneLimits limits_;
    DayLayout layout_;
    MonthSummary summary_;
    QString yearFolder_;
};

} // namespace luftikon
