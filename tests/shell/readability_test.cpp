// Every window as tired eyes and a screen reader meet it: each text against the background it is
// drawn on, each text whole, and a name for each control.
#include "import/ui/importpreviewdialog.h"
#include "print/printpreview.h"
#include "support/appfixture.h"
#include "support/children.h"
#include "support/diarylines.h"
#include "versions/ui/earlierversionsdialog.h"
#include "widgets/contrast.h"
#include "widgets/spinedit.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>
#include <set>

using namespace luftikon;
using namespace luftikon::test;

namespace {

// The colour behind a widget's text: its own fill when it paints one (buttons, fields), otherwise
// that of the nearest ancestor that fills its background.
QColor groundOf(const QWidget* w, QPalette::ColorGroup group)
{
    if (w->backgroundRole() == QPalette::Window) {
        while (!w->isWindow() && !w->autoFillBackground() && !w->testAttribute(Qt::WA_StyledBackground))
            w = w->parentWidget();
    }
    return w->palette().color(group, w->backgroundRole());
}

// The widget that draws a control's text; nothing for a control without text.
const QWidget* textPainter(const QWidget* w)
{
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return label->text().isEmpty() ? nullptr : w;
    if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        return button->text().isEmpty() ? nullptr : w;
    if (const auto* area = qobject_cast<const QAbstractScrollArea*>(w))
        return area->viewport();
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w))
        return w;
    return nullptr;
}

bool isControl(const QWidget* w)
{
    return !w->focusProxy() && ((w->focusPolicy() & Qt::TabFocus) || qobject_cast<const QAbstractButton*>(w));
}

QString describe(const QWidget* w)
{
    return QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
}

// Fails for every text below the least contrast, every text cut off, every control without a
// name or with the name of another control of the window.
void expectReadable(QWidget& window)
{
    SCOPED_TRACE(window.objectName().toStdString());
    window.show();
    QApplication::processEvents();
    std::set<QString> names;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window))
            continue;
        if (const QWidget* painter = textPainter(w); painter && w->isEnabled()) {
            for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
                const QColor text = painter->palette().color(group, painter->foregroundRole());
                const QColor ground = groundOf(painter, group);
                EXPECT_GE(contrastRatio(text, ground), MinimumTextContrast)
                    << describe(w).toStdString() << ": " << text.name().toStdString() << " on "
                    << ground.name().toStdString();
            }
        }
        const auto* label = qobject_cast<const QLabel*>(w);
        const auto* button = qobject_cast<const QAbstractButton*>(w);
        if ((label && !label->wordWrap() && !label->text().isEmpty()) || (button && !button->text().isEmpty())) {
            // A push button's text needs its width and a margin; the style's least width of a
            // button is no text of its own.
            const int needed =
                qobject_cast<const QPushButton*>(w)
                    ? std::min(w->sizeHint().width(),
                               w->fontMetrics().horizontalAdvance(QString(button->text()).remove(u'&')) + 12)
                    : w->sizeHint().width();
            EXPECT_GE(w->width(), needed) << describe(w).toStdString();
            EXPECT_TRUE(window.rect().contains(QRect(w->mapTo(&window, QPoint(0, 0)), w->size())))
                << describe(w).toStdString() << " reaches beyond the window";
        }
        if (!isControl(w))
            continue;
        const QString name = QAccessible::queryAccessibleInterface(const_cast<QWidget*>(w))->text(QAccessible::Name);
        EXPECT_FALSE(name.trimmed().isEmpty()) << describe(w).toStdString() << " has no name";
        EXPECT_TRUE(name.isEmpty() || names.insert(name).second)
            << describe(w).toStdString() << " shares its name \"" << name.toStdString() << '"';
    }
    window.hide();
}

class Readability : public ::testing::Test, protected AppFixture {
protected:
    Readability()
    {
        writeLines(diary,
                   diaryHead(QStringLiteral("Muster"), QStringLiteral("März 2024")) +
                       QStringList{reading("Morgens", 4, 520), reading("Abends", 4, 310), reading("Morgens", 5, 150)});
        returnTo(QStringLiteral("Muster"), diary);
        desktop.clearShown();
    }
    // Runs `command` and checks the window it shows modally.
    void checkShownBy(const std::function<void()>& command)
    {
        bool shown = false;
        desktop.answerDialog([&shown](QDialog& dialog) {
            shown = true;
            expectReadable(dialog);
            return int(QDialog::Rejected);
        });
        command();
        EXPECT_TRUE(shown);
    }
    const QString diary = diaryPath(QStringLiteral("Muster"), 3, 2024);
};

} // namespace

TEST(Contrast, FollowsTheGuidelinesMeasureWhicheverColourComesFirst)
{
    EXPECT_DOUBLE_EQ(contrastRatio(Qt::black, Qt::white), 21.0);
    EXPECT_DOUBLE_EQ(contrastRatio(QColor(12, 34, 56), QColor(12, 34, 56)), 1.0);
    EXPECT_NEAR(contrastRatio(QColor(128, 128, 128), Qt::white), 3.95, 0.005);
    EXPECT_NEAR(contrastRatio(Qt::white, QColor(0, 0, 255)), 8.59, 0.005);
    EXPECT_NEAR(contrastRatio(QColor(255, 0, 0), QColor(192, 192, 192)), 2.20, 0.005);
}

TEST_F(Readability, EveryWindowHasReadableWholeTextsAndNamedControls)
{
    // A locked month field shows its grey.
    auto* entry = child<QDialog>(form, "entryDialog");
    child<SpinEdit>(entry, "yearSpin")->setText(QStringLiteral("2025"));
    ASSERT_NE(child<SpinEdit>(entry, "yearSpin")->editor()->palette().color(QPalette::Text), QColor(0, 128, 0));
    expectReadable(*entry);
    for (const char* name : {"chartSettingsDialog", "userNameDialog", "aboutBox"})
        expectReadable(*child<QDialog>(form, name));
    // A chosen colour that is hard to read does not reach any text.
    desktop.answerColor(QColor(255, 255, 0));
    child<QPushButton>(child<QDialog>(form, "chartSettingsDialog"), "curveColourButton")->click();
    expectReadable(*child<QDialog>(form, "chartSettingsDialog"));

    auto* preview = child<PrintPreview>(form, "printPreview");
    preview->show();
    preview->refresh();
    expectReadable(*preview);

    checkShownBy([this] {
        child<QAction>(form, "showCurrentTableAction")->trigger();
        form->showPreparedTable();
    });
    checkShownBy([this] { form->evaluateMonthTriggered(); });
    checkShownBy([this] { form->periodViewTriggered(); });

    ImportPreviewDialog import;
    import.showPlan(ImportPlan{}, QStringLiteral("werte.csv"));
    expectReadable(import);
    EarlierVersionsDialog versions;
    versions.showRows(QStringLiteral("Muster_3_2024.tab"), {});
    expectReadable(versions);
    EXPECT_TRUE(desktop.shown().empty()) << desktop.shownTexts().join(u'|').toStdString();
}

TEST_F(Readability, TheChartTellsItsMonthToScreenReaders)
{
    auto* chart = child<QLabel>(form, "chartLabel");
    QAccessibleInterface* told = QAccessible::queryAccessibleInterface(chart);
    EXPECT_EQ(told->text(QAccessible::Name), QStringLiteral("Monatsgrafik"));
    EXPECT_EQ(
        told->text(QAccessible::Description),
        QStringLiteral("März 2024: 3 Messwerte, Bestwert 520 l/min, letzter Wert 150 l/min am 05.03. (rote Zone)"));
    // Another month drawn is told at once.
    const QString april = diaryPath(QStringLiteral("Muster"), 4, 2024);
    writeLines(april, diaryHead(QStringLiteral("Muster"), QStringLiteral("April 2024")));
    form->month().open(april);
    EXPECT_EQ(told->text(QAccessible::Description), QStringLiteral("April 2024: keine Messwerte"));
}
