// Printing from the main window: the "&Drucken..." menu, the chart's print preview and the
// table window's print command.
#include "print/druckvorschau.h"
#include "print/tableprinter.h"
#include "shell/machpause.h"
#include "shell/mainform.h"
#include "table/tabellen.h"

#include <QLabel>

namespace luftikon {

namespace {

// Long enough for the restored window to be laid out and its chart repainted.
constexpr int restorePauseMs = 1000;

} // namespace

void TMainForm::buildPrintWindows()
{
    Druckvorschau = new TDruckvorschau(state_, desktop_, settings_, centralWidget(), this);

    TabellenDlg->printCommand = [this] {
        printMonthTable(desktop_, TabellenDlg, TabellenDlg->cellTexts(), month_.layout().mode(), Label1->text(),
                        month_.summary().best.value);
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
