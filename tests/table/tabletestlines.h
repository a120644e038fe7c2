#pragma once
// Entry lines as the entry dialog writes them.

#include <QString>

namespace luftikon::test {

inline QString entryLine(const QString& prefix, int day, const QString& time, int value,
                         const QString& month = QStringLiteral("3"), const QString& year = QStringLiteral("2024"))
{
    const int padding = prefix.size() == 11 ? 5 : prefix.size() == 12 ? 3 : 0;
    return prefix + QString(padding, u' ') + QStringLiteral("%1.").arg(day, 2, 10, QLatin1Char('0')) + month + u'.' +
           year + QStringLiteral(" Z=") + time + QStringLiteral("  Luftikon=") + QString::number(value);
}

} // namespace luftikon::test
