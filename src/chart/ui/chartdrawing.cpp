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

const QString valueMarker = QStringLiteral("Luftikon=");

// Widths beyond this turn the curve into a smear; a typing slip in the settings, not a wish.
constexpr int MaxPenWidth = 20;

Rgb colourOf(ColorRef ref)
{
    return Rgb{redOf(ref), greenOf(ref), blueOf(ref)};
}

} // namespace

QString pointListEntry(int x, QStringView valueText)
{
    QString entry = QString::number(x);
    entry.reserve(entry.size() + 1 + valueText.size());
    entry.append(QLatin1Char(' ')).append(valueText);
    return entry;
}

QString remarksFileOf(const QString& diaryFile)
{
    if (diaryFile.endsWith(QStringLiteral(".tab"), Qt::CaseInsensitive))
        return diaryFile.left(diaryFile.size() - 4) + QStringLiteral(".txt");
    return diaryFile + QStringLiteral(".txt");
}

QString chartTitle(const QString& date, const QString& userName)
{
    return QStringLiteral("Luftikon-Messwerte ") + date + QStringLiteral(" von  ") + userName;
}

ChartDrawing::ChartDrawing(AppState& state, QImage& picture, ChartEnvironment environment)
    : state_(state), picture_(picture), env_(std::move(environment))
{
}

void ChartDrawing::setPinPictures(PinPictures pins)
{
    pins_ = std::move(pins);
    if (!pins_.pointingRight.isNull())
        stecknadelImage_ = pins_.pointingRight.convertToFormat(QImage::Format_BGR888);
}

void ChartDrawing::tell(MessageKind kind, const QString& text) const
{
    if (env_.notify)
        env_.notify(kind, text);
}

int ChartDrawing::penWidth()
{
    const QString configured = env_.settings ? env_.settings->penWidthText() : QString();
    if (!configured.isEmpty())
        state_.penWidthText = configured;
    if (state_.penWidthText.isEmpty())
        return 2;
    const auto width = parseWholeNumber(trimBlanks(state_.penWidthText));
    if (width && *width >= 1 && *width <= MaxPenWidth)
        return *width;
    // Said once per text, not at every redraw.
    if (reportedPenWidth_ != state_.penWidthText) {
        reportedPenWidth_ = state_.penWidthText;
        tell(MessageKind::Warning,
             QStringLiteral("Die Einstellung \"StiftBreite\" ist keine Strichbreite von 1 bis %1: "
                            "\"%2\". Die Kurve wird mit der Breite 2 gezeichnet.")
                 .arg(MaxPenWidth)
                 .arg(state_.penWidthText));
    }
    return 2;
}

bool ChartDrawing::loadTemplate()
{
    const QString path = state_.templatePictureFile;
    const QFileInfo info(path);
    if (!info.isFile()) {
        tell(MessageKind::Error, QStringLiteral("Die Vorlage der Grafik \"%1\" gibt es nicht. "
                                                "Die Grafik kann nicht gezeichnet werden.")
                                     .arg(path));
        return false;
    }
    // The decoded template is kept while the file on disk stays the same: decoding it costs
    // more than the whole drawing.
    if (path != templatePath_ || info.size() != templateSize_ || info.lastModified() != templateModified_ ||
        templateImage_.isNull()) {
        QImageReader reader(path);
        QImage loaded = reader.read();
        if (loaded.isNull()) {
            templateImage_ = QImage();
            templatePath_.clear();
            tell(MessageKind::Error, QStringLiteral("Die Vorlage der Grafik \"%1\" kann nicht geladen werden: %2. "
                                                    "Die Grafik kann nicht gezeichnet werden.")
                                         .arg(path, reader.errorString()));
            return false;
        }
        ToBgrPicture(loaded);
        templateImage_ = loaded;
        ++templateGeneration_;
        templatePath_ = path;
        templateSize_ = info.size();
        templateModified_ = info.lastModified();
    }
    finishPainting();
    picture_ = templateImage_;
    pictureIsBareTemplate_ = true;
    return true;
}

DiaryFile ChartDrawing::GrafikZeichnen(const QString& diaryFile)
{
    return GrafikZeichnen(readDiary(diaryFile));
}

DiaryFile ChartDrawing::GrafikZeichnen(DiaryFile diary)
{
    const QString diaryFile = diary.path;
    state_.currentDiaryFile = diaryFile;
    state_.remarksFile = remarksFileOf(diaryFile);

    state_.dayValueList.clear();
    state_.valueList.clear();
    state_.pointList.clear();
    pointHidden_.clear();
    // A month without readings must not hand the previous month's texts to the export.
    state_.monthNumber.clear();
    state_.monthName.clear();
    state_.monthYear.clear();

    if (!loadTemplate()) {
        diary.ok = false;
        return diary;
    }
    // Every drawing starts from the bare template, so its zones are still to be painted.
    state_.zonesPainted = false;

    drawingW_ = penWidth();

    state_.diaryDate = diary.date;
    state_.diaryUserName = diary.userName;
    if (env_.setTitle)
        env_.setTitle(chartTitle(diary.date, diary.userName));

    if (!diary.ok) {
        pictureIsBareTemplate_ = false; // the picture is the caller's again
        tell(MessageKind::Warning, QStringLiteral("Fehler beim Lesen der Datei: ") + diaryFile);
        return diary;
    }

    readingCount_ = 0;
    plottedCount_ = 0;
    drawing_ = true;
    for (const DiaryEntry& reading : diary.readings) {
        ++readingCount_;
        state_.dayValueList << dayValueEntry(reading);
        plotReading(reading);
    }
    finishPainting();

    state_.dailyMeans = dailyMeansOf(state_.dayValueList);
    schreibTextInGrafik();
    Errechne_den_Spitzenwert();
    drawing_ = false;
    // The picture is the window's again: it may replace it (a bare template) at any time.
    finishPainting();
    return diary;
}

void ChartDrawing::plotReading(const DiaryEntry& reading)
{
    const int W = drawing_ ? drawingW_ : penWidth();
    if (!state_.zonesPainted) {
        paintZones(W);
        state_.zonesPainted = true;
    }

    // A line whose day or value is no number has no place on the chart; it stays in the entry
    // list for the user to correct, and the means pass it over as well.
    if (reading.prefix.isEmpty())
        return;
    const EntryFields& fields = reading.fields;
    const auto day = fields.day ? parseWholeNumber(*fields.day) : std::nullopt;
    if (!day || *day < 1 || *day > 31 || !reading.value)
        return;
    const int value = *reading.value;
    const int slot = reading.slot;
    const QString& line = reading.line;

    const bool four = fourSlotLayout();
    const int x = ReadingX(*day, slot, four, state_.eightSlotMark);
    state_.valueList << line.mid(line.indexOf(valueMarker) + valueMarker.size());
    state_.pointList << pointListEntry(x, fields.value ? *fields.value : reading.valueText);
    takeMonthTexts(fields);

    // The four-slot chart has no column for slots 4..7; they count for means and best value.
    const bool hidden = four && slot >= 4 && slot <= 7;
    pointHidden_ << hidden;
    if (hidden)
        return;

    const int y = ReadingY(value);
    const Rgb marker = MarkerColor(value, state_.greenLimit, state_.redLimit);
    const Rgb curve = colourOf(state_.curveColor);
    // Off-scale readings have y up to 2^31: sums are taken in double.
    const double xd = x;
    const double yd = y;

    ++plottedCount_;
    if (plottedCount_ == 1) {
        // The first reading of the month: a larger dot, no segment.
        setPen(marker, four ? W + 4 : W + 2);
        Zeichne(xd + 1, yd);
        LineFromOrigin({xd, yd + 1});
        setPen(curve, W);
        Zeichne(xd, yd);
    }
    else {
        setPen(curve, W);
        Zeichne(xd, yd);
        // Back towards the previous reading, stopping W short above or below it.
        LineFromOrigin({double(PrevX), y > PrevY ? double(PrevY) + W : double(PrevY) - W});
        setPen(marker, W + 2);
        Zeichne(xd + 1, yd);
        LineFromOrigin({xd, yd + 1});
        setPen(curve, W);
    }

    PrevX = x;
    PrevY = y;
}

void ChartDrawing::paintZones(int W)
{
    finishPainting();
    const ZoneKey key{templateGeneration_, state_.greenLimit, state_.redLimit, state_.zoneIntensity, W};
    if (pictureIsBareTemplate_ && key == zoneKey_ && !zonedTemplate_.isNull()) {
        picture_ = zonedTemplate_;
    }
    else {
        const bool bare = pictureIsBareTemplate_;
        PaintZonesOnPicture(picture_, state_.greenLimit, state_.redLimit, state_.zoneIntensity, W);
        if (bare) {
            zonedTemplate_ = picture_;
            zoneKey_ = key;
        }
    }
    pictureIsBareTemplate_ = false;
}

void ChartDrawing::takeMonthTexts(const EntryFields& fields)
{
    if (fields.month && *fields.month != state_.monthNumber) {
        state_.monthNumber = *fields.month;
        const auto number = parseWholeNumber(*fields.month);
        state_.monthName = number ? GibMonatLang(*number) : QString();
    }
    if (fields.year && *fields.year != state_.monthYear)
        state_.monthYear = *fields.year;
}

QPainter& ChartDrawing::painter()
{
    if (!painter_.isActive()) {
        ToBgrPicture(picture_);
        pictureIsBareTemplate_ = false;
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

void ChartDrawing::Zeichne(double x, double y)
{
    origin_ = QPointF(x, y);
}

void ChartDrawing::LineFromOrigin(QPointF to)
{
    // Raw strokes rather than the painter's: a month has some 500 of them, and the painter's
    // wide-pen outlines and threaded span fills cost more than the rest of the drawing.
    finishPainting();
    ToBgrPicture(picture_);
    pictureIsBareTemplate_ = false;
    StrokeSegment(BgrRowsOf(picture_), origin_.x(), origin_.y(), to.x(), to.y(), pen_.width, pen_.colour);
}

} // namespace luftikon
