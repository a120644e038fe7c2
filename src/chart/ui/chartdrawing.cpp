#include "chart/ui/chartdrawing.h"

#include "chart/scales.h"
#include "chart/strokes.h"
#include "chart/ui/zonepicture.h"
#include "diary/dates.h"
#include "diary/diaryfile.h"
#include "diary/entryline.h"
#include "diary/iniheader.h"
#include "diary/means.h"
#include "diary/textfile.h"

#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

namespace luftikon {

namespace {

// Widths beyond this turn the curve into a smear; a typing slip in the settings, not a wish.
constexpr int MaxPenWidth = 20;

Rgb colourOf(ColorRef ref)
{
    return Rgb{redOf(ref), greenOf(ref), blueOf(ref)};
}

} // namespace

QString chartTitle(const QString& date, const QString& userName)
{
    return QStringLiteral("Luftikon-Messwerte ") + date + QStringLiteral(" von  ") + userName;
}

QImage loadPictureAtScale(const QString& path, int scale, QString* error)
{
    scale = std::max(scale, 1);
    const QFileInfo info(path);
    if (scale > 1) {
        const QString sibling =
            info.path() + u'/' + info.completeBaseName() + QStringLiteral("@%1x.").arg(scale) + info.suffix();
        if (QFileInfo(sibling).isFile()) {
            QImage sharp(sibling);
            if (!sharp.isNull() && sharp.size() == QImageReader(path).size() * scale) {
                sharp.setDevicePixelRatio(scale);
                return sharp;
            }
        }
    }
    QImageReader reader(path);
    QImage picture = reader.read();
    if (picture.isNull()) {
        if (error)
            *error = reader.errorString();
        return picture;
    }
    if (scale > 1) {
        // A picture of the user's own has no sharper sibling: its pixels grow, so the zones and
        // the grid lie where they lie at scale 1.
        picture = picture.scaled(picture.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        picture.setDevicePixelRatio(scale);
    }
    return picture;
}

ChartDrawing::ChartDrawing(const AppState& look, QImage& picture, ChartEnvironment environment, int scale)
    : look_(look), picture_(picture), env_(std::move(environment)), scale_(std::max(scale, 1))
{
}

void ChartDrawing::setPinPictures(PinPictures pins)
{
    pins_ = std::move(pins);
    if (!pins_.pointingRight.isNull())
        pinImage_ = pins_.pointingRight.convertToFormat(QImage::Format_BGR888);
}

void ChartDrawing::tell(MessageKind kind, const QString& text) const
{
    if (env_.notify)
        env_.notify(kind, text);
}

int ChartDrawing::penWidth()
{
    const QString configured = env_.settings ? env_.settings->penWidthText() : QString();
    const QString text = configured.isEmpty() ? look_.penWidthText : configured;
    if (text.isEmpty())
        return 2;
    const auto width = parseWholeNumber(trimBlanks(text));
    if (width && *width >= 1 && *width <= MaxPenWidth)
        return *width;
    // Said once per text, not at every redraw.
    if (reportedPenWidth_ != text) {
        reportedPenWidth_ = text;
        tell(MessageKind::Warning,
             QStringLiteral("Die Einstellung \"StiftBreite\" ist keine Strichbreite von 1 bis %1: "
                            "\"%2\". Die Kurve wird mit der Breite 2 gezeichnet.")
                 .arg(MaxPenWidth)
                 .arg(text));
    }
    return 2;
}

QImage ChartDrawing::bareTemplate()
{
    return decodedTemplate(nullptr);
}

const QImage& ChartDrawing::decodedTemplate(QString* error)
{
    const QString path = look_.templatePictureFile;
    const QFileInfo info(path);
    // The decoded template is kept while the file on disk stays the same: decoding it costs
    // more than the whole drawing.
    if (path != templatePath_ || info.size() != templateSize_ || info.lastModified() != templateModified_ ||
        templateImage_.isNull()) {
        templateImage_ = info.isFile() ? loadPictureAtScale(path, scale_, error) : QImage();
        templatePath_.clear();
        if (!templateImage_.isNull()) {
            toBgrPicture(templateImage_);
            templatePath_ = path;
            templateSize_ = info.size();
            templateModified_ = info.lastModified();
        }
    }
    return templateImage_;
}

bool ChartDrawing::loadTemplate()
{
    const QString path = look_.templatePictureFile;
    if (!QFileInfo(path).isFile()) {
        tell(MessageKind::Error, QStringLiteral("Die Vorlage der Grafik \"%1\" gibt es nicht. "
                                                "Die Grafik kann nicht gezeichnet werden.")
                                     .arg(path));
        return false;
    }
    QString error;
    if (decodedTemplate(&error).isNull()) {
        tell(MessageKind::Error, QStringLiteral("Die Vorlage der Grafik \"%1\" kann nicht geladen werden: %2. "
                                                "Die Grafik kann nicht gezeichnet werden.")
                                     .arg(path, error));
        return false;
    }
    finishPainting();
    picture_ = templateImage_;
    return true;
}

bool ChartDrawing::draw(const CurrentMonth& month)
{
    pinPlacement_ = QRect();
    bestValueHidden_ = false;
    if (!loadTemplate())
        return false;
    // Every drawing starts from the bare template, so its zones are still to be painted.
    zonesPainted_ = false;
    drawingW_ = penWidth();
    layout_ = month.layout();
    limits_ = month.limits();

    const DiaryFile& diary = month.diary();
    if (!diary.ok) {
        tell(MessageKind::Warning, QStringLiteral("Fehler beim Lesen der Datei: ") + diary.path);
        return true;
    }

    plottedCount_ = 0;
    markers_.clear();
    for (const DiaryEntry& reading : diary.readings) {
        if (!zonesPainted_) {
            paintZones(drawingW_);
            zonesPainted_ = true;
        }
        // A line whose day or value is no number has no place on the chart; it stays in the entry
        // list for the user to correct, and the means pass it over as well.
        if (const auto day = chartedDay(reading))
            plotReading(reading, *day);
    }
    drawMarkers();
    writeTimesLine();
    pinBestValue(month);
    // The picture is the window's again: it may replace it (a bare template) at any time.
    finishPainting();
    return true;
}

void ChartDrawing::plotReading(const DiaryEntry& reading, int day)
{
    const int W = drawingW_;
    const int value = *reading.value;
    const int slot = reading.slot;
    const bool four = fourSlotChart();
    // The four-slot chart has no column for slots 4..7; they count for means and best value.
    if (four && slot >= 4 && slot <= 7)
        return;

    const int x = readingX(day, slot, layout_);
    const int y = readingY(value);
    const Rgb marker = markerColour(value, limits_.green, limits_.red);
    const Rgb curve = colourOf(look_.curveColor);
    // Off-scale readings have y up to 2^31: sums are taken in double.
    const double xd = x;
    const double yd = y;

    ++plottedCount_;
    if (plottedCount_ == 1) {
        // The first reading of the month: a larger dot, no segment.
        markers_.append({xd, yd, marker, four ? W + 4 : W + 2});
        setPen(curve, W);
        moveTo(xd, yd);
    }
    else {
        setPen(curve, W);
        moveTo(xd, yd);
        // Back towards the previous reading, stopping W short above or below it.
        lineFromOrigin({double(previousX_), y > previousY_ ? double(previousY_) + W : double(previousY_) - W});
        markers_.append({xd, yd, marker, W + 2});
    }

    previousX_ = x;
    previousY_ = y;
}

void ChartDrawing::drawMarkers()
{
    // Over the whole curve, each in a dark ring one pixel wide: a marker shows whole and keeps
    // its zone colour even on the zone of that colour.
    for (const Marker& marker : std::as_const(markers_)) {
        for (const auto& [colour, width] :
             {std::pair{MarkerOutline, marker.width + 2}, {marker.colour, marker.width}}) {
            setPen(colour, width);
            moveTo(marker.x + 1, marker.y);
            lineFromOrigin({marker.x, marker.y + 1});
        }
    }
    markers_.clear();
}

void ChartDrawing::paintZones(int W)
{
    // Painted afresh at every drawing rather than kept: a second picture of the chart's size
    // would stay in memory for the tenth of a millisecond the tint takes.
    finishPainting();
    paintZonesOnPicture(picture_, limits_.green, limits_.red, look_.zoneIntensity, W);
}

QPainter& ChartDrawing::painter()
{
    if (!painter_.isActive()) {
        toBgrPicture(picture_);
        painter_.begin(&picture_);
        // Copy mode without smoothing: marker and curve pixels carry exactly their colours.
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setCompositionMode(QPainter::CompositionMode_Source);
    }
    return painter_;
}

void ChartDrawing::finishPainting()
{
    if (painter_.isActive())
        painter_.end();
}

void ChartDrawing::setPen(const QColor& colour, int width)
{
    setPen(Rgb{std::uint8_t(colour.red()), std::uint8_t(colour.green()), std::uint8_t(colour.blue())}, width);
}

void ChartDrawing::setPen(Rgb colour, int width)
{
    pen_ = {colour, width};
}

void ChartDrawing::moveTo(double x, double y)
{
    origin_ = QPointF(x, y);
}

void ChartDrawing::lineFromOrigin(QPointF to)
{
    // Raw strokes rather than the painter's: a month has some 500 of them, and the painter's
    // wide-pen outlines and threaded span fills cost more than the rest of the drawing.
    finishPainting();
    toBgrPicture(picture_);
    strokeSegment(bgrRowsOf(picture_), origin_.x(), origin_.y(), to.x(), to.y(), pen_.width, pen_.colour);
}

} // namespace luftikon
