// Lays out the period's first page and puts the months' own pages behind it.
#include "period/ui/periodreport.h"

#include "month/currentmonth.h"
#include "period/periodtexts.h"
#include "period/ui/coursechart.h"
#include "report/ui/doctorreport.h"

#include <QBuffer>
#include <QPdfWriter>
#include <algorithm>

namespace luftikon {

namespace {

constexpr double margin = reportMargin;
constexpr double contentWidth = reportPageWidth - 2 * margin;

// Column widths in mm, in the order of periodColumnTitles; they add up to the content width.
constexpr double columnWidths[] = {25, 16, 15, 19, 13, 13, 13, 17, 26, 9, 9, 7};
// What the first part may fill above the footer before it goes on on a new sheet.
constexpr double usableBottom = reportFooterTop - 3;

// The sheets of the first part: a long period goes on on the next one, under its own footer.
struct Sheets {
    ReportPage& page;
    QPdfWriter& writer;
    // Where the next sheet starts.
    double next()
    {
        drawReportFooter(page);
        writer.newPage();
        return margin;
    }
};

double drawHeader(ReportPage& page, const PeriodReport& report)
{
    double y = margin - 2;
    y += page.text(margin, y, contentWidth, QStringLiteral("Peak-Flow-Verlaufsbericht"), ReportPage::font(16, true));
    y += 1;
    y += page.text(margin, y, contentWidth,
                   QStringLiteral("Name: %1     Zeitraum: %2")
                       .arg(report.period.userName, periodName(report.period.first, report.period.last)),
                   ReportPage::font(10, true));
    return page.madeLine(y, report.madeOn, report.version);
}

double drawCourse(ReportPage& page, const Course& course, double top)
{
    const double height = periodChartWidth * periodChartPicture.height() / periodChartPicture.width();
    const QRectF box = ReportPage::area(periodChartLeft, top, periodChartWidth, height);
    // Lossless, so the zone colours stay the ones the doctor reads the course by.
    page.painter().setRenderHint(QPainter::LosslessImageRendering);
    page.painter().drawImage(box, CourseChart(course, periodChartPicture).image());
    page.painter().setPen(QPen(reportRule, ReportPage::units(0.15)));
    page.painter().setBrush(Qt::NoBrush);
    page.painter().drawRect(box);
    return top + height;
}

// The column titles on their grey band; where the rows start.
double drawColumnTitles(ReportPage& page, double y)
{
    const QFont head = ReportPage::font(7, true);
    double headHeight = 0;
    for (qsizetype c = 0; c < periodColumnTitles.size(); ++c)
        headHeight = std::max(headHeight, page.height(periodColumnTitles[c], head, columnWidths[c] - 1.2));
    headHeight += 1.2;
    page.fill(QRectF(margin, y, contentWidth, headHeight), QColor(225, 225, 225));
    double x = margin;
    for (qsizetype c = 0; c < periodColumnTitles.size(); ++c) {
        page.text(x + 0.6, y + 0.6, columnWidths[c] - 1.2, periodColumnTitles[c], head);
        x += columnWidths[c];
    }
    return y + headHeight;
}

double drawTable(Sheets& sheets, const Period& period, double top)
{
    ReportPage& page = sheets.page;
    double y = top;
    y += page.text(margin, y, contentWidth, QStringLiteral("Die Monate im Vergleich (Werte in l/min)"),
                   ReportPage::font(10.5, true)) +
         1;
    y = drawColumnTitles(page, y);

    constexpr double rowHeight = 5;
    const std::vector<PeriodRow> rows = periodRows(period);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        // Rows that would reach the footer go on on the next sheet, under the column titles again.
        if (y + rowHeight > usableBottom)
            y = drawColumnTitles(page, sheets.next());
        double x = margin;
        const PeriodRow& row = rows[r];
        const bool total = r + 1 == rows.size();
        const QFont body = ReportPage::font(7.5, total);
        if (total)
            page.line(margin, y, margin + contentWidth, y, reportInk);
        for (qsizetype c = 0; c < row.cells.size(); ++c) {
            page.cell(QRectF(x, y, columnWidths[c], rowHeight), row.cells[c], body,
                      c == 0 ? Qt::AlignLeft : Qt::AlignHCenter);
            x += columnWidths[c];
        }
        if (!row.note.isEmpty())
            page.cell(QRectF(margin + columnWidths[0], y, contentWidth - columnWidths[0], rowHeight), row.note, body,
                      Qt::AlignLeft);
        y += rowHeight;
        page.line(margin, y, margin + contentWidth, y);
    }
    return y;
}

double drawNotes(Sheets& sheets, double top)
{
    ReportPage& page = sheets.page;
    const QString title = QStringLiteral("So sind die Zahlen berechnet");
    const QStringList notes{
        QStringLiteral("Jeder Monat wird mit den Grenzwerten gezählt, die in seiner Tabelle stehen (grün ab dem "
                       "ersten, rot unter dem zweiten Wert); die Zonen des Verlaufs zeigen sie Monat für Monat."),
        QStringLiteral("Mittel morgens und abends: Mittelwert aller Messungen \"Morgens\" bzw. \"Abends\"; in der "
                       "letzten Zeile über alle Messungen des Zeitraums, nicht über die Monatswerte."),
        QStringLiteral("Tagesschwankung: (höchster − niedrigster Wert) ÷ ((höchster + niedrigster) ÷ 2) × 100 "
                       "für jeden Tag mit mindestens zwei Messungen, davon der Mittelwert."),
        QStringLiteral("Tiefster Morgenwert: der niedrigste Wert \"Morgens\" in Prozent vom Bestwert des Monats; "
                       "in der letzten Zeile vom Bestwert des ganzen Zeitraums."),
        QStringLiteral("Monate ohne Tabelle bleiben leer. Auf den folgenden Seiten steht der Monatsbericht jedes "
                       "Monats mit Messwerten."),
    };
    // The notes stay together: on the next sheet when they do not fit under the table.
    double height = page.height(title, ReportPage::font(10.5, true), contentWidth) + 1;
    for (const QString& note : notes)
        height += page.height(note, ReportPage::font(7.5), contentWidth) + 0.8;
    double y = top + height > usableBottom ? sheets.next() : top;
    y += page.text(margin, y, contentWidth, title, ReportPage::font(10.5, true)) + 1;
    for (const QString& note : notes)
        y += page.text(margin, y, contentWidth, note, ReportPage::font(7.5)) + 0.8;
    return y;
}

// The period's own part: header, course, the months' table and how the numbers are worked out,
// on one sheet or, for a long period, more.
void paintPeriodPart(QPainter& painter, QPdfWriter& writer, const PeriodReport& report)
{
    ReportPage page(painter);
    Sheets sheets{page, writer};
    const double top = std::max(periodChartTop, drawHeader(page, report));
    const double tableBottom = drawTable(sheets, report.period, drawCourse(page, report.period.course, top) + 5);
    drawNotes(sheets, tableBottom + 5);
    drawReportFooter(page);
}

} // namespace

MonthReport monthReportOf(const PeriodMonth& month, const QString& userName)
{
    MonthReport report;
    report.diaryFile = month.diary.path;
    report.userName = month.diary.userName.isEmpty() ? userName : month.diary.userName;
    report.slotMode = month.slotMode;
    report.readings = month.diary.readings;
    report.figures = month.figures;
    QString problem;
    if (!readRemarks(report, remarksFileOf(month.diary.path),
                     [&problem](MessageKind, const QString& text) { problem = text; }))
        report.remarks = QStringList{QStringLiteral("Die Bemerkungen konnten nicht gelesen werden: ") + problem};
    return report;
}

QByteArray periodReportPdf(const PeriodReport& report)
{
    const Period& period = report.period;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        prepareReportWriter(writer,
                            QStringLiteral("Peak-Flow-Verlaufsbericht %1 %2")
                                .arg(period.userName, periodName(period.first, period.last)),
                            report.version);
        QPainter painter(&writer);
        paintPeriodPart(painter, writer, report);
        for (const PeriodMonth& month : period.months) {
            if (month.status != MonthStatus::Read || month.diary.readings.isEmpty())
                continue;
            // The month's chart is its own course: the same picture for every month, drawn or not.
            const Course own = periodOf(period.userName, {month}).course;
            const QImage chart = CourseChart(own, QSize(900, 700)).image();
            writer.newPage();
            paintDoctorReport(
                painter, DoctorReport{monthReportOf(month, period.userName), chart, report.madeOn, report.version});
        }
    }
    buffer.close();
    return bytes;
}

} // namespace luftikon
