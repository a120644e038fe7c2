#pragma once
// The preview of a CSV import: per month the new readings, those already there, the conflicts and
// those left out, and the lines that could not be read. Nothing is written while it is open.

#include "import/importplan.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace luftikon {

class ImportPreviewDialog : public QDialog {
    Q_OBJECT
public:
    explicit ImportPreviewDialog(QWidget* parent = nullptr);

    void showPlan(const ImportPlan& plan, const QString& fileName);
    // "CSV-Werte übernehmen": conflicts take the file's value.
    bool takeFileValues() const;

private:
    QLabel* summaryLabel_ = nullptr;
    QLabel* rulesLabel_ = nullptr;
    QTreeWidget* previewTree_ = nullptr;
    QCheckBox* takeValuesCheck_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace luftikon
