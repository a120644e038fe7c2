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

PrintPreview& MainWindow::printPreview()
{
    if (!printPreview_)
        printPreview_ = new PrintPreview(
            state_, desktop_, settings_, [this] { return normalSizePicture(); }, this);
    return *printPreview_;
}

void MainWindow::printTableWindow()
{
    printMonthTable(desktop_, &tableWindow(), tableWindow().cellTexts(), month_.layout().mode(), userNameLabel_->text(),
                    month_.summary().best.value);
}

void MainWindow::printChart()
{
    // The preview takes the chart as shown, and it is made for the window's normal size.
    if (isMaximized())
        setWindowState(windowState() & ~Qt::WindowMaximized);
    livePause_->pauseFor(restorePauseMs);
    printPreview().openForPrinting();
}

void MainWindow::printTable()
{
    tableWindow().printWhenShown();
    openTableWindow();
}

} // namespace luftikon
