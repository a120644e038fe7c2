#pragma once
// What the windows share besides the month on screen and the settings: folders, the user the
// readings are filed under, and the chart's look.
// Owned by the main window, handed by reference to the windows at creation; the pure code never
// sees it. Folder values end in "/".

#include "config/colorref.h"

#include <QString>

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

    // Chart look
    ColorRef curveColor = 0;
    ColorRef aboveCurveColor = 0;
    bool showPin = true;
    QString penWidthText = QStringLiteral("2");
    int zoneIntensity = 8;             // 0..8, the settings slider
    bool showValuesAboveCurve = false; // the settings check box for the browser chart
};

} // namespace luftikon
