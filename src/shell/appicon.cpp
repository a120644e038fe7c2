// The program's window icon, read from the hicolor folder beside the resources.

#include "shell/appicon.h"

#include <QFileInfo>

namespace luftikon {

QIcon applicationIcon(const QString& resourceFolder)
{
    const QString name = QStringLiteral("luftikon");
    QIcon icon;
    // Window icons are shown at most 64 pixels, 128 on a screen of twice the density; the
    // 256-pixel one is only for the desktop's menu, and would sit in memory as a bitmap.
    for (const int size : {48, 128}) {
        const QString file =
            QStringLiteral("%1../icons/hicolor/%2x%2/apps/%3.png").arg(resourceFolder).arg(size).arg(name);
        if (QFileInfo::exists(file))
            icon.addFile(file, QSize(size, size));
    }
    return icon.isNull() ? QIcon::fromTheme(name) : icon;
}

} // namespace luftikon
