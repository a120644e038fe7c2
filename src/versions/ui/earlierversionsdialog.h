#pragma once
// "Frühere Fassung wiederherstellen...": the earlier versions of the month drawn, one row each, and
// the command that puts the chosen one back.

#include "month/currentmonth.h"
#include "platform/desktop.h"
#include "versions/versionlist.h"

#include <QDialog>
#include <optional>

class QLabel;
class QPushButton;
class QTableWidget;

namespace luftikon {

class EarlierVersionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit EarlierVersionsDialog(QWidget* parent = nullptr);

    // Lists `rows` for the diary named `diaryName`, the newest chosen.
    void showRows(const QString& diaryName, const QList<VersionRow>& rows);
    // The row the user chose; none when the list is empty.
    std::optional<VersionRow> chosen() const;

private:
    QList<VersionRow> rows_;
    QLabel* captionLabel_ = nullptr;
    QTableWidget* versionsTable_ = nullptr;
    QPushButton* restoreButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

// Lists the versions of the month on screen in `dialog`; the one the user chooses replaces its file
// (what the file held is kept as a version in turn) and the month is read afresh. True when a
// version was put back.
bool restoreEarlierVersion(CurrentMonth& month, Desktop& desktop, EarlierVersionsDialog& dialog);

} // namespace luftikon
