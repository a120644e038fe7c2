#pragma once
// Writing a diary file whole: the file half of the save step of the entry dialog.

#include "config/notice.h"
#include "diary/slots.h"

#include <QString>
#include <QStringList>
#include <array>

namespace luftikon {

// GalleryFolder + year + "/" + user name + "_" + month + "_" + year + ".tab"
QString diaryFilePath(const QString& galleryFolder, const QString& year, const QString& userName, const QString& month);

// The other way the file name rule writes that month: "3" for "03" and "03" for "3"; empty for
// a month text that has no other form.
QString otherMonthForm(const QString& month);

// Where the diary of that month stands: under the month text given or, when only that one
// exists, under its other form, so a month never ends up in two files. The path of the form
// given when neither exists.
QString monthDiaryPath(const QString& galleryFolder, const QString& year, const QString& userName,
                       const QString& month);

// The other file of the same month beside `path` (the other form of the month in its name)
// when it exists; otherwise empty.
QString monthTwinOf(const QString& path);

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
    QString listMonth; // names the file; an empty list takes the month field's text for the header
    QString listYear;
    std::array<QString, 4> margins{QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("10"),
                                   QStringLiteral("10")}; // left, right, top, bottom
    SlotMode slotMode = SlotMode::Four;
    int greenLimit = 500;
    int redLimit = 200;
};

// The 18 header lines followed by the entry lines as they stand.
QStringList composeDiaryLines(const DiaryHeader& header, const QStringList& entries);

// One save of an entry list: what goes in, and what the save leaves in force.
// The header's margins and limits are those in force before the save; the save replaces them by
// those of the file as it stands, so values changed in place since the last save win.
struct DiarySave : DiaryHeader {
    QString galleryFolder; // ends in "/"
    QString htmlFolder;    // ends in "/"
    QStringList entries;
    // The diary the list was read from: a save of the same month writes it back under the name
    // it has, wherever the month's texts would name it otherwise.
    QString readFrom;
    // Set by the save: the diary file (also when it could not be written) and its year folder.
    QString path;
    QString diaryYear;
};

// The file a save writes: the one the list was read from when it is named after the list's
// month, otherwise the one monthDiaryPath names.
QString savePathOf(const DiarySave& save);

// The month text new reading lines of the month of `save` (listMonth as typed, listYear) are
// written with: the form the name of the diary they go into has when that file exists, so a
// month never holds two forms; otherwise listMonth.
QString monthTextForLines(const DiarySave& save);

// Writes the diary whole into the file savePathOf names: makes the year folders, takes margins and limits from the file
// as it stands and, when the list is empty, the header's month and year from the dialog's fields. The file is replaced
// only once the new one is complete; on any failure the old file stays as it was and `notify` says what failed. Returns
// whether the file was written.
bool writeDiaryFile(DiarySave& save, const QString& monthFieldText, const QString& yearFieldText, const Notify& notify);

// The second half of writeDiaryFile: rewrites the diary at `path`, which lies in an existing
// folder, keeping its margins and limits.
bool writeDiaryAt(DiarySave& save, const QString& path, const Notify& notify);

} // namespace luftikon
