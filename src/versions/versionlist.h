#pragma once
// The earlier versions of one month (its diary and its remarks) as the user chooses among them:
// when each was kept and how its readings differ from the diary as it stands today.

#include "files/versions.h"

#include <QList>
#include <QString>

namespace luftikon {

struct VersionRow {
    EarlierVersion version;
    QString filePath; // the file the version would replace
    bool remarks = false;
    bool unreadable = false; // the version file cannot be read: its readings are unknown
    int readings = 0;        // in the version
    int added = 0;           // readings today's diary has and the version lacks
    int missing = 0;         // readings of the version today's diary lacks
};

// The versions of the diary at `diaryPath` and of its remarks file, newest first.
QList<VersionRow> versionRowsOf(const QString& diaryPath);

// "05.03.2024", "14:02:10", "31 Messwerte; seither hinzugekommen: 2; heute fehlend: 1": how the
// window lists a row.
QString versionDateText(const VersionRow& row);
QString versionTimeText(const VersionRow& row);
QString versionContentText(const VersionRow& row);

} // namespace luftikon
