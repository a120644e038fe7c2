#pragma once
// The chart settings dialog "Einstellungen": curve colour, the two zone limits of the month on
// screen, the strength of the zone colours and three settings of the browser chart. Every change
// is stored at once; the chart behind it listens and redraws.

#include "config/settings.h"
#include "month/currentmonth.h"
#include "platform/desktop.h"
#include "state/appstate.h"

#include <QColor>
#include <QDialog>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QSlider;

namespace luftikon {

class SpinButton;

class ChartSettingsDialog : public QDialog {
    Q_OBJECT
public:
    ChartSettingsDialog(AppState& state, CurrentMonth& month, Desktop& desktop, Settings& settings,
                        QWidget* parent = nullptr);

    // The first show of the main window hands over the slider position, "Die Datenwerte
    // anzeigen" and the colour of "Farbe der Datenwerte" from the state, without a redraw.
    void takeFirstShowSettings();

    // Curve colour and limit values as the look and the month have them, and the computing button.
    void refresh();

    // Handlers
    void chooseCurveColour();
    void zoneIntensityChanged(int position);
    void greenLimitUp() { changeGreenLimit(+1); }
    void greenLimitDown() { changeGreenLimit(-1); }
    void redLimitUp() { changeRedLimit(+1); }
    void redLimitDown() { changeRedLimit(-1); }
    void computeLimits();
    void breakLineClicked();
    void showValuesClicked();
    void chooseValuesColour();

signals:
    // The curve colour or the zone intensity changed: the chart is to be drawn again.
    void lookChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Controls
    QFrame* chartFrame_ = nullptr;             // the chart group
    QFrame* computationFrame_ = nullptr;       // around the computing button and its notes
    QFrame* browserFrame_ = nullptr;           // the browser group
    QLabel* curveColourLabel_ = nullptr;       // "Farbe der Messkurve"
    QFrame* curveColourSwatch_ = nullptr;      // shows the curve colour
    QPushButton* curveColourButton_ = nullptr; // curve colour
    QLabel* limitsHeading_ = nullptr;          // heading of the limits
    QLabel* greenCaption_ = nullptr;           // green zone caption
    QLabel* greenLimitLabel_ = nullptr;        // the green limit
    SpinButton* greenLimitSpin_ = nullptr;
    QLabel* yellowCaption_ = nullptr; // amber zone caption
    QLabel* redCaption_ = nullptr;    // red zone caption
    QLabel* redLimitLabel_ = nullptr; // the red limit
    SpinButton* redLimitSpin_ = nullptr;
    QPushButton* computeLimitsButton_ = nullptr; // limits from the best value
    QLabel* noGuaranteeNote_ = nullptr;          // no guarantee for computed limits
    QLabel* askDoctorNote_ = nullptr;            // ask the doctor
    QLabel* intensityHeading_ = nullptr;         // heading of the zone intensity
    QLabel* intensityMinLabel_ = nullptr;        // "0" below the slider
    QSlider* zoneIntensitySlider_ = nullptr;     // zone intensity 0..8
    QLabel* intensityMaxLabel_ = nullptr;        // "max." below the slider
    QLabel* browserHeading_ = nullptr;           // heading of the browser options
    QCheckBox* breakLineCheck_ = nullptr;
    QCheckBox* showValuesCheck_ = nullptr;
    QLabel* valuesColourLabel_ = nullptr;       // "Farbe der Datenwerte"
    QFrame* valuesColourSwatch_ = nullptr;      // shows the colour of the data values
    QPushButton* valuesColourButton_ = nullptr; // colour of the data values
    QPushButton* okButton_ = nullptr;

    void buildLayout();
    void nameControls();
    void widenToFitTexts();
    void connectHandlers();
    void changeGreenLimit(int delta);
    void changeRedLimit(int delta);
    // Writes one limit into the month's diary; false when nothing was stored (the user was told).
    bool storeLimit(CurrentMonth::Limit which, int value);
    bool diaryAvailable() const;
    std::optional<QColor> chooseColor();

    AppState& state_;
    CurrentMonth& month_;
    Desktop& desktop_;
    Settings& settings_;
    QColor lastChosenColour_ = Qt::black; // the colour dialog opens with the colour chosen last in it
};

} // namespace luftikon
