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

void MainWindow::buildTableTimer()
{
    tableShowTimer_ = new QTimer(this);
    tableShowTimer_->setObjectName(QStringLiteral("tableShowTimer"));
    tableShowTimer_->setSingleShot(true);
    tableShowTimer_->setInterval(tableShowDelayMs);
    connect(tableShowTimer_, &QTimer::timeout, this, &MainWindow::showPreparedTable);
}

TableWindow& MainWindow::tableWindow()
{
    if (!tableWindow_) {
        tableWindow_ = new TableWindow(month_, desktop_, this);
        tableWindow_->printCommand = [this] { printTableWindow(); };
    }
    return *tableWindow_;
}

void MainWindow::showCurrentTable()
{
    openTableWindow();
}

void MainWindow::openTableWindow()
{
    tableWindow().prepareShowing(userNameLabel_->text());
    tableShowTimer_->start();
}

void MainWindow::showPreparedTable()
{
    tableShowTimer_->stop();
    if (!tableWindow().isVisible())
        desktop_.execModal(tableWindow());
}

} // namespace luftikon
