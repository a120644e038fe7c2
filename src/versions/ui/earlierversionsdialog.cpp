#include "versions/ui/earlierversionsdialog.h"

#include "widgets/screenfit.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace luftikon {

EarlierVersionsDialog::EarlierVersionsDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("earlierVersionsDialog"));
    setWindowTitle(QStringLiteral("Frühere Fassung wiederherstellen"));
    resize(640, 380);
    fitToScreen(*this, size(), QStringLiteral("VersionenFenster"));

    captionLabel_ = new QLabel(this);
    captionLabel_->setObjectName(QStringLiteral("captionLabel"));
    captionLabel_->setWordWrap(true);

    versionsTable_ = new QTableWidget(0, 3, this);
    versionsTable_->setObjectName(QStringLiteral("versionsTable"));
    versionsTable_->setAccessibleName(QStringLiteral("Frühere Fassungen"));
    versionsTable_->setHorizontalHeaderLabels(
        {QStringLiteral("Datum"), QStringLiteral("Uhrzeit"), QStringLiteral("Inhalt gegenüber heute")});
    versionsTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    versionsTable_->setSelectionMode(QAbstractItemView::SingleSelection);
    versionsTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    versionsTable_->verticalHeader()->hide();
    versionsTable_->horizontalHeader()->setStretchLastSection(true);

    restoreButton_ = new QPushButton(QStringLiteral("&Wiederherstellen"), this);
    restoreButton_->setObjectName(QStringLiteral("restoreButton"));
    restoreButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("&Abbrechen"), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    connect(restoreButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(versionsTable_, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(restoreButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(captionLabel_);
    layout->addWidget(versionsTable_);
    layout->addLayout(buttons);
}

void EarlierVersionsDialog::showRows(const QString& diaryName, const QList<VersionRow>& rows)
{
    rows_ = rows;
    captionLabel_->setText(
        QStringLiteral("Frühere Fassungen von \"%1\" (jeweils der Stand vor dem Speichern):").arg(diaryName));
    versionsTable_->setRowCount(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList cells{versionDateText(rows[i]), versionTimeText(rows[i]), versionContentText(rows[i])};
        for (int column = 0; column < cells.size(); ++column)
            versionsTable_->setItem(i, column, new QTableWidgetItem(cells[column]));
    }
    versionsTable_->resizeColumnsToContents();
    versionsTable_->horizontalHeader()->setStretchLastSection(true);
    if (!rows.isEmpty())
        versionsTable_->selectRow(0);
}

std::optional<VersionRow> EarlierVersionsDialog::chosen() const
{
    const int row = versionsTable_->currentRow();
    if (row < 0 || row >= rows_.size())
        return std::nullopt;
    return rows_[row];
}

bool restoreEarlierVersion(CurrentMonth& month, Desktop& desktop, EarlierVersionsDialog& dialog)
{
    if (!month.hasFile()) {
        desktop.information(QStringLiteral("Es ist keine Tabelle geöffnet, deren frühere Fassungen angezeigt werden "
                                           "könnten."));
        return false;
    }
    const QList<VersionRow> rows = versionRowsOf(month.path());
    const QString name = QFileInfo(month.path()).fileName();
    if (rows.isEmpty()) {
        desktop.information(QStringLiteral("Von der Tabelle \"%1\" gibt es noch keine früheren Fassungen.").arg(name));
        return false;
    }
    dialog.showRows(name, rows);
    if (desktop.execModal(dialog) != QDialog::Accepted)
        return false;
    const std::optional<VersionRow> row = dialog.chosen();
    if (!row)
        return false;
    const WriteResult written = restoreVersion(row->version, row->filePath);
    if (!written.ok) {
        desktop.error(written.error + QStringLiteral(" Die Datei ist unverändert."));
        return false;
    }
    month.open(month.path(), desktop.notifier());
    desktop.information(QStringLiteral("Die Fassung vom %1 um %2 Uhr ist wiederhergestellt. Der Stand davor ist als "
                                       "frühere Fassung aufbewahrt.")
                            .arg(versionDateText(*row), versionTimeText(*row)));
    return true;
}

} // namespace luftikon
