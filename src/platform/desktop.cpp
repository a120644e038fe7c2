#include "platform/desktop.h"

namespace luftikon {

QString captionOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information:
        return QStringLiteral("Information");
    case MessageKind::Warning:
        return QStringLiteral("Warnung");
    case MessageKind::Plain:
        return QStringLiteral("Luftikon");
    case MessageKind::Error:
        return QStringLiteral("Fehler");
    case MessageKind::Question:
    case MessageKind::WarningQuestion:
    case MessageKind::InformationQuestion:
        return QStringLiteral("Bestätigung");
    }
    return QStringLiteral("Luftikon");
}

} // namespace luftikon
