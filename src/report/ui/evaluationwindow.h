#pragma once
// The small window that shows the month's figures: the month's values, one row per week and
// how each figure is worked out.

#include "report/monthreport.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QWidget;

namespace luftikon {

class EvaluationWindow : public QDialog {
    Q_OBJECT
public:
    explicit EvaluationWindow(QWidget* parent = nullptr);

    // Replaces what the window shows by the figures of `report`.
    void showFigures(const MonthReport& report);

    QLabel* titleLabel = nullptr; // name and month
    QWidget* figuresPanel = nullptr;
    QPushButton* closeButton = nullptr; // "&Schließen"

private:
    QWidget* panelHost_ = nullptr;
};

} // namespace luftikon
