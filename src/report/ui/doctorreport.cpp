// Lays out the doctor's report on one A4 page and renders it as PDF.
#include "report/ui/doctorreport.h"

#include "chart/scales.h"
#include "diary/dates.h"
#include "diary/entryline.h"
#include "report/figuretexts.h"
#include "report/ui/reportpage.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace luftikon {

namespace {

constexpr double pageWidth = reportPageWidth;
constexpr double margin = reportMargin;
constexpr double contentWidth = pageWidth - 2 * margin;
constexpr double chartWidth = reportChartWidth;
constexpr double columnGap = 5;
constexpr double tableWidth = 94;
constexpr double footerTop = reportFooterTop;
static_assert(reportChartLeft == reportMargin);

const QColor grey = reportGrey;
const QColor rule = reportRule;

QString weekdayShort(const QDate& date)
{
    static const QStringList names{QStringLiteral("Mo"), QStringLiteral("Di"), QStringLiteral("Mi"),
                                   QStringLiteral("Do"), QStringLiteral("Fr"), QStringLiteral("Sa"),
                                   QStringLiteral("So")};
    return date.isValid() ? names[date.dayOfWeek() - 1] : QString();
}

QString slotHeading(int slot)
{
    if (slot == FirstSlot || slot == LastSlot)
        return QString(slotInfo(slot)->name);
    return QStringLiteral("Mess. %1").arg(slot);
}

// A light tint of the zone colour behind a value, so the table reads like the chart.
QColor zoneTint(const QString& valueText, const MonthFigures& figures)
{
    const auto value = parseWholeNumber(valueText);
    if (!value)
        return Qt::white;
    const Rgb tint = paleZoneColour(zoneOf(*value, figures.greenLimit, figures.redLimit), 30);
    return QColor(tint.r, tint.g, tint.b);
}

double drawHeader(ReportPage& page, const DoctorReport& report)
{
    const MonthFigures& f = report.month.figures;
    double y = margin - 2;
    y += page.text(margin, y, contentWidth, QStringLiteral("Peak-Flow-Monatsbericht"), ReportPage::font(16, true));
    const QString month = f.month.valid() ? germanMonthAndYear(f.month.month, f.month.year) : noFigure;
    y += 1;
    y += page.text(margin, y, contentWidth,
                   QStringLiteral("Name: %1     Monat: %2     Zeitraum: %3")
                       .arg(report.month.userName, month, f.month.valid() ? periodText(f) : noFigure),
                   ReportPage::font(10, true));
    y += page.text(margin, y, contentWidth,
                   QStringLiteral("Grenzwerte: grün ab %1 l/min, rot unter %2 l/min     Bestwert des Monats: %3")
                       .arg(f.greenLimit)
                       .arg(std::min(f.greenLimit, f.redLimit))
                       .arg(f.bestValue > 0 ? QStringLiteral("%1 l/min").arg(f.bestValue) : noFigure),
                   ReportPage::font(9.5));
    return page.madeLine(y, report.madeOn, report.version);
}

double drawChart(ReportPage& page, const QImage& chart, double top)
{
    const double height = chart.isNull() ? 60 : chartWidth * chart.height() / chart.width();
    const QRectF box = ReportPage::area(margin, top, chartWidth, height);
    if (chart.isNull()) {
        page.text(margin, top + height / 2, chartWidth, QStringLiteral("Kein Diagramm"), ReportPage::font(9), grey,
                  Qt::AlignHCenter);
    }
    else {
        // Lossless: the default JPEG shifts the zone colours the doctor reads the chart by.
        page.painter().setRenderHint(QPainter::LosslessImageRendering);
        page.painter().drawImage(box, chart);
    }
    page.painter().setPen(QPen(rule, ReportPage::units(0.15)));
    page.painter().setBrush(Qt::NoBrush);
    page.painter().drawRect(box);
    return top + height;
}

double drawFigures(ReportPage& page, const MonthFigures& figures, double x, double top, double width)
{
    double y = top;
    y += page.text(x, y, width, QStringLiteral("Kennzahlen des Monats"), ReportPage::font(10.5, true)) + 1;
    const double labelWidth = width * 0.52;
    const QFont label = ReportPage::font(8);
    const QFont value = ReportPage::font(8, true);
    for (const FigureLine& line : monthFigureLines(figures)) {
        const double h = std::max(page.height(line.label, label, labelWidth - 1),
                                  page.height(line.value, value, width - labelWidth));
        page.text(x, y, labelWidth - 1, line.label, label);
        page.text(x + labelWidth, y, width - labelWidth, line.value, value);
        y += h + 0.6;
        page.line(x, y - 0.3, x + width, y - 0.3);
    }
    return y;
}

double drawReadingTable(ReportPage& page, const MonthReport& month, double top, double bottom)
{
    double y = top;
    y += page.text(margin, y, tableWidth, QStringLiteral("Messwerte in l/min nach Tag und Messung"),
                   ReportPage::font(10.5, true)) +
         1;
    const ReadingGrid grid = readingGridOf(month);
    const int rows = int(grid.rows.size()) + 1;
    const double rowHeight = std::min(4.0, (bottom - y) / rows);
    const double dayWidth = 11;
    const double slotWidth = (tableWidth - dayWidth) / double(grid.columns.size());
    const double points = std::min(7.5, rowHeight * 72 / 25.4 * 0.62);
    const QFont head = ReportPage::font(points, true);
    const QFont body = ReportPage::font(points);
    const DiaryMonth& calendar = month.figures.month;

    page.fill(QRectF(margin, y, tableWidth, rowHeight), QColor(225, 225, 225));
    page.cell(QRectF(margin, y, dayWidth, rowHeight), QStringLiteral("Tag"), head, Qt::AlignLeft);
    for (std::size_t c = 0; c < grid.columns.size(); ++c)
        page.cell(QRectF(margin + dayWidth + c * slotWidth, y, slotWidth, rowHeight), slotHeading(grid.columns[c]),
                  head, Qt::AlignHCenter);
    y += rowHeight;
    for (std::size_t d = 0; d < grid.rows.size(); ++d) {
        const int day = int(d) + 1;
        const QDate date = calendar.valid() ? QDate(calendar.year, calendar.month, day) : QDate();
        if (date.isValid() && date.dayOfWeek() >= 6)
            page.fill(QRectF(margin, y, dayWidth, rowHeight), QColor(238, 238, 238));
        page.cell(QRectF(margin, y, dayWidth, rowHeight), QStringLiteral("%1 %2.").arg(weekdayShort(date)).arg(day),
                  body, Qt::AlignLeft);
        for (std::size_t c = 0; c < grid.columns.size(); ++c) {
            const QString& value = grid.rows[d][qsizetype(c)];
            const QRectF box(margin + dayWidth + c * slotWidth, y, slotWidth, rowHeight);
            if (!value.isEmpty())
                page.fill(box.adjusted(0.15, 0.15, -0.15, -0.15), zoneTint(value, month.figures));
            page.cell(box, value, body, Qt::AlignHCenter);
        }
        y += rowHeight;
        page.line(margin, y, margin + tableWidth, y);
    }
    return y;
}

double drawWeeks(ReportPage& page, const MonthFigures& figures, double x, double top, double width)
{
    double y = top;
    y += page.text(x, y, width, QStringLiteral("Wochenwerte"), ReportPage::font(10.5, true)) + 1;
    const double columns[3] = {width * 0.34, width * 0.30, width * 0.36};
    const QFont head = ReportPage::font(7.5, true);
    const QFont body = ReportPage::font(7.5);
    const auto row = [&](const QStringList& texts, const QFont& f) {
        double h = 0;
        for (int c = 0; c < 3; ++c)
            h = std::max(h, page.height(texts[c], f, columns[c] - 1));
        double cx = x;
        for (int c = 0; c < 3; ++c) {
            page.text(cx, y, columns[c] - 1, texts[c], f);
            cx += columns[c];
        }
        y += h + 0.6;
        page.line(x, y - 0.3, x + width, y - 0.3);
    };
    row(weekColumnTitles, head);
    for (const WeekRow& week : weekRows(figures))
        row({week.label, week.swing, week.lowestMorning}, body);
    if (figures.weeks.empty())
        y += page.text(x, y, width, QStringLiteral("Ohne gültigen Monat lassen sich keine Wochen bilden."), body);
    return y;
}

double drawFormulas(ReportPage& page, const MonthFigures& figures, double x, double top, double width)
{
    double y = top;
    y += page.text(x, y, width, QStringLiteral("So sind die Zahlen berechnet"), ReportPage::font(10.5, true)) + 1;
    for (const QString& line : formulaLines(figures))
        y += page.text(x, y, width, line, ReportPage::font(7)) + 0.8;
    return y;
}

void drawRemarks(ReportPage& page, const QStringList& remarks, double top, double bottom)
{
    double y = top;
    y += page.text(margin, y, contentWidth, QStringLiteral("Bemerkungen"), ReportPage::font(10.5, true)) + 1;
    QStringList lines = remarks;
    while (!lines.isEmpty() && trimBlanks(lines.last()).isEmpty())
        lines.removeLast();
    const QFont body = ReportPage::font(8);
    if (lines.isEmpty()) {
        page.text(margin, y, contentWidth, QStringLiteral("Keine Bemerkungen."), body, grey);
        return;
    }
    const double noteHeight = page.height(remarksCutNote, body, contentWidth);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString text = lines[i].isEmpty() ? QStringLiteral(" ") : lines[i];
        const double h = page.height(text, body, contentWidth);
        const bool last = i + 1 == lines.size();
        if (y + h + (last ? 0 : noteHeight) > bottom) {
            page.text(margin, y, contentWidth, remarksCutNote, ReportPage::font(8, true));
            return;
        }
        y += page.text(margin, y, contentWidth, text, body);
    }
}

} // namespace

void paintDoctorReport(QPainter& painter, const DoctorReport& report)
{
    ReportPage page(painter);
    const MonthFigures& figures = report.month.figures;

    const double top = std::max(reportChartTop, drawHeader(page, report));
    const double chartBottom = drawChart(page, report.chart, top);
    const double rightX = margin + chartWidth + columnGap;
    const double figuresBottom = drawFigures(page, figures, rightX, top, pageWidth - margin - rightX);

    const double middle = std::max(chartBottom, figuresBottom) + 4;
    const double tableBottom = drawReadingTable(page, report.month, middle, footerTop - 30);
    const double weeksX = margin + tableWidth + columnGap;
    const double weeksWidth = pageWidth - margin - weeksX;
    const double weeksBottom = drawWeeks(page, figures, weeksX, middle, weeksWidth);
    const double formulasBottom = drawFormulas(page, figures, weeksX, weeksBottom + 3, weeksWidth);

    drawRemarks(page, report.month.remarks, std::max(tableBottom, formulasBottom) + 3, footerTop - 1.5);
    drawReportFooter(page);
}

QByteArray doctorReportPdf(const DoctorReport& report)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        prepareReportWriter(writer,
                            QStringLiteral("Peak-Flow-Monatsbericht %1 %2")
                                .arg(report.month.userName, periodText(report.month.figures)),
                            report.version);
        QPainter painter(&writer);
        paintDoctorReport(painter, report);
    }
    buffer.close();
    return bytes;
}

} // namespace luftikon
