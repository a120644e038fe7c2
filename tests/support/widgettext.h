#pragma once
// Readable failures for texts and the texts of a menu, for the widget tests.

#include <QAction>
#include <QMenu>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace luftikon::test {

// A separator reads "-".
inline QStringList itemTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

} // namespace luftikon::test
