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

class TEinstellDlg : public QDialog {
    Q_OBJECT
public:
    TEinstellDlg(AppState& state, CurrentMonth& month, Desktop& desktop, Settings& settings, QWidget* parent = nullptr);

    // The first show of the main window hands over the slider position, "Die Datenwerte
    // anzeigen" and the colour of "Farbe der Datenwerte" from the state, without a redraw.
    void takeFirstShowSettings();

    // Curve colour, limit values and the computing button as the state has them.
    void FormPaint();

    // Handlers
    void Button4Click();
    void TrackBar1Change(int position);
    void HochwertSpinButtonUpClick() { changeGreenLimit(+1); }
    void HochwertSpinButtonDownClick() { changeGreenLimit(-1); }
    void TiefwertSpinButtonUpClick() { changeRedLimit(+1); }
    void TiefwertSpinButtonDownClick() { changeRedLimit(-1); }
    void GrenzwerteBerechnenBitBtnClick();
    void LinieUnterbrechenCheckBoxClick();
    void WerteOberhalbKurveAnzeigenCheckBoxClick();
    void Button8Click();

    // Controls
    QFrame* chartFrame = nullptr;       // the chart group
    QFrame* computationFrame = nullptr; // around the computing button and its notes
    QFrame* browserFrame = nullptr;     // the browser group
    QLabel* Label4 = nullptr;           // "Farbe der Messkurve", in the curve colour
    QPushButton* Button4 = nullptr;     // curve colour
    QLabel* Label1 = nullptr;           // heading of the limits
    QLabel* Label6 = nullptr;           // green zone caption
    QLabel* HochwertLabel = nullptr;    // the green limit
    SpinButton* HochwertSpinButton = nullptr;
    QLabel* Label7 = nullptr;        // amber zone caption
    QLabel* Label8 = nullptr;        // red zone caption
    QLabel* TiefwertLabel = nullptr; // the red limit
    SpinButton* TiefwertSpinButton = nullptr;
    QPushButton* GrenzwerteBerechnenBitBtn = nullptr; // limits from the best value
    QLabel* Label3 = nullptr;                         // no guarantee for computed limits
    QLabel* Label9 = nullptr;                         // ask the doctor
    QLabel* Label2 = nullptr;                         // heading of the zone intensity
    QLabel* Label10 = nullptr;                        // "0" below the slider
    QSlider* TrackBar1 = nullptr;                     // zone intensity 0..8
    QLabel* Label11 = nullptr;                        // "max." below the slider
    QLabel* Label12 = nullptr;                        // heading of the browser options
    QCheckBox* LinieUnterbrechenCheckBox = nullptr;
    QCheckBox* WerteOberhalbKurveAnzeigenCheckBox = nullptr;
    QLabel* Label13 = nullptr;      // "Farbe der Datenwerte", in that colour
    QPushButton* Button8 = nullptr; // colour of the data values
    QPushButton* OKBtn = nullptr;

signals:
    // The curve colour or the zone intensity changed: the chart is to be drawn again.
    void lookChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
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
