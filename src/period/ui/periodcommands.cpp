// Runs the commands over several months: read, write safely, tell the user.
#include "period/ui/periodcommands.h"

#include "appversion.h"
#include "period/periodfiles.h"
#include "period/ui/periodreport.h"
#include "period/ui/periodwindow.h"
#include "report/ui/reportcommands.h"

#include <algorithm>

namespace luftikon {

namespace {

// The file of the period with `extension`, or none when there is nothing to write or no name
// to write it under.
std::optional<QString> periodFile(const Period& period, const QString& dataFolder, const QString& extension,
                                  Desktop& desktop)
{
    const auto hasReadings = [](const PeriodMonth& month) { return !month.diary.readings.isEmpty(); };
    if (std::none_of(period.months.begin(), period.months.end(), hasReadings)) {
        desktop.message(QStringLiteral("Es wurden noch keine Daten eingegeben!"));
        return std::nullopt;
    }
    const auto path = periodFilePath(dataFolder, period, extension);
    if (!path)
        desktop.error(QStringLiteral("Die Datei wurde nicht geschrieben: Der Name \"%1\" kann nicht Teil eines "
                                     "Dateinamens sein.")
                          .arg(period.userName));
    return path;
}

} // namespace

void showPeriodView(const AppState& state, const CurrentMonth& month, Desktop& desktop, QWidget* parent)
{
    DiaryMonth drawn = diaryMonthOf(month.diary().month, month.diary().year);
    if (!drawn.valid()) {
        const QDate today = desktop.today();
        drawn = DiaryMonth{today.month(), today.year()};
    }
    PeriodWindow window(state, desktop, parent);
    window.showPeriod(drawn);
    desktop.execModal(window);
}

std::optional<QString> writePeriodReport(const Period& period, const QString& dataFolder, Desktop& desktop)
{
    const auto target = periodFile(period, dataFolder, QStringLiteral(".pdf"), desktop);
    if (!target)
        return std::nullopt;
    const QByteArray pdf = periodReportPdf({period, desktop.today(), QString::fromLatin1(appVersion)});
    const auto path = writeReportFileAt(*target, pdf, desktop);
    if (path)
        desktop.openDocument(*path);
    return path;
}

std::optional<QString> savePeriodCsv(const Period& period, const QString& dataFolder, Desktop& desktop)
{
    const auto target = periodFile(period, dataFolder, QStringLiteral(".csv"), desktop);
    if (!target)
        return std::nullopt;
    const auto path = writeReportFileAt(*target, periodCsv(period), desktop);
    if (path)
        desktop.information(QStringLiteral("Die Messwerte wurden als CSV-Datei gespeichert:\n%1").arg(*path));
    return path;
}

} // namespace luftikon
