// Every command as the user reaches it: each menu-bar item, the chart's context menu and each
// large button, walked through the scripted desktop to the operation it runs.
#include "chart/ui/einstell.h"
#include "diary/entryline.h"
#include "diary/textfile.h"
#include "entry/eingabe.h"
#include "print/druckvorschau.h"
#include "report/ui/evaluationwindow.h"
#include "shell/info.h"
#include "shell/largemenu.h"
#include "shell/mainform.h"
#include "shell/nameeing.h"
#include "support/sandbox.h"
#include "support/scripteddesktop.h"
#include "support/widgettext.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::Answer;
using luftikon::test::Sandbox;
using luftikon::test::ScriptedDesktop;

namespace {

using Window = LargeMenu* TMainForm::*;
using Item = QAction* TMainForm::*;

// Erika has worked before: her March 2024 diary (four readings a day) is on the chart.
struct Machine {
    Sandbox box;
    ScriptedDesktop desktop;
    ConfigStore config{box.configFile()};
    AppState state;
    std::unique_ptr<TMainForm> form;
    QString march;

    explicit Machine(const QString& resources = QStringLiteral(LUFTIKON_RESOURCE_DIR "/"))
    {
        state.resourceFolder = resources;
        form = std::make_unique<TMainForm>(state, desktop, config);
        march = state.galleryFolder + QStringLiteral("2024/Erika Muster_3_2024.tab");
        QDir().mkpath(state.galleryFolder + QStringLiteral("2024"));
        const QStringList lines{
            QStringLiteral("[Personendaten]"),
            QStringLiteral("BenutzerName=Erika Muster"),
            QStringLiteral("Datum=März 2024"),
            QStringLiteral("BisZu4MessungenJeTag=1"),
            QStringLiteral("BisZu8MessungenJeTag=0"),
            QString(),
            composeEntryLine(QStringLiteral("Morgens den "), QStringLiteral("05"), QStringLiteral("3"),
                             QStringLiteral("2024"), QStringLiteral("08:00"), QStringLiteral("420")),
        };
        EXPECT_TRUE(writeTextLines(march, lines).ok);
        config.Schreib_String_in_Registry(QStringLiteral("BenutzerName"), QStringLiteral("Erika Muster"));
        config.Schreib_String_in_Registry(QStringLiteral("TabellenDateiName"), march);
        form->show();
        form->FormPaint();
    }

    QList<LargeMenu*> openMenus() const
    {
        QList<LargeMenu*> open;
        for (LargeMenu* menu : largeMenus())
            if (menu->isVisible())
                open << menu;
        return open;
    }
    QList<LargeMenu*> largeMenus() const
    {
        return {form->MenueForm,    form->MDateiForm,    form->MMDateiForm,
                form->MTabelleForm, form->MOptionenForm, form->MHilfeForm};
    }

    // Clicks the button of that text in the large menu in front.
    void click(const QString& text)
    {
        const QList<LargeMenu*> open = openMenus();
        for (auto menu = open.crbegin(); menu != open.crend(); ++menu)
            for (QPushButton* button : (*menu)->buttons())
                if (button->text() == text) {
                    button->click();
                    return;
                }
        ADD_FAILURE() << "no open large menu has the button " << text.toStdString();
    }

    // The entry dialog was opened; `armed` tells whether it was meant to show its table.
    void expectEntryDialog(bool armed)
    {
        desktop.answerDialog([this, armed](QDialog& dialog) {
            EXPECT_EQ(&dialog, static_cast<QDialog*>(form->EingabeDlg));
            QApplication::processEvents(); // the dialog's first paint passes the table on
            EXPECT_EQ(state.showTableAfterPaint || form->TabellenAnzeigeTimer->isActive(), armed);
            return int(QDialog::Rejected);
        });
    }
};

// What the user meets after each command: `act` runs it (a menu item or a large button) on a
// fresh machine, between the answers the user gives and what the user sees.
using Act = std::function<void()>;
struct Reach {
    Item item;
    std::function<void(Machine&, const Act&)> run;
};

void expectDialog(Machine& m, QDialog* which)
{
    m.desktop.answerDialog([which](QDialog& dialog) {
        EXPECT_EQ(&dialog, which);
        return int(QDialog::Rejected);
    });
}

const std::vector<Reach> reaches{
    {&TMainForm::Neu1,
     [](Machine& m, const Act& act) {
         m.desktop.answer(Answer::No);
         act();
         EXPECT_EQ(m.desktop.shownTexts(), QStringList{QStringLiteral("Sie möchten einen neue Tabelle erstellen?")});
     }},
    {&TMainForm::LiniendiagrammimBrowseranzeigen1,
     [](Machine& m, const Act& act) {
         act();
         ASSERT_EQ(m.desktop.openedDocuments().size(), 1);
         EXPECT_TRUE(m.desktop.openedDocuments()[0].startsWith(m.state.htmlFolder));
     }},
    {&TMainForm::undalsGrafikanzeigen1,
     [](Machine& m, const Act& act) {
         m.desktop.answerFile(m.march);
         m.state.currentDiaryFile.clear();
         act();
         EXPECT_EQ(m.state.currentDiaryFile, m.march);
     }},
    {&TMainForm::undinTabellenformanzeigen1,
     [](Machine& m, const Act& act) {
         m.desktop.answerFile(m.march);
         m.expectEntryDialog(true);
         act();
     }},
    {&TMainForm::undbearbeiten1,
     [](Machine& m, const Act& act) {
         m.desktop.answerFile(m.march);
         m.expectEntryDialog(false);
         act();
     }},
    {&TMainForm::Grafikskaliertdrucken1,
     [](Machine& m, const Act& act) {
         expectDialog(m, m.form->Druckvorschau);
         act();
     }},
    {&TMainForm::Tabelledrucken,
     [](Machine& m, const Act& act) {
         act();
         EXPECT_TRUE(m.form->TabellenAnzeigeTimer->isActive());
     }},
    {&TMainForm::Einstellungen1,
     [](Machine& m, const Act& act) {
         expectDialog(m, m.form->EinstellDlg);
         act();
     }},
    {&TMainForm::evaluateMonthAction,
     [](Machine& m, const Act& act) {
         expectDialog(m, m.form->evaluationWindow);
         act();
     }},
    {&TMainForm::doctorReportAction,
     [](Machine& m, const Act& act) {
         act();
         ASSERT_EQ(m.desktop.openedDocuments().size(), 1);
         EXPECT_TRUE(m.desktop.openedDocuments()[0].endsWith(QStringLiteral(".pdf")));
     }},
    {&TMainForm::saveCsvAction,
     [](Machine& m, const Act& act) {
         act();
         EXPECT_TRUE(m.desktop.shownTexts().value(0).startsWith(QStringLiteral("Die Messwerte wurden als CSV-Datei")));
     }},
    {&TMainForm::Beenden1,
     [](Machine& m, const Act& act) {
         act();
         EXPECT_FALSE(m.form->isVisible());
     }},
    {&TMainForm::Benutzernamendern1,
     [](Machine& m, const Act& act) {
         expectDialog(m, m.form->NameEingDlg);
         act();
     }},
    {&TMainForm::biszu4MessungenjeTag,
     [](Machine& m, const Act& act) {
         m.form->biszu8MessungenjeTag->trigger();
         act();
         EXPECT_TRUE(m.state.fourSlotMark && !m.state.eightSlotMark);
     }},
    {&TMainForm::biszu8MessungenjeTag,
     [](Machine& m, const Act& act) {
         act();
         EXPECT_TRUE(m.state.eightSlotMark && !m.state.fourSlotMark);
     }},
    {&TMainForm::RegistryEintraegeloeschen1,
     [](Machine& m, const Act& act) {
         m.desktop.answer(Answer::No);
         act();
         EXPECT_TRUE(m.desktop.shownTexts().value(0).startsWith(QStringLiteral("Möchten Sie die Registry-Einträge")));
         EXPECT_TRUE(QFile::exists(m.box.configFile()));
     }},
    {&TMainForm::aktuelleanzeigen1,
     [](Machine& m, const Act& act) {
         act();
         EXPECT_TRUE(m.form->TabellenAnzeigeTimer->isActive());
     }},
    {&TMainForm::aktuellebearbeiten1,
     [](Machine& m, const Act& act) {
         m.expectEntryDialog(false);
         act();
         EXPECT_TRUE(m.desktop.fileRequests().empty());
     }},
    {&TMainForm::Hilfethemen1,
     [](Machine& m, const Act& act) {
         act();
         EXPECT_EQ(m.desktop.openedDocuments(), QStringList{m.state.resourceFolder + "Luftikon-Hilfe.pdf"});
     }},
    {&TMainForm::Infoueber1,
     [](Machine& m, const Act& act) {
         m.desktop.answerDialog([&m](QDialog& dialog) {
             EXPECT_EQ(&dialog, m.form->AboutBox);
             m.form->AboutBox->okButton->click();
             EXPECT_FALSE(dialog.isVisible());
             return dialog.result();
         });
         act();
     }},
    {&TMainForm::Menuegrosseranzeigen1,
     [](Machine& m, const Act& act) {
         act();
         EXPECT_EQ(m.openMenus(), QList<LargeMenu*>{m.form->MenueForm});
     }},
};

const Reach* reachOf(const TMainForm& form, const QAction* action)
{
    for (const Reach& reach : reaches)
        if (form.*reach.item == action)
            return &reach;
    return nullptr;
}

void collect(const QMenu* menu, QList<QAction*>& into)
{
    for (QAction* action : menu->actions()) {
        if (action->menu())
            collect(action->menu(), into);
        else if (!action->isSeparator())
            into << action;
    }
}

} // namespace

TEST(Menus, EveryItemOfTheMenuBarAndTheChartMenuReachesItsCommand)
{
    for (int i = 0;; ++i) {
        Machine m;
        QList<QAction*> items;
        for (QAction* top : m.form->menuBar()->actions()) {
            if (top->menu())
                collect(top->menu(), items);
            else
                items << top; // a title that is itself the command
        }
        collect(m.form->PopupMenu1, items);
        if (i == items.size())
            break;
        QAction* item = items[i];
        SCOPED_TRACE(item->text().toStdString());
        if (const Reach* reach = reachOf(*m.form, item)) {
            reach->run(m, [item] { item->trigger(); });
            continue;
        }
        // The blank items only keep a hasty click off the real ones.
        EXPECT_TRUE(item->text().trimmed().isEmpty()) << "an item nobody reaches";
        item->trigger();
        EXPECT_TRUE(m.desktop.shown().empty());
        EXPECT_TRUE(m.openMenus().isEmpty());
    }
}

TEST(Menus, RightPressOnTheChartOpensItsMenu)
{
    Machine m;
    const QPointF inside(30, 40);
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        QMouseEvent press(QEvent::MouseButtonPress, inside, m.form->Image->mapToGlobal(inside), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(m.form->Image, &press);
        EXPECT_EQ(m.form->PopupMenu1->isVisible(), button == Qt::RightButton);
    }
    m.form->PopupMenu1->hide();
}

namespace {

// One large button: the clicks from the main large menu that reach it, the menu-bar item whose
// command it runs (none: it only opens menus), and the large menus left open afterwards.
struct Button {
    QStringList clicks;
    Item item;
    std::vector<Window> openAfter;
};

const std::vector<Button> buttons{
    {{"Datei"}, nullptr, {&TMainForm::MenueForm, &TMainForm::MDateiForm}},
    {{"Einstellung"}, &TMainForm::Einstellungen1, {}},
    {{"Optionen"}, nullptr, {&TMainForm::MOptionenForm}},
    {{"Tabelle"}, nullptr, {&TMainForm::MTabelleForm}},
    {{"Hilfe"}, nullptr, {&TMainForm::MHilfeForm}},
    {{"Datei", "Neue Tabelle erstellen (neuer Monat)"}, &TMainForm::Neu1, {}},
    {{"Datei", "Liniendiagramm im Browser anzeigen"},
     &TMainForm::LiniendiagrammimBrowseranzeigen1,
     {&TMainForm::MenueForm, &TMainForm::MDateiForm}},
    {{"Datei", "Datei öffnen  "}, nullptr, {&TMainForm::MenueForm, &TMainForm::MDateiForm, &TMainForm::MMDateiForm}},
    {{"Datei", "Grafik skaliert drucken"}, &TMainForm::Grafikskaliertdrucken1, {}},
    {{"Datei", "Tabelle drucken"}, &TMainForm::Tabelledrucken, {}},
    {{"Datei", "Beenden"}, &TMainForm::Beenden1, {}},
    {{"Datei", "Datei öffnen  ", "Datei öffnen und als Grafik anzeigen"}, &TMainForm::undalsGrafikanzeigen1, {}},
    {{"Datei", "Datei öffnen  ", " Öffnen und in Tabellenform anzeigen   "},
     &TMainForm::undinTabellenformanzeigen1,
     {}},
    {{"Datei", "Datei öffnen  ", " Datei öffnen und Tabelle bearbeiten "}, &TMainForm::undbearbeiten1, {}},
    {{"Tabelle", "Aktuelle Tabelle anzeigen"}, &TMainForm::aktuelleanzeigen1, {}},
    {{"Tabelle", "Aktuelle Tabelle bearbeiten"}, &TMainForm::aktuellebearbeiten1, {}},
    {{"Tabelle", "Neue Tabelle erstellen (neuer Monat)"}, &TMainForm::Neu1, {}},
    {{"Optionen", "Benutzername ändern"}, &TMainForm::Benutzernamendern1, {}},
    {{"Optionen", "Bis zu 4 Messungen je Tag"}, &TMainForm::biszu4MessungenjeTag, {}},
    {{"Optionen", "Bis zu 8 Messungen je Tag"}, &TMainForm::biszu8MessungenjeTag, {}},
    {{"Hilfe", "Hilfethemen"}, &TMainForm::Hilfethemen1, {}},
    {{"Hilfe", "Info über.."}, &TMainForm::Infoueber1, {}},
};

} // namespace

TEST(Menus, EveryLargeButtonRunsTheCommandOfItsMenuItem)
{
    for (const Button& button : buttons) {
        SCOPED_TRACE(button.clicks.join(QStringLiteral(" > ")).toStdString());
        Machine m;
        const auto act = [&m, &button] {
            m.form->Menuegrosseranzeigen1->trigger();
            // A new table just started is forgotten when the large menus close.
            m.state.newTablePending = true;
            for (const QString& text : button.clicks)
                m.click(text);
        };
        const auto reach =
            std::find_if(reaches.begin(), reaches.end(), [&button](const Reach& r) { return r.item == button.item; });
        if (reach != reaches.end())
            reach->run(m, act);
        else
            act();
        QList<LargeMenu*> expected;
        for (const Window window : button.openAfter)
            expected << m.form.get()->*window;
        EXPECT_EQ(m.openMenus(), expected);
        // Closing all large menus forgets it; the browser page and the settings close no other menu.
        const bool closesAll = button.item && button.item != &TMainForm::LiniendiagrammimBrowseranzeigen1 &&
                               button.item != &TMainForm::Einstellungen1;
        EXPECT_EQ(m.state.newTablePending, !closesAll);
    }
}

TEST(Menus, TheOptionsMenuOffersOnlyTheDayLayoutNotInForce)
{
    Machine m;
    m.form->biszu8MessungenjeTag->trigger();
    m.form->Menuegrosseranzeigen1->trigger();
    m.click(QStringLiteral("Optionen"));
    LargeMenu& options = *m.form->MOptionenForm;
    EXPECT_TRUE(options.buttons()[1]->isEnabled());  // four
    EXPECT_FALSE(options.buttons()[2]->isEnabled()); // eight, in force

    m.click(QStringLiteral("Bis zu 4 Messungen je Tag"));
    EXPECT_TRUE(m.state.fourSlotMark);
    options.showCentred();
    EXPECT_FALSE(options.buttons()[1]->isEnabled());
    EXPECT_TRUE(options.buttons()[2]->isEnabled());
}

TEST(Menus, LargeMenusCloseOnlyToHideAndKeepEveryTextWhole)
{
    Machine m;
    m.form->Menuegrosseranzeigen1->trigger();
    m.click(QStringLiteral("Datei"));
    m.click(QStringLiteral("Datei öffnen  "));
    // A menu opened from one that stays open lies beside it, leaving every button reachable.
    EXPECT_FALSE(m.form->MenueForm->frameGeometry().intersects(m.form->MDateiForm->frameGeometry()));
    m.form->MHilfeForm->showCentred();
    m.form->Menuegrosseranzeigen1->trigger();
    EXPECT_EQ(m.openMenus(), QList<LargeMenu*>{m.form->MenueForm});

    QPointer<LargeMenu> menu = m.form->MenueForm;
    menu->close();
    QApplication::processEvents();
    ASSERT_FALSE(menu.isNull());
    EXPECT_TRUE(m.form->isVisible());

    for (const LargeMenu* large : m.largeMenus())
        for (const QPushButton* button : large->buttons()) {
            EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
            EXPECT_TRUE(large->rect().contains(button->geometry())) << button->text().toStdString();
        }
    const TAboutBox& about = *m.form->AboutBox;
    EXPECT_GE(about.purposeLabel->height(), about.purposeLabel->heightForWidth(about.purposeLabel->width()));
    EXPECT_GE(about.readingsLabel->width(), about.readingsLabel->sizeHint().width());
}

TEST(Menus, AMissingHelpDocumentIsReportedAndTheProgramGoesOn)
{
    Sandbox empty;
    Machine m(empty.path() + u'/');
    m.desktop.clearShown(); // the start misses the other installed files too
    m.form->Hilfethemen1->trigger();
    EXPECT_TRUE(m.desktop.openedDocuments().isEmpty());
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    EXPECT_EQ(m.desktop.shown()[0].kind, MessageKind::Warning);
    EXPECT_TRUE(m.desktop.shown()[0].text.contains(empty.path() + QStringLiteral("/Luftikon-Hilfe.pdf")));
    EXPECT_TRUE(m.form->isVisible());
}
