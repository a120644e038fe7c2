#pragma once
// The main window: owns the start-up sequence, hosts the month chart picture and ends the
// program. The shared folders and look, the desktop and the settings store are handed in so tests
// can script them.

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
#include <memory>

class QAction;
class QGestureEvent;
class QLabel;
class QMenu;
class QScrollArea;
class QTimer;
class QToolButton;

namespace luftikon {

class EvaluationWindow;
class LargeMenu;
class AboutBox;
class PrintPreview;
class EarlierVersionsDialog;
class EntryCommands;
class EntryDialog;
class ChartSettingsDialog;
class LivePause;
class PictureView;
class UserNameDialog;
class TableWindow;
class TouchKeypad;

// The design size of the main window's client area (below the menu bar) and of its chart, which
// the layout and the resize rules both restore.
namespace mainFormDesign {
constexpr int clientWidth = 796;
constexpr int clientHeight = 693;
constexpr int chartWidth = 788;
constexpr int chartHeight = 641;
} // namespace mainFormDesign

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Runs the start-up (startUp) at once. When a data folder can neither be found nor made,
    // the desktop ends the process; under a scripted desktop the start-up stops there instead.
    MainWindow(AppState& state, Desktop& desktop, ConfigStore& config, QWidget* parent = nullptr);
    ~MainWindow() override;

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
    // The month chart at its own size (788 x 641): drawing code paints into the picture, then
    // shows it with updateChart(). A screen of higher density shows it drawn sharper.
    QImage& chartPicture() { return chartPicture_; }
    void updateChart();
    // The client area as it shows at the window's normal size, pixel for pixel at scale 1,
    // whatever size the window has now: what the print preview prints.
    QImage normalSizePicture();
    // Draws the month on screen and shows it with its title.
    void drawMonth();
    ChartDrawing& chart() { return chart_; }
    // What the machine offers for touch, found at start.
    TouchSupport touch;

    // First show: runs once, on the first paint (queued from the paint event, so dialogs it
    // opens do not run inside painting). Tests call it directly. Nothing happens once done.
    void firstShow();
    // Makes a diary the month on screen, with its own day layout and limits; the first show and
    // "und als Grafik anzeigen".
    void showDiaryAsChart(const QString& diaryFile);
    // The size rules for normal and maximised window (mainwindow_resize.cpp): the chart fills
    // the window, keeping its proportions.
    void applySizeRules();
    // One pinch notification: `started` for the gesture's beginning, the point in screen
    // coordinates. Later notifications switch between maximised and normal after a pause.
    void pinchGesture(bool started, QPointF screenPoint);
    QPoint gesturePoint() const { return gesturePoint_; }

    // Menu commands
    void quit();
    void deleteSettings();
    void showChartInBrowser();
    void showCurrentTable();

    // The table window, in mainwindow_table.cpp. openTableWindow() fills it (caption, grid,
    // remarks) and arms tableShowTimer_, whose tick shows it modally; the entry dialog's
    // "&Tabelle zeigen" calls it after saving.
    void openTableWindow();
    void showPreparedTable();

    // The evaluation menu after "&Tabelle", in mainwindow_report.cpp
    void evaluateMonthTriggered();
    void doctorReportTriggered();
    void saveCsvTriggered();
    void periodViewTriggered();

    // Readings from elsewhere, earlier versions and the archive, in mainwindow_data.cpp
    void importReadingsFromCsv();
    void restoreEarlierVersionOfMonth();
    void backUpAll();
    void restoreBackup();

    // Readings in, in mainwindow_entry.cpp
    void askForNewTable();
    // A user name was confirmed: the headings name the user, the user's last diary (when given)
    // goes on screen and a new table starts.
    void takeConfirmedName(const QString& lastDiary);
    void showUserName(const QString& name);
    void editCurrentDiary();
    void openAndEdit();
    void openAndShowTable();
    // The nearest earlier or later month that has a diary of the user on screen.
    void showPreviousMonth();
    void showNextMonth();
    void stepMonth(int step);
    void changeUserName();
    void toggleFourReadingsADay();
    void toggleEightReadingsADay();
    // Switches the day layout and rewrites the current diary with it; a switch that would hide
    // readings of the diary on screen asks first.
    void switchDayLayout(SlotMode mode);
    // The menu marks show the layout in force.
    void showDayLayout();
    // The chart settings and opening a month as a chart, in mainwindow_settings.cpp
    void openChartSettings();
    void openAsChart();
    // The open-file dialog for diaries; empty when cancelled.
    QString chooseDiaryFile();

    // Printing, in mainwindow_print.cpp: the chart through the preview, the table from its window.
    void printChart();
    void printTable();

    // Help and the large-button menus, in menus.cpp. Closing all large menus hides them in a
    // fixed order and forgets a new table that was just started.
    void closeLargeMenus();
    void showLargeMenu();
    void showHelp();
    void showAbout();

    // Windows most sessions never open are made when first needed: until then they take no
    // memory.
    TableWindow& tableWindow();
    EvaluationWindow& evaluationWindow();       // mainwindow_report.cpp
    ChartSettingsDialog& chartSettingsDialog(); // mainwindow_settings.cpp
    PrintPreview& printPreview();               // mainwindow_print.cpp
    UserNameDialog& userNameDialog();           // mainwindow_entry.cpp
    AboutBox& aboutBox();                       // menus.cpp

signals:
    // The first show found no user name; the name dialog answers it.
    void userNameNeeded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Limit changes are drawn this long after the first of them, so a run of clicks draws once.
    QTimer* limitRedrawTimer_ = nullptr;
    TableWindow* tableWindow_ = nullptr;
    QTimer* tableShowTimer_ = nullptr;
    QMenu* evaluationMenu_ = nullptr;
    QAction* evaluateMonthAction_ = nullptr;
    QAction* doctorReportAction_ = nullptr;
    QAction* saveCsvAction_ = nullptr;
    QAction* periodViewAction_ = nullptr;
    QAction* importCsvAction_ = nullptr;
    QAction* restoreVersionAction_ = nullptr;
    QAction* backUpAction_ = nullptr;
    QAction* restoreBackupAction_ = nullptr;
    EarlierVersionsDialog* earlierVersionsDialog_ = nullptr;
    EvaluationWindow* evaluationWindow_ = nullptr;
    ChartSettingsDialog* chartSettingsDialog_ = nullptr;
    QAction* chartSettingsAction_ = nullptr; // a menu bar title that is itself the command
    QAction* openAsChartAction_ = nullptr;
    EntryDialog* entryDialog_ = nullptr;
    std::unique_ptr<EntryCommands> entryCommands_;
    UserNameDialog* userNameDialog_ = nullptr;
    TouchKeypad* touchKeypad_ = nullptr;
    PrintPreview* printPreview_ = nullptr;
    // Controls
    QWidget* titleStrip_ = nullptr;          // the strip above the chart: header picture and user name
    QLabel* headerPicture_ = nullptr;        // header strip picture
    QLabel* userNameLabel_ = nullptr;        // "von " + user name
    QScrollArea* chartScrollArea_ = nullptr; // scrolls the chart when the window is smaller
    QWidget* chartHost_ = nullptr;           // the scrolled area's content, holding chartLabel_
    PictureView* chartLabel_ = nullptr;      // the month chart, shows chartPicture()
    LivePause* livePause_ = nullptr;         // 1000 ms, the pinch gesture's 200 ms wait
    AboutBox* aboutBox_ = nullptr;
    LargeMenu* mainLargeMenu_ = nullptr;       // "Menü"
    LargeMenu* fileLargeMenu_ = nullptr;       // "Datei-Menü"
    LargeMenu* openLargeMenu_ = nullptr;       // "Datei-Öffnen-Menü"
    LargeMenu* tableLargeMenu_ = nullptr;      // "Tabelle-Menü"
    LargeMenu* optionsLargeMenu_ = nullptr;    // "Optionen-Menü"
    LargeMenu* evaluationLargeMenu_ = nullptr; // "Auswertung-Menü"
    LargeMenu* helpLargeMenu_ = nullptr;       // "Hilfe-Menü"
    // Menus, all built in menus.cpp
    QMenu* fileMenu_ = nullptr;
    QAction* browserChartAction_ = nullptr;
    QAction* quitSeparator_ = nullptr; // above "Be&enden"
    QAction* quitAction_ = nullptr;
    QMenu* optionsMenu_ = nullptr;
    QAction* deleteSettingsAction_ = nullptr;
    QAction* newTableAction_ = nullptr;
    QMenu* openMenu_ = nullptr;
    QAction* openAndEditAction_ = nullptr;
    QAction* openAndShowTableAction_ = nullptr;
    QAction* changeUserNameAction_ = nullptr;
    QAction* fourReadingsADayAction_ = nullptr;
    QAction* eightReadingsADayAction_ = nullptr;
    QMenu* tableMenu_ = nullptr;
    QAction* showCurrentTableAction_ = nullptr;
    QAction* editCurrentDiaryAction_ = nullptr;
    QAction* previousMonthAction_ = nullptr;
    QAction* nextMonthAction_ = nullptr;
    QToolButton* previousMonthButton_ = nullptr; // in the title strip
    QToolButton* nextMonthButton_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QAction* helpAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QMenu* chartMenu_ = nullptr; // the chart's context menu
    QAction* largeMenuAction_ = nullptr;
    QMenu* printMenu_ = nullptr;
    QAction* printChartAction_ = nullptr;
    QAction* printTableAction_ = nullptr;

    void buildLayout();
    void buildMenus();
    void buildLargeMenus();
    void buildTableTimer();
    void buildEntryWindows(); // mainwindow_entry.cpp
    void printTableWindow();  // mainwindow_print.cpp
    void loadTemplatePicture();
    // Pixels of the screen to each chart pixel: 2 on screens of higher density, else 1.
    int screenScale() const;
    // The chart picture drawn again for such a screen; nothing on a screen of scale 1.
    void drawForScreen();
    void loadScreenTemplate();
    void loadPins(ChartDrawing& drawing);
    // The chart's place in the window's client area, at `clientSize`.
    void layOutChart(QSize clientSize);
    // What the month's change means for the chart: at once, or after the pause of limit clicks.
    void followMonth(CurrentMonth::Change change);
    Notify notify();

    // Start-up, in mainwindow_startup.cpp
    void startUp();
    void rememberDiaryOnScreen();
    void forgetNotices();
    void checkInstallLocation();
    bool prepareDataSubfolder(const QString& configured, QString& name, QString& folder);
    void readCurveColor();
    void readPictureNames();
    void setUpTouch();
    void loadPictures();
    void copyChartScript();

    // First show, in mainwindow_firstshow.cpp
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
    QImage screenPicture_;
    ChartDrawing screenChart_;
    qint64 screenPictureOf_ = 0; // cacheKey() of the chartPicture_ that screenPicture_ shows
    bool firstShowPending_ = true;
    bool startupAborted_ = false;
    bool firstShowQueued_ = false;
    bool resizing_ = false;
    QPoint gesturePoint_;
};

} // namespace luftikon
