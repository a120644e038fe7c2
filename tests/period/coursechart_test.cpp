// The course chart: each month's bands under its own limits, and lines that stop at a gap.
#include "period/ui/coursechart.h"
#include "periodmonths.h"
#include "support/sandbox.h"

#include <gtest/gtest.h>

using namespace luftikon;
using namespace luftikon::test;

namespace {

int distance(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

} // namespace

TEST(CourseChart, BandsFollowEachMonthsLimitsAndLinesBreakAtGaps)
{
    Sandbox box;
    const QString gallery = box.file(QStringLiteral("Galerie/"));
    writeErikasMonths(gallery);
    const Period period = readPeriod(gallery, erika, DiaryMonth{11, 2024}, DiaryMonth{2, 2025});
    for (const QSize size : {QSize(1000, 420), QSize(2400, 1000)}) {
        const CourseChart chart(period.course, size);
        const QImage picture = chart.image();
        const auto colourAt = [&](double day, double value) {
            const QPointF p = chart.at(0, value) + QPointF(chart.at(1, 0).x() - chart.at(0, 0).x(), 0) * day;
            return picture.pixelColor(p.toPoint());
        };
        // 450 l/min on 15 November (green from 400) and on 15 February (green from 500 only).
        const QColor november = colourAt(14, 450);
        const QColor february = colourAt(92 + 14, 450);
        EXPECT_GT(november.green(), november.red() + 40);
        EXPECT_GT(february.red(), february.blue() + 20);
        EXPECT_GT(february.green(), february.blue() + 20);
        EXPECT_GT(distance(november, february), 60);
        const QColor redZone = colourAt(92 + 14, 200);
        EXPECT_GT(redZone.red(), redZone.green() + 40);
        // December has no diary: no zone colour at all.
        const QColor december = colourAt(45, 450);
        EXPECT_EQ(december.red(), december.green());

        // The line's pixel nearest to the point, so the anti-aliased edge does not count.
        const auto nearest = [&](double day, double value, const QColor& line) {
            const QPoint p = (chart.at(0, value) + QPointF(chart.at(1, 0).x() - chart.at(0, 0).x(), 0) * day).toPoint();
            int best = 765;
            for (int dx = -2; dx <= 2; ++dx)
                for (int dy = -2; dy <= 2; ++dy)
                    best = std::min(best, distance(picture.pixelColor(p + QPoint(dx, dy)), line));
            return best;
        };
        // 1 and 2 November are joined; 2 and 30 November are not, nor 30 November and 3 February.
        EXPECT_LT(nearest(0.5, 340, morningLineColour), 90);
        EXPECT_LT(nearest(0.5, 415, eveningLineColour), 90);
        EXPECT_GT(nearest(15, 320, morningLineColour), 200);
        EXPECT_GT(nearest(61, 355, morningLineColour), 200);
    }
}
