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

    fileMenu = menuBar()->addMenu(QStringLiteral("&Datei"));
    newTableAction = command(fileMenu, QStringLiteral("&Neu"), &MainWindow::askForNewTable);
    browserChartAction =
        command(fileMenu, QStringLiteral("Liniendiagramm im Browser anzeigen"), &MainWindow::showChartInBrowser);
    openMenu = fileMenu->addMenu(QStringLiteral("&Öffnen..."));
    openAsChartAction = command(openMenu, QStringLiteral("und als Grafik anzeigen"), &MainWindow::openAsChart);
    openAndShowTableAction =
        command(openMenu, QStringLiteral("und in Tabellenform anzeigen"), &MainWindow::openAndShowTable);
    openAndEditAction = command(openMenu, QStringLiteral("und bearbeiten"), &MainWindow::openAndEdit);
    printMenu = fileMenu->addMenu(QStringLiteral("&Drucken..."));
    printChartAction = command(printMenu, QStringLiteral("Grafik &skaliert drucken"), &MainWindow::printChart);
    printTableAction = command(printMenu, QStringLiteral("&Tabelle drucken"), &MainWindow::printTable);
    quitSeparator = fileMenu->addSeparator();
    quitAction = command(fileMenu, QStringLiteral("Be&enden"), &MainWindow::quit);

    // A menu title that is itself the command.
    chartSettingsAction = menuBar()->addAction(QStringLiteral("&Einstellungen"));
    connect(chartSettingsAction, &QAction::triggered, this, &MainWindow::openChartSettings);

    optionsMenu = menuBar()->addMenu(QStringLiteral("&Optionen"));
    changeUserNameAction = command(optionsMenu, QStringLiteral("&Benutzername ändern"), &MainWindow::changeUserName);
    fourReadingsADayAction =
        command(optionsMenu, QStringLiteral("bis zu &4 Messungen je Tag"), &MainWindow::toggleFourReadingsADay);
    eightReadingsADayAction =
        command(optionsMenu, QStringLiteral("bis zu &8 Messungen je Tag"), &MainWindow::toggleEightReadingsADay);
    fourReadingsADayAction->setCheckable(true);
    eightReadingsADayAction->setCheckable(true);
    optionsGapAction = optionsMenu->addAction(QStringLiteral("    ")); // keeps the deleting item apart
    deleteSettingsAction =
        command(optionsMenu, QStringLiteral("Registry-Einträge löschen "), &MainWindow::deleteSettings);
    // The menu shows the marks of the layout in force.
    connect(optionsMenu, &QMenu::aboutToShow, this, &MainWindow::showDayLayout);
    showDayLayout();

    tableMenu = menuBar()->addMenu(QStringLiteral("&Tabelle"));
    showCurrentTableAction = command(tableMenu, QStringLiteral("&aktuelle anzeigen"), &MainWindow::showCurrentTable);
    editCurrentDiaryAction = command(tableMenu, QStringLiteral("aktuelle &bearbeiten"), &MainWindow::editCurrentDiary);

    evaluationMenu = menuBar()->addMenu(QStringLiteral("&Auswertung"));
    evaluationMenu->setObjectName(QStringLiteral("evaluationMenu"));
    evaluateMonthAction =
        command(evaluationMenu, QStringLiteral("Monat &auswerten..."), &MainWindow::evaluateMonthTriggered);
    doctorReportAction =
        command(evaluationMenu, QStringLiteral("Arzt&bericht als PDF"), &MainWindow::doctorReportTriggered);
    saveCsvAction = command(evaluationMenu, QStringLiteral("Als &CSV-Datei speichern"), &MainWindow::saveCsvTriggered);

    helpMenu = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    helpAction = command(helpMenu, QStringLiteral("&Hilfethemen"), &MainWindow::showHelp);
    aboutAction = command(helpMenu, QStringLiteral("&Info über..."), &MainWindow::showAbout);
    aboutBox = new AboutBox(this);

    // The blank items around the one command keep a hasty click from reaching it.
    chartMenu = new QMenu(this);
    chartMenu->addAction(QStringLiteral(" "));
    largeMenuAction = command(chartMenu, QStringLiteral("Menüleiste GROß anzeigen"), &MainWindow::showLargeMenu);
    chartMenu->addAction(QStringLiteral(" "));
    chartLabel->installEventFilter(new RightPressOpensMenu(chartMenu, this));

    buildLargeMenus();
}

void MainWindow::buildLargeMenus()
{
    using Arrangement = LargeMenu::Arrangement;
    mainLargeMenu = new LargeMenu(QStringLiteral("Menü"), Arrangement::Row, mainButtonWidth, this);
    fileLargeMenu = new LargeMenu(QStringLiteral("Datei-Menü"), Arrangement::Column, columnButtonWidth, this);
    openLargeMenu = new LargeMenu(QStringLiteral("Datei-Öffnen-Menü"), Arrangement::Column, columnButtonWidth, this);
    tableLargeMenu = new LargeMenu(QStringLiteral("Tabelle-Menü"), Arrangement::Column, columnButtonWidth, this);
    optionsLargeMenu = new LargeMenu(QStringLiteral("Optionen-Menü"), Arrangement::Column, columnButtonWidth, this);
    helpLargeMenu = new LargeMenu(QStringLiteral("Hilfe-Menü"), Arrangement::Column, columnButtonWidth, this);

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

    mainLargeMenu->addButton(QStringLiteral("Datei"), showBeside(mainLargeMenu, fileLargeMenu));
    mainLargeMenu->addButton(QStringLiteral("Einstellung"), [this] {
        mainLargeMenu->close();
        chartSettingsAction->trigger();
    });
    mainLargeMenu->addButton(QStringLiteral("Optionen"), closeThenShow(mainLargeMenu, optionsLargeMenu));
    mainLargeMenu->addButton(QStringLiteral("Tabelle"), closeThenShow(mainLargeMenu, tableLargeMenu));
    mainLargeMenu->addButton(QStringLiteral("Hilfe"), closeThenShow(mainLargeMenu, helpLargeMenu));

    fileLargeMenu->addButton(QStringLiteral("Neue Tabelle erstellen (neuer Monat)"), closeAllThen(newTableAction));
    // The page opens in the browser beside the menus; the user may want the next command at once.
    fileLargeMenu->addButton(QStringLiteral("Liniendiagramm im Browser anzeigen"),
                             [this] { browserChartAction->trigger(); });
    fileLargeMenu->addButton(QStringLiteral("Datei öffnen  "), showBeside(fileLargeMenu, openLargeMenu));
    fileLargeMenu->addButton(QStringLiteral("Grafik skaliert drucken"), closeAllThen(printChartAction));
    fileLargeMenu->addButton(QStringLiteral("Tabelle drucken"), closeAllThen(printTableAction));
    fileLargeMenu->addButton(QStringLiteral("Beenden"), closeAllThen(quitAction));

    openLargeMenu->addButton(QStringLiteral("Datei öffnen und als Grafik anzeigen"), closeAllThen(openAsChartAction));
    openLargeMenu->addButton(QStringLiteral(" Öffnen und in Tabellenform anzeigen   "),
                             closeAllThen(openAndShowTableAction));
    openLargeMenu->addButton(QStringLiteral(" Datei öffnen und Tabelle bearbeiten "), closeAllThen(openAndEditAction));

    tableLargeMenu->addButton(QStringLiteral("Aktuelle Tabelle anzeigen"), closeAllThen(showCurrentTableAction));
    tableLargeMenu->addButton(QStringLiteral("Aktuelle Tabelle bearbeiten"), closeAllThen(editCurrentDiaryAction));
    tableLargeMenu->addButton(QStringLiteral("Neue Tabelle erstellen (neuer Monat)"), closeAllThen(newTableAction));

    optionsLargeMenu->addButton(QStringLiteral("Benutzername ändern"), closeAllThen(changeUserNameAction));
    QPushButton* four =
        optionsLargeMenu->addButton(QStringLiteral("Bis zu 4 Messungen je Tag"), closeAllThen(fourReadingsADayAction));
    QPushButton* eight =
        optionsLargeMenu->addButton(QStringLiteral("Bis zu 8 Messungen je Tag"), closeAllThen(eightReadingsADayAction));
    // Only the layout not in force can be chosen; with both marks set, eight readings a day are.
    optionsLargeMenu->onPaint = [this, four, eight] {
        const DayLayout& layout = month_.layout();
        four->setEnabled(!layout.marks(SlotMode::Four) || layout.marks(SlotMode::Eight));
        eight->setEnabled(!layout.marks(SlotMode::Eight));
    };
    // A switch from the menu bar shows in an open options menu at once, not at its next paint.
    // Connected after the items' own commands, so it runs once the switch is done.
    for (QAction* item : {fourReadingsADayAction, eightReadingsADayAction})
        connect(item, &QAction::triggered, optionsLargeMenu, [this] { optionsLargeMenu->onPaint(); });

    helpLargeMenu->addButton(QStringLiteral("Hilfethemen"), closeAllThen(helpAction));
    helpLargeMenu->addButton(QStringLiteral("Info über.."), closeAllThen(aboutAction));
}

void MainWindow::closeLargeMenus()
{
    entryDialog->forgetNewTable();
    for (LargeMenu* menu :
         {mainLargeMenu, fileLargeMenu, openLargeMenu, tableLargeMenu, optionsLargeMenu, helpLargeMenu})
        menu->close();
}

void MainWindow::showLargeMenu()
{
    closeLargeMenus();
    mainLargeMenu->showCentred();
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
    desktop_.execModal(*aboutBox);
}

} // namespace luftikon
