// The chart settings dialog and opening any month as a chart.
#include "chart/ui/einstell.h"
#include "entry/eingabe.h"
#include "shell/mainform.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace luftikon {

void TMainForm::buildSettingsWindow()
{
    EinstellDlg = new TEinstellDlg(state_, desktop_, config_, this);
    SettingsDialogHost host;
    host.GrafikZeichnen = [this](const QString& diaryFile) { GrafikZeichnen(diaryFile); };
    host.saveCurrentDiary = [this] { return EingabeDlg->saveCurrentDiary(); };
    host.loadTemplatePicture = [this] { loadTemplatePicture(); };
    EinstellDlg->setHost(std::move(host));

    Einstellungen1 = new QAction(QStringLiteral("&Einstellungen"), this);
    menuBar()->insertAction(Optionen1->menuAction(), Einstellungen1);
    connect(Einstellungen1, &QAction::triggered, this, &TMainForm::Einstellungen1Click);

    undalsGrafikanzeigen1 = new QAction(QStringLiteral("und als Grafik anzeigen"), this);
    Oeffnen1->insertAction(undinTabellenformanzeigen1, undalsGrafikanzeigen1);
    connect(undalsGrafikanzeigen1, &QAction::triggered, this, &TMainForm::undalsGrafikanzeigen1Click);
}

void TMainForm::Einstellungen1Click()
{
    desktop_.execModal(*EinstellDlg);
}

QString TMainForm::chooseDiaryFile()
{
    return desktop_.openFileName(this, QStringLiteral("Öffnen"), state_.galleryFolder,
                                 QStringLiteral("Blutdrucktabellen (*.tab);;Alle Dateien (*)"));
}

void TMainForm::undalsGrafikanzeigen1Click()
{
    const QString diary = chooseDiaryFile();
    if (diary.isEmpty())
        return;
    showDiaryAsChart(diary);
}

} // namespace luftikon
