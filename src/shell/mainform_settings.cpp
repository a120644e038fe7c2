// The chart settings dialog and opening any month as a chart.
#include "chart/ui/einstell.h"
#include "diary/diaryfile.h"
#include "entry/eingabe.h"
#include "shell/mainform.h"

namespace luftikon {

void TMainForm::buildSettingsWindow()
{
    EinstellDlg = new TEinstellDlg(state_, desktop_, settings_, this);
    SettingsDialogHost host;
    host.GrafikZeichnen = [this](const QString& diaryFile) { GrafikZeichnen(diaryFile); };
    host.saveCurrentDiary = [this] { return EingabeDlg->saveCurrentDiary(); };
    host.showDiaryAsChart = [this](const QString& diaryFile) { showDiaryAsChart(diaryFile); };
    EinstellDlg->setHost(std::move(host));
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
    const QString path = chooseDiaryFile();
    if (path.isEmpty())
        return;
    const DiaryFile diary = readDiary(path);
    tellAboutOpenedDiary(diary);
    showDiaryAsChart(diary);
}

} // namespace luftikon
