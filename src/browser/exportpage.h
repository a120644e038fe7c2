#pragma once
// The command "Liniendiagramm im Browser anzeigen" without its windows: writes the month's page
// and Chart.min.js into the year folder of the export folder. Opening the page is left to the
// caller, through the desktop seam.

#include "browser/htmlpage.h"
#include "config/notice.h"

#include <QString>
#include <optional>

namespace luftikon {

struct ExportRequest : PageSettings {
    QString currentDiaryFile;
    QString remarksFile;
    QString htmlFolder; // ends in "/"
    QString diaryYear;  // year folder name, may be empty
    QString dataFolder; // ends in "/"; holds scripts/Chart.min.js
};

// The page's file name: the diary's name without folders and without its ".tab" ending (any
// letter case), plus ".html"; none when the name does not end in ".tab".
std::optional<QString> pageFileName(const QString& diaryPath);

// Writes the page (Windows-1252, CR LF) and copies Chart.min.js beside it when it is missing
// there. Gives the absolute path of the page to open, or none when no page was written; every
// problem is told through `notify`.
std::optional<QString> exportMonthPage(const ExportRequest& request, const Notify& notify);

} // namespace luftikon
