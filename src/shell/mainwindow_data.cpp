// The data commands of the file menu: readings from a CSV file, an earlier version of the month
// drawn, and the archive of every diary.
#include "archive/ui/archivecommands.h"
#include "import/ui/importcommand.h"
#include "shell/mainwindow.h"
#include "versions/ui/earlierversionsdialog.h"

namespace luftikon {

void MainWindow::importReadingsFromCsv()
{
    importReadingsCsv(state_, settings_, month_, desktop_, this);
}

void MainWindow::restoreEarlierVersionOfMonth()
{
    if (!earlierVersionsDialog_)
        earlierVersionsDialog_ = new EarlierVersionsDialog(this);
    restoreEarlierVersion(month_, desktop_, *earlierVersionsDialog_);
}

void MainWindow::backUpAll()
{
    backUpAllDiaries(state_, config_, desktop_, this);
}

void MainWindow::restoreBackup()
{
    restoreFromBackup(state_, config_, month_, desktop_, this);
}

} // namespace luftikon
