#pragma once
// The state the windows share. Owned by the main window, handed by reference to every
// window at creation; the pure code never sees it. Folder values end in "/".

#include "config/colorref.h"
#include "diary/means.h"
#include "diary/slots.h"

#include <QString>
#include <QStringList>

namespace luftikon {

struct AppState {
    // Folders and files
    QString startFolder;
    QString dataFolder;
    QString galleryFolderName;
    QString galleryFolder;
    QString htmlFolderName;
    QString htmlFolder;
    QString resourceFolder; // the installed pictures, help document and scripts/
    QString templatePictureFile;
    QString headerPictureFile;
    QString paperFormat = QStringLiteral("DINA4");
    QString userName;
    QString lastDiaryFile;
    QString diaryYear;
    QString currentDiaryFile;
    QString remarksFile;

    // Chart look
    ColorRef curveColor = 0;
    ColorRef aboveCurveColor = 0;
    bool showPin = true;
    QString penWidthText = QStringLiteral("2");
    int zoneIntensity = 8;             // 0..8, the settings slider
    bool showValuesAboveCurve = false; // the settings check box for the browser chart
    int greenLimit = 500;
    int redLimit = 200;
    bool zonesPainted = false;

    // Print margins carried from diary to diary
    QString marginLeft = QStringLiteral("10");
    QString marginRight = QStringLiteral("5");
    QString marginTop = QStringLiteral("10");
    QString marginBottom = QStringLiteral("10");

    // Touch
    bool touchInputAvailable = false;
    bool multiTouchDigitizer = false;
    bool firstShowPending = false;

    // Day layout: the two menu marks. Normally exactly one is set; a diary without the
    // layout lines clears both when opened for editing.
    bool fourSlotMark = true;
    bool eightSlotMark = false;
    SlotMode slotMode() const { return eightSlotMark ? SlotMode::Eight : SlotMode::Four; }
    int currentSlot = 1;
    QString currentEntryPrefix = QStringLiteral("Morgens den ");

    // The entry list of the month being edited, in sort order, with its month and year text
    QStringList entryList;
    QString listMonth;
    QString listYear;
    QString lastEntryLine;
    // The entry dialog's month and year fields; the table window sizes its rows by them and
    // every drawing puts the diary's year into the year field.
    int entryMonth = 1;
    int entryYear = 1998;
    bool showTableAfterPaint = false; // the entry dialog runs "Tabelle zeigen" when it next paints
    bool newUserPending = false;      // a user name was just confirmed
    bool newTablePending = false;     // a new table was just started

    // What the last drawing left behind
    QStringList dayValueList;
    QStringList valueList;
    QStringList pointList;
    DailyMeanTexts dailyMeans = noDailyMeans();
    int bestValue = 0;
    int bestValueX = 0;
    QString monthNumber;   // month text of the last reading line, as written
    QString monthName;     // German month name
    QString monthYear;     // year text of the last reading line
    QString diaryUserName; // "BenutzerName" of the diary drawn
    QString diaryDate;     // "Datum" of the diary drawn
};

} // namespace luftikon
