#pragma once
// The period's figures as the German texts of its table, the same in the window and the report.

#include "period/periodfigures.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace luftikon {

// "März 2025", "Januar bis März 2025", "November 2024 bis Februar 2025".
QString periodName(DiaryMonth first, DiaryMonth last);

// Broken into lines where a column would be wider than its figures need.
inline const QStringList periodColumnTitles{
    QStringLiteral("Monat"),
    QStringLiteral("Grenzwerte\ngrün/rot"),
    QStringLiteral("Messungen"),
    QStringLiteral("Tage mit\nMesswerten"),
    QStringLiteral("Bestwert"),
    QStringLiteral("Mittel\nmorgens"),
    QStringLiteral("Mittel\nabends"),
    QStringLiteral("Tages-\nschwankung"),
    QStringLiteral("Tiefster Morgenwert\n(vom Bestwert)"),
    QStringLiteral("grün"),
    QStringLiteral("gelb"),
    QStringLiteral("rot"),
};

// One row of the table. A month without a diary has its name only; an unreadable one its
// name and, in `note`, why it could not be read, to be shown across the other columns.
struct PeriodRow {
    QStringList cells; // one per column, or the name alone
    QString note;
};

// A row per month, then the row of the whole period.
std::vector<PeriodRow> periodRows(const Period& period);

} // namespace luftikon
