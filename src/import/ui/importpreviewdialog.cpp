// Builds the import preview: a summary, the rules, a tree of the months and the unreadable lines.
#include "import/ui/importpreviewdialog.h"

#include "diary/entryline.h"
#include "diary/slots.h"

#include "widgets/screenfit.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace luftikon {

namespace {

// A group shows this many lines; a file of a year of readings stays quick to open.
constexpr qsizetype shownPerGroup = 500;

const QString rulesText = QStringLiteral(
    "Jeder Messwert kommt in die Messung, deren eingestellte Uhrzeit seiner Uhrzeit am nächsten liegt; nennt die "
    "Datei die Messung selbst, gilt diese. Von mehreren Werten derselben Messung eines Tages zählt der höchste, die "
    "anderen werden ausgelassen. Einen Wert, den die Tabelle schon hat, trägt das Programm nicht noch einmal ein; "
    "steht dort ein anderer Wert, bleibt er, außer Sie wählen \"CSV-Werte übernehmen\".");

QString separatorName(QChar separator)
{
    if (separator == u'\t')
        return QStringLiteral("Tabulator");
    if (separator == u' ')
        return QStringLiteral("Leerzeichen");
    return u'"' + QString(separator) + u'"';
}

QString readingText(const PlannedReading& reading)
{
    const CsvReading& source = reading.source;
    return QStringLiteral("Zeile %1: %2 %3, %4: %5 l/min")
        .arg(source.lineNumber)
        .arg(source.date.toString(QStringLiteral("dd.MM.yyyy")), source.time, QString(slotInfo(reading.slot)->caption))
        .arg(source.value);
}

void addGroup(QTreeWidgetItem* parent, const QString& title, const QList<PlannedReading>& readings,
              const std::function<QString(const PlannedReading&)>& text, bool expanded)
{
    if (readings.isEmpty())
        return;
    auto* group = new QTreeWidgetItem(parent, {QStringLiteral("%1 (%2)").arg(title).arg(readings.size())});
    for (qsizetype i = 0; i < std::min(readings.size(), shownPerGroup); ++i)
        new QTreeWidgetItem(group, {text(readings[i])});
    if (readings.size() > shownPerGroup)
        new QTreeWidgetItem(group, {QStringLiteral("… und %1 weitere").arg(readings.size() - shownPerGroup)});
    group->setExpanded(expanded);
}

QString monthTitle(const MonthPlan& month)
{
    if (!month.error.isEmpty())
        return month.label() + QStringLiteral(": Die Tabelle kann nicht gelesen werden und bleibt, wie sie ist. ") +
               month.error;
    QString title = QStringLiteral("%1: %2 neu, %3 schon vorhanden, %4 abweichend, %5 ausgelassen")
                        .arg(month.label())
                        .arg(month.fresh.size())
                        .arg(month.alreadyThere.size())
                        .arg(month.conflicts.size())
                        .arg(month.leftOut.size());
    if (!month.exists && !month.fresh.isEmpty())
        title += QStringLiteral(" (neue Tabelle ") + QFileInfo(month.path).fileName() + u')';
    return title;
}

} // namespace

ImportPreviewDialog::ImportPreviewDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("importPreviewDialog"));
    setWindowTitle(QStringLiteral("Messwerte aus CSV-Datei übernehmen"));
    resize(860, 540);
    fitToScreen(*this, size(), QStringLiteral("ImportFenster"));

    summaryLabel_ = new QLabel(this);
    summaryLabel_->setObjectName(QStringLiteral("summaryLabel"));
    summaryLabel_->setWordWrap(true);
    rulesLabel_ = new QLabel(rulesText, this);
    rulesLabel_->setObjectName(QStringLiteral("rulesLabel"));
    rulesLabel_->setWordWrap(true);
    previewTree_ = new QTreeWidget(this);
    previewTree_->setObjectName(QStringLiteral("previewTree"));
    previewTree_->setAccessibleName(QStringLiteral("Messwerte der Datei nach Monaten"));
    previewTree_->setHeaderHidden(true);
    // Long lines scroll instead of being cut.
    previewTree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    previewTree_->header()->setStretchLastSection(false);
    previewTree_->setTextElideMode(Qt::ElideNone);
    previewTree_->setUniformRowHeights(true);
    takeValuesCheck_ = new QCheckBox(QStringLiteral("CSV-Werte übernehmen"), this);
    takeValuesCheck_->setObjectName(QStringLiteral("takeValuesCheck"));

    auto* buttons = new QDialogButtonBox(this);
    okButton_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setDefault(true);
    cancelButton_ = buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summaryLabel_);
    layout->addWidget(previewTree_, 1);
    layout->addWidget(rulesLabel_);
    layout->addWidget(takeValuesCheck_);
    layout->addWidget(buttons);
}

bool ImportPreviewDialog::takeFileValues() const
{
    return takeValuesCheck_->isEnabled() && takeValuesCheck_->isChecked();
}

void ImportPreviewDialog::showPlan(const ImportPlan& plan, const QString& fileName)
{
    const CsvContent& csv = plan.csv;
    summaryLabel_->setText(
        QStringLiteral("Datei \"%1\": %2, Trennzeichen %3, %4. Messwerte: %5, davon %6 neu, %7 schon vorhanden, "
                       "%8 abweichend, %9 ausgelassen. Nicht lesbare Zeilen: %10.")
            .arg(QFileInfo(fileName).fileName(), csv.encoding, separatorName(csv.separator),
                 csv.headerLine > 0 ? QStringLiteral("mit Kopfzeile") : QStringLiteral("ohne Kopfzeile"))
            .arg(csv.readings.size())
            .arg(plan.count(&MonthPlan::fresh))
            .arg(plan.count(&MonthPlan::alreadyThere))
            .arg(plan.count(&MonthPlan::conflicts))
            .arg(plan.count(&MonthPlan::leftOut))
            .arg(csv.unreadable.size()));

    previewTree_->clear();
    const auto valueOfLine = [](const QString& line) { return valueTextOf(line); };
    for (const MonthPlan& month : plan.months) {
        auto* item = new QTreeWidgetItem(previewTree_, {monthTitle(month)});
        addGroup(item, QStringLiteral("Neu"), month.fresh, readingText, plan.months.size() == 1);
        addGroup(item, QStringLiteral("Schon vorhanden"), month.alreadyThere, readingText, false);
        addGroup(
            item, QStringLiteral("Abweichend"), month.conflicts,
            [&](const PlannedReading& r) {
                return readingText(r) + QStringLiteral(" (in der Tabelle: %1)").arg(valueOfLine(r.other));
            },
            true);
        addGroup(
            item, QStringLiteral("Ausgelassen"), month.leftOut,
            [&](const PlannedReading& r) {
                return readingText(r) + QStringLiteral(" (es zählt der höhere Wert %1)").arg(valueOfLine(r.other));
            },
            true);
        item->setExpanded(true);
    }
    if (!csv.unreadable.isEmpty()) {
        auto* item =
            new QTreeWidgetItem(previewTree_, {QStringLiteral("Nicht lesbare Zeilen (%1)").arg(csv.unreadable.size())});
        for (qsizetype i = 0; i < std::min(csv.unreadable.size(), shownPerGroup); ++i) {
            const CsvProblem& problem = csv.unreadable[i];
            new QTreeWidgetItem(
                item,
                {QStringLiteral("Zeile %1: \"%2\" – %3").arg(problem.lineNumber).arg(problem.text, problem.reason)});
        }
        if (csv.unreadable.size() > shownPerGroup)
            new QTreeWidgetItem(item, {QStringLiteral("… und %1 weitere").arg(csv.unreadable.size() - shownPerGroup)});
        item->setExpanded(true);
    }

    const bool conflicts = plan.count(&MonthPlan::conflicts) > 0;
    takeValuesCheck_->setChecked(false);
    takeValuesCheck_->setEnabled(conflicts);
    okButton_->setFocus();
}

} // namespace luftikon
