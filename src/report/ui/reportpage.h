#pragma once
// What every report page is drawn with: an A4 PDF writer without margins, and a painter that
// places text, cells and lines in mm from the sheet's top left corner.

#include <QColor>
#include <QDate>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QRectF>
#include <QString>

class QPdfWriter;

namespace luftikon {

inline constexpr int reportDpi = 600;
inline constexpr double reportPageWidth = 210; // mm
inline constexpr double reportPageHeight = 297;
inline constexpr double reportMargin = 14;
inline constexpr double reportFooterTop = reportPageHeight - 14;

inline const QColor reportInk(0, 0, 0);
inline const QColor reportGrey(90, 90, 90);
inline const QColor reportRule(160, 160, 160);

// A4 portrait at reportDpi, no margins, with the document's title and maker.
void prepareReportWriter(QPdfWriter& writer, const QString& title, const QString& version);

// mm on the page to PDF device units, and text measured and drawn in mm.
class ReportPage {
public:
    explicit ReportPage(QPainter& painter) : painter_(painter) {}

    static double units(double mm) { return mm * reportDpi / 25.4; }
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
        return bound.height() * 25.4 / reportDpi;
    }

    // Draws wrapped text with its top left at (x, y) mm; gives its height in mm.
    double text(double x, double y, double width, const QString& text, const QFont& f, const QColor& colour = reportInk,
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
        painter_.setPen(reportInk);
        painter_.drawText(box.adjusted(units(0.6), 0, -units(0.6), 0), align | Qt::AlignVCenter,
                          metrics.elidedText(text, Qt::ElideRight, box.width() - units(1.2)));
    }

    // Under a report's heading: when and with which version it was made, and a rule; gives the y
    // in mm where the content starts.
    double madeLine(double y, const QDate& madeOn, const QString& version)
    {
        y += text(reportMargin, y, reportPageWidth - 2 * reportMargin,
                  QStringLiteral("Erstellt am %1 mit Luftikon %2 aus den Einträgen des Patienten")
                      .arg(madeOn.toString(QStringLiteral("dd.MM.yyyy")), version),
                  font(8), reportGrey);
        y += 1.5;
        line(reportMargin, y, reportPageWidth - reportMargin, y, reportGrey);
        return y + 2.5;
    }

    void line(double x1, double y1, double x2, double y2, const QColor& colour = reportRule)
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

// The line that ends every page: what the report is and is not.
void drawReportFooter(ReportPage& page);

} // namespace luftikon
