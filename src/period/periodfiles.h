#pragma once
// The files of a period: all its readings as one CSV file, and where the period's report and
// CSV file go.

#include "period/periodfigures.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace luftikon {

// Every reading of the read months in the month CSV's format, by date and then slot, each
// with its zone under the limits of its own month.
QByteArray periodCsv(const Period& period);

// The period in a file name: "Erika Beispiel_1-3_2025"; across a year
// "Erika Beispiel_11-2024_2-2025".
QString periodFileStem(const QString& userName, DiaryMonth first, DiaryMonth last);

// data folder + "Luftikon-Berichte/" + year of the last month + "/" + stem + `extension`;
// none when the user name cannot be part of a file name.
std::optional<QString> periodFilePath(const QString& dataFolder, const Period& period, const QString& extension);

} // namespace luftikon
