#pragma once
// The touch keypad: big digits, one big up/down button and OK, for the small numeric fields
// of the entry dialog on a touch screen. Not modal; OK writes the number into its field.

#include "platform/desktop.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace luftikon {

class SpinEdit;

enum class KeypadField { None, Day, Month, Year, Value };

class TouchKeypad : public QDialog {
    Q_OBJECT
public:
    explicit TouchKeypad(Desktop& desktop, QWidget* parent = nullptr);

    // Opens the keypad for `field`, editing `target`; a keypad already open for another
    // field first writes its number into that field.
    void openFor(KeypadField field, SpinEdit* target);

    KeypadField field() const { return field_; }
    int number() const { return number_; }

    void upClicked();
    void downClicked();
    // Writes the number into the field and closes; a text that is no whole number is
    // reported and the keypad stays open. False then.
    bool okClicked();
    void numberEdited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* promptLabel_ = nullptr;
    QLineEdit* numberEdit_ = nullptr; // the number being typed
    QToolButton* upButton_ = nullptr;
    QToolButton* downButton_ = nullptr;
    QPushButton* okButton_ = nullptr;

    void showNumber();

    Desktop& desktop_;
    KeypadField field_ = KeypadField::None;
    QPointer<SpinEdit> target_;
    int number_ = 0;
    bool adjusting_ = false;
};

} // namespace luftikon
