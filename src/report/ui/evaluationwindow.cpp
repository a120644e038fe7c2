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
    setObjectName(QStringLiteral("evaluationWindow"));
    setWindowTitle(QStringLiteral("Auswertung des Monats"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // always as large as its texts
    titleLabel_ = heading(QString(), this);
    titleLabel_->setObjectName(QStringLiteral("titleLabel"));
    layout->addWidget(titleLabel_);
    panelHost_ = new QWidget(this);
    auto* hostLayout = new QVBoxLayout(panelHost_);
    hostLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panelHost_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    closeButton_ = new QPushButton(QStringLiteral("&Schließen"), this);
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    closeButton_->setDefault(true);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(closeButton_);
    layout->addLayout(buttons);
}

void EvaluationWindow::showFigures(const MonthReport& report)
{
    const MonthFigures& figures = report.figures;
    const QString month = figures.month.valid() ? germanMonthAndYear(figures.month.month, figures.month.year)
                                                : QStringLiteral("unbekannter Monat");
    titleLabel_->setText(QStringLiteral("%1 – %2").arg(report.userName, month));

    delete figuresPanel_;
    figuresPanel_ = new QWidget(panelHost_);
    figuresPanel_->setObjectName(QStringLiteral("figuresPanel"));
    panelHost_->layout()->addWidget(figuresPanel_);
    auto* layout = new QVBoxLayout(figuresPanel_);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* monthGrid = new QGridLayout;
    monthGrid->setHorizontalSpacing(16);
    int row = 0;
    for (const FigureLine& line : monthFigureLines(figures)) {
        monthGrid->addWidget(label(line.label, figuresPanel_), row, 0);
        monthGrid->addWidget(label(line.value, figuresPanel_, true), row, 1);
        ++row;
    }
    layout->addLayout(monthGrid);
    layout->addWidget(separator(figuresPanel_));

    layout->addWidget(heading(QStringLiteral("Wochenwerte"), figuresPanel_));
    auto* weekGrid = new QGridLayout;
    weekGrid->setHorizontalSpacing(16);
    for (int c = 0; c < weekColumnTitles.size(); ++c)
        weekGrid->addWidget(label(weekColumnTitles[c], figuresPanel_, true), 0, c);
    row = 1;
    for (const WeekRow& week : weekRows(figures)) {
        weekGrid->addWidget(label(week.label, figuresPanel_), row, 0);
        weekGrid->addWidget(label(week.swing, figuresPanel_), row, 1);
        weekGrid->addWidget(label(week.lowestMorning, figuresPanel_), row, 2);
        ++row;
    }
    layout->addLayout(weekGrid);
    layout->addWidget(separator(figuresPanel_));

    layout->addWidget(heading(QStringLiteral("So sind die Zahlen berechnet"), figuresPanel_));
    for (const QString& text : formulaLines(figures)) {
        QLabel* formula = label(text, figuresPanel_);
        formula->setWordWrap(true);
        formula->setFixedWidth(formulaWidth);
        formula->setMinimumHeight(formula->heightForWidth(formulaWidth));
        layout->addWidget(formula);
    }
}

} // namespace luftikon
