#include "shell/mainform.h"
#include "table/tabellen.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace luftikon {

namespace {

constexpr int tableShowDelayMs = 500;

} // namespace

void TMainForm::buildTableWindow()
{
    // The menu stands right after "&Optionen", whichever menus were added before it.
    Tabelle1 = new QMenu(QStringLiteral("&Tabelle"), this);
    const QList<QAction*> menus = menuBar()->actions();
    const qsizetype options = menus.indexOf(Optionen1->menuAction());
    if (options >= 0 && options + 1 < menus.size())
        menuBar()->insertMenu(menus[options + 1], Tabelle1);
    else
        menuBar()->addMenu(Tabelle1);
    aktuelleanzeigen1 = Tabelle1->addAction(QStringLiteral("&aktuelle anzeigen"));
    connect(aktuelleanzeigen1, &QAction::triggered, this, &TMainForm::aktuelleanzeigen1Click);

    TabellenAnzeigeTimer = new QTimer(this);
    TabellenAnzeigeTimer->setObjectName(QStringLiteral("TabellenAnzeigeTimer"));
    TabellenAnzeigeTimer->setSingleShot(true);
    TabellenAnzeigeTimer->setInterval(tableShowDelayMs);
    connect(TabellenAnzeigeTimer, &QTimer::timeout, this, &TMainForm::TabellenAnzeigeTimerTimer);

    TabellenDlg = new TTabellenDlg(state_, desktop_, this);
}

void TMainForm::aktuelleanzeigen1Click()
{
    openTableWindow();
}

void TMainForm::openTableWindow()
{
    TabellenDlg->prepareShowing(Label1->text());
    TabellenAnzeigeTimer->start();
}

void TMainForm::TabellenAnzeigeTimerTimer()
{
    TabellenAnzeigeTimer->stop();
    if (!TabellenDlg->isVisible())
        desktop_.execModal(*TabellenDlg);
}

} // namespace luftikon
