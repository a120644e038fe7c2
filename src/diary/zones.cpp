#include "diary/zones.h"

namespace luftikon {

QString zoneWord(Zone zone)
{
    static const QString words[] = {QStringLiteral("grün"), QStringLiteral("gelb"), QStringLiteral("rot")};
    return words[static_cast<int>(zone)];
}

} // namespace luftikon
