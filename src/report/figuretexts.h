#pragma once
// The month's figures as the German texts the evaluation window and the doctor's report show,
// so both say the same in the same words.

#include "report/monthfigures.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace luftikon {

// One decimal with a German comma, rounded half away from zero: 412.25 -> "412,3".
QString germanDecimal(double value);

// "–" for a figure that rests on nothing.
inline const QString noFigure = QStringLiteral("–");

// "KW 18 (1.–5. Mai)"; one day alone: "KW 35 (1. September)".
QString weekLabel(const WeekFigures& week, int month);

// "1.–31. Mai 2024"; empty without a calendar month.
QString periodText(const MonthFigures& figures);

struct FigureLine {
    QString label;
    QString value;
};
// Best value, days, morning and evening means, the month's swing and the zones.
std::vector<FigureLine> monthFigureLines(const MonthFigures& figures);

struct WeekRow {
    QString label;
    QString swing;         // "27,9 % (2 Tage)" or "–"
    QString lowestMorning; // "250 l/min = 52,1 %" or "–"
};
inline const QStringList weekColumnTitles{QStringLiteral("Woche"), QStringLiteral("Tagesschwankung im Mittel"),
                                          QStringLiteral("Tiefster Morgenwert (vom Bestwert)")};
std::vector<WeekRow> weekRows(const MonthFigures& figures);

// How each figure is worked out, with the limits in force.
QStringList formulaLines(const MonthFigures& figures);

} // namespace luftikon
