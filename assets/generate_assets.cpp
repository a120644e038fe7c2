// Makes the pictures installed beside the program.
// Usage: generate_assets <output folder>
// The chart templates take their grid from the chart scales, so the plot lands on the lines.
// Each picture is made twice: as the chart uses it, and with twice the pixels in each direction
// ("@2x") for screens of twice the density, drawn from the same strokes so both show the same.

#include "chart/scales.h"

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cstdio>

using namespace luftikon;

namespace {

constexpr int ChartWidth = 788;
constexpr int ChartHeight = 641;
constexpr int PinWidth = 106;
constexpr int PinHeight = 44;

const QColor Ink(40, 48, 64);
const QColor MinorLine(234, 238, 243);
const QColor FiftyLine(204, 211, 222);
const QColor HundredLine(150, 161, 178);
const QColor DayLine(178, 187, 201);
const QColor SlotMark(205, 213, 226);
const QColor DayStrip(243, 245, 249);

QFont chartFont(int pixelSize, bool bold = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

void hLine(QPainter& p, int y, int x1, int x2, const QColor& c)
{
    p.fillRect(x1, y, x2 - x1 + 1, 1, c);
}

void vLine(QPainter& p, int x, int y1, int y2, const QColor& c)
{
    p.fillRect(x, y1, 1, y2 - y1 + 1, c);
}

// Legend of the three zones, in the free band between the times of day and the plot.
void drawLegend(QPainter& p, int slotCount)
{
    struct Entry {
        QColor colour;
        QString text;
    };
    const Entry entries[] = {{QColor(86, 190, 96), QStringLiteral("Asthma unter Kontrolle")},
                             {QColor(236, 200, 40), QStringLiteral("kritisch")},
                             {QColor(222, 72, 60), QStringLiteral("Schweres Asthma")}};
    p.setFont(chartFont(12));
    int x = 44;
    const int y = 34;
    for (const Entry& e : entries) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(e.colour.darker(130), 1));
        p.setBrush(e.colour);
        p.drawRoundedRect(QRectF(x + 0.5, y + 0.5, 13, 13), 3, 3);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Ink);
        const QRect text(x + 19, y - 1, 200, 16);
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, e.text);
        x += 19 + p.fontMetrics().horizontalAdvance(e.text) + 26;
    }
    const QString mode =
        slotCount == 4 ? QStringLiteral("bis zu 4 Messungen je Tag") : QStringLiteral("bis zu 8 Messungen je Tag");
    p.setPen(HundredLine.darker(120));
    p.drawText(QRect(500, y - 1, 282, 16), Qt::AlignRight | Qt::AlignVCenter, mode);
}

// A canvas of `size` chart pixels, `scale` pixels to each of them.
QImage canvas(int width, int height, int scale, QImage::Format format = QImage::Format_RGB32)
{
    QImage img(width * scale, height * scale, format);
    img.setDevicePixelRatio(scale);
    return img;
}

QImage makeTemplate(int slotCount, int scale)
{
    QImage img = canvas(ChartWidth, ChartHeight, scale);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing, true);

    const int left = dayColumnX(1);
    const int right = dayColumnX(32); // closing edge of day 31
    const int top = limitY(800);
    const int bottom = limitY(0);
    const int dayStrip = limitY(20); // day numbers sit between 0 and 20 l/min

    // Value lines: faint every 10, clearer every 50, strongest every 100 l/min.
    for (int v = 10; v <= 800; v += 10) {
        const int y = limitY(v);
        if (y > dayStrip - 1 && v % 50 != 0)
            continue;
        const QColor& c = v % 100 == 0 ? HundredLine : v % 50 == 0 ? FiftyLine : MinorLine;
        hLine(p, y, left, right, c);
    }

    // The eight-slot day is narrow: a dotted divider between its morning and afternoon half.
    if (slotCount == 8) {
        for (int d = 1; d <= 31; ++d)
            for (int y = top + 2; y < dayStrip; y += 3)
                p.fillRect(dayColumnX(d) + 11, y, 1, 1, SlotMark);
    }
    // A quiet band for the day numbers.
    p.fillRect(left, dayStrip + 1, right - left, bottom - dayStrip - 1, DayStrip);

    // Day columns and the frame.
    for (int d = 1; d <= 32; ++d)
        vLine(p, dayColumnX(d), top, bottom, d == 1 || d == 32 ? HundredLine : DayLine);
    hLine(p, top, left, right, HundredLine);
    hLine(p, bottom, left, right, Ink);

    // Day numbers at the foot of each column.
    p.setFont(chartFont(11, true));
    p.setPen(Ink);
    for (int d = 1; d <= 31; ++d)
        p.drawText(QRect(dayColumnX(d) + 1, dayStrip + 1, 23, bottom - dayStrip - 1), Qt::AlignCenter,
                   QString::number(d));

    // Value labels on the left.
    for (int v = 0; v <= 800; v += 50) {
        const bool hundred = v % 100 == 0;
        p.setFont(chartFont(hundred ? 11 : 10, hundred));
        p.setPen(hundred ? Ink : HundredLine.darker(115));
        const int y = std::min(limitY(v), ChartHeight - 8); // keep the 0 whole
        p.drawText(QRect(0, y - 8, 36, 16), Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
    }
    p.setFont(chartFont(10, true));
    p.setPen(Ink);
    p.drawText(QRect(0, top - 22, 38, 14), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("l/min."));

    drawLegend(p, slotCount);
    p.end();
    return img.convertToFormat(QImage::Format_RGB888);
}

// The strip behind the chart title: a soft sky gradient with a few airy bubbles at the right.
QImage makeHeader(int scale)
{
    QImage img = canvas(ChartWidth, 22, scale);
    QPainter p(&img);
    QLinearGradient sky(0, 0, ChartWidth, 0);
    sky.setColorAt(0.0, QColor(236, 244, 251));
    sky.setColorAt(0.55, QColor(222, 236, 248));
    sky.setColorAt(1.0, QColor(196, 221, 242));
    p.fillRect(img.rect(), sky);
    p.setRenderHint(QPainter::Antialiasing, true);
    struct Bubble {
        double x, y, r;
        int alpha;
    };
    const Bubble bubbles[] = {{640, 15, 4, 60}, {662, 8, 6, 70}, {688, 14, 5, 80}, {710, 6, 3, 70},
                              {728, 12, 7, 90}, {752, 7, 4, 90}, {770, 15, 5, 100}};
    for (const Bubble& b : bubbles) {
        QRadialGradient g(b.x - b.r / 3, b.y - b.r / 3, b.r * 1.3);
        g.setColorAt(0, QColor(255, 255, 255, b.alpha + 60));
        g.setColorAt(1, QColor(120, 170, 220, b.alpha));
        p.setPen(QPen(QColor(110, 160, 210, b.alpha + 40), 0.8));
        p.setBrush(g);
        p.drawEllipse(QPointF(b.x, b.y), b.r, b.r);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(0, 21, ChartWidth, 1, QColor(150, 183, 214));
    p.end();
    return img.convertToFormat(QImage::Format_RGB888);
}

// Pin head at the top left, needle tip in the bottom left corner, label box to the right.
// Drawn smooth on a transparent canvas, then flattened: white is the colour left out when the
// pin is painted, so faint edge pixels become white and the rest is blended onto a light tone
// close to the tinted zones it will sit on.
QImage makePinRight(int scale)
{
    QImage smooth = canvas(PinWidth, PinHeight, scale, QImage::Format_ARGB32_Premultiplied);
    smooth.fill(Qt::transparent);
    QPainter p(&smooth);
    p.setRenderHint(QPainter::Antialiasing, true);

    // Label box.
    const QRectF box(28.5, 11.5, 76, 29);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 90, 60, 70));
    p.drawRoundedRect(box.translated(1.5, 1.5), 7, 7); // shadow
    QLinearGradient paper(0, box.top(), 0, box.bottom());
    paper.setColorAt(0, QColor(255, 252, 232));
    paper.setColorAt(1, QColor(252, 240, 196));
    p.setBrush(paper);
    p.setPen(QPen(QColor(176, 140, 60), 1.4));
    p.drawRoundedRect(box, 7, 7);

    // Needle, from the tip in the corner up to the head.
    QLinearGradient steel(0, 43, 14, 22);
    steel.setColorAt(0, QColor(110, 116, 126));
    steel.setColorAt(1, QColor(190, 196, 206));
    p.setPen(QPen(QBrush(steel), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0.9, 43.1), QPointF(11.5, 24.5));

    // Collar under the head.
    p.setPen(QPen(QColor(120, 20, 24), 1));
    p.setBrush(QColor(176, 32, 36));
    p.drawEllipse(QPointF(12.2, 23.2), 4.2, 2.6);

    // Glossy round head.
    QRadialGradient head(11, 9.5, 11);
    head.setColorAt(0.0, QColor(255, 170, 160));
    head.setColorAt(0.35, QColor(232, 52, 48));
    head.setColorAt(1.0, QColor(140, 14, 18));
    p.setPen(QPen(QColor(110, 10, 14), 0.9));
    p.setBrush(head);
    p.drawEllipse(QPointF(14, 13.5), 9, 9);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 236, 230, 200));
    p.drawEllipse(QPointF(10.8, 9.8), 2.6, 1.8);
    p.end();

    const QColor under(226, 232, 222);
    QImage out = canvas(PinWidth, PinHeight, scale, QImage::Format_RGB888);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = smooth.pixel(x, y); // premultiplied
            const int a = qAlpha(c);
            if (a < 110) {
                out.setPixelColor(x, y, Qt::white);
                continue;
            }
            const auto blend = [&](int premul, int bg) { return std::min(255, premul + bg * (255 - a) / 255); };
            int r = blend(qRed(c), under.red());
            int g = blend(qGreen(c), under.green());
            int b = blend(qBlue(c), under.blue());
            if (r == 255 && g == 255 && b == 255)
                b = 254; // white would be left out
            out.setPixelColor(x, y, QColor(r, g, b));
        }
    }
    return out;
}

bool save(const QImage& img, const QString& path)
{
    if (img.save(path, "BMP"))
        return true;
    std::fprintf(stderr, "generate_assets: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: generate_assets <output folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "generate_assets: cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = true;
    for (const int scale : {1, 2}) {
        const QString suffix = scale == 1 ? QStringLiteral(".bmp") : QStringLiteral("@%1x.bmp").arg(scale);
        const auto path = [&](const char* name) { return out.filePath(QLatin1String(name) + suffix); };
        const QImage pin = makePinRight(scale);
        ok = save(makeTemplate(4, scale), path("Vorlag4M")) && ok;
        ok = save(makeTemplate(8, scale), path("Vorlag8M")) && ok;
        ok = save(makeHeader(scale), path("Header")) && ok;
        ok = save(pin, path("StecknadelRechts")) && ok;
        ok = save(pin.mirrored(true, false), path("StecknadelLinks")) && ok;
    }
    return ok ? 0 : 1;
}
