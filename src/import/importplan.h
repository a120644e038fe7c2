#pragma once
// What bringing the readings of a CSV file into the diaries would do, month by month, and doing
// it. The rules, in the order they are applied:
// 1. A reading goes to the slot its line names (our own export), otherwise to the slot whose
//    configured time, in the day layout of its month's diary, is nearest to its time; on a tie
//    the earlier slot.
// 2. Of several readings of one day in one slot the highest counts: the best of several blows is
//    what a peak-flow diary records. The others are left out.
// 3. A reading whose day and slot the diary already holds with the same value is already there;
//    with another value it is a conflict and the diary keeps its value unless the user takes the
//    file's values.
// 4. Each new line is composed as the entry dialog composes a typed reading, in the month form
//    of the month's diary file, and written through the one diary writer.

#include "config/notice.h"
#include "diary/slots.h"
#include "import/csvreadings.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace luftikon {

// Where the diaries are and what is in force.
struct ImportSetup {
    QString galleryFolder;            // ends in "/"
    QString htmlFolder;               // ends in "/"
    QString userName;                 // the diaries are this user's
    SlotMode layout = SlotMode::Four; // for a month that has no diary yet
    QStringList fourSlotTimes;        // the configured times in the order of the day
    QStringList eightSlotTimes;
};

struct PlannedReading {
    CsvReading source;
    int slot = 0;
    QString line;  // the line it becomes in the diary
    QString other; // already there, conflict: the diary's line; left out: the line that counts instead
};

struct MonthPlan {
    int month = 0;
    int year = 0;
    QString path; // the month's diary, existing or to be made
    bool exists = false;
    QString error;     // German: the diary cannot be read; nothing is written to it
    QString monthText; // "3" or "03", as the diary's name writes the month
    SlotMode layout = SlotMode::Four;
    QStringList entries; // the diary's reading lines as they stand
    QList<PlannedReading> fresh;
    QList<PlannedReading> alreadyThere;
    QList<PlannedReading> conflicts;
    QList<PlannedReading> leftOut;
    // "März 2024"
    QString label() const;
    // Whether OK would write this month.
    bool writes(bool takeFileValues) const
    {
        return error.isEmpty() && (!fresh.isEmpty() || (takeFileValues && !conflicts.isEmpty()));
    }
};

struct ImportPlan {
    CsvContent csv;
    QList<MonthPlan> months; // in calendar order
    int count(QList<PlannedReading> MonthPlan::*list) const;
};

// The preview: nothing is written.
ImportPlan planImport(CsvContent csv, const ImportSetup& setup);

struct ImportOutcome {
    int added = 0;
    int replaced = 0;
    QStringList writtenPaths;
    QStringList writtenMonths; // labels with the number of lines added: "März 2024 (62)"
    QStringList failedMonths;  // labels of months whose diary could not be written
};

// Adds the new readings (and, with `takeFileValues`, the file's values of conflicts) to each
// month's diary; the diary writer tells `notify` what failed, and the other months go on.
ImportOutcome applyImport(const ImportPlan& plan, const ImportSetup& setup, bool takeFileValues, const Notify& notify);

// The one message after OK.
QString importReport(const ImportPlan& plan, const ImportOutcome& outcome, bool takeFileValues);

} // namespace luftikon
