#pragma once
// The main window: owns the start-up sequence, hosts the month chart picture and ends the
// program. The shared state, the desktop and the settings are handed in so tests can script them.

#include "chart/ui/chartdrawing.h"
#include "config/configstore.h"
#include "config/settings.h"
#include "month/currentmonth.h"
#include "platform/desktop.h"
#include "shell/touchsupport.h"
#include "state/appstate.h"

#include <QImage>
#include <QMainWindow>
#include <QPoint>
#include <functional>

class QAction;
class QGestureEvent;
class QLabel;
class QMenu;
class QScrollArea;
class QTimer;

namespace luftikon {

class EvaluationWindow;
class LargeMenu;
class TAboutBox;
class TDruckvorschau;
class TEingabeDlg;
class TEinstellDlg;
class TMachPause;
class TNameEingDlg;
class TTabellenDlg;
class TTouchEingabeDlg;

// The design size of the main window's client area (below the menu bar) and of its chart, which
// the layout and the resize rules both restore.
namespace mainFormDesign {
constexpr int clientWidth = 796;
constexpr int clientHeight = 693;
constexpr int chartWidth = 788;
constexpr int chartHeight = 641;
} // namespace mainFormDesign

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // Runs the start-up (FormCreate) at once. When a data folder can neither be found nor made,
    // the desktop ends the process; under a scripted desktop the start-up stops there instead.
    TMainForm(AppState& state, Desktop& desktop, ConfigStore& config, QWidget* parent = nullptr);
    ~TMainForm() override;

    AppState& state() { return state_; }
    Desktop& desktop() { return desktop_; }
    ConfigStore& config() { return config_; }
    // The settings as read at start; the windows read and change them here.
    Settings& settings() { return settings_; }
    bool startupAborted() const { return startupAborted_; }

    // The first run's settings, with this machine's folders.
    void writeFirstRunDefaults();

    // The month on screen; every window reads it, and the chart follows its changes.
    CurrentMonth& month() { return month_; }
    // The month chart: drawing code paints into the picture, then shows it with updateChart().
    QImage& chartPicture() { return chartPicture_; }
    void updateChart();
    // Draws the month on screen and shows it with its title.
    void drawMonth();
    ChartDrawing& chart() { return chart_; }
    // What the machine offers for touch, found at start.
    TouchSupport touch;
    // Limit changes are drawn this long after the first of them, so a run of clicks draws once.
    QTimer* limitRedrawTimer = nullptr;

    // First show: runs once, on the first paint (queued from the paint event, so dialogs it
    // opens do not run inside painting). Tests call it directly. Nothing happens once done.
    void FormPaint();
    // Makes a diary the month on screen, with its own day layout and limits; the first show and
    // "und als Grafik anzeigen".
    void showDiaryAsChart(const QString& diaryFile);
    // The size rules for normal and maximised window (mainform_resize.cpp).
    void FormResize();
    // One pinch notification: `started` for the gesture's beginning, the point in screen
    // coordinates. Later notifications switch between maximised and normal after a pause.
    void pinchGesture(bool started, QPointF screenPoint);
    QPoint gesturePoint() const { return gesturePoint_; }

    // Menu commands
    void Beenden1Click();
    void RegistryEintraegeloeschen1Click();
    void LiniendiagrammimBrowseranzeigen1Click(); // mainform_browser.cpp
    void aktuelleanzeigen1Click();

    // The table window, in mainform_table.cpp. openTableWindow() fills it (caption, grid,
    // remarks) and arms TabellenAnzeigeTimer, whose tick shows it modally; the entry dialog's
    // "&Tabelle zeigen" calls it after saving.
    void openTableWindow();
    void TabellenAnzeigeTimerTimer();
    TTabellenDlg* TabellenDlg = nullptr;
    QTimer* TabellenAnzeigeTimer = nullptr;

    // The evaluation menu after "&Tabelle", in mainform_report.cpp
    void evaluateMonthTriggered();
    void doctorReportTriggered();
    void saveCsvTriggered();
    QMenu* evaluationMenu = nullptr;
    QAction* evaluateMonthAction = nullptr;
    QAction* doctorReportAction = nullptr;
    QAction* saveCsvAction = nullptr;
    EvaluationWindow* evaluationWindow = nullptr;

    // Readings in, in mainform_entry.cpp
    void Neu1Click();
    // A new month table; `askFirst` asks whether one is wanted (not after a new user name).
    void newTable(bool askFirst);
    // A user name was confirmed: the headings name the user, the user's last diary (when given)
    // goes on screen and a new table starts.
    void takeConfirmedName(const QString& lastDiary);
    void showUserName(const QString& name);
    void aktuellebearbeiten1Click();
    void undbearbeiten1Click();
    void undinTabellenformanzeigen1Click();
    void Benutzernamendern1Click();
    void biszu4MessungenjeTagClick();
    void biszu8MessungenjeTagClick();
    // Switches the day layout and rewrites the current diary with it; a switch that would hide
    // readings of the diary on screen asks first.
    void switchDayLayout(SlotMode mode);
    // The menu marks show the layout in force.
    void showDayLayout();
    bool confirmHiddenReadings(SlotMode mode);
    // A new table of a month that has a diary goes on in it. False when that diary cannot be
    // read, so no new table may be started over it.
    bool continueMonthDiary(const QDate& day);
    // What an opener tells before showing a diary: undated readings, a month in two files.
    void tellAboutOpenedDiary(const DiaryFile& diary);
    // The chart settings and opening a month as a chart, in mainform_settings.cpp
    void Einstellungen1Click();
    void undalsGrafikanzeigen1Click();
    // The open-file dialog for diaries; empty when cancelled.
    QString chooseDiaryFile();
    TEinstellDlg* EinstellDlg = nullptr;
    QAction* Einstellungen1 = nullptr; // a menu bar title that is itself the command
    QAction* undalsGrafikanzeigen1 = nullptr;

    TEingabeDlg* EingabeDlg = nullptr;
    TNameEingDlg* NameEingDlg = nullptr;
    TTouchEingabeDlg* TouchEingabeDlg = nullptr;

    // Printing, in mainform_print.cpp: the chart through the preview, the table from its window.
    void Grafikskaliertdrucken1Click();
    void TabelledruckenClick();
    TDruckvorschau* Druckvorschau = nullptr;

    // Controls
    QWidget* Panel1 = nullptr;         // the strip above the chart: header picture and user name
    QLabel* Image2 = nullptr;          // header strip picture
    QLabel* Label1 = nullptr;          // "von " + user name
    QScrollArea* ScrollBox1 = nullptr; // scrolls the chart when the window is smaller
    QWidget* chartHost = nullptr;      // the scrolled area's content, holding Image
    QLabel* Image = nullptr;           // the month chart, shows chartPicture()
    TMachPause* MachPause1 = nullptr;  // 1000 ms, the pinch gesture's 200 ms wait

    // Help and the large-button menus, in menus.cpp. Closing all large menus hides them in a
    // fixed order and forgets a new table that was just started.
    void AlleMenuesSchliessen();
    void Menuegrosseranzeigen1Click();
    void Hilfethemen1Click();
    void Infoueber1Click();
    TAboutBox* AboutBox = nullptr;
    LargeMenu* MenueForm = nullptr;     // TMenueForm "Menü"
    LargeMenu* MDateiForm = nullptr;    // TMDateiForm "Datei-Menü"
    LargeMenu* MMDateiForm = nullptr;   // TMMDateiForm "Datei-Öffnen-Menü"
    LargeMenu* MTabelleForm = nullptr;  // TMTabelleForm "Tabelle-Menü"
    LargeMenu* MOptionenForm = nullptr; // TMOptionenForm "Optionen-Menü"
    LargeMenu* MHilfeForm = nullptr;    // TMHilfeForm "Hilfe-Menü"

    // Menus, all built in menus.cpp
    QMenu* Datei1 = nullptr;
    QAction* LiniendiagrammimBrowseranzeigen1 = nullptr;
    QAction* quitSeparator = nullptr; // above "Be&enden"
    QAction* Beenden1 = nullptr;
    QMenu* Optionen1 = nullptr;
    QAction* RegistryEintraegeloeschen1 = nullptr;
    QAction* Neu1 = nullptr;
    QMenu* Oeffnen1 = nullptr;
    QAction* undbearbeiten1 = nullptr;
    QAction* undinTabellenformanzeigen1 = nullptr;
    QAction* Benutzernamendern1 = nullptr;
    QAction* biszu4MessungenjeTag = nullptr;
    QAction* biszu8MessungenjeTag = nullptr;
    QAction* LeerOptionen1 = nullptr;
    QMenu* Tabelle1 = nullptr;
    QAction* aktuelleanzeigen1 = nullptr;
    QAction* aktuellebearbeiten1 = nullptr;
    QMenu* Hilfe1 = nullptr;
    QAction* Hilfethemen1 = nullptr;
    QAction* Infoueber1 = nullptr;
    QMenu* PopupMenu1 = nullptr; // the chart's context menu
    QAction* Menuegrosseranzeigen1 = nullptr;
    QMenu* Drucken1 = nullptr;
    QAction* Grafikskaliertdrucken1 = nullptr;
    QAction* Tabelledrucken = nullptr;

signals:
    // The first show found no user name; the name dialog answers it.
    void userNameNeeded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildLayout();
    void buildMenus();
    void buildLargeMenus();
    void buildTableWindow();
    void buildEvaluationWindow(); // mainform_report.cpp
    void buildEntryWindows();     // mainform_entry.cpp
    void buildSettingsWindow();   // mainform_settings.cpp
    void buildPrintWindows();     // mainform_print.cpp
    void loadTemplatePicture();
    // What the month's change means for the chart: at once, or after the pause of limit clicks.
    void followMonth(CurrentMonth::Change change);
    Notify notify();

    // Start-up, in mainform_startup.cpp
    void FormCreate();
    void FormClose();
    void FormDestroy();
    void checkInstallLocation();
    bool prepareDataSubfolder(const QString& configured, QString& name, QString& folder);
    void readCurveColor();
    void readPictureNames();
    void setUpTouch();
    void loadPictures();
    void copyChartScript();

    // First show, in mainform_firstshow.cpp
    void readFirstShowSettings();
    // The template picture of the day layout in force becomes TemplatePictureFile: the configured
    // "Grafik4" or "Grafik8" when it names a file (as given or beside the start folder), else the
    // stock picture beside the start folder or where the program is installed. Nothing changes
    // when no picture is configured for the layout.
    void takeTemplatePicture();

    bool gestureEvent(QGestureEvent* event);

    AppState& state_;
    Desktop& desktop_;
    ConfigStore& config_;
    Settings settings_;
    QImage chartPicture_;
    CurrentMonth month_;
    ChartDrawing chart_;
    bool firstShowPending_ = true;
    bool startupAborted_ = false;
    bool firstShowQueued_ = false;
    bool resizing_ = false;
    QPoint gesturePoint_;
};

} // namespace luftikon
