// Every command the user reaches: the menu bar, the chart's context menu and the large-button
// menus. Each large button runs the very menu-bar action of its command, so the two can never
// drift apart.
#include "entry/eingabe.h"
#include "shell/info.h"
#include "shell/largemenu.h"
#include "shell/mainform.h"

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

void TMainForm::buildMenus()
{
    const auto command = [this](QMenu* menu, const QString& text, void (TMainForm::*handler)()) {
        QAction* action = menu->addAction(text);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };

    Datei1 = menuBar()->addMenu(QStringLiteral("&Datei"));
    Neu1 = command(Datei1, QStringLiteral("&Neu"), &TMainForm::Neu1Click);
    LiniendiagrammimBrowseranzeigen1 = command(Datei1, QStringLiteral("Liniendiagramm im Browser anzeigen"),
                                               &TMainForm::LiniendiagrammimBrowseranzeigen1Click);
    Oeffnen1 = Datei1->addMenu(QStringLiteral("&Öffnen..."));
    undalsGrafikanzeigen1 =
        command(Oeffnen1, QStringLiteral("und als Grafik anzeigen"), &TMainForm::undalsGrafikanzeigen1Click);
    undinTabellenformanzeigen1 =
        command(Oeffnen1, QStringLiteral("und in Tabellenform anzeigen"), &TMainForm::undinTabellenformanzeigen1Click);
    undbearbeiten1 = command(Oeffnen1, QStringLiteral("und bearbeiten"), &TMainForm::undbearbeiten1Click);
    Drucken1 = Datei1->addMenu(QStringLiteral("&Drucken..."));
    Grafikskaliertdrucken1 =
        command(Drucken1, QStringLiteral("Grafik &skaliert drucken"), &TMainForm::Grafikskaliertdrucken1Click);
    Tabelledrucken = command(Drucken1, QStringLiteral("&Tabelle drucken"), &TMainForm::TabelledruckenClick);
    quitSeparator = Datei1->addSeparator();
    Beenden1 = command(Datei1, QStringLiteral("Be&enden"), &TMainForm::Beenden1Click);

    // A menu title that is itself the command.
    Einstellungen1 = menuBar()->addAction(QStringLiteral("&Einstellungen"));
    connect(Einstellungen1, &QAction::triggered, this, &TMainForm::Einstellungen1Click);

    Optionen1 = menuBar()->addMenu(QStringLiteral("&Optionen"));
    Benutzernamendern1 =
        command(Optionen1, QStringLiteral("&Benutzername ändern"), &TMainForm::Benutzernamendern1Click);
    biszu4MessungenjeTag =
        command(Optionen1, QStringLiteral("bis zu &4 Messungen je Tag"), &TMainForm::biszu4MessungenjeTagClick);
    biszu8MessungenjeTag =
        command(Optionen1, QStringLiteral("bis zu &8 Messungen je Tag"), &TMainForm::biszu8MessungenjeTagClick);
    biszu4MessungenjeTag->setCheckable(true);
    biszu8MessungenjeTag->setCheckable(true);
    LeerOptionen1 = Optionen1->addAction(QStringLiteral("    ")); // keeps the deleting item apart
    RegistryEintraegeloeschen1 =
        command(Optionen1, QStringLiteral("Registry-Einträge löschen "), &TMainForm::RegistryEintraegeloeschen1Click);
    // The menu shows the marks of the layout in force.
    connect(Optionen1, &QMenu::aboutToShow, this, &TMainForm::showDayLayout);
    showDayLayout();

    Tabelle1 = menuBar()->addMenu(QStringLiteral("&Tabelle"));
    aktuelleanzeigen1 = command(Tabelle1, QStringLiteral("&aktuelle anzeigen"), &TMainForm::aktuelleanzeigen1Click);
    aktuellebearbeiten1 =
        command(Tabelle1, QStringLiteral("aktuelle &bearbeiten"), &TMainForm::aktuellebearbeiten1Click);

    evaluationMenu = menuBar()->addMenu(QStringLiteral("&Auswertung"));
    evaluationMenu->setObjectName(QStringLiteral("evaluationMenu"));
    evaluateMonthAction =
        command(evaluationMenu, QStringLiteral("Monat &auswerten..."), &TMainForm::evaluateMonthTriggered);
    doctorReportAction =
        command(evaluationMenu, QStringLiteral("Arzt&bericht als PDF"), &TMainForm::doctorReportTriggered);
    saveCsvAction = command(evaluationMenu, QStringLiteral("Als &CSV-Datei speichern"), &TMainForm::saveCsvTriggered);

    Hilfe1 = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    Hilfethemen1 = command(Hilfe1, QStringLiteral("&Hilfethemen"), &TMainForm::Hilfethemen1Click);
    Infoueber1 = command(Hilfe1, QStringLiteral("&Info über..."), &TMainForm::Infoueber1Click);
    AboutBox = new TAboutBox(this);

    // The blank items around the one command keep a hasty click from reaching it.
    PopupMenu1 = new QMenu(this);
    PopupMenu1->addAction(QStringLiteral(" "));
    Menuegrosseranzeigen1 =
        command(PopupMenu1, QStringLiteral("Menüleiste GROß anzeigen"), &TMainForm::Menuegrosseranzeigen1Click);
    PopupMenu1->addAction(QStringLiteral(" "));
    Image->installEventFilter(new RightPressOpensMenu(PopupMenu1, this));

    buildLargeMenus();
}

void TMainForm::buildLargeMenus()
{
    using Arrangement = LargeMenu::Arrangement;
    MenueForm = new LargeMenu(QStringLiteral("Menü"), Arrangement::Row, mainButtonWidth, this);
    MDateiForm = new LargeMenu(QStringLiteral("Datei-Menü"), Arrangement::Column, columnButtonWidth, this);
    MMDateiForm = new LargeMenu(QStringLiteral("Datei-Öffnen-Menü"), Arrangement::Column, columnButtonWidth, this);
    MTabelleForm = new LargeMenu(QStringLiteral("Tabelle-Menü"), Arrangement::Column, columnButtonWidth, this);
    MOptionenForm = new LargeMenu(QStringLiteral("Optionen-Menü"), Arrangement::Column, columnButtonWidth, this);
    MHilfeForm = new LargeMenu(QStringLiteral("Hilfe-Menü"), Arrangement::Column, columnButtonWidth, this);

    // How a button leaves the large menus before its command runs.
    const auto closeAllThen = [this](QAction* item) {
        return [this, item] {
            AlleMenuesSchliessen();
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

    MenueForm->addButton(QStringLiteral("Datei"), showBeside(MenueForm, MDateiForm));
    MenueForm->addButton(QStringLiteral("Einstellung"), [this] {
        MenueForm->close();
        Einstellungen1->trigger();
    });
    MenueForm->addButton(QStringLiteral("Optionen"), closeThenShow(MenueForm, MOptionenForm));
    MenueForm->addButton(QStringLiteral("Tabelle"), closeThenShow(MenueForm, MTabelleForm));
    MenueForm->addButton(QStringLiteral("Hilfe"), closeThenShow(MenueForm, MHilfeForm));

    MDateiForm->addButton(QStringLiteral("Neue Tabelle erstellen (neuer Monat)"), closeAllThen(Neu1));
    // The page opens in the browser beside the menus; the user may want the next command at once.
    MDateiForm->addButton(QStringLiteral("Liniendiagramm im Browser anzeigen"),
                          [this] { LiniendiagrammimBrowseranzeigen1->trigger(); });
    MDateiForm->addButton(QStringLiteral("Datei öffnen  "), showBeside(MDateiForm, MMDateiForm));
    MDateiForm->addButton(QStringLiteral("Grafik skaliert drucken"), closeAllThen(Grafikskaliertdrucken1));
    MDateiForm->addButton(QStringLiteral("Tabelle drucken"), closeAllThen(Tabelledrucken));
    MDateiForm->addButton(QStringLiteral("Beenden"), closeAllThen(Beenden1));

    MMDateiForm->addButton(QStringLiteral("Datei öffnen und als Grafik anzeigen"), closeAllThen(undalsGrafikanzeigen1));
    MMDateiForm->addButton(QStringLiteral(" Öffnen und in Tabellenform anzeigen   "),
                           closeAllThen(undinTabellenformanzeigen1));
    MMDateiForm->addButton(QStringLiteral(" Datei öffnen und Tabelle bearbeiten "), closeAllThen(undbearbeiten1));

    MTabelleForm->addButton(QStringLiteral("Aktuelle Tabelle anzeigen"), closeAllThen(aktuelleanzeigen1));
    MTabelleForm->addButton(QStringLiteral("Aktuelle Tabelle bearbeiten"), closeAllThen(aktuellebearbeiten1));
    MTabelleForm->addButton(QStringLiteral("Neue Tabelle erstellen (neuer Monat)"), closeAllThen(Neu1));

    MOptionenForm->addButton(QStringLiteral("Benutzername ändern"), closeAllThen(Benutzernamendern1));
    QPushButton* four =
        MOptionenForm->addButton(QStringLiteral("Bis zu 4 Messungen je Tag"), closeAllThen(biszu4MessungenjeTag));
    QPushButton* eight =
        MOptionenForm->addButton(QStringLiteral("Bis zu 8 Messungen je Tag"), closeAllThen(biszu8MessungenjeTag));
    // Only the layout not in force can be chosen; with both marks set, eight readings a day are.
    MOptionenForm->onPaint = [this, four, eight] {
        const DayLayout& layout = month_.layout();
        four->setEnabled(!layout.marks(SlotMode::Four) || layout.marks(SlotMode::Eight));
        eight->setEnabled(!layout.marks(SlotMode::Eight));
    };
    // A switch from the menu bar shows in an open options menu at once, not at its next paint.
    // Connected after the items' own commands, so it runs once the switch is done.
    for (QAction* item : {biszu4MessungenjeTag, biszu8MessungenjeTag})
        connect(item, &QAction::triggered, MOptionenForm, [this] { MOptionenForm->onPaint(); });

    MHilfeForm->addButton(QStringLiteral("Hilfethemen"), closeAllThen(Hilfethemen1));
    MHilfeForm->addButton(QStringLiteral("Info über.."), closeAllThen(Infoueber1));
}

void TMainForm::AlleMenuesSchliessen()
{
    EingabeDlg->forgetNewTable();
    for (LargeMenu* menu : {MenueForm, MDateiForm, MMDateiForm, MTabelleForm, MOptionenForm, MHilfeForm})
        menu->close();
}

void TMainForm::Menuegrosseranzeigen1Click()
{
    AlleMenuesSchliessen();
    MenueForm->showCentred();
}

void TMainForm::Hilfethemen1Click()
{
    const QString help = state_.resourceFolder + QStringLiteral("Luftikon-Hilfe.pdf");
    if (!QFileInfo::exists(help)) {
        desktop_.warning(QStringLiteral("Die Hilfe kann nicht angezeigt werden: Die Datei \"") + help +
                         QStringLiteral("\" fehlt."));
        return;
    }
    desktop_.openDocument(help);
}

void TMainForm::Infoueber1Click()
{
    desktop_.execModal(*AboutBox);
}

} // namespace luftikon
