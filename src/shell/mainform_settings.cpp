// The chart settings dialog and opening any month as a chart.
#include "chart/ui/einstell.h"
#include "diary/diaryfile.h"
#include "shell/mainform.h"

namespace luftikon {

void TMainForm::buildSettingsWindow()
{
    EinstellDlg = new TEinstellDlg(state_, month_, desktop_, settings_, this);
    // A new look is drawn at once; without a diary there is nothing to draw it on.
    connect(EinstellDlg, &TEinstellDlg::lookChanged, this, [this] {
        if (month_.hasFile())
            drawMonth();
    });
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
    showDiaryAsChart(path);
}

} // namespace luftikon
