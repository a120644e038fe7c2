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
    TabellenAnzeigeTimer = new QTimer(this);
    TabellenAnzeigeTimer->setObjectName(QStringLiteral("TabellenAnzeigeTimer"));
    TabellenAnzeigeTimer->setSingleShot(true);
    TabellenAnzeigeTimer->setInterval(tableShowDelayMs);
    connect(TabellenAnzeigeTimer, &QTimer::timeout, this, &TMainForm::TabellenAnzeigeTimerTimer);

    TabellenDlg = new TTabellenDlg(month_, desktop_, this);
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
