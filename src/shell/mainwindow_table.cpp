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
    tableShowTimer_ = new QTimer(this);
    tableShowTimer_->setObjectName(QStringLiteral("tableShowTimer"));
    tableShowTimer_->setSingleShot(true);
    tableShowTimer_->setInterval(tableShowDelayMs);
    connect(tableShowTimer_, &QTimer::timeout, this, &MainWindow::showPreparedTable);

    tableWindow_ = new TableWindow(month_, desktop_, this);
}

void MainWindow::showCurrentTable()
{
    openTableWindow();
}

void MainWindow::openTableWindow()
{
    tableWindow_->prepareShowing(userNameLabel_->text());
    tableShowTimer_->start();
}

void MainWindow::showPreparedTable()
{
    tableShowTimer_->stop();
    if (!tableWindow_->isVisible())
        desktop_.execModal(*tableWindow_);
}

} // namespace luftikon
