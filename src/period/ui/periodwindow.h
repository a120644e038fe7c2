#pragma once
// The window "Verlauf": a period of months chosen, its course as a chart, its months side by
// side in a table, and the commands that write the period's report and CSV file.

#include "period/periodfigures.h"
#include "platform/desktop.h"
#include "state/appstate.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTableWidget;

namespace luftikon {

class CourseView;

class PeriodWindow : public QDialog {
    Q_OBJECT
public:
    PeriodWindow(const AppState& state, Desktop& desktop, QWidget* parent = nullptr);
    ~PeriodWindow() override;

    // The last three months up to `last`.
    void showPeriod(DiaryMonth last);
    // The months from `first` to `last`, as the chooser's "from … to" gives them.
    void choosePeriod(DiaryMonth first, DiaryMonth last);
    const Period& period() const { return period_; }

    // The buttons' commands; the path written, or none.
    std::optional<QString> writeReport();
    std::optional<QString> saveCsv();

private:
    void chooserChanged();
    void rangeEdited();
    void readAndShow(DiaryMonth first, DiaryMonth last);
    void fillTable();

    const AppState& state_;
    Desktop& desktop_;
    Period period_;
    DiaryMonth drawn_; // the month the window was opened on: the last N months end there

    QComboBox* periodCombo_ = nullptr;
    QDateEdit* fromMonthEdit_ = nullptr;
    QDateEdit* toMonthEdit_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    CourseView* courseView_ = nullptr;
    QTableWidget* periodTable_ = nullptr;
    QPushButton* reportButton_ = nullptr;
    QPushButton* csvButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    bool filling_ = false; // the edits are being set from a chosen period, not by the user
};

} // namespace luftikon
