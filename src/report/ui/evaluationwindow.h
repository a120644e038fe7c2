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

private:
    QLabel* titleLabel_ = nullptr; // name and month
    QWidget* figuresPanel_ = nullptr;
    QPushButton* closeButton_ = nullptr; // "&Schließen"

    QWidget* panelHost_ = nullptr;
};

} // namespace luftikon
