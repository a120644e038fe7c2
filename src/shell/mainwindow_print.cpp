// Printing from the main window: the "&Drucken..." menu, the chart's print preview and the
// table window's print command.
#include "print/printpreview.h"
#include "print/tableprinter.h"
#include "shell/mainwindow.h"
#include "table/tablewindow.h"
#include "widgets/livepause.h"

#include <QLabel>

namespace luftikon {

namespace {

// Long enough for the restored window to be laid out and its chart repainted.
constexpr int restorePauseMs = 1000;

} // namespace

void MainWindow::buildPrintWindows()
{
    printPreview_ = new PrintPreview(
        state_, desktop_, settings_, [this] { return normalSizePicture(); }, this);

    tableWindow_->printCommand = [this] {
        printMonthTable(desktop_, tableWindow_, tableWindow_->cellTexts(), month_.layout().mode(),
                        userNameLabel_->text(), month_.summary().best.value);
    };
}

void MainWindow::printChart()
{
    // The preview takes the chart as shown, and it is made for the window's normal size.
    if (isMaximized())
        setWindowState(windowState() & ~Qt::WindowMaximized);
    livePause_->pauseFor(restorePauseMs);
    printPreview_->openForPrinting();
}

void MainWindow::printTable()
{
    tableWindow_->printWhenShown();
    openTableWindow();
}

} // namespace luftikon
