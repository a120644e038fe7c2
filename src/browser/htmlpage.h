#pragma once
// The browser page of a month: one Chart.js line chart per day group, as a list of lines.

#include "browser/weekpartition.h"
#include "config/colorref.h"
#include "diary/entryline.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace luftikon {

// 0x00BBGGRR -> "#RRGGBB", upper-case digits; the high byte is ignored.
QString colorToHtml(ColorRef color);

// Fill and border colours of the limit bands for a brightness level 0..8 (levels outside
// are taken as the nearest level).
struct BandPalette {
    QString greenFill;
    QString yellowFill;
    QString redFill;
    QString greenBorder;
    QString yellowBorder;
    QString redBorder;
};
BandPalette bandPaletteFor(int brightness);

// "&", "<" and ">" as entities, so user text shows as text and never as markup or script.
QString escapeHtml(const QString& text);

// The date part of the last reading that equals `bestValue`: its line up to the first "Z=",
// trimmed; "-" when there is none or the best value is not above 0.
QString bestValueLine(const QList<DiaryEntry>& readings, int bestValue);

// What the page shows, as the last drawing and the settings left it.
struct PageSettings {
    ExportMonth month;
    DailyMeanTexts dailyMeans = noDailyMeans();
    int bestValue = 0;
    int greenLimit = 500;
    int redLimit = 200;
    ColorRef curveColor = 0;
    ColorRef aboveCurveColor = 0;
    int brightness = 8;     // 0..8
    bool showValues = true; // value labels above the curve
    bool breakLineAtZero = true;
};

struct PageInput : PageSettings {
    QList<DiaryEntry> readings;              // of the diary file; none when it is missing
    std::optional<QStringList> remarksLines; // none when the remarks file is missing or empty
};

// Every line of the page, without line ends.
QStringList buildPage(const PageInput& input);

} // namespace luftikon
