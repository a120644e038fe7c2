// Lays out the doctor's report on one A4 page and renders it as PDF.
#include "report/ui/doctorreport.h"

#include "chart/scales.h"
#include "diary/dates.h"
#include "diary/entryline.h"
#include "report/figuretexts.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace luftikon {

namespace {

constexpr int dpi = 600;
constexpr double pageWidth = 210; // mm
constexpr double pageHeight = 297;
constexpr double margin = reportChartLeft;
constexpr double contentWidth = pageWidth - 2 * margin;
constexpr double chartWidth = reportChartWidth;
constexpr double columnGap = 5;
constexpr double tableWidth = 94;
constexpr double footerTop = pageHeight - 14;

const QColor ink(0, 0, 0);
const QColor grey(90, 90, 90);
const QColor rule(160, 160, 160);

// mm on the page to PDF device units, and text measured and drawn in mm.
class Page {
public:
    explicit Page(QPainter& painter) : painter_(painter) {}

    static double units(double mm) { return mm * dpi / 25.4; }
    static QRectF area(double x, double y, double w, double h) { return {units(x), units(y), units(w), units(h)}; }

    static QFont font(double points, bool bold = false)
    {
        // Arial comes out as its metric twin on Linux desktops; the PDF embeds what is used.
        QFont f(QStringLiteral("Arial"));
        f.setPointSizeF(points);
        f.setBold(bold);
        return f;
    }

    // Height in mm that `text` takes wrapped to `width` mm.
    double height(const QString& text, const QFont& f, double width) const
    {
        const QFontMetricsF metrics(f, painter_.device());
        const QRectF bound = metrics.boundingRect(area(0, 0, width, 1000), Qt::TextWordWrap, text);
        return bound.height() * 25.4 / dpi;
    }

    // Draws wrapped text with its top left at (x, y) mm; gives its height in mm.
    double text(double x, double y, double width, const QString& text, const QFont& f, const QColor& colour = ink,
                int align = Qt::AlignLeft)
    {
        const double h = height(text, f, width);
        painter_.setFont(f);
        painter_.setPen(colour);
        painter_.drawText(area(x, y, width, h + 1), align | Qt::AlignTop | Qt::TextWordWrap, text);
        return h;
    }

    // One line cut to the width with "…".
    void cell(const QRectF& mmBox, const QString& text, const QFont& f, int align)
    {
        const QRectF box = area(mmBox.x(), mmBox.y(), mmBox.width(), mmBox.height());
        const QFontMetricsF metrics(f, painter_.device());
        painter_.setFont(f);
        painter_.setPen(ink);
        painter_.drawText(box.adjusted(units(0.6), 0, -units(0.6), 0), align | Qt::AlignVCenter,
                          metrics.elidedText(text, Qt::ElideRight, box.width() - units(1.2)));
    }

    void line(double x1, double y1, double x2, double y2, const QColor& colour = rule)
    {
        painter_.setPen(QPen(colour, units(0.15)));
        painter_.drawLine(QPointF(units(x1), units(y1)), QPointF(units(x2), units(y2)));
    }

    void fill(const QRectF& mmBox, const QColor& colour)
    {
        painter_.fillRect(area(mmBox.x(), mmBox.y(), mmBox.width(), mmBox.height()), colour);
    }

    QPainter& painter() { return painter_; }

private:
    QPainter& painter_;
};

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
    const Rgb zone = markerColorOf(zoneOf(*value, figures.greenLimit, figures.redLimit));
    const auto light = [](std::uint8_t channel) { return 255 - (255 - channel) * 30 / 100; };
    return QColor(light(zone.r), light(zone.g), light(zone.b));
}

double drawHeader(Page& page, const DoctorReport& report)
{
    const MonthFigures& f = report.month.figures;
    double y = margin - 2;
    y += page.text(margin, y, contentWidth, QStringLiteral("Peak-Flow-Monatsbericht"), Page::font(16, true));
    const QString month =
        f.month.valid() ? QStringLiteral("%1 %2").arg(germanMonthName(f.month.month)).arg(f.month.year) : noFigure;
    y += 1;
    y += page.text(margin, y, contentWidth,
                   QStringLiteral("Name: %1     Monat: %2     Zeitraum: %3")
                       .arg(report.month.userName, month, f.month.valid() ? periodText(f) : noFigure),
                   Page::font(10, true));
    y += page.text(margin, y, contentWidth,
                   QStringLiteral("Grenzwerte: grün ab %1 l/min, rot unter %2 l/min     Bestwert des Monats: %3")
                       .arg(f.greenLimit)
                       .arg(std::min(f.greenLimit, f.redLimit))
                       .arg(f.bestValue > 0 ? QStringLiteral("%1 l/min").arg(f.bestValue) : noFigure),
                   Page::font(9.5));
    y += page.text(margin, y, contentWidth,
                   QStringLiteral("Erstellt am %1 mit Luftikon %2 aus den Einträgen des Patienten")
                       .arg(report.madeOn.toString(QStringLiteral("dd.MM.yyyy")), report.version),
                   Page::font(8), grey);
    y += 1.5;
    page.line(margin, y, pageWidth - margin, y, grey);
    return y + 2.5;
}

double drawChart(Page& page, const QImage& chart, double top)
{
    const double height = chart.isNull() ? 60 : chartWidth * chart.height() / chart.width();
    const QRectF box = Page::area(margin, top, chartWidth, height);
    if (chart.isNull()) {
        page.text(margin, top + height / 2, chartWidth, QStringLiteral("Kein Diagramm"), Page::font(9), grey,
                  Qt::AlignHCenter);
    }
    else {
        // Lossless: the default JPEG shifts the zone colours the doctor reads the chart by.
        page.painter().setRenderHint(QPainter::LosslessImageRendering);
        page.painter().drawImage(box, chart);
    }
    page.painter().setPen(QPen(rule, Page::units(0.15)));
    page.painter().setBrush(Qt::NoBrush);
    page.painter().drawRect(box);
    return top + height;
}

double drawFigures(Page& page, const MonthFigures& figures, double x, double top, double width)
{
    double y = top;
    y += page.text(x, y, width, QStringLiteral("Kennzahlen des Monats"), Page::font(10.5, true)) + 1;
    const double labelWidth = width * 0.52;
    const QFont label = Page::font(8);
    const QFont value = Page::font(8, true);
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

double drawReadingTable(Page& page, const MonthReport& month, double top, double bottom)
{
    double y = top;
    y += page.text(margin, y, tableWidth, QStringLiteral("Messwerte in l/min nach Tag und Messung"),
                   Page::font(10.5, true)) +
         1;
    const ReadingGrid grid = readingGridOf(month);
    const int rows = int(grid.rows.size()) + 1;
    const double rowHeight = std::min(4.0, (bottom - y) / rows);
    const double dayWidth = 11;
    const double slotWidth = (tableWidth - dayWidth) / double(grid.columns.size());
    const double points = std::min(7.5, rowHeight * 72 / 25.4 * 0.62);
    const QFont head = Page::font(points, true);
    const QFont body = Page::font(points);
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

double drawWeeks(Page& page, const MonthFigures& figures, double x, double top, double width)
{
    double y = top;
    y += page.text(x, y, width, QStringLiteral("Wochenwerte"), Page::font(10.5, true)) + 1;
    const double columns[3] = {width * 0.34, width * 0.30, width * 0.36};
    const QFont head = Page::font(7.5, true);
    const QFont body = Page::font(7.5);
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

double drawFormulas(Page& page, const MonthFigures& figures, double x, double top, double width)
{
    double y = top;
    y += page.text(x, y, width, QStringLiteral("So sind die Zahlen berechnet"), Page::font(10.5, true)) + 1;
    for (const QString& line : formulaLines(figures))
        y += page.text(x, y, width, line, Page::font(7)) + 0.8;
    return y;
}

void drawRemarks(Page& page, const QStringList& remarks, double top, double bottom)
{
    double y = top;
    y += page.text(margin, y, contentWidth, QStringLiteral("Bemerkungen"), Page::font(10.5, true)) + 1;
    QStringList lines = remarks;
    while (!lines.isEmpty() && trimBlanks(lines.last()).isEmpty())
        lines.removeLast();
    const QFont body = Page::font(8);
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
            page.text(margin, y, contentWidth, remarksCutNote, Page::font(8, true));
            return;
        }
        y += page.text(margin, y, contentWidth, text, body);
    }
}

void drawFooter(Page& page)
{
    page.line(margin, footerTop, pageWidth - margin, footerTop, grey);
    page.text(margin, footerTop + 1, contentWidth,
              QStringLiteral("Dieser Bericht gibt die eingetragenen Messwerte und daraus berechnete Zahlen wieder; "
                             "er stellt keine Diagnose. Fragen Sie Ihren Arzt, welche Grenzwerte Sie eintragen "
                             "sollen."),
              Page::font(7.5), grey);
}

} // namespace

QByteArray doctorReportPdf(const DoctorReport& report)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(dpi);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setTitle(QStringLiteral("Peak-Flow-Monatsbericht %1 %2")
                            .arg(report.month.userName, periodText(report.month.figures)));
        writer.setCreator(QStringLiteral("Luftikon %1").arg(report.version));
        QPainter painter(&writer);
        Page page(painter);
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
        drawFooter(page);
    }
    buffer.close();
    return bytes;
}

} // namespace luftikon
