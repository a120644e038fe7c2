#pragma once
// The month chart: one diary file drawn onto its template picture. The zones, the curve with
// its zone-coloured markers, the times-of-day line and the best-value pin are painted into the
// chart picture; what the drawing reads from the diary (means, best value, entry list, month
// texts) is left in the shared state for the other windows.

#include "chart/scales.h"
#include "config/notice.h"
#include "config/settings.h"
#include "diary/diaryfile.h"
#include "diary/entryline.h"
#include "diary/slots.h"
#include "state/appstate.h"

#include <QDateTime>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRect>
#include <QString>
#include <functional>

namespace luftikon {

// What the drawing needs from outside: the settings, a way to tell the user, the title strip
// and the width of the main window (the pin points left when it would stick out of it).
struct ChartEnvironment {
    const Settings* settings = nullptr;           // none: every setting missing
    Notify notify;                                // German messages for the user
    std::function<void(const QString&)> setTitle; // the title strip above the chart
    std::function<int()> windowWidth;             // outer width of the main window
};

// The two stock pin pictures: needle tip bottom left (label right) and its mirror image.
struct PinPictures {
    QImage pointingRight; // tempImage_rechts
    QImage pointingLeft;  // tempImage_links
};

inline constexpr int PinWidth = 106;
inline constexpr int PinHeight = 44;

// "232 410": position, blank, value text.
QString pointListEntry(int x, QStringView valueText);

// The diary path with a final ".tab" (any letter case) replaced by ".txt"; a path without that
// ending gets ".txt" appended.
QString remarksFileOf(const QString& diaryFile);

// The chart title: "Luftikon-Messwerte " + Datum + " von  " + BenutzerName.
QString chartTitle(const QString& date, const QString& userName);

class ChartDrawing {
public:
    ChartDrawing(AppState& state, QImage& picture, ChartEnvironment environment = {});
    ChartDrawing(const ChartDrawing&) = delete;
    ChartDrawing& operator=(const ChartDrawing&) = delete;

    void setEnvironment(ChartEnvironment environment) { env_ = std::move(environment); }
    void setPinPictures(PinPictures pins);
    const PinPictures& pinPictures() const { return pins_; }

    // Draws the whole month of `diaryFile` onto a fresh copy of the template and returns what
    // it read, for the caller to keep; not ok when the template or the diary could not be read
    // (the user has been told).
    DiaryFile GrafikZeichnen(const QString& diaryFile);
    // The same for a diary already read; its path names it.
    DiaryFile GrafikZeichnen(DiaryFile diary);

    // The pen, its origin, and a straight line from the origin in copy mode with round ends.
    // Coordinates may lie far off the picture (off-scale readings); only the picture is touched.
    void setPen(const QColor& colour, int width);
    void setPen(Rgb colour, int width);
    void Zeichne(double x, double y);
    void LineFromOrigin(QPointF to);

    // The times-of-day line at the top of the picture.
    void schreibTextInGrafik();

    // Best value and best position from the point list, then the pin at the first best reading.
    void Errechne_den_Spitzenwert();

    // The pin composed by the last Errechne_den_Spitzenwert and where it was placed in the
    // picture; an empty rectangle when there was no pin to place.
    const QImage& StecknadelImage() const { return stecknadelImage_; }
    QRect pinPlacement() const { return pinPlacement_; }
    // The reading of the best value has no column in the layout in force: no pin points at it.
    bool bestValueHidden() const { return bestValueHidden_; }

    // Position of the previous plotted reading; kept from drawing to drawing.
    int PrevX = 0;
    int PrevY = 0;

    // Pen width W from "StiftBreite", 2 when it is empty or no usable width.
    int penWidth();

private:
    struct Pen {
        Rgb colour;
        int width = 2;
    };

    bool loadTemplate();
    void plotReading(const DiaryEntry& reading);
    void takeMonthTexts(const EntryFields& fields);
    QPainter& painter();
    void finishPainting();
    void tell(MessageKind kind, const QString& text) const;
    // Both marks set (a hand-made diary): the chart follows the eight-slot template taken last.
    bool fourSlotLayout() const { return state_.fourSlotMark && !state_.eightSlotMark; }

    AppState& state_;
    QImage& picture_;
    ChartEnvironment env_;
    PinPictures pins_;
    QImage stecknadelImage_;
    QRect pinPlacement_;

    QPainter painter_;
    Pen pen_;
    QPointF origin_;
    int readingCount_ = 0;    // ReadingCount: reading lines met in this drawing
    int plottedCount_ = 0;    // readings actually drawn in this drawing
    QList<bool> pointHidden_; // per entry of the point list: the layout has no column for it
    bool bestValueHidden_ = false;
    int drawingW_ = 2;     // W of the drawing in progress
    bool drawing_ = false; // inside GrafikZeichnen
    QString reportedPenWidth_;

    // The decoded template of the last load, reused while the file is unchanged on disk.
    QString templatePath_;
    QDateTime templateModified_;
    qint64 templateSize_ = -1;
    QImage templateImage_;
    int templateGeneration_ = 0; // counts decodes, so the zone picture knows its template

    // The template with its zones, reused while template, limits, intensity and width stay:
    // a redraw after a new reading then skips the tint.
    struct ZoneKey {
        int generation = -1;
        int greenLimit = 0;
        int redLimit = 0;
        int intensity = 0;
        int width = 0;
        friend bool operator==(const ZoneKey&, const ZoneKey&) = default;
    };
    void paintZones(int W);
    QImage zonedTemplate_;
    ZoneKey zoneKey_;
    bool pictureIsBareTemplate_ = false; // nothing painted since the template was loaded
};

} // namespace luftikon
