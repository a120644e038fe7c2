// Every command as the user reaches it: each menu-bar item, the chart's context
// menu and each large button, walked through the scripted desktop to the
// operation it runs.
#include "chart/ui/chartsettingsdialog.h"
#include "entry/entrydialog.h"
#include "print/printpreview.h"
#include "report/ui/evaluationwindow.h"
#include "shell/aboutbox.h"
#include "shell/mainwindow.h"
#include "shell/usernamedialog.h"
#include "support/appfixture.h"
#include "support/children.h"
#include "support/diarylines.h"
#include "support/widgettext.h"
#include "widgets/largemenu.h"
#include "widgets/pictureview.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <string_view>

using namespace luftikon;
using luftikon::test::Answer;
using luftikon::test::Sandbox;

namespace {

// Menu items and large menus by the names the main window gives them.
using Window = const char*;
using Item = const char*;

// Erika has worked before: her March 2024 diary (four readings a day) is on the
// chart.
struct Erika : test::AppFixture {
    QString march;

    explicit Erika(const QString& resources = test::installedResources) : AppFixture(QDate(2024, 3, 15), resources)
    {
        march = diaryPath(QStringLiteral("Erika Muster"), 3, 2024);
        writeLines(march, test::diaryHead(QStringLiteral("Erika Muster"), QString::fromUtf8("März 2024")) +
                              QStringList{test::reading("Morgens", 5, 420)});
        form->show();
        returnTo(QStringLiteral("Erika Muster"), march);
        // The large menus are made when first shown.
        form->showLargeMenu();
        form->closeLargeMenus();
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
        return {child<LargeMenu>(form, "mainLargeMenu"),    child<LargeMenu>(form, "fileLargeMenu"),
                child<LargeMenu>(form, "openLargeMenu"),    child<LargeMenu>(form, "tableLargeMenu"),
                child<LargeMenu>(form, "optionsLargeMenu"), child<LargeMenu>(form, "evaluationLargeMenu"),
                child<LargeMenu>(form, "helpLargeMenu")};
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
            EXPECT_EQ(&dialog, static_cast<QDialog*>(child<EntryDialog>(form, "entryDialog")));
            QApplication::processEvents(); // the dialog's first paint passes the
                                           // table on
            EXPECT_EQ(child<EntryDialog>(form, "entryDialog")->tableWhenShown() ||
                          child<QTimer>(form, "tableShowTimer")->isActive(),
                      armed);
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
Reach opens(Item item, QDialog* (*which)(MainWindow&))
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

const Step cancelledFileChoice = [](Erika& m) {
    EXPECT_EQ(m.desktop.fileRequests().size(), 1u);
    EXPECT_TRUE(m.desktop.shown().empty());
};

const Step tableArmed = [](Erika& m) { EXPECT_TRUE(child<QTimer>(m.form, "tableShowTimer")->isActive()); };

const std::vector<Reach> reaches{
    {"newTableAction", [](Erika& m) { m.desktop.answer(Answer::No); },
     [](Erika& m) {
         EXPECT_EQ(m.desktop.shownTexts(), QStringList{QStringLiteral("Sie möchten eine neue Tabelle erstellen?")});
     }},
    {"browserChartAction", nullptr,
     [](Erika& m) { EXPECT_TRUE(m.desktop.openedDocuments().value(0).startsWith(m.state.htmlFolder)); }},
    {"openAsChartAction",
     [](Erika& m) {
         m.desktop.answerFile(m.march);
         m.form->month().open(QString());
     },
     [](Erika& m) { EXPECT_EQ(m.form->month().path(), m.march); }},
    edits("openAndShowTableAction", true, true),
    edits("openAndEditAction", true, false),
    opens("printChartAction", [](MainWindow& f) -> QDialog* { return &f.printPreview(); }),
    opens("chartSettingsAction", [](MainWindow& f) -> QDialog* { return &f.chartSettingsDialog(); }),
    opens("evaluateMonthAction", [](MainWindow& f) -> QDialog* { return &f.evaluationWindow(); }),
    opens("changeUserNameAction", [](MainWindow& f) -> QDialog* { return &f.userNameDialog(); }),
    {"doctorReportAction", nullptr,
     [](Erika& m) { EXPECT_TRUE(m.desktop.openedDocuments().value(0).endsWith(QStringLiteral(".pdf"))); }},
    {"saveCsvAction", nullptr,
     [](Erika& m) {
         EXPECT_TRUE(m.desktop.shownTexts().value(0).startsWith(QStringLiteral("Die Messwerte wurden als CSV-Datei")));
     }},
    {"quitAction", nullptr, [](Erika& m) { EXPECT_FALSE(m.form->isVisible()); }},
    // Erika has only the one month.
    {"previousMonthAction", nullptr,
     [](Erika& m) {
         EXPECT_EQ(m.desktop.shownTexts(),
                   QStringList{QString::fromUtf8("Vor März 2024 gibt es keine Tabelle von Erika Muster.")});
     }},
    {"nextMonthAction", nullptr,
     [](Erika& m) { EXPECT_TRUE(m.desktop.shownTexts().value(0).startsWith(QString::fromUtf8("Nach März 2024"))); }},
    {"periodViewAction",
     [](Erika& m) {
         m.desktop.answerDialog([](QDialog& dialog) {
             EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Verlauf"));
             return int(QDialog::Rejected);
         });
     },
     nullptr},
    // The file commands ask for their file first; the user cancels, and nothing is said.
    {"importCsvAction", [](Erika& m) { m.desktop.answerFile(QString()); }, cancelledFileChoice},
    {"backUpAction", [](Erika& m) { m.desktop.answerFile(QString()); }, cancelledFileChoice},
    {"restoreBackupAction", [](Erika& m) { m.desktop.answerFile(QString()); }, cancelledFileChoice},
    {"restoreVersionAction", nullptr,
     [](Erika& m) {
         EXPECT_TRUE(
             m.desktop.shownTexts().value(0).endsWith(QStringLiteral("gibt es noch keine früheren Fassungen.")));
     }},
    {"fourReadingsADayAction", [](Erika& m) { child<QAction>(m.form, "eightReadingsADayAction")->trigger(); },
     [](Erika& m) {
         EXPECT_TRUE(m.form->month().layout().marks(SlotMode::Four) &&
                     !m.form->month().layout().marks(SlotMode::Eight));
     }},
    {"eightReadingsADayAction", nullptr,
     [](Erika& m) {
         EXPECT_TRUE(m.form->month().layout().marks(SlotMode::Eight) &&
                     !m.form->month().layout().marks(SlotMode::Four));
     }},
    {"deleteSettingsAction", [](Erika& m) { m.desktop.answer(Answer::No); },
     [](Erika& m) {
         EXPECT_TRUE(m.desktop.shownTexts().value(0).startsWith(QStringLiteral("Möchten Sie die Einstellungen")));
         EXPECT_TRUE(QFile::exists(m.box.configFile()));
     }},
    {"printTableAction", nullptr, tableArmed},
    {"showCurrentTableAction", nullptr, tableArmed},
    edits("editCurrentDiaryAction", false, false),
    {"helpAction", nullptr,
     [](Erika& m) {
         EXPECT_EQ(m.desktop.openedDocuments(), QStringList{m.state.resourceFolder + "Luftikon-Hilfe.pdf"});
     }},
    {"aboutAction",
     [](Erika& m) {
         m.desktop.answerDialog([&m](QDialog& dialog) {
             EXPECT_EQ(&dialog, child<AboutBox>(m.form, "aboutBox"));
             child<QPushButton>(child<AboutBox>(m.form, "aboutBox"), "okButton")->click();
             EXPECT_FALSE(dialog.isVisible());
             return dialog.result();
         });
     },
     nullptr},
    {"largeMenuAction", nullptr,
     [](Erika& m) { EXPECT_EQ(m.openMenus(), QList<LargeMenu*>{child<LargeMenu>(m.form, "mainLargeMenu")}); }},
};

const Reach* reachOf(const MainWindow& form, const QAction* action)
{
    for (const Reach& reach : reaches)
        if (child<QAction>(&form, reach.item) == action)
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
        collect(child<QMenu>(m.form, "chartMenu"), items);
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
        // Menus are parted by separators; an item that does nothing, a blank one too, is a fault.
        ADD_FAILURE() << "an item nobody reaches";
    }
}

TEST(Menus, RightPressOnTheChartOpensItsMenu)
{
    Erika m;
    const QPointF inside(30, 40);
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        QMouseEvent press(QEvent::MouseButtonPress, inside,
                          child<PictureView>(m.form, "chartLabel")->mapToGlobal(inside), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(child<PictureView>(m.form, "chartLabel"), &press);
        EXPECT_EQ(child<QMenu>(m.form, "chartMenu")->isVisible(), button == Qt::RightButton);
    }
    child<QMenu>(m.form, "chartMenu")->hide();
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
    {"Datei", nullptr, {"mainLargeMenu", "fileLargeMenu"}},
    {"Einstellung", "chartSettingsAction"},
    {"Optionen", nullptr, {"optionsLargeMenu"}},
    {"Tabelle", nullptr, {"tableLargeMenu"}},
    {"Hilfe", nullptr, {"helpLargeMenu"}},
    {"Auswertung", nullptr, {"evaluationLargeMenu"}},
    {"Auswertung>Monat auswerten", "evaluateMonthAction"},
    {"Auswertung>Arztbericht als PDF", "doctorReportAction"},
    {"Auswertung>Als CSV-Datei speichern", "saveCsvAction"},
    {"Auswertung>Verlauf mehrerer Monate", "periodViewAction"},
    {"Datei>Neue Tabelle erstellen (neuer Monat)", "newTableAction"},
    {"Datei>Liniendiagramm im Browser anzeigen", "browserChartAction", {"mainLargeMenu", "fileLargeMenu"}},
    {"Datei>Datei öffnen  ", nullptr, {"mainLargeMenu", "fileLargeMenu", "openLargeMenu"}},
    {"Datei>Grafik skaliert drucken", "printChartAction"},
    {"Datei>Tabelle drucken", "printTableAction"},
    {"Datei>Beenden", "quitAction"},
    {"Datei>Datei öffnen  >Datei öffnen und als Grafik anzeigen", "openAsChartAction"},
    {"Datei>Datei öffnen  > Öffnen und in Tabellenform anzeigen   ", "openAndShowTableAction"},
    {"Datei>Datei öffnen  > Datei öffnen und Tabelle bearbeiten ", "openAndEditAction"},
    {"Tabelle>Aktuelle Tabelle anzeigen", "showCurrentTableAction"},
    {"Tabelle>Aktuelle Tabelle bearbeiten", "editCurrentDiaryAction"},
    {"Tabelle>Neue Tabelle erstellen (neuer Monat)", "newTableAction"},
    {"Optionen>Benutzername ändern", "changeUserNameAction"},
    {"Optionen>Bis zu 4 Messungen je Tag", "fourReadingsADayAction"},
    {"Optionen>Bis zu 8 Messungen je Tag", "eightReadingsADayAction"},
    {"Hilfe>Hilfethemen", "helpAction"},
    {"Hilfe>Info über...", "aboutAction"},
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
        if (button.item && std::string_view(button.item) == "fourReadingsADayAction")
            child<QAction>(m.form, "eightReadingsADayAction")->trigger(); // only the layout not in force is offered
        if (button.item) {
            QAction* item = child<QAction>(m.form, button.item);
            QObject::disconnect(item, &QAction::triggered, nullptr, nullptr);
            QObject::connect(item, &QAction::triggered, [&triggered] { ++triggered; });
        }
        child<QAction>(m.form, "largeMenuAction")->trigger();
        for (const QString& text : QString::fromUtf8(button.path).split(u'>'))
            m.click(text);
        EXPECT_EQ(triggered, button.item ? 1 : 0);
        QList<LargeMenu*> expected;
        for (const Window window : button.openAfter)
            expected << child<LargeMenu>(m.form, window);
        EXPECT_EQ(m.openMenus(), expected);
    }
}

TEST(Menus, TheOptionsMenuFollowsTheLayoutInForceAtOnceAlsoForADiaryMarkedForBoth)
{
    // Both marks, as an old or hand-edited diary may hold them: eight readings a day are in force.
    test::AppFixture m;
    const QString march = m.diaryPath(QStringLiteral("Erika Muster"), 3, 2024);
    QStringList lines = test::diaryHead(QStringLiteral("Erika Muster"), QString::fromUtf8("März 2024"), true);
    lines.replaceInStrings(QStringLiteral("BisZu4MessungenJeTag=0"), QStringLiteral("BisZu4MessungenJeTag=1"));
    m.writeLines(march, lines + QStringList{test::reading("Morgens", 5, 420)});
    m.form->show();
    m.returnTo(QStringLiteral("Erika Muster"), march);
    m.form->showLargeMenu();
    m.form->closeLargeMenus();
    LargeMenu& options = *child<LargeMenu>(m.form, "optionsLargeMenu");
    options.showCentred();
    const auto offered = [&options] {
        return std::pair{options.buttons()[1]->isEnabled(), options.buttons()[2]->isEnabled()};
    };
    EXPECT_EQ(offered(), std::pair(true, false));
    // A switch from the menu bar shows before the window paints again: no event is let through.
    child<QAction>(m.form, "eightReadingsADayAction")->trigger();
    EXPECT_EQ(offered(), std::pair(false, true));
    options.close();
}

TEST(Menus, LargeMenusCloseOnlyToHideAndKeepEveryTextWhole)
{
    Erika m;
    child<QAction>(m.form, "largeMenuAction")->trigger();
    m.click(QStringLiteral("Datei"));
    m.click(QStringLiteral("Datei öffnen  "));
    // A menu opened from one that stays open lies beside it, leaving every button
    // reachable.
    EXPECT_FALSE(child<LargeMenu>(m.form, "mainLargeMenu")
                     ->frameGeometry()
                     .intersects(child<LargeMenu>(m.form, "fileLargeMenu")->frameGeometry()));
    child<LargeMenu>(m.form, "helpLargeMenu")->showCentred();
    child<QAction>(m.form, "largeMenuAction")->trigger();
    EXPECT_EQ(m.openMenus(), QList<LargeMenu*>{child<LargeMenu>(m.form, "mainLargeMenu")});

    QPointer<LargeMenu> menu = child<LargeMenu>(m.form, "mainLargeMenu");
    menu->close();
    QApplication::processEvents();
    ASSERT_FALSE(menu.isNull());
    EXPECT_TRUE(m.form->isVisible());

    for (const LargeMenu* large : m.largeMenus())
        for (const QPushButton* button : large->buttons()) {
            EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
            EXPECT_TRUE(large->rect().contains(button->geometry())) << button->text().toStdString();
        }
    const AboutBox& about = m.form->aboutBox();
    EXPECT_GE(child<QLabel>(&about, "purposeLabel")->height(),
              child<QLabel>(&about, "purposeLabel")->heightForWidth(child<QLabel>(&about, "purposeLabel")->width()));
    EXPECT_GE(child<QLabel>(&about, "readingsLabel")->width(),
              child<QLabel>(&about, "readingsLabel")->sizeHint().width());
}

TEST(Menus, AMissingHelpDocumentIsReportedAndTheProgramGoesOn)
{
    Sandbox empty;
    Erika m(empty.path() + u'/');
    m.desktop.clearShown(); // the start misses the other installed files too
    child<QAction>(m.form, "helpAction")->trigger();
    EXPECT_TRUE(m.desktop.openedDocuments().isEmpty());
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    EXPECT_EQ(m.desktop.shown()[0].kind, MessageKind::Warning);
    EXPECT_TRUE(m.desktop.shown()[0].text.contains(empty.path() + QStringLiteral("/Luftikon-Hilfe.pdf")));
    EXPECT_TRUE(m.form->isVisible());
}

TEST(Menus, TheKeyboardStepsThroughTheUsersMonthsAndOpensAndClosesTheLargeMenus)
{
    Erika m;
    const QString january = m.diaryPath(QStringLiteral("Erika Muster"), 1, 2024);
    const QString may = m.diaryPath(QStringLiteral("Erika Muster"), 5, 2024);
    for (const QString& path : {january, may, m.diaryPath(QStringLiteral("Erika Mustermann"), 2, 2024)})
        m.writeLines(path, test::diaryHead(QStringLiteral("Erika Muster"), QStringLiteral("2024")));
    m.form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m.form.get()));

    // Another user's February lies between, and the April without a diary is passed over.
    QTest::keyClick(m.form.get(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(m.form->month().path(), january);
    QTest::keyClick(m.form.get(), Qt::Key_Right, Qt::AltModifier);
    QTest::keyClick(m.form.get(), Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(m.form->month().path(), may);

    QTest::keyClick(m.form.get(), Qt::Key_M, Qt::ControlModifier);
    auto* menu = child<LargeMenu>(m.form, "mainLargeMenu");
    ASSERT_TRUE(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_Escape);
    EXPECT_FALSE(menu->isVisible());
}
