// Printing from the main window: the "&Drucken..." menu, the chart's print preview and the
// table window's print command.
#include "print/druckvorschau.h"
#include "print/tableprinter.h"
#include "shell/machpause.h"
#include "shell/mainform.h"
#include "table/tabellen.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

namespace luftikon {

namespace {

// Long enough for the restored window to be laid out and its chart repainted.
constexpr int restorePauseMs = 1000;

} // namespace

void TMainForm::buildPrintWindows()
{
    Druckvorschau = new TDruckvorschau(state_, desktop_, config_, centralWidget(), this);

    Drucken1 = new QMenu(QStringLiteral("&Drucken..."), this);
    Datei1->insertMenu(quitSeparator, Drucken1);
    Grafikskaliertdrucken1 = Drucken1->addAction(QStringLiteral("Grafik &skaliert drucken"));
    connect(Grafikskaliertdrucken1, &QAction::triggered, this, &TMainForm::Grafikskaliertdrucken1Click);
    Tabelledrucken = Drucken1->addAction(QStringLiteral("&Tabelle drucken"));
    connect(Tabelledrucken, &QAction::triggered, this, &TMainForm::TabelledruckenClick);

    TabellenDlg->printCommand = [this] {
        printMonthTable(desktop_, TabellenDlg, TabellenDlg->cellTexts(), state_.slotMode(), Label1->text(),
                        state_.bestValue);
    };
}

void TMainForm::Grafikskaliertdrucken1Click()
{
    // The preview takes the chart as shown, and it is made for the window's normal size.
    if (isMaximized())
        setWindowState(windowState() & ~Qt::WindowMaximized);
    MachPause1->pauseFor(restorePauseMs);
    Druckvorschau->openForPrinting();
}

void TMainForm::TabelledruckenClick()
{
    openTableWindow();
}

} // namespace luftikon
