#include "diary/zones.h"

namespace luftikon {

QString zoneWord(Zone zone)
{
    switch (zone) {
    case Zone::Green:
        return QStringLiteral("grün");
    case Zone::Yellow:
        return QStringLiteral("gelb");
    case Zone::Red:
        break;
    }
    return QStringLiteral("rot");
}

} // namespace luftikon
