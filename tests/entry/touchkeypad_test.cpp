#include "entry/touchkeypad.h"
#include "entryfixture.h"
#include "support/children.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>
#include <gtest/gtest.h>
#include <tuple>

using namespace luftikon;
using luftikon::test::EntryMachine;

namespace {

struct TouchMachine : EntryMachine {
    TouchKeypad* keypad;

    explicit TouchMachine(bool touch = true)
    {
        keypad = new TouchKeypad(desktop, dlg.get());
        dlg->setKeypad(keypad, touch);
        dlg->show();
    }

    void tap(SpinEdit* field)
    {
        const QPointF at(5, 5);
        QMouseEvent press(QEvent::MouseButtonPress, at, field->editor()->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(field->editor(), &press);
    }

    void type(int key, const QString& text = QString())
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(child<QLineEdit>(keypad, "numberEdit"), &press);
    }
    void typeText(const QString& text)
    {
        for (const QChar c : text)
            type(c == u',' ? Qt::Key_Comma : Qt::Key_0 + (c.unicode() - u'0'), QString(c));
    }
    QString shown() const { return child<QLineEdit>(keypad, "numberEdit")->text(); }
};

} // namespace

TEST(TouchKeypad, OpensOnATapOnlyOnAMultiTouchScreenAndStopsAtEachFieldsLimits)
{
    TouchMachine plain(false);
    plain.tap(child<SpinEdit>(plain.dlg, "daySpin"));
    EXPECT_FALSE(plain.keypad->isVisible());

    TouchMachine m;
    child<SpinEdit>(m.dlg, "daySpin")->setText(QStringLiteral("7"));
    m.tap(child<SpinEdit>(m.dlg, "daySpin"));
    ASSERT_TRUE(m.keypad->isVisible());
    EXPECT_FALSE(m.keypad->isModal());
    EXPECT_EQ(child<QLabel>(m.keypad, "promptLabel")->text(), QStringLiteral("Geben Sie den Tag ein:"));
    EXPECT_EQ(m.shown(), QStringLiteral("07"));
    m.keypad->hide();

    // Each field's keypad stops at its limits.
    const std::tuple<SpinEdit*, const char*, int, const char*> cases[] = {
        {child<SpinEdit>(m.dlg, "daySpin"), "31", +1, "31"},
        {child<SpinEdit>(m.dlg, "monthSpin"), "2", -3, "01"},
        {child<SpinEdit>(m.dlg, "yearSpin"), "1994", -3, "1993"},
        {child<SpinEdit>(m.dlg, "valueSpin"), "800", +1, "800"}};
    for (const auto& [field, start, steps, expected] : cases) {
        field->setText(QLatin1String(start));
        m.tap(field);
        for (int i = 0; i < std::abs(steps); ++i)
            (steps > 0 ? child<QToolButton>(m.keypad, "upButton") : child<QToolButton>(m.keypad, "downButton"))
                ->click();
        EXPECT_EQ(m.shown(), QLatin1String(expected)) << start << " " << steps;
        m.keypad->hide(); // closed by the frame: nothing written
        EXPECT_EQ(field->value(), QString::fromLatin1(start).toInt());
    }
}

TEST(TouchKeypad, TypingKeepsDigitsAndCommaAFifthCharacterGivesZeroAndOkWritesWhatTheFieldAccepts)
{
    TouchMachine m;
    child<SpinEdit>(m.dlg, "valueSpin")->setText(QStringLiteral("400"));
    m.tap(child<SpinEdit>(m.dlg, "valueSpin"));
    child<QLineEdit>(m.keypad, "numberEdit")->setCursorPosition(3);
    m.type(Qt::Key_A, QStringLiteral("a"));
    m.type(Qt::Key_Delete);
    m.type(Qt::Key_Home);
    m.typeText(QStringLiteral("5"));
    EXPECT_EQ(m.shown(), QStringLiteral("4005"));
    EXPECT_EQ(m.keypad->number(), 4005);
    m.typeText(QStringLiteral("1"));
    EXPECT_EQ(m.shown(), QStringLiteral("0"));

    // OK writes back what the field allows.
    m.typeText(QStringLiteral("950"));
    EXPECT_EQ(m.shown(), QStringLiteral("0950"));
    child<QPushButton>(m.keypad, "okButton")->click();
    EXPECT_FALSE(m.keypad->isVisible());
    EXPECT_EQ(child<SpinEdit>(m.dlg, "valueSpin")->text(), QStringLiteral("800"));
    EXPECT_EQ(m.keypad->field(), KeypadField::None);

    // A year beyond four digits becomes the lowest year.
    child<SpinEdit>(m.dlg, "yearSpin")->setText(QStringLiteral("9999"));
    m.tap(child<SpinEdit>(m.dlg, "yearSpin"));
    child<QToolButton>(m.keypad, "upButton")->click();
    EXPECT_EQ(m.shown(), QStringLiteral("0"));
    child<QPushButton>(m.keypad, "okButton")->click();
    EXPECT_EQ(child<SpinEdit>(m.dlg, "yearSpin")->text(), QStringLiteral("1900"));

    // A day with a comma is reported by name; the keypad stays and the field keeps its day.
    child<SpinEdit>(m.dlg, "daySpin")->setText(QStringLiteral("12"));
    m.tap(child<SpinEdit>(m.dlg, "daySpin"));
    m.typeText(QStringLiteral(",5"));
    child<QPushButton>(m.keypad, "okButton")->click();
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    EXPECT_EQ(m.desktop.shown().back().kind, MessageKind::Error);
    EXPECT_TRUE(m.desktop.shown().back().text.contains(QStringLiteral("\"12,5\"")));
    EXPECT_TRUE(m.desktop.shown().back().text.contains(QStringLiteral("\"Tag\"")));
    EXPECT_TRUE(m.keypad->isVisible());
    EXPECT_EQ(child<SpinEdit>(m.dlg, "daySpin")->text(), QStringLiteral("12"));
}

TEST(TouchKeypad, TappingAnotherFieldHandsTheNumberOverFirst)
{
    TouchMachine m;
    child<SpinEdit>(m.dlg, "daySpin")->setText(QStringLiteral("09"));
    child<SpinEdit>(m.dlg, "monthSpin")->setText(QStringLiteral("5"));
    m.tap(child<SpinEdit>(m.dlg, "daySpin"));
    child<QToolButton>(m.keypad, "upButton")->click();
    m.tap(child<SpinEdit>(m.dlg, "monthSpin"));
    EXPECT_EQ(child<SpinEdit>(m.dlg, "daySpin")->text(), QStringLiteral("10"));
    EXPECT_EQ(m.keypad->field(), KeypadField::Month);
    EXPECT_EQ(m.shown(), QStringLiteral("05"));

    // Closed by the frame: the month keeps its value; a later OK writes only its own field.
    child<QToolButton>(m.keypad, "upButton")->click();
    m.keypad->close();
    EXPECT_EQ(child<SpinEdit>(m.dlg, "monthSpin")->text(), QStringLiteral("5"));
    m.tap(child<SpinEdit>(m.dlg, "valueSpin"));
    child<QToolButton>(m.keypad, "downButton")->click();
    child<QPushButton>(m.keypad, "okButton")->click();
    EXPECT_EQ(child<SpinEdit>(m.dlg, "monthSpin")->text(), QStringLiteral("5"));
    EXPECT_EQ(child<SpinEdit>(m.dlg, "daySpin")->text(), QStringLiteral("10"));
    EXPECT_EQ(child<SpinEdit>(m.dlg, "valueSpin")->text(), QStringLiteral("399"));
}
