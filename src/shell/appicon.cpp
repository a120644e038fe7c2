// The program's window icon, read from the hicolor folder beside the resources.

#include "shell/appicon.h"

#include <QFileInfo>

namespace luftikon {

QIcon applicationIcon(const QString& resourceFolder)
{
    const QString name = QStringLiteral("luftikon");
    QIcon icon;
    for (const int size : {48, 256}) {
        const QString file =
            QStringLiteral("%1../icons/hicolor/%2x%2/apps/%3.png").arg(resourceFolder).arg(size).arg(name);
        if (QFileInfo::exists(file))
            icon.addFile(file, QSize(size, size));
    }
    return icon.isNull() ? QIcon::fromTheme(name) : icon;
}

} // namespace luftikon
