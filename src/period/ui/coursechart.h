#pragma once
// The course of a period as a picture: a column per calendar day, the zone bands of each month
// under that month's limits, the morning and evening readings as two lines broken where a day
// has none, the months parted and named, and the period's best value marked.
//
// Mornings and evenings rather than the daily mean: the gap between them and a low morning are
// what an unstable asthma shows first, and a mean smooths both away.

#include "period/periodfigures.h"

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>

class QPainter;

namespace luftikon {

inline const QColor morningLineColour(20, 60, 160);
inline const QColor eveningLineColour(150, 40, 150);

class CourseChart {
public:
    CourseChart(const Course& course, QSize size);

    QImage image() const;
    void paint(QPainter& painter) const;

    // The middle of the day's column (an index into the course's days) at `value` l/min.
    QPointF at(int day, double value) const;
    // Where readings are drawn, in pixels of the picture.
    const QRectF& plot() const { return plot_; }

private:
    void paintMonth(QPainter& painter, const CourseMonth& month) const;
    void paintScale(QPainter& painter) const;
    void paintLine(QPainter& painter, std::optional<int> CourseDay::*reading, const QColor& colour) const;
    void paintBest(QPainter& painter) const;
    void paintLegend(QPainter& painter) const;
    double y(double value) const;

    const Course& course_;
    QSize size_;
    double scale_; // pens and fonts grow with the picture
    QRectF plot_;
    int top_ = 0; // l/min at the top of the plot
    int step_ = 100;
};

} // namespace luftikon
