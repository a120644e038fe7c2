#pragma once
// The program's icon for its windows, taken from the icon theme folder installed beside the
// resource folder, so the window shows the same picture as the desktop's menu.

#include <QIcon>
#include <QString>

namespace luftikon {

// resourceFolder is <prefix>/share/luftikon/ (ending in "/"); the icons live in
// <prefix>/share/icons/hicolor. Falls back to the desktop's icon theme when the files are missing.
QIcon applicationIcon(const QString& resourceFolder);

} // namespace luftikon
