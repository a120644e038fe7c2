#include "widgets/spinedit.h"

#include "diary/entryline.h"

#include <QFocusEvent>
#include <QLineEdit>

namespace luftikon {

SpinEdit::SpinEdit(int minimum, int maximum, QWidget* parent)
    : QAbstractSpinBox(parent), minimum_(minimum), maximum_(maximum)
{
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setKeyboardTracking(true);
    connect(lineEdit(), &QLineEdit::textChanged, this, &SpinEdit::textEdited);
    connect(lineEdit(), &QLineEdit::textEdited, this, &SpinEdit::changedByUser);
}

QString SpinEdit::text() const
{
    return lineEdit()->text();
}

void SpinEdit::setText(const QString& text)
{
    lineEdit()->setText(text);
}

std::optional<int> SpinEdit::number() const
{
    const QString trimmed = trimBlanks(text());
    if (trimmed.isEmpty() || trimmed.startsWith(u'+') || trimmed.startsWith(u'-'))
        return std::nullopt;
    return parseWholeNumber(trimmed);
}

int SpinEdit::value() const
{
    return number().value_or(minimum_);
}

void SpinEdit::setValue(int value)
{
    setText(QString::number(std::clamp(value, minimum_, maximum_)));
}

void SpinEdit::stepBy(int steps)
{
    const long long next = static_cast<long long>(value()) + steps;
    setValue(static_cast<int>(std::clamp<long long>(next, minimum_, maximum_)));
    emit changedByUser();
}

void SpinEdit::enterValue(int value)
{
    setValue(value);
    emit changedByUser();
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const
{
    return StepUpEnabled | StepDownEnabled;
}

QValidator::State SpinEdit::validate(QString& input, int&) const
{
    // Only digits can be typed; the change handlers decide about everything else.
    for (const QChar c : input) {
        if (c < u'0' || c > u'9')
            return QValidator::Invalid;
    }
    return input.isEmpty() ? QValidator::Intermediate : QValidator::Acceptable;
}

void SpinEdit::focusOutEvent(QFocusEvent* event)
{
    // Leaving the field pulls a number outside the range back into it.
    if (const auto n = number(); n && (*n < minimum_ || *n > maximum_))
        setValue(*n);
    QAbstractSpinBox::focusOutEvent(event);
}

TimeEdit::TimeEdit(QWidget* parent) : QAbstractSpinBox(parent)
{
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
}

QString TimeEdit::text() const
{
    return lineEdit()->text();
}

void TimeEdit::setText(const QString& text)
{
    lineEdit()->setText(text);
}

void TimeEdit::stepBy(int steps)
{
    emit stepRequested(steps);
}

QAbstractSpinBox::StepEnabled TimeEdit::stepEnabled() const
{
    return StepUpEnabled | StepDownEnabled;
}

} // namespace luftikon
