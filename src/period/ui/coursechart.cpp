// Draws the course of a period.
#include "period/ui/coursechart.h"

#include "chart/scales.h"
#include "diary/dates.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace luftikon {

namespace {

const QColor frameColour(70, 70, 70);
const QColor gridColour(0, 0, 0, 40);
const QColor emptyColour(236, 236, 236);
const QColor bestColour(200, 0, 0);

// The zone colours of the chart's markers, light enough to read lines on.
QColor band(Zone zone)
{
    const Rgb c = paleZoneColour(zone, 35);
    return QColor(c.r, c.g, c.b);
}

QFont font(double pixels, bool bold = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(std::max(6, int(std::lround(pixels))));
    f.setBold(bold);
    return f;
}

} // namespace

CourseChart::CourseChart(const Course& course, QSize size)
    : course_(course), size_(size), scale_(std::max(0.5, size.height() / 420.0))
{
    int highest = std::max(course.bestValue, 100);
    for (const CourseMonth& month : course.months)
        if (month.hasDiary)
            highest = std::max({highest, month.limits.green, month.limits.red});
    step_ = highest > 600 ? 100 : 50;
    top_ = (highest * 11 / 10 + step_ - 1) / step_ * step_;
    const double left = 46 * scale_;
    plot_ = QRectF(left, 30 * scale_, size.width() - left - 10 * scale_, size.height() - 30 * scale_ - 44 * scale_);
}

double CourseChart::y(double value) const
{
    return plot_.bottom() - plot_.height() * std::clamp(value, 0.0, double(top_)) / top_;
}

QPointF CourseChart::at(int day, double value) const
{
    const double width = plot_.width() / std::max<std::size_t>(course_.days.size(), 1);
    return QPointF(plot_.left() + width * (day + 0.5), y(value));
}

QImage CourseChart::image() const
{
    QImage picture(size_, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    paint(painter);
    return picture;
}

void CourseChart::paint(QPainter& painter) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (const CourseMonth& month : course_.months)
        paintMonth(painter, month);
    paintScale(painter);
    paintLine(painter, &CourseDay::morning, morningLineColour);
    paintLine(painter, &CourseDay::evening, eveningLineColour);
    paintBest(painter);
    paintLegend(painter);
    painter.restore();
}

void CourseChart::paintMonth(QPainter& painter, const CourseMonth& month) const
{
    const double dayWidth = plot_.width() / std::max<std::size_t>(course_.days.size(), 1);
    const double left = plot_.left() + dayWidth * month.firstDay;
    const double right = left + dayWidth * month.dayCount;
    const auto stripe = [&](double from, double to, const QColor& colour) {
        painter.fillRect(QRectF(QPointF(left, y(to)), QPointF(right, y(from))), colour);
    };
    if (month.hasDiary) {
        // The limits belong to the better zone, as on the month chart.
        const int red = std::min(month.limits.red, month.limits.green);
        stripe(0, red, band(Zone::Red));
        stripe(red, month.limits.green, band(Zone::Yellow));
        stripe(month.limits.green, top_, band(Zone::Green));
    }
    else {
        stripe(0, top_, emptyColour);
    }

    // The month's name below it, as long as it fits the month's width.
    const QFont nameFont = font(12 * scale_, true);
    const QFontMetricsF metrics(nameFont);
    const QString full = germanMonthName(month.month.month);
    QString name = full;
    for (const QString& candidate : {full, full.left(3) + QLatin1Char('.'), full.left(1)}) {
        name = candidate;
        if (metrics.horizontalAdvance(candidate) <= right - left - 2 * scale_)
            break;
    }
    painter.setPen(frameColour);
    painter.setFont(nameFont);
    const QRectF names(left, plot_.bottom() + 4 * scale_, right - left, metrics.height());
    painter.drawText(names, Qt::AlignHCenter | Qt::AlignTop, name);
    painter.setFont(font(11 * scale_));
    painter.drawText(names.translated(0, metrics.height()), Qt::AlignHCenter | Qt::AlignTop,
                     QString::number(month.month.year));
    if (!month.hasDiary && right - left > 60 * scale_) {
        painter.setPen(QColor(120, 120, 120));
        painter.drawText(QRectF(left, plot_.top(), right - left, plot_.height()), Qt::AlignCenter | Qt::TextWordWrap,
                         QStringLiteral("keine Messwerte"));
    }
    if (month.firstDay > 0) {
        painter.setPen(QPen(frameColour, 1.6 * scale_));
        painter.drawLine(QPointF(left, plot_.top()), QPointF(left, plot_.bottom() + 4 * scale_));
    }
}

void CourseChart::paintScale(QPainter& painter) const
{
    painter.setFont(font(11 * scale_));
    for (int value = 0; value <= top_; value += step_) {
        painter.setPen(QPen(gridColour, scale_));
        painter.drawLine(QPointF(plot_.left(), y(value)), QPointF(plot_.right(), y(value)));
        painter.setPen(frameColour);
        painter.drawText(QRectF(0, y(value) - 8 * scale_, plot_.left() - 5 * scale_, 16 * scale_),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(value));
    }
    painter.drawText(QRectF(6 * scale_, 4 * scale_, plot_.left() * 2, 20 * scale_), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("l/min"));
    painter.setPen(QPen(frameColour, scale_));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot_);
}

void CourseChart::paintLine(QPainter& painter, std::optional<int> CourseDay::*reading, const QColor& colour) const
{
    // Neighbouring days only: a day without the reading breaks the line.
    QPainterPath path;
    bool open = false;
    for (std::size_t day = 0; day < course_.days.size(); ++day) {
        const std::optional<int>& value = course_.days[day].*reading;
        if (!value) {
            open = false;
            continue;
        }
        const QPointF point = at(int(day), *value);
        if (open)
            path.lineTo(point);
        else
            path.moveTo(point);
        open = true;
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, 2.2 * scale_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    // Dots, so a single day between gaps shows too.
    const double radius =
        std::clamp(plot_.width() / std::max<std::size_t>(course_.days.size(), 1) / 3, 1.2 * scale_, 3 * scale_);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    for (std::size_t day = 0; day < course_.days.size(); ++day)
        if (const std::optional<int>& value = course_.days[day].*reading)
            painter.drawEllipse(at(int(day), *value), radius, radius);
}

void CourseChart::paintBest(QPainter& painter) const
{
    if (course_.bestDay < 0)
        return;
    const QPointF point = at(course_.bestDay, course_.bestValue);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(bestColour, 2 * scale_));
    painter.drawEllipse(point, 6 * scale_, 6 * scale_);
    const QString label = QStringLiteral("Bestwert %1").arg(course_.bestValue);
    const QFont f = font(11 * scale_, true);
    const double width = QFontMetricsF(f).horizontalAdvance(label) + 4 * scale_;
    // Beside the ring, on the side with room.
    const bool leftOfRing = point.x() + 8 * scale_ + width > plot_.right();
    const QRectF box(leftOfRing ? point.x() - 8 * scale_ - width : point.x() + 8 * scale_, point.y() - 18 * scale_,
                     width, 16 * scale_);
    painter.fillRect(box, QColor(255, 255, 255, 210));
    painter.setFont(f);
    painter.drawText(box, Qt::AlignCenter, label);
}

void CourseChart::paintLegend(QPainter& painter) const
{
    const QFont f = font(11 * scale_);
    const QFontMetricsF metrics(f);
    painter.setFont(f);
    double x = plot_.right();
    const double middle = 15 * scale_;
    const auto entry = [&](const QString& text, const QColor& colour, bool ring) {
        x -= metrics.horizontalAdvance(text);
        painter.setPen(frameColour);
        painter.drawText(QPointF(x, middle + metrics.ascent() / 2 - 1), text);
        x -= 26 * scale_;
        if (ring) {
            painter.setPen(QPen(colour, 2 * scale_));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(QPointF(x + 12 * scale_, middle), 5 * scale_, 5 * scale_);
        }
        else {
            painter.setPen(QPen(colour, 2 * scale_));
            painter.drawLine(QPointF(x + 2 * scale_, middle), QPointF(x + 22 * scale_, middle));
        }
        x -= 14 * scale_;
    };
    entry(QStringLiteral("Bestwert"), bestColour, true);
    entry(QStringLiteral("abends"), eveningLineColour, false);
    entry(QStringLiteral("morgens"), morningLineColour, false);
}

} // namespace luftikon
