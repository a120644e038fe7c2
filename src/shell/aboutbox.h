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

protected:
    void showEvent(QShowEvent* event) override; // centred on the screen
private:
    QFrame* panel_ = nullptr;
    QLabel* titleLabel_ = nullptr;    // name and version
    QLabel* readingsLabel_ = nullptr; // the four or eight readings a day
    QLabel* purposeLabel_ = nullptr;  // what the program does
    QPushButton* okButton_ = nullptr;
};

} // namespace luftikon
