#pragma once
// The chart settings dialog "Einstellungen": curve colour, the two zone limits of the current
// diary, the strength of the zone colours and three settings of the browser chart. Every change
// is stored at once; the chart behind it is redrawn at once or, after limit changes, one second
// after the first of them.

#include "config/settings.h"
#include "platform/desktop.h"
#include "state/appstate.h"

#include <QColor>
#include <QDialog>
#include <functional>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QSlider;
class QTimer;

namespace luftikon {

class SpinButton;

// What the dialog asks of the main window and the entry dialog.
struct SettingsDialogHost {
    std::function<void(const QString& diaryFile)> GrafikZeichnen; // draw a diary and show it
    std::function<bool()> saveCurrentDiary; // the entry dialog's save and redraw of the diary on screen
    std::function<void(const QString& diaryFile)> showDiaryAsChart; // the diary as stored: layout, limits, drawing
};

class TEinstellDlg : public QDialog {
    Q_OBJECT
public:
    TEinstellDlg(AppState& state, Desktop& desktop, Settings& settings, QWidget* parent = nullptr);

    void setHost(SettingsDialogHost host) { host_ = std::move(host); }

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
    void Timer1Timer();
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
    QTimer* Timer1 = nullptr; // the redraw one second after a limit change

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void widenToFitTexts();
    void connectHandlers();
    void changeGreenLimit(int delta);
    void changeRedLimit(int delta);
    // Writes one limit into the current diary; false when nothing was stored (the user was told).
    bool storeLimit(const QString& key, int value, int& limit, int defaultValue);
    bool diaryAvailable() const;
    bool diaryExists() const;
    void armRedrawTimer();
    // The entry dialog's save and redraw of the current diary; a redraw alone when nothing was
    // saved, so the chart always shows what the diary holds.
    void saveAndRedraw();
    std::optional<QColor> chooseColor();

    AppState& state_;
    Desktop& desktop_;
    Settings& settings_;
    SettingsDialogHost host_;
    QColor lastChosenColour_ = Qt::black; // the colour dialog opens with the colour chosen last in it
};

} // namespace luftikon
