// Every command as the user reaches it: each menu-bar item, the chart's context
// menu and each large button, walked through the scripted desktop to the
// operation it runs.
#include "chart/ui/einstell.h"
#include "entry/eingabe.h"
#include "print/druckvorschau.h"
#include "report/ui/evaluationwindow.h"
#include "shell/info.h"
#include "shell/largemenu.h"
#include "shell/mainform.h"
#include "shell/nameeing.h"
#include "support/diarylines.h"
#include "support/mainwindow.h"
#include "support/widgettext.h"

#include <QAction>
#include <QApplication>
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

namespace {

using Window = LargeMenu* TMainForm::*;
using Item = QAction* TMainForm::*;

// Erika has worked before: her March 2024 diary (four readings a day) is on the
// chart.
struct Erika : test::MainWindow {
    QString march;

    explicit Erika(const QString& resources = test::installedResources) : MainWindow(QDate(2024, 3, 15), resources)
    {
        march = diaryPath(QStringLiteral("Erika Muster"), 3, 2024);
        writeLines(march, test::diaryHead(QStringLiteral("Erika Muster"), QString::fromUtf8("März 2024")) +
                              QStringList{test::reading("Morgens", 5, 420)});
        form->show();
        returnTo(QStringLiteral("Erika Muster"), march);
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

    // The entry dialog was opened; `armed` tells whether it was meant to show its
    // table.
    void expectEntryDialog(bool armed)
    {
        desktop.answerDialog([this, armed](QDialog& dialog) {
            EXPECT_EQ(&dialog, static_cast<QDialog*>(form->EingabeDlg));
            QApplication::processEvents(); // the dialog's first paint passes the
                                           // table on
            EXPECT_EQ(form->EingabeDlg->tableWhenShown() || form->TabellenAnzeigeTimer->isActive(), armed);
            return int(QDialog::Rejected);
        });
    }
};

// What the user meets after each menu item: `before` queues the answers, `after` checks what is seen.
using Step = std::function<void(Erika&)>;
struct Reach {
    Item item;
    Step before;
    Step after;
};

// An item whose command is the modal dialog `which` returns.
Reach opens(Item item, QDialog* (*which)(TMainForm&))
{
    return {item,
            [which](Erika& m) {
                m.desktop.answerDialog([&m, which](QDialog& dialog) {
                    EXPECT_EQ(&dialog, which(*m.form));
                    return int(QDialog::Rejected);
                });
            },
            nullptr};
}

// An opener of the entry dialog: `chooses` whether it asks for the diary first, `armed` whether the
// dialog is to show its table.
Reach edits(Item item, bool chooses, bool armed)
{
    return {item,
            [=](Erika& m) {
                if (chooses)
                    m.desktop.answerFile(m.march);
                m.expectEntryDialog(armed);
            },
            [=](Erika& m) { EXPECT_EQ(m.desktop.fileRequests().size(), chooses ? 1u : 0u); }};
}

const Step tableArmed = [](Erika& m) { EXPECT_TRUE(m.form->TabellenAnzeigeTimer->isActive()); };

const std::vector<Reach> reaches{
    {&TMainForm::Neu1, [](Erika& m) { m.desktop.answer(Answer::No); },
     [](Erika& m) {
         EXPECT_EQ(m.desktop.shownTexts(), QStringList{QStringLiteral("Sie möchten einen neue Tabelle erstellen?")});
     }},
    {&TMainForm::LiniendiagrammimBrowseranzeigen1, nullptr,
     [](Erika& m) { EXPECT_TRUE(m.desktop.openedDocuments().value(0).startsWith(m.state.htmlFolder)); }},
    {&TMainForm::undalsGrafikanzeigen1,
     [](Erika& m) {
         m.desktop.answerFile(m.march);
         m.form->month().open(QString());
     },
     [](Erika& m) { EXPECT_EQ(m.form->month().path(), m.march); }},
    edits(&TMainForm::undinTabellenformanzeigen1, true, true),
    edits(&TMainForm::undbearbeiten1, true, false),
    opens(&TMainForm::Grafikskaliertdrucken1, [](TMainForm& f) -> QDialog* { return f.Druckvorschau; }),
    opens(&TMainForm::Einstellungen1, [](TMainForm& f) -> QDialog* { return f.EinstellDlg; }),
    opens(&TMainForm::evaluateMonthAction, [](TMainForm& f) -> QDialog* { return f.evaluationWindow; }),
    opens(&TMainForm::Benutzernamendern1, [](TMainForm& f) -> QDialog* { return f.NameEingDlg; }),
    {&TMainForm::doctorReportAction, nullptr,
     [](Erika& m) { EXPECT_TRUE(m.desktop.openedDocuments().value(0).endsWith(QStringLiteral(".pdf"))); }},
    {&TMainForm::saveCsvAction, nullptr,
     [](Erika& m) {
         EXPECT_TRUE(m.desktop.shownTexts().value(0).startsWith(QStringLiteral("Die Messwerte wurden als CSV-Datei")));
     }},
    {&TMainForm::Beenden1, nullptr, [](Erika& m) { EXPECT_FALSE(m.form->isVisible()); }},
    {&TMainForm::biszu4MessungenjeTag, [](Erika& m) { m.form->biszu8MessungenjeTag->trigger(); },
     [](Erika& m) {
         EXPECT_TRUE(m.form->month().layout().marks(SlotMode::Four) &&
                     !m.form->month().layout().marks(SlotMode::Eight));
     }},
    {&TMainForm::biszu8MessungenjeTag, nullptr,
     [](Erika& m) {
         EXPECT_TRUE(m.form->month().layout().marks(SlotMode::Eight) &&
                     !m.form->month().layout().marks(SlotMode::Four));
     }},
    {&TMainForm::RegistryEintraegeloeschen1, [](Erika& m) { m.desktop.answer(Answer::No); },
     [](Erika& m) {
         EXPECT_TRUE(m.desktop.shownTexts().value(0).startsWith(QStringLiteral("Möchten Sie die Registry-Einträge")));
         EXPECT_TRUE(QFile::exists(m.box.configFile()));
     }},
    {&TMainForm::Tabelledrucken, nullptr, tableArmed},
    {&TMainForm::aktuelleanzeigen1, nullptr, tableArmed},
    edits(&TMainForm::aktuellebearbeiten1, false, false),
    {&TMainForm::Hilfethemen1, nullptr,
     [](Erika& m) {
         EXPECT_EQ(m.desktop.openedDocuments(), QStringList{m.state.resourceFolder + "Luftikon-Hilfe.pdf"});
     }},
    {&TMainForm::Infoueber1,
     [](Erika& m) {
         m.desktop.answerDialog([&m](QDialog& dialog) {
             EXPECT_EQ(&dialog, m.form->AboutBox);
             m.form->AboutBox->okButton->click();
             EXPECT_FALSE(dialog.isVisible());
             return dialog.result();
         });
     },
     nullptr},
    {&TMainForm::Menuegrosseranzeigen1, nullptr,
     [](Erika& m) { EXPECT_EQ(m.openMenus(), QList<LargeMenu*>{m.form->MenueForm}); }},
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
        Erika m;
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
            if (reach->before)
                reach->before(m);
            item->trigger();
            if (reach->after)
                reach->after(m);
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
    Erika m;
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

// One large button: the path of clicks from the main large menu that reach it,
// the menu-bar item whose command it runs (none: it only opens menus), and the
// large menus left open afterwards.
struct Button {
    const char* path;
    Item item;
    std::vector<Window> openAfter = {};
};

const std::vector<Button> buttons{
    {"Datei", nullptr, {&TMainForm::MenueForm, &TMainForm::MDateiForm}},
    {"Einstellung", &TMainForm::Einstellungen1},
    {"Optionen", nullptr, {&TMainForm::MOptionenForm}},
    {"Tabelle", nullptr, {&TMainForm::MTabelleForm}},
    {"Hilfe", nullptr, {&TMainForm::MHilfeForm}},
    {"Datei>Neue Tabelle erstellen (neuer Monat)", &TMainForm::Neu1},
    {"Datei>Liniendiagramm im Browser anzeigen",
     &TMainForm::LiniendiagrammimBrowseranzeigen1,
     {&TMainForm::MenueForm, &TMainForm::MDateiForm}},
    {"Datei>Datei öffnen  ", nullptr, {&TMainForm::MenueForm, &TMainForm::MDateiForm, &TMainForm::MMDateiForm}},
    {"Datei>Grafik skaliert drucken", &TMainForm::Grafikskaliertdrucken1},
    {"Datei>Tabelle drucken", &TMainForm::Tabelledrucken},
    {"Datei>Beenden", &TMainForm::Beenden1},
    {"Datei>Datei öffnen  >Datei öffnen und als Grafik anzeigen", &TMainForm::undalsGrafikanzeigen1},
    {"Datei>Datei öffnen  > Öffnen und in Tabellenform anzeigen   ", &TMainForm::undinTabellenformanzeigen1},
    {"Datei>Datei öffnen  > Datei öffnen und Tabelle bearbeiten ", &TMainForm::undbearbeiten1},
    {"Tabelle>Aktuelle Tabelle anzeigen", &TMainForm::aktuelleanzeigen1},
    {"Tabelle>Aktuelle Tabelle bearbeiten", &TMainForm::aktuellebearbeiten1},
    {"Tabelle>Neue Tabelle erstellen (neuer Monat)", &TMainForm::Neu1},
    {"Optionen>Benutzername ändern", &TMainForm::Benutzernamendern1},
    {"Optionen>Bis zu 4 Messungen je Tag", &TMainForm::biszu4MessungenjeTag},
    {"Optionen>Bis zu 8 Messungen je Tag", &TMainForm::biszu8MessungenjeTag},
    {"Hilfe>Hilfethemen", &TMainForm::Hilfethemen1},
    {"Hilfe>Info über..", &TMainForm::Infoueber1},
};

} // namespace

TEST(Menus, EveryLargeButtonTriggersItsMenuItemAndLeavesTheRightMenusOpen)
{
    for (const Button& button : buttons) {
        SCOPED_TRACE(button.path);
        Erika m;
        // The command behind the item is walked above; here only whether the button
        // reaches it.
        int triggered = 0;
        if (button.item == &TMainForm::biszu4MessungenjeTag)
            m.form->biszu8MessungenjeTag->trigger(); // only the layout not in force is offered
        if (button.item) {
            QAction* item = m.form.get()->*button.item;
            QObject::disconnect(item, &QAction::triggered, nullptr, nullptr);
            QObject::connect(item, &QAction::triggered, [&triggered] { ++triggered; });
        }
        m.form->Menuegrosseranzeigen1->trigger();
        for (const QString& text : QString::fromUtf8(button.path).split(u'>'))
            m.click(text);
        EXPECT_EQ(triggered, button.item ? 1 : 0);
        QList<LargeMenu*> expected;
        for (const Window window : button.openAfter)
            expected << m.form.get()->*window;
        EXPECT_EQ(m.openMenus(), expected);
    }
}

TEST(Menus, TheOptionsMenuFollowsTheLayoutInForceAtOnceAlsoForADiaryMarkedForBoth)
{
    // Both marks, as an old or hand-edited diary may hold them: eight readings a day are in force.
    test::MainWindow m;
    const QString march = m.diaryPath(QStringLiteral("Erika Muster"), 3, 2024);
    QStringList lines = test::diaryHead(QStringLiteral("Erika Muster"), QString::fromUtf8("März 2024"), true);
    lines.replaceInStrings(QStringLiteral("BisZu4MessungenJeTag=0"), QStringLiteral("BisZu4MessungenJeTag=1"));
    m.writeLines(march, lines + QStringList{test::reading("Morgens", 5, 420)});
    m.form->show();
    m.returnTo(QStringLiteral("Erika Muster"), march);
    LargeMenu& options = *m.form->MOptionenForm;
    options.showCentred();
    const auto offered = [&options] {
        return std::pair{options.buttons()[1]->isEnabled(), options.buttons()[2]->isEnabled()};
    };
    EXPECT_EQ(offered(), std::pair(true, false));
    // A switch from the menu bar shows before the window paints again: no event is let through.
    m.form->biszu8MessungenjeTag->trigger();
    EXPECT_EQ(offered(), std::pair(false, true));
    options.close();
}

TEST(Menus, LargeMenusCloseOnlyToHideAndKeepEveryTextWhole)
{
    Erika m;
    m.form->Menuegrosseranzeigen1->trigger();
    m.click(QStringLiteral("Datei"));
    m.click(QStringLiteral("Datei öffnen  "));
    // A menu opened from one that stays open lies beside it, leaving every button
    // reachable.
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
    Erika m(empty.path() + u'/');
    m.desktop.clearShown(); // the start misses the other installed files too
    m.form->Hilfethemen1->trigger();
    EXPECT_TRUE(m.desktop.openedDocuments().isEmpty());
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    EXPECT_EQ(m.desktop.shown()[0].kind, MessageKind::Warning);
    EXPECT_TRUE(m.desktop.shown()[0].text.contains(empty.path() + QStringLiteral("/Luftikon-Hilfe.pdf")));
    EXPECT_TRUE(m.form->isVisible());
}
