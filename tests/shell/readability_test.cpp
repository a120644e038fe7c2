// Every window as tired eyes and a screen reader meet it: each text against the background it is
// drawn on, and a name for each control.
#include "import/ui/importpreviewdialog.h"
#include "print/printpreview.h"
#include "support/appfixture.h"
#include "support/children.h"
#include "support/diarylines.h"
#include "support/widgettext.h"
#include "versions/ui/earlierversionsdialog.h"
#include "widgets/contrast.h"
#include "widgets/spinedit.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <set>

using namespace luftikon;
using namespace luftikon::test;

namespace {

// Buttons and fields fill their own ground; labels and check boxes stand on that of the nearest
// ancestor that fills its background.
QColor groundOf(const QWidget* w)
{
    while (w->backgroundRole() == QPalette::Window && !w->isWindow() && !w->autoFillBackground() &&
           !w->testAttribute(Qt::WA_StyledBackground))
        w = w->parentWidget();
    return w->palette().color(w->backgroundRole());
}

void expectReadable(QWidget& window)
{
    SCOPED_TRACE(window.objectName().toStdString());
    window.show();
    QApplication::processEvents();
    std::set<QString> names;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        SCOPED_TRACE(w->metaObject()->className() + (" " + w->objectName().toStdString()));
        const auto* label = qobject_cast<const QLabel*>(w);
        const auto* area = qobject_cast<const QAbstractScrollArea*>(w);
        const QWidget* painter = area ? area->viewport() : w;
        const QColor ink = painter->palette().color(painter->foregroundRole());
        const bool button = w->inherits("QAbstractButton");
        // Controls that are switched off need not be readable.
        if (w->isVisibleTo(&window) && w->isEnabled() &&
            (label ? !label->text().isEmpty()
                   : button || area || w->inherits("QLineEdit") || w->inherits("QComboBox"))) {
            EXPECT_GE(contrastRatio(ink, groundOf(painter)), MinimumTextContrast)
                << ink.name().toStdString() << " on " << groundOf(painter).name().toStdString();
        }
        if (!w->isVisibleTo(&window) || w->focusProxy() || !((w->focusPolicy() & Qt::TabFocus) || button))
            continue;
        const QString name = QAccessible::queryAccessibleInterface(const_cast<QWidget*>(w))->text(QAccessible::Name);
        EXPECT_FALSE(name.trimmed().isEmpty()) << "no name";
        EXPECT_TRUE(name.isEmpty() || names.insert(name).second) << "shares its name " << name.toStdString();
    }
    window.hide();
}

} // namespace

TEST(Readability, EveryWindowHasReadableTextsAndNamedControlsAndTheChartTellsItsMonth)
{
    EXPECT_NEAR(contrastRatio(Qt::white, QColor(128, 128, 128)), 3.95, 0.005); // the guidelines' own example
    AppFixture app;
    const QString march = app.diaryPath(QStringLiteral("Muster"), 3, 2024);
    // The latest reading is the evening's, though not the file's last line; on the red limit it is
    // yellow; a value that is no number is no reading of the chart.
    app.writeLines(
        march, diaryHead(QStringLiteral("Muster"), QStringLiteral("März 2024")) +
                   QStringList{reading("Abends", 5, 200), reading("Morgens", 5, 520), reading("Morgens", 4, "abc")});
    app.returnTo(QStringLiteral("Muster"), march);
    MainWindow* form = app.form.get();
    QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(child<QWidget>(form, "chartLabel"));
    EXPECT_EQ(chart->text(QAccessible::Name), QStringLiteral("Monatsgrafik"));
    EXPECT_EQ(
        chart->text(QAccessible::Description),
        QStringLiteral("März 2024: 2 Messwerte, Bestwert 520 l/min, letzter Wert 200 l/min am 05.03. (gelbe Zone)"));

    // A locked year field shows its grey; a hard-to-read curve colour is chosen.
    form->chartSettingsDialog();
    form->userNameDialog();
    form->aboutBox();
    child<SpinEdit>(form, "yearSpin")->setText(QStringLiteral("2025"));
    app.desktop.answerColor(QColor(255, 255, 0));
    child<QPushButton>(form, "curveColourButton")->click();
    form->printPreview().refresh();
    for (const char* name : {"entryDialog", "chartSettingsDialog", "userNameDialog", "aboutBox", "printPreview"})
        expectReadable(*child<QDialog>(form, name));
    for (int i = 0; i < 3; ++i)
        app.desktop.answerDialog([](QDialog& dialog) {
            expectReadable(dialog);
            return int(QDialog::Rejected);
        });
    child<QAction>(form, "showCurrentTableAction")->trigger();
    form->showPreparedTable();
    form->evaluateMonthTriggered();
    form->periodViewTriggered();
    ImportPreviewDialog import;
    import.showPlan(ImportPlan{}, QStringLiteral("werte.csv"));
    expectReadable(import);
    EarlierVersionsDialog versions;
    versions.showRows(QStringLiteral("Muster_3_2024.tab"), {});
    expectReadable(versions);
    EXPECT_EQ(app.desktop.shownTexts(), QStringList());

    const QString april = app.diaryPath(QStringLiteral("Muster"), 4, 2024);
    app.writeLines(april, diaryHead(QStringLiteral("Muster"), QStringLiteral("April 2024")));
    form->month().open(april);
    EXPECT_EQ(chart->text(QAccessible::Description), QStringLiteral("April 2024: keine Messwerte"));
}
