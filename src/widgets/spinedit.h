#pragma once
// The numeric fields of the entry dialog: a text field with up/down buttons whose text the
// dialog's change handlers may rewrite freely (leading zeros, locks), so the text, not a
// number, is what the field holds. Up/down and setValue() keep the number inside its range.

#include <QAbstractSpinBox>
#include <QLineEdit>
#include <optional>

namespace luftikon {

class SpinEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    SpinEdit(int minimum, int maximum, QWidget* parent = nullptr);

    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }

    QString text() const;
    void setText(const QString& text);
    QLineEdit* editor() const { return lineEdit(); }

    // The text as a whole number; nullopt when it is none.
    std::optional<int> number() const;
    // The number the buttons step from: the text's number, or the minimum when the text is none.
    int value() const;
    // The number limited to the range, written as plain decimal text.
    void setValue(int value);

    void stepBy(int steps) override;
    // A number the user entered elsewhere (the touch keypad): set as setValue() does, and
    // counted as the user's own change.
    void enterValue(int value);

signals:
    void textEdited(const QString& text); // every change of the text, also by the program
    void changedByUser();                 // typed, stepped or entered by the user, never by the program

protected:
    StepEnabled stepEnabled() const override;
    QValidator::State validate(QString& input, int& pos) const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int minimum_;
    int maximum_;
};

// The time field: hours:minutes, stepped by the dialog's own rules.
class TimeEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit TimeEdit(QWidget* parent = nullptr);
    QString text() const;
    void setText(const QString& text);
    QLineEdit* editor() const { return lineEdit(); }
    void stepBy(int steps) override;

signals:
    void stepRequested(int steps);

protected:
    StepEnabled stepEnabled() const override;
};

} // namespace luftikon
