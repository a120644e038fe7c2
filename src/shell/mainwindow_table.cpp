#include "shell/mainwindow.h"
#include "table/tablewindow.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace luftikon {

namespace {

constexpr int tableShowDelayMs = 500;

} // namespace

void MainWindow::buildTableWindow()
{
    tableShowTimer = new QTimer(this);
    tableShowTimer->setObjectName(QStringLiteral("tableShowTimer"));
    tableShowTimer->setSingleShot(true);
    tableShowTimer->setInterval(tableShowDelayMs);
    connect(tableShowTimer, &QTimer::timeout, this, &MainWindow::showPreparedTable);

    tableWindow = new TableWindow(month_, desktop_, this);
}

void MainWindow::showCurrentTable()
{
    openTableWindow();
}

void MainWindow::openTableWindow()
{
    tableWindow->prepareShowing(titleLabel->text());
    tableShowTimer->start();
}

void MainWindow::showPreparedTable()
{
    tableShowTimer->stop();
    if (!tableWindow->isVisible())
        desktop_.execModal(*tableWindow);
}

} // namespace luftikon
