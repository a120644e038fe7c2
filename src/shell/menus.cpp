// Every command the user reaches: the menu bar, the chart's context menu and the large-button
// menus. Each large button runs the very menu-bar action of its command, so the two can never
// drift apart.
#include "entry/entrydialog.h"
#include "shell/aboutbox.h"
#include "shell/mainwindow.h"
#include "widgets/largemenu.h"
#include "widgets/pictureview.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>

namespace luftikon {

namespace {

// Opens the chart's context menu where the right mouse button went down.
class RightPressOpensMenu : public QObject {
public:
    RightPressOpensMenu(QMenu* menu, QObject* parent) : QObject(parent), menu_(menu) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* press = static_cast<QMouseEvent*>(event);
            if (press->button() == Qt::RightButton) {
                menu_->popup(press->globalPosition().toPoint());
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QMenu* menu_;
};

constexpr int mainButtonWidth = 115;
// Wide enough that a window manager shows the captions of the small menus whole.
constexpr int columnButtonWidth = 260;

} // namespace

void MainWindow::buildMenus()
{
    // Each item and menu is named after its command, so tests and the help's pictures find it.
    const auto command = [this](QMenu* menu, const QString& text, void (MainWindow::*handler)(), const char* name) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    const auto submenu = [](auto* owner, const QString& text, const char* name) {
        QMenu* menu = owner->addMenu(text);
        menu->setObjectName(QLatin1String(name));
        return menu;
    };

    fileMenu_ = submenu(menuBar(), QStringLiteral("&Datei"), "fileMenu");
    newTableAction_ = command(fileMenu_, QStringLiteral("&Neu"), &MainWindow::askForNewTable, "newTableAction");
    browserChartAction_ = command(fileMenu_, QStringLiteral("Liniendiagramm im Browser anzeigen"),
                                  &MainWindow::showChartInBrowser, "browserChartAction");
    openMenu_ = submenu(fileMenu_, QStringLiteral("&Öffnen..."), "openMenu");
    openAsChartAction_ =
        command(openMenu_, QStringLiteral("und als Grafik anzeigen"), &MainWindow::openAsChart, "openAsChartAction");
    openAndShowTableAction_ = command(openMenu_, QStringLiteral("und in Tabellenform anzeigen"),
                                      &MainWindow::openAndShowTable, "openAndShowTableAction");
    openAndEditAction_ =
        command(openMenu_, QStringLiteral("und bearbeiten"), &MainWindow::openAndEdit, "openAndEditAction");
    importCsvAction_ = command(fileMenu_, QStringLiteral("Messwerte aus &CSV-Datei übernehmen..."),
                               &MainWindow::importReadingsFromCsv, "importCsvAction");
    printMenu_ = submenu(fileMenu_, QStringLiteral("&Drucken..."), "printMenu");
    printChartAction_ =
        command(printMenu_, QStringLiteral("Grafik &skaliert drucken"), &MainWindow::printChart, "printChartAction");
    printTableAction_ =
        command(printMenu_, QStringLiteral("&Tabelle drucken"), &MainWindow::printTable, "printTableAction");
    fileMenu_->addSeparator();
    restoreVersionAction_ = command(fileMenu_, QStringLiteral("&Frühere Fassung wiederherstellen..."),
                                    &MainWindow::restoreEarlierVersionOfMonth, "restoreVersionAction");
    backUpAction_ =
        command(fileMenu_, QStringLiteral("&Alle Tagebücher sichern..."), &MainWindow::backUpAll, "backUpAction");
    restoreBackupAction_ = command(fileMenu_, QStringLiteral("Aus Sicherung &wiederherstellen..."),
                                   &MainWindow::restoreBackup, "restoreBackupAction");
    quitSeparator_ = fileMenu_->addSeparator();
    quitSeparator_->setObjectName(QStringLiteral("quitSeparator"));
    quitAction_ = command(fileMenu_, QStringLiteral("Be&enden"), &MainWindow::quit, "quitAction");

    // A menu title that is itself the command.
    chartSettingsAction_ = menuBar()->addAction(QStringLiteral("&Einstellungen"));
    chartSettingsAction_->setObjectName(QStringLiteral("chartSettingsAction"));
    connect(chartSettingsAction_, &QAction::triggered, this, &MainWindow::openChartSettings);

    optionsMenu_ = submenu(menuBar(), QStringLiteral("&Optionen"), "optionsMenu");
    changeUserNameAction_ = command(optionsMenu_, QStringLiteral("&Benutzername ändern"), &MainWindow::changeUserName,
                                    "changeUserNameAction");
    fourReadingsADayAction_ = command(optionsMenu_, QStringLiteral("bis zu &4 Messungen je Tag"),
                                      &MainWindow::toggleFourReadingsADay, "fourReadingsADayAction");
    eightReadingsADayAction_ = command(optionsMenu_, QStringLiteral("bis zu &8 Messungen je Tag"),
                                       &MainWindow::toggleEightReadingsADay, "eightReadingsADayAction");
    fourReadingsADayAction_->setCheckable(true);
    eightReadingsADayAction_->setCheckable(true);
    optionsMenu_->addSeparator(); // keeps the deleting item apart
    deleteSettingsAction_ = command(optionsMenu_, QStringLiteral("Einstellungen löschen"), &MainWindow::deleteSettings,
                                    "deleteSettingsAction");
    // The menu shows the marks of the layout in force.
    connect(optionsMenu_, &QMenu::aboutToShow, this, &MainWindow::showDayLayout);
    showDayLayout();

    tableMenu_ = submenu(menuBar(), QStringLiteral("&Tabelle"), "tableMenu");
    showCurrentTableAction_ = command(tableMenu_, QStringLiteral("&aktuelle anzeigen"), &MainWindow::showCurrentTable,
                                      "showCurrentTableAction");
    editCurrentDiaryAction_ = command(tableMenu_, QStringLiteral("aktuelle &bearbeiten"), &MainWindow::editCurrentDiary,
                                      "editCurrentDiaryAction");
    tableMenu_->addSeparator();
    previousMonthAction_ =
        command(tableMenu_, QStringLiteral("&vorheriger Monat"), &MainWindow::showPreviousMonth, "previousMonthAction");
    nextMonthAction_ =
        command(tableMenu_, QStringLiteral("&nächster Monat"), &MainWindow::showNextMonth, "nextMonthAction");

    evaluationMenu_ = submenu(menuBar(), QStringLiteral("&Auswertung"), "evaluationMenu");
    evaluateMonthAction_ = command(evaluationMenu_, QStringLiteral("Monat &auswerten..."),
                                   &MainWindow::evaluateMonthTriggered, "evaluateMonthAction");
    doctorReportAction_ = command(evaluationMenu_, QStringLiteral("Arzt&bericht als PDF"),
                                  &MainWindow::doctorReportTriggered, "doctorReportAction");
    periodViewAction_ = command(evaluationMenu_, QStringLiteral("&Verlauf mehrerer Monate..."),
                                &MainWindow::periodViewTriggered, "periodViewAction");
    saveCsvAction_ = command(evaluationMenu_, QStringLiteral("Als &CSV-Datei speichern"), &MainWindow::saveCsvTriggered,
                             "saveCsvAction");

    helpMenu_ = submenu(menuBar(), QStringLiteral("&Hilfe"), "helpMenu");
    helpAction_ = command(helpMenu_, QStringLiteral("&Hilfethemen"), &MainWindow::showHelp, "helpAction");
    aboutAction_ = command(helpMenu_, QStringLiteral("&Info über..."), &MainWindow::showAbout, "aboutAction");

    chartMenu_ = new QMenu(this);
    chartMenu_->setObjectName(QStringLiteral("chartMenu"));
    largeMenuAction_ =
        command(chartMenu_, QStringLiteral("Menüleiste GROß anzeigen"), &MainWindow::showLargeMenu, "largeMenuAction");
    chartLabel_->installEventFilter(new RightPressOpensMenu(chartMenu_, this));

    // The usual keys of a desktop program. The large menus' key works while the chart's menu is
    // closed, so the window holds its item too.
    newTableAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    openAsChartAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    printChartAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    quitAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    editCurrentDiaryAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    showCurrentTableAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    previousMonthAction_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    nextMonthAction_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    helpAction_->setShortcut(QKeySequence(Qt::Key_F1));
    largeMenuAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    addAction(largeMenuAction_);
    previousMonthButton_->setDefaultAction(previousMonthAction_);
    nextMonthButton_->setDefaultAction(nextMonthAction_);
}

void MainWindow::buildLargeMenus()
{
    // Made at their first showing: most sessions never use them.
    if (mainLargeMenu_)
        return;
    using Arrangement = LargeMenu::Arrangement;
    mainLargeMenu_ = new LargeMenu(QStringLiteral("Menü"), Arrangement::Row, mainButtonWidth, this);
    mainLargeMenu_->setObjectName(QStringLiteral("mainLargeMenu"));
    fileLargeMenu_ = new LargeMenu(QStringLiteral("Datei-Menü"), Arrangement::Column, columnButtonWidth, this);
    fileLargeMenu_->setObjectName(QStringLiteral("fileLargeMenu"));
    openLargeMenu_ = new LargeMenu(QStringLiteral("Datei-Öffnen-Menü"), Arrangement::Column, columnButtonWidth, this);
    openLargeMenu_->setObjectName(QStringLiteral("openLargeMenu"));
    tableLargeMenu_ = new LargeMenu(QStringLiteral("Tabelle-Menü"), Arrangement::Column, columnButtonWidth, this);
    tableLargeMenu_->setObjectName(QStringLiteral("tableLargeMenu"));
    optionsLargeMenu_ = new LargeMenu(QStringLiteral("Optionen-Menü"), Arrangement::Column, columnButtonWidth, this);
    optionsLargeMenu_->setObjectName(QStringLiteral("optionsLargeMenu"));
    helpLargeMenu_ = new LargeMenu(QStringLiteral("Hilfe-Menü"), Arrangement::Column, columnButtonWidth, this);
    helpLargeMenu_->setObjectName(QStringLiteral("helpLargeMenu"));
    evaluationLargeMenu_ =
        new LargeMenu(QStringLiteral("Auswertung-Menü"), Arrangement::Column, columnButtonWidth, this);
    evaluationLargeMenu_->setObjectName(QStringLiteral("evaluationLargeMenu"));

    // How a button leaves the large menus before its command runs.
    const auto closeAllThen = [this](QAction* item) {
        return [this, item] {
            closeLargeMenus();
            item->trigger();
        };
    };
    const auto closeThenShow = [](LargeMenu* closing, LargeMenu* next) {
        return [closing, next] {
            closing->close();
            next->showCentred();
        };
    };
    const auto showBeside = [](LargeMenu* opener, LargeMenu* next) {
        return [opener, next] { next->showBeside(*opener); };
    };

    mainLargeMenu_->addButton(QStringLiteral("Datei"), showBeside(mainLargeMenu_, fileLargeMenu_));
    mainLargeMenu_->addButton(QStringLiteral("Einstellung"), [this] {
        mainLargeMenu_->close();
        chartSettingsAction_->trigger();
    });
    mainLargeMenu_->addButton(QStringLiteral("Optionen"), closeThenShow(mainLargeMenu_, optionsLargeMenu_));
    mainLargeMenu_->addButton(QStringLiteral("Tabelle"), closeThenShow(mainLargeMenu_, tableLargeMenu_));
    mainLargeMenu_->addButton(QStringLiteral("Auswertung"), closeThenShow(mainLargeMenu_, evaluationLargeMenu_));
    mainLargeMenu_->addButton(QStringLiteral("Hilfe"), closeThenShow(mainLargeMenu_, helpLargeMenu_));

    fileLargeMenu_->addButton(QStringLiteral("Neue Tabelle erstellen (neuer Monat)"), closeAllThen(newTableAction_));
    // The page opens in the browser beside the menus; the user may want the next command at once.
    fileLargeMenu_->addButton(QStringLiteral("Liniendiagramm im Browser anzeigen"),
                              [this] { browserChartAction_->trigger(); });
    fileLargeMenu_->addButton(QStringLiteral("Datei öffnen  "), showBeside(fileLargeMenu_, openLargeMenu_));
    fileLargeMenu_->addButton(QStringLiteral("Grafik skaliert drucken"), closeAllThen(printChartAction_));
    fileLargeMenu_->addButton(QStringLiteral("Tabelle drucken"), closeAllThen(printTableAction_));
    fileLargeMenu_->addButton(QStringLiteral("Beenden"), closeAllThen(quitAction_));

    openLargeMenu_->addButton(QStringLiteral("Datei öffnen und als Grafik anzeigen"), closeAllThen(openAsChartAction_));
    openLargeMenu_->addButton(QStringLiteral(" Öffnen und in Tabellenform anzeigen   "),
                              closeAllThen(openAndShowTableAction_));
    openLargeMenu_->addButton(QStringLiteral(" Datei öffnen und Tabelle bearbeiten "),
                              closeAllThen(openAndEditAction_));

    tableLargeMenu_->addButton(QStringLiteral("Aktuelle Tabelle anzeigen"), closeAllThen(showCurrentTableAction_));
    tableLargeMenu_->addButton(QStringLiteral("Aktuelle Tabelle bearbeiten"), closeAllThen(editCurrentDiaryAction_));
    tableLargeMenu_->addButton(QStringLiteral("Neue Tabelle erstellen (neuer Monat)"), closeAllThen(newTableAction_));

    optionsLargeMenu_->addButton(QStringLiteral("Benutzername ändern"), closeAllThen(changeUserNameAction_));
    QPushButton* four = optionsLargeMenu_->addButton(QStringLiteral("Bis zu 4 Messungen je Tag"),
                                                     closeAllThen(fourReadingsADayAction_));
    QPushButton* eight = optionsLargeMenu_->addButton(QStringLiteral("Bis zu 8 Messungen je Tag"),
                                                      closeAllThen(eightReadingsADayAction_));
    // Only the layout not in force can be chosen; with both marks set, eight readings a day are.
    optionsLargeMenu_->onPaint = [this, four, eight] {
        const DayLayout& layout = month_.layout();
        four->setEnabled(!layout.marks(SlotMode::Four) || layout.marks(SlotMode::Eight));
        eight->setEnabled(!layout.marks(SlotMode::Eight));
    };
    // A switch from the menu bar shows in an open options menu at once, not at its next paint.
    // Connected after the items' own commands, so it runs once the switch is done.
    for (QAction* item : {fourReadingsADayAction_, eightReadingsADayAction_})
        connect(item, &QAction::triggered, optionsLargeMenu_, [this] { optionsLargeMenu_->onPaint(); });

    evaluationLargeMenu_->addButton(QStringLiteral("Monat auswerten"), closeAllThen(evaluateMonthAction_));
    evaluationLargeMenu_->addButton(QStringLiteral("Arztbericht als PDF"), closeAllThen(doctorReportAction_));
    evaluationLargeMenu_->addButton(QStringLiteral("Als CSV-Datei speichern"), closeAllThen(saveCsvAction_));
    evaluationLargeMenu_->addButton(QStringLiteral("Verlauf mehrerer Monate"), closeAllThen(periodViewAction_));

    helpLargeMenu_->addButton(QStringLiteral("Hilfethemen"), closeAllThen(helpAction_));
    helpLargeMenu_->addButton(QStringLiteral("Info über..."), closeAllThen(aboutAction_));
}

void MainWindow::closeLargeMenus()
{
    entryDialog_->forgetNewTable();
    if (!mainLargeMenu_)
        return;
    for (LargeMenu* menu : {mainLargeMenu_, fileLargeMenu_, openLargeMenu_, tableLargeMenu_, optionsLargeMenu_,
                            evaluationLargeMenu_, helpLargeMenu_})
        menu->close();
}

void MainWindow::showLargeMenu()
{
    buildLargeMenus();
    closeLargeMenus();
    mainLargeMenu_->showCentred();
}

void MainWindow::showHelp()
{
    const QString help = state_.resourceFolder + QStringLiteral("Luftikon-Hilfe.pdf");
    if (!QFileInfo::exists(help)) {
        desktop_.warning(QStringLiteral("Die Hilfe kann nicht angezeigt werden: Die Datei \"") + help +
                         QStringLiteral("\" fehlt."));
        return;
    }
    desktop_.openDocument(help);
}

AboutBox& MainWindow::aboutBox()
{
    if (!aboutBox_)
        aboutBox_ = new AboutBox(this);
    return *aboutBox_;
}

void MainWindow::showAbout()
{
    desktop_.execModal(aboutBox());
}

} // namespace luftikon
