// Runs the evaluation commands: read the drawn month, compute, write safely, tell the user.
#include "report/ui/reportcommands.h"

#include "appversion.h"
#include "files/safefile.h"
#include "report/readingscsv.h"
#include "report/ui/doctorreport.h"
#include "report/ui/evaluationwindow.h"

#include <QDir>
#include <QFileInfo>

namespace luftikon {

namespace {

// Writes `bytes` to the month's report file with `extension`.
std::optional<QString> writeReportFile(const MonthReport& report, const QString& dataFolder, const QString& extension,
                                       const QByteArray& bytes, Desktop& desktop)
{
    const std::optional<QString> path = reportFilePath(dataFolder, report, extension);
    if (!path) {
        desktop.error(QStringLiteral("Die Datei wurde nicht geschrieben: Aus dem Namen der Tabelle \"%1\" und ihren "
                                     "Einträgen ergibt sich kein Monat.")
                          .arg(report.diaryFile));
        return std::nullopt;
    }
    return writeReportFileAt(*path, bytes, desktop);
}

} // namespace

std::optional<QString> writeReportFileAt(const QString& path, const QByteArray& bytes, Desktop& desktop)
{
    const QString folder = QFileInfo(path).path();
    if (!QDir().mkpath(folder)) {
        desktop.error(QStringLiteral("Ordner \"%1\" konnte nicht erstellt werden! Die Datei \"%2\" wurde nicht "
                                     "geschrieben.")
                          .arg(folder, QFileInfo(path).fileName()));
        return std::nullopt;
    }
    const WriteResult written = writeFileSafely(path, bytes);
    if (!written.ok) {
        desktop.error(written.error);
        return std::nullopt;
    }
    return QFileInfo(path).absoluteFilePath();
}

ReportSource reportSourceOf(const AppState& state, const CurrentMonth& month)
{
    ReportSource source;
    source.diary = month.diary();
    source.dataFolder = state.dataFolder;
    source.userName = state.userName;
    source.greenLimit = month.limits().green;
    source.redLimit = month.limits().red;
    source.slotMode = month.layout().mode();
    return source;
}

void evaluateMonth(const AppState& state, const CurrentMonth& month, Desktop& desktop, EvaluationWindow& window)
{
    const auto report = loadMonthReport(reportSourceOf(state, month), desktop.notifier());
    if (!report)
        return;
    window.showFigures(*report);
    desktop.execModal(window);
}

std::optional<QString> writeDoctorReport(const AppState& state, const CurrentMonth& month, Desktop& desktop,
                                         const QImage& chart)
{
    auto report = loadMonthReport(reportSourceOf(state, month), desktop.notifier());
    if (!report || !readRemarks(*report, month.remarksPath(), desktop.notifier()))
        return std::nullopt;
    const DoctorReport page{*report, chart, desktop.today(), QString::fromLatin1(appVersion)};
    const auto path =
        writeReportFile(*report, state.dataFolder, QStringLiteral(".pdf"), doctorReportPdf(page), desktop);
    if (path)
        desktop.openDocument(*path);
    return path;
}

std::optional<QString> saveReadingsCsv(const AppState& state, const CurrentMonth& month, Desktop& desktop)
{
    const auto report = loadMonthReport(reportSourceOf(state, month), desktop.notifier());
    if (!report)
        return std::nullopt;
    const QByteArray csv = readingsCsv(report->readings, report->figures.greenLimit, report->figures.redLimit);
    const auto path = writeReportFile(*report, state.dataFolder, QStringLiteral(".csv"), csv, desktop);
    if (path)
        desktop.information(QStringLiteral("Die Messwerte wurden als CSV-Datei gespeichert:\n%1").arg(*path));
    return path;
}

} // namespace luftikon
