// The evaluation menu of the main window: the month's figures, the doctor's report, the CSV file.
#include "report/ui/evaluationwindow.h"
#include "report/ui/reportcommands.h"
#include "shell/mainform.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace luftikon {

void TMainForm::buildEvaluationMenu()
{
    // Right after "&Tabelle", whichever menus stand around it.
    evaluationMenu = new QMenu(QStringLiteral("&Auswertung"), this);
    evaluationMenu->setObjectName(QStringLiteral("evaluationMenu"));
    const QList<QAction*> menus = menuBar()->actions();
    const qsizetype table = Tabelle1 ? menus.indexOf(Tabelle1->menuAction()) : -1;
    if (table >= 0 && table + 1 < menus.size())
        menuBar()->insertMenu(menus[table + 1], evaluationMenu);
    else
        menuBar()->addMenu(evaluationMenu);

    evaluateMonthAction = evaluationMenu->addAction(QStringLiteral("Monat &auswerten..."));
    connect(evaluateMonthAction, &QAction::triggered, this, &TMainForm::evaluateMonthTriggered);
    doctorReportAction = evaluationMenu->addAction(QStringLiteral("Arzt&bericht als PDF"));
    connect(doctorReportAction, &QAction::triggered, this, &TMainForm::doctorReportTriggered);
    saveCsvAction = evaluationMenu->addAction(QStringLiteral("Als &CSV-Datei speichern"));
    connect(saveCsvAction, &QAction::triggered, this, &TMainForm::saveCsvTriggered);

    evaluationWindow = new EvaluationWindow(this);
}

void TMainForm::evaluateMonthTriggered()
{
    evaluateMonth(state_, desktop_, *evaluationWindow);
}

void TMainForm::doctorReportTriggered()
{
    writeDoctorReport(state_, desktop_, chartPicture_);
}

void TMainForm::saveCsvTriggered()
{
    saveReadingsCsv(state_, desktop_);
}

} // namespace luftikon
