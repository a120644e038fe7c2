#pragma once
// The months of the golden pages: what the last drawing left behind, plus the diary and
// remarks files the export reads. Shared by the golden tests and the browser test.

#include "browser/exportpage.h"
#include "support/sandbox.h"

#include <QByteArray>
#include <QString>

namespace luftikon::test {

// A 31-day month with readings only in days 1-7, a user name with umlauts, a remarks file.
// Brightness 0, values shown, break at zero.
ExportRequest sparseMarch2024(const Sandbox& box);
// Every group with data, two readings of the best value. Brightness 3, no values, zeros kept.
ExportRequest fullJanuary2017(const Sandbox& box);
// A common February: group 2 without data, no diary file, an empty remarks file. Brightness 8.
ExportRequest february2023(const Sandbox& box);

// Chart.min.js where the export looks for it; `content` stands in for the real script.
void putChartScript(const Sandbox& box, const QByteArray& content);
QByteArray goldenPage(const QString& name);

} // namespace luftikon::test
