#pragma once
// The month chart: the month on screen drawn onto its template picture. The zones, the curve
// with its zone-coloured markers, the times-of-day line and the best-value pin are painted into
// the chart picture; the drawing reads the month and the look and changes neither.

#include "chart/scales.h"
#include "config/notice.h"
#include "config/settings.h"
#include "diary/diaryfile.h"
#include "diary/entryline.h"
#include "diary/slots.h"
#include "month/currentmonth.h"
#include "state/appstate.h"

#include <QDateTime>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRect>
#include <QString>
#include <functional>

namespace luftikon {

// What the drawing needs from outside: the settings and a way to tell the user.
struct ChartEnvironment {
    const Settings* settings = nullptr; // none: every setting missing
    Notify notify;                      // German messages for the user
};

// The two stock pin pictures: needle tip bottom left (label right) and its mirror image.
struct PinPictures {
    QImage pointingRight;
    QImage pointingLeft;
};

inline constexpr int PinWidth = 106;
inline constexpr int PinHeight = 44;
// The main window's normal width: the pin points left where it would stick out of it, at any
// window size, so a chart looks the same in every window and on paper.
inline constexpr int NormalWindowWidth = 796;

// The picture file at `path` for a chart drawn `scale` pixels to each chart pixel (1 or more):
// its "@2x" sibling (for scale 2) when there is one, else the file itself enlarged without
// smoothing; its device pixel ratio is `scale`. A null picture when the file cannot be read,
// with the reason in `error`.
QImage loadPictureAtScale(const QString& path, int scale, QString* error = nullptr);

// The chart title: "Luftikon-Messwerte " + Datum + " von  " + BenutzerName.
QString chartTitle(const QString& date, const QString& userName);

class ChartDrawing {
public:
    // `scale`: pixels to each chart pixel in each direction; a screen of twice the density wants
    // 2. Coordinates stay those of the chart at scale 1 everywhere.
    ChartDrawing(const AppState& look, QImage& picture, ChartEnvironment environment = {}, int scale = 1);
    ChartDrawing(const ChartDrawing&) = delete;
    ChartDrawing& operator=(const ChartDrawing&) = delete;

    void setEnvironment(ChartEnvironment environment) { env_ = std::move(environment); }
    // Pin pictures at the drawing's scale (loadPictureAtScale).
    void setPinPictures(PinPictures pins);
    int scale() const { return scale_; }
    const PinPictures& pinPictures() const { return pins_; }

    // Draws the whole month onto a fresh copy of the template. False when the template could not
    // be loaded; a diary that could not be read leaves the bare template. The user has been told
    // either.
    bool draw(const CurrentMonth& month);

    // The pen, its origin, and a straight line from the origin in copy mode with round ends.
    // Coordinates may lie far off the picture (off-scale readings); only the picture is touched.
    void setPen(const QColor& colour, int width);
    void setPen(Rgb colour, int width);
    void moveTo(double x, double y);
    void lineFromOrigin(QPointF to);

    // The pin composed by the last drawing and where it was placed in the chart; an empty
    // rectangle when there was no pin to place.
    const QImage& pinPicture() const { return pinImage_; }
    QRect pinPlacement() const { return pinPlacement_; }
    // The reading of the best value has no column in the layout in force: no pin points at it.
    bool bestValueHidden() const { return bestValueHidden_; }

    // The template picture in force, undrawn, at the drawing's scale (BGR888); null when it
    // cannot be read. Says nothing: the drawing tells the user.
    QImage bareTemplate();

    // Pen width W from "StiftBreite", 2 when it is empty or no usable width.
    int penWidth();

private:
    struct Pen {
        Rgb colour;
        int width = 2;
    };
    // A reading's dot, drawn over the whole curve with its ring.
    struct Marker {
        double x = 0;
        double y = 0;
        Rgb colour;
        int width = 0;
    };

    bool loadTemplate();
    const QImage& decodedTemplate(QString* error);
    void plotReading(const DiaryEntry& reading, int day);
    void drawMarkers();
    // The times-of-day line at the top of the picture.
    void writeTimesLine();
    // The pin at the first best reading of the month.
    void pinBestValue(const CurrentMonth& month);
    QPainter& painter();
    void finishPainting();
    void tell(MessageKind kind, const QString& text) const;
    // The four-slot chart; with both keys set the chart follows the eight-slot template.
    bool fourSlotChart() const { return layout_.marks(SlotMode::Four) && !layout_.marks(SlotMode::Eight); }

    const AppState& look_;
    QImage& picture_;
    ChartEnvironment env_;
    int scale_ = 1;
    QList<Marker> markers_; // of the drawing in progress
    PinPictures pins_;
    QImage pinImage_;
    QRect pinPlacement_;

    QPainter painter_;
    Pen pen_;
    QPointF origin_;
    DayLayout layout_;     // of the month being drawn
    ZoneLimits limits_;    // of the month being drawn
    int plottedCount_ = 0; // readings actually drawn in this drawing
    int previousX_ = 0;    // the reading drawn before
    int previousY_ = 0;
    bool zonesPainted_ = false;
    bool bestValueHidden_ = false;
    int drawingW_ = 2; // W of the drawing in progress
    QString reportedPenWidth_;

    // The decoded template of the last load, reused while the file is unchanged on disk.
    QString templatePath_;
    QDateTime templateModified_;
    qint64 templateSize_ = -1;
    QImage templateImage_;

    // Paints the zones onto the picture of the drawing in progress.
    void paintZones(int W);
};

} // namespace luftikon
