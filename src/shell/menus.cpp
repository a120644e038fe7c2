// Every command the user reaches: the menu bar, the chart's context menu and the large-button
// menus. Each large button runs the very menu-bar action of its command, so the two can never
// drift apart.
#include "entry/entrydialog.h"
#include "shell/aboutbox.h"
#include "shell/mainwindow.h"
#include "widgets/largemenu.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>

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
    const auto command = [this](QMenu* menu, const QString& text, void (MainWindow::*handler)()) {
        QAction* action = menu->addAction(text);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };

    fileMenu_ = menuBar()->addMenu(QStringLiteral("&Datei"));
    fileMenu_->setObjectName(QStringLiteral("fileMenu"));
    newTableAction_ = command(fileMenu_, QStringLiteral("&Neu"), &MainWindow::askForNewTable);
    newTableAction_->setObjectName(QStringLiteral("newTableAction"));
    browserChartAction_ =
        command(fileMenu_, QStringLiteral("Liniendiagramm im Browser anzeigen"), &MainWindow::showChartInBrowser);
    browserChartAction_->setObjectName(QStringLiteral("browserChartAction"));
    openMenu_ = fileMenu_->addMenu(QStringLiteral("&Öffnen..."));
    openMenu_->setObjectName(QStringLiteral("openMenu"));
    openAsChartAction_ = command(openMenu_, QStringLiteral("und als Grafik anzeigen"), &MainWindow::openAsChart);
    openAsChartAction_->setObjectName(QStringLiteral("openAsChartAction"));
    openAndShowTableAction_ =
        command(openMenu_, QStringLiteral("und in Tabellenform anzeigen"), &MainWindow::openAndShowTable);
    openAndShowTableAction_->setObjectName(QStringLiteral("openAndShowTableAction"));
    openAndEditAction_ = command(openMenu_, QStringLiteral("und bearbeiten"), &MainWindow::openAndEdit);
    openAndEditAction_->setObjectName(QStringLiteral("openAndEditAction"));
    printMenu_ = fileMenu_->addMenu(QStringLiteral("&Drucken..."));
    printMenu_->setObjectName(QStringLiteral("printMenu"));
    printChartAction_ = command(printMenu_, QStringLiteral("Grafik &skaliert drucken"), &MainWindow::printChart);
    printChartAction_->setObjectName(QStringLiteral("printChartAction"));
    printTableAction_ = command(printMenu_, QStringLiteral("&Tabelle drucken"), &MainWindow::printTable);
    printTableAction_->setObjectName(QStringLiteral("printTableAction"));
    quitSeparator_ = fileMenu_->addSeparator();
    quitSeparator_->setObjectName(QStringLiteral("quitSeparator"));
    quitAction_ = command(fileMenu_, QStringLiteral("Be&enden"), &MainWindow::quit);
    quitAction_->setObjectName(QStringLiteral("quitAction"));

    // A menu title that is itself the command.
    chartSettingsAction_ = menuBar()->addAction(QStringLiteral("&Einstellungen"));
    chartSettingsAction_->setObjectName(QStringLiteral("chartSettingsAction"));
    connect(chartSettingsAction_, &QAction::triggered, this, &MainWindow::openChartSettings);

    optionsMenu_ = menuBar()->addMenu(QStringLiteral("&Optionen"));
    optionsMenu_->setObjectName(QStringLiteral("optionsMenu"));
    changeUserNameAction_ = command(optionsMenu_, QStringLiteral("&Benutzername ändern"), &MainWindow::changeUserName);
    changeUserNameAction_->setObjectName(QStringLiteral("changeUserNameAction"));
    fourReadingsADayAction_ =
        command(optionsMenu_, QStringLiteral("bis zu &4 Messungen je Tag"), &MainWindow::toggleFourReadingsADay);
    fourReadingsADayAction_->setObjectName(QStringLiteral("fourReadingsADayAction"));
    eightReadingsADayAction_ =
        command(optionsMenu_, QStringLiteral("bis zu &8 Messungen je Tag"), &MainWindow::toggleEightReadingsADay);
    eightReadingsADayAction_->setObjectName(QStringLiteral("eightReadingsADayAction"));
    fourReadingsADayAction_->setCheckable(true);
    eightReadingsADayAction_->setCheckable(true);
    optionsGapAction_ = optionsMenu_->addAction(QStringLiteral("    ")); // keeps the deleting item apart
    optionsGapAction_->setObjectName(QStringLiteral("optionsGapAction"));
    deleteSettingsAction_ =
        command(optionsMenu_, QStringLiteral("Registry-Einträge löschen "), &MainWindow::deleteSettings);
    deleteSettingsAction_->setObjectName(QStringLiteral("deleteSettingsAction"));
    // The menu shows the marks of the layout in force.
    connect(optionsMenu_, &QMenu::aboutToShow, this, &MainWindow::showDayLayout);
    showDayLayout();

    tableMenu_ = menuBar()->addMenu(QStringLiteral("&Tabelle"));
    tableMenu_->setObjectName(QStringLiteral("tableMenu"));
    showCurrentTableAction_ = command(tableMenu_, QStringLiteral("&aktuelle anzeigen"), &MainWindow::showCurrentTable);
    showCurrentTableAction_->setObjectName(QStringLiteral("showCurrentTableAction"));
    editCurrentDiaryAction_ =
        command(tableMenu_, QStringLiteral("aktuelle &bearbeiten"), &MainWindow::editCurrentDiary);
    editCurrentDiaryAction_->setObjectName(QStringLiteral("editCurrentDiaryAction"));

    evaluationMenu_ = menuBar()->addMenu(QStringLiteral("&Auswertung"));
    evaluationMenu_->setObjectName(QStringLiteral("evaluationMenu"));
    evaluateMonthAction_ =
        command(evaluationMenu_, QStringLiteral("Monat &auswerten..."), &MainWindow::evaluateMonthTriggered);
    evaluateMonthAction_->setObjectName(QStringLiteral("evaluateMonthAction"));
    doctorReportAction_ =
        command(evaluationMenu_, QStringLiteral("Arzt&bericht als PDF"), &MainWindow::doctorReportTriggered);
    doctorReportAction_->setObjectName(QStringLiteral("doctorReportAction"));
    saveCsvAction_ =
        command(evaluationMenu_, QStringLiteral("Als &CSV-Datei speichern"), &MainWindow::saveCsvTriggered);
    saveCsvAction_->setObjectName(QStringLiteral("saveCsvAction"));

    helpMenu_ = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    helpMenu_->setObjectName(QStringLiteral("helpMenu"));
    helpAction_ = command(helpMenu_, QStringLiteral("&Hilfethemen"), &MainWindow::showHelp);
    helpAction_->setObjectName(QStringLiteral("helpAction"));
    aboutAction_ = command(helpMenu_, QStringLiteral("&Info über..."), &MainWindow::showAbout);
    aboutAction_->setObjectName(QStringLiteral("aboutAction"));
    aboutBox_ = new AboutBox(this);

    // The blank items around the one command keep a hasty click from reaching it.
    chartMenu_ = new QMenu(this);
    chartMenu_->setObjectName(QStringLiteral("chartMenu"));
    chartMenu_->addAction(QStringLiteral(" "));
    largeMenuAction_ = command(chartMenu_, QStringLiteral("Menüleiste GROß anzeigen"), &MainWindow::showLargeMenu);
    largeMenuAction_->setObjectName(QStringLiteral("largeMenuAction"));
    chartMenu_->addAction(QStringLiteral(" "));
    chartLabel_->installEventFilter(new RightPressOpensMenu(chartMenu_, this));

    buildLargeMenus();
}

void MainWindow::buildLargeMenus()
{
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

    helpLargeMenu_->addButton(QStringLiteral("Hilfethemen"), closeAllThen(helpAction_));
    helpLargeMenu_->addButton(QStringLiteral("Info über.."), closeAllThen(aboutAction_));
}

void MainWindow::closeLargeMenus()
{
    entryDialog_->forgetNewTable();
    for (LargeMenu* menu :
         {mainLargeMenu_, fileLargeMenu_, openLargeMenu_, tableLargeMenu_, optionsLargeMenu_, helpLargeMenu_})
        menu->close();
}

void MainWindow::showLargeMenu()
{
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

void MainWindow::showAbout()
{
    desktop_.execModal(*aboutBox_);
}

} // namespace luftikon
