#pragma once
// The info box: which program and version this is, and what it does.

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace luftikon {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    QFrame* panel = nullptr;
    QLabel* titleLabel = nullptr;    // name and version
    QLabel* readingsLabel = nullptr; // the four or eight readings a day
    QLabel* purposeLabel = nullptr;  // what the program does
    QPushButton* okButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override; // centred on the screen
};

} // namespace luftikon
