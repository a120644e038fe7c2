#pragma once
// What the three evaluation commands work from: the drawn diary read once, its month, its
// figures and remarks, and where the report and the CSV file of that month go.

#include "config/notice.h"
#include "diary/diaryfile.h"
#include "diary/entryline.h"
#include "diary/slots.h"
#include "report/monthfigures.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace luftikon {

struct ReportSource {
    DiaryFile diary;    // the month on screen as read; no path when there is none
    QString dataFolder; // ends in "/"
    QString userName;   // used when the diary names nobody
    int greenLimit = 500;
    int redLimit = 200;
    SlotMode slotMode = SlotMode::Four;
};

struct MonthReport {
    QString diaryFile;
    QString userName;
    SlotMode slotMode = SlotMode::Four;
    QList<DiaryEntry> readings;
    QStringList remarks;
    MonthFigures figures;
};

// Reads the diary of `source`. Without a drawn diary or without any
// reading the user is told "Es wurden noch keine Daten eingegeben!"; a file that cannot be read
// is reported. Nothing on failure.
std::optional<MonthReport> loadMonthReport(const ReportSource& source, const Notify& notify);

// Adds the remarks of `remarksFile` to the report; a missing file means no remarks. False when
// the file cannot be read (the user has been told).
bool readRemarks(MonthReport& report, const QString& remarksFile, const Notify& notify);

inline const QString reportFolderName = QStringLiteral("Luftikon-Berichte");

// data folder + "Luftikon-Berichte/" + year + "/" + the diary's name with `extension`
// (".pdf", ".csv") for its ".tab"; none when the diary name does not end in ".tab" or the
// month has no year.
std::optional<QString> reportFilePath(const QString& dataFolder, const MonthReport& report, const QString& extension);

// The readings by day and slot for the report's table: one row per day of the month (a day
// beyond the month's length when a reading has one), the value texts of the columns' slots;
// a later line for the same day and slot wins, as in the table window. The columns are the
// slots of the day layout plus any slot of 4..7 that holds a reading in a four-slot diary.
struct ReadingGrid {
    std::vector<int> columns;      // slot numbers
    std::vector<QStringList> rows; // rows[d - 1]: day d
};
ReadingGrid readingGridOf(const MonthReport& report);

} // namespace luftikon
