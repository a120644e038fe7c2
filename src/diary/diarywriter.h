#pragma once
// Writing a diary file whole: the file half of the save step of the entry dialog.

#include "config/appstate.h"
#include "config/notice.h"
#include "diary/slots.h"

#include <QString>
#include <QStringList>
#include <array>

namespace luftikon {

// GalleryFolder + year + "/" + user name + "_" + month + "_" + year + ".tab"
QString diaryFilePath(const QString& galleryFolder, const QString& year, const QString& userName, const QString& month);

// The user name split at its first blank; both parts empty when it has none.
struct NameParts {
    QString first;
    QString rest;
};
NameParts splitUserName(const QString& userName);

// first + " " + rest + " " + month + "_" + year + ".tab": how messages name a diary file.
QString diaryFileLabel(const QString& userName, const QString& month, const QString& year);

// Why `userName`, `month` and `year` cannot name a diary file inside its year folder (a "/",
// a control character, "." or ".."), as a German sentence; empty when they can.
QString diaryNameProblem(const QString& userName, const QString& month, const QString& year);

// The values of the header block.
struct DiaryHeader {
    QString userName;
    QString listMonth;
    QString listYear;
    std::array<QString, 4> margins; // left, right, top, bottom
    SlotMode slotMode = SlotMode::Four;
    int greenLimit = 500;
    int redLimit = 200;
};

// The 18 header lines followed by the entry lines as they stand.
QStringList composeDiaryLines(const DiaryHeader& header, const QStringList& entries);

// Writes the diary of `state` (entryList, userName, listMonth/listYear, the slot marks)
// whole: makes the year folders under galleryFolder and htmlFolder, sets diaryYear and
// currentDiaryFile, takes margins and limits from the file as it stands (they become the
// ones in force), and, when the list is empty, takes listMonth/listYear from the dialog's
// month and year fields. The file is replaced only once the new one is complete; on any
// failure the old file stays as it was and `notify` says what failed. Returns whether the
// file was written.
bool writeDiaryFile(AppState& state, const QString& monthFieldText, const QString& yearFieldText, const Notify& notify);

// The second half of writeDiaryFile: rewrites the diary at `path` (which must lie in an existing
// folder) from the list of `state` under `userName`, with margins and limits read back from it.
bool writeDiaryAt(AppState& state, const QString& path, const QString& userName, const Notify& notify);

} // namespace luftikon
