#include "versions/ui/earlierversionsdialog.h"

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

    captionLabel = new QLabel(this);
    captionLabel->setObjectName(QStringLiteral("captionLabel"));
    captionLabel->setWordWrap(true);

    versionsTable = new QTableWidget(0, 3, this);
    versionsTable->setObjectName(QStringLiteral("versionsTable"));
    versionsTable->setHorizontalHeaderLabels(
        {QStringLiteral("Datum"), QStringLiteral("Uhrzeit"), QStringLiteral("Inhalt gegenüber heute")});
    versionsTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    versionsTable->setSelectionMode(QAbstractItemView::SingleSelection);
    versionsTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    versionsTable->verticalHeader()->hide();
    versionsTable->horizontalHeader()->setStretchLastSection(true);

    restoreButton = new QPushButton(QStringLiteral("&Wiederherstellen"), this);
    restoreButton->setObjectName(QStringLiteral("restoreButton"));
    restoreButton->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("&Abbrechen"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    connect(restoreButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(versionsTable, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(restoreButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(captionLabel);
    layout->addWidget(versionsTable);
    layout->addLayout(buttons);
}

void EarlierVersionsDialog::showRows(const QString& diaryName, const QList<VersionRow>& rows)
{
    rows_ = rows;
    captionLabel->setText(
        QStringLiteral("Frühere Fassungen von \"%1\" (jeweils der Stand vor dem Speichern):").arg(diaryName));
    versionsTable->setRowCount(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList cells{versionDateText(rows[i]), versionTimeText(rows[i]), versionContentText(rows[i])};
        for (int column = 0; column < cells.size(); ++column)
            versionsTable->setItem(i, column, new QTableWidgetItem(cells[column]));
    }
    versionsTable->resizeColumnsToContents();
    versionsTable->horizontalHeader()->setStretchLastSection(true);
    if (!rows.isEmpty())
        versionsTable->selectRow(0);
}

std::optional<VersionRow> EarlierVersionsDialog::chosen() const
{
    const int row = versionsTable->currentRow();
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
    month.open(month.path(), [&desktop](MessageKind kind, const QString& text) { desktop.show(kind, text); });
    desktop.information(QStringLiteral("Die Fassung vom %1 um %2 Uhr ist wiederhergestellt. Der Stand davor ist als "
                                       "frühere Fassung aufbewahrt.")
                            .arg(versionDateText(*row), versionTimeText(*row)));
    return true;
}

} // namespace luftikon
