// Builds the evaluation window's labels from the month's figure texts.
#include "report/ui/evaluationwindow.h"

#include "diary/dates.h"
#include "report/figuretexts.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace luftikon {

namespace {

constexpr int formulaWidth = 560; // px; wrapped text needs a width to wrap at

QLabel* label(const QString& text, QWidget* parent, bool bold = false)
{
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

QLabel* heading(const QString& text, QWidget* parent)
{
    QLabel* l = label(text, parent, true);
    QFont f = l->font();
    f.setPointSizeF(f.pointSizeF() * 1.15);
    l->setFont(f);
    return l;
}

QFrame* separator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

EvaluationWindow::EvaluationWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("EvaluationWindow"));
    setWindowTitle(QStringLiteral("Auswertung des Monats"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // always as large as its texts
    titleLabel = heading(QString(), this);
    titleLabel->setObjectName(QStringLiteral("titleLabel"));
    layout->addWidget(titleLabel);
    panelHost_ = new QWidget(this);
    auto* hostLayout = new QVBoxLayout(panelHost_);
    hostLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panelHost_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    closeButton = new QPushButton(QStringLiteral("&Schließen"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
}

void EvaluationWindow::showFigures(const MonthReport& report)
{
    const MonthFigures& figures = report.figures;
    const QString month =
        figures.month.valid()
            ? QStringLiteral("%1 %2").arg(germanMonthName(figures.month.month)).arg(figures.month.year)
            : QStringLiteral("unbekannter Monat");
    titleLabel->setText(QStringLiteral("%1 – %2").arg(report.userName, month));

    delete figuresPanel;
    figuresPanel = new QWidget(panelHost_);
    figuresPanel->setObjectName(QStringLiteral("figuresPanel"));
    panelHost_->layout()->addWidget(figuresPanel);
    auto* layout = new QVBoxLayout(figuresPanel);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* monthGrid = new QGridLayout;
    monthGrid->setHorizontalSpacing(16);
    int row = 0;
    for (const FigureLine& line : monthFigureLines(figures)) {
        monthGrid->addWidget(label(line.label, figuresPanel), row, 0);
        monthGrid->addWidget(label(line.value, figuresPanel, true), row, 1);
        ++row;
    }
    layout->addLayout(monthGrid);
    layout->addWidget(separator(figuresPanel));

    layout->addWidget(heading(QStringLiteral("Wochenwerte"), figuresPanel));
    auto* weekGrid = new QGridLayout;
    weekGrid->setHorizontalSpacing(16);
    for (int c = 0; c < weekColumnTitles.size(); ++c)
        weekGrid->addWidget(label(weekColumnTitles[c], figuresPanel, true), 0, c);
    row = 1;
    for (const WeekRow& week : weekRows(figures)) {
        weekGrid->addWidget(label(week.label, figuresPanel), row, 0);
        weekGrid->addWidget(label(week.swing, figuresPanel), row, 1);
        weekGrid->addWidget(label(week.lowestMorning, figuresPanel), row, 2);
        ++row;
    }
    layout->addLayout(weekGrid);
    layout->addWidget(separator(figuresPanel));

    layout->addWidget(heading(QStringLiteral("So sind die Zahlen berechnet"), figuresPanel));
    for (const QString& text : formulaLines(figures)) {
        QLabel* formula = label(text, figuresPanel);
        formula->setWordWrap(true);
        formula->setFixedWidth(formulaWidth);
        formula->setMinimumHeight(formula->heightForWidth(formulaWidth));
        layout->addWidget(formula);
    }
}

} // namespace luftikon
