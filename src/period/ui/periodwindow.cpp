// The window over several months.
#include "period/ui/periodwindow.h"

#include "period/periodtexts.h"
#include "period/ui/coursechart.h"
#include "period/ui/periodcommands.h"

#include "widgets/screenfit.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace luftikon {

// The course drawn at whatever size the window gives it.
class CourseView : public QWidget {
public:
    explicit CourseView(const Period& period, QWidget* parent) : QWidget(parent), period_(period)
    {
        setMinimumSize(640, 260);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        CourseChart(period_.course, size()).paint(painter);
    }

private:
    const Period& period_;
};

namespace {

// The choices of the period chooser; the last one takes the two month fields.
constexpr int lastMonthCounts[] = {3, 6, 12};

DiaryMonth monthOf(const QDate& date)
{
    return DiaryMonth{date.month(), date.year()};
}

QDate dateOf(DiaryMonth month)
{
    return QDate(month.year, month.month, 1);
}

QDateEdit* monthEdit(const QString& name, QWidget* parent)
{
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(name);
    edit->setDisplayFormat(QStringLiteral("MMMM yyyy"));
    edit->setLocale(QLocale(QLocale::German, QLocale::Germany));
    edit->setDateRange(QDate(1950, 1, 1), QDate(2099, 12, 1));
    edit->setCalendarPopup(false);
    return edit;
}

} // namespace

PeriodWindow::PeriodWindow(const AppState& state, Desktop& desktop, QWidget* parent)
    : QDialog(parent), state_(state), desktop_(desktop)
{
    setObjectName(QStringLiteral("periodWindow"));
    setWindowTitle(QStringLiteral("Verlauf"));
    auto* layout = new QVBoxLayout(this);

    auto* chooser = new QHBoxLayout;
    auto* chooserLabel = new QLabel(QStringLiteral("&Zeitraum:"), this);
    periodCombo_ = new QComboBox(this);
    periodCombo_->setObjectName(QStringLiteral("periodCombo"));
    periodCombo_->addItems({QStringLiteral("die letzten 3 Monate"), QStringLiteral("die letzten 6 Monate"),
                            QStringLiteral("die letzten 12 Monate"), QStringLiteral("von Monat bis Monat")});
    chooserLabel->setBuddy(periodCombo_);
    periodCombo_->setAccessibleName(QStringLiteral("Zeitraum"));
    fromMonthEdit_ = monthEdit(QStringLiteral("fromMonthEdit"), this);
    toMonthEdit_ = monthEdit(QStringLiteral("toMonthEdit"), this);
    auto* fromLabel = new QLabel(QStringLiteral("&von"), this);
    fromLabel->setBuddy(fromMonthEdit_);
    auto* toLabel = new QLabel(QStringLiteral("&bis"), this);
    toLabel->setBuddy(toMonthEdit_);
    fromMonthEdit_->setAccessibleName(QStringLiteral("Erster Monat des Zeitraums"));
    toMonthEdit_->setAccessibleName(QStringLiteral("Letzter Monat des Zeitraums"));
    chooser->addWidget(chooserLabel);
    chooser->addWidget(periodCombo_);
    chooser->addSpacing(12);
    chooser->addWidget(fromLabel);
    chooser->addWidget(fromMonthEdit_);
    chooser->addWidget(toLabel);
    chooser->addWidget(toMonthEdit_);
    chooser->addStretch();
    layout->addLayout(chooser);

    titleLabel_ = new QLabel(this);
    titleLabel_->setObjectName(QStringLiteral("titleLabel"));
    QFont bold = titleLabel_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    titleLabel_->setFont(bold);
    layout->addWidget(titleLabel_);

    courseView_ = new CourseView(period_, this);
    courseView_->setObjectName(QStringLiteral("courseView"));
    courseView_->setAccessibleName(QStringLiteral("Verlauf der Messwerte als Grafik"));
    layout->addWidget(courseView_, 5);

    periodTable_ = new QTableWidget(this);
    periodTable_->setObjectName(QStringLiteral("periodTable"));
    periodTable_->setAccessibleName(QStringLiteral("Die Monate des Zeitraums nebeneinander"));
    periodTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    periodTable_->verticalHeader()->hide();
    periodTable_->setColumnCount(int(periodColumnTitles.size()));
    periodTable_->setHorizontalHeaderLabels(periodColumnTitles);
    periodTable_->setWordWrap(false);
    periodTable_->verticalHeader()->setDefaultSectionSize(periodTable_->fontMetrics().height() + 8);
    layout->addWidget(periodTable_, 4);

    auto* buttons = new QHBoxLayout;
    reportButton_ = new QPushButton(QStringLiteral("Bericht als &PDF"), this);
    reportButton_->setObjectName(QStringLiteral("reportButton"));
    csvButton_ = new QPushButton(QStringLiteral("Als &CSV-Datei speichern"), this);
    csvButton_->setObjectName(QStringLiteral("csvButton"));
    closeButton_ = new QPushButton(QStringLiteral("&Schließen"), this);
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    closeButton_->setDefault(true);
    buttons->addWidget(reportButton_);
    buttons->addWidget(csvButton_);
    buttons->addStretch();
    buttons->addWidget(closeButton_);
    layout->addLayout(buttons);

    connect(periodCombo_, &QComboBox::currentIndexChanged, this, &PeriodWindow::chooserChanged);
    connect(fromMonthEdit_, &QDateEdit::dateChanged, this, &PeriodWindow::rangeEdited);
    connect(toMonthEdit_, &QDateEdit::dateChanged, this, &PeriodWindow::rangeEdited);
    connect(reportButton_, &QPushButton::clicked, this, [this] { writeReport(); });
    connect(csvButton_, &QPushButton::clicked, this, [this] { saveCsv(); });
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);
    resize(1120, 900);
    fitToScreen(*this, size(), QStringLiteral("VerlaufFenster"));
}

PeriodWindow::~PeriodWindow() = default;

void PeriodWindow::showPeriod(DiaryMonth last)
{
    drawn_ = last;
    filling_ = true;
    periodCombo_->setCurrentIndex(0);
    filling_ = false;
    chooserChanged();
}

void PeriodWindow::choosePeriod(DiaryMonth first, DiaryMonth last)
{
    filling_ = true;
    periodCombo_->setCurrentIndex(int(std::size(lastMonthCounts)));
    filling_ = false;
    readAndShow(first, last);
}

void PeriodWindow::chooserChanged()
{
    if (filling_)
        return;
    const int choice = periodCombo_->currentIndex();
    if (choice >= 0 && choice < int(std::size(lastMonthCounts)))
        readAndShow(firstOfLastMonths(drawn_, lastMonthCounts[choice]), drawn_);
}

void PeriodWindow::rangeEdited()
{
    if (filling_)
        return;
    DiaryMonth first = monthOf(fromMonthEdit_->date());
    DiaryMonth last = monthOf(toMonthEdit_->date());
    // A "to" before the "from" is a period the other way round, not an empty one.
    if (dateOf(last) < dateOf(first))
        std::swap(first, last);
    filling_ = true;
    periodCombo_->setCurrentIndex(int(std::size(lastMonthCounts)));
    filling_ = false;
    readAndShow(first, last);
}

void PeriodWindow::readAndShow(DiaryMonth first, DiaryMonth last)
{
    period_ = readPeriod(state_.galleryFolder, state_.userName, first, last);
    filling_ = true;
    fromMonthEdit_->setDate(dateOf(first));
    toMonthEdit_->setDate(dateOf(last));
    filling_ = false;
    titleLabel_->setText(state_.userName + QStringLiteral(" – ") + periodName(first, last));
    fillTable();
    courseView_->update();
}

void PeriodWindow::fillTable()
{
    const std::vector<PeriodRow> rows = periodRows(period_);
    periodTable_->clearSpans();
    periodTable_->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const PeriodRow& row = rows[std::size_t(r)];
        const bool total = r + 1 == int(rows.size());
        for (int c = 0; c < periodTable_->columnCount(); ++c) {
            auto* item = new QTableWidgetItem(c < row.cells.size() ? row.cells[c] : QString());
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
            if (total) {
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
            }
            periodTable_->setItem(r, c, item);
        }
    }
    // Widths from the figures; a note across the row must not widen the one column it starts in.
    periodTable_->resizeColumnsToContents();
    for (int r = 0; r < int(rows.size()); ++r) {
        const QString& note = rows[std::size_t(r)].note;
        if (note.isEmpty())
            continue;
        periodTable_->setSpan(r, 1, 1, periodTable_->columnCount() - 1);
        QTableWidgetItem* item = periodTable_->item(r, 1);
        item->setText(note);
        item->setToolTip(note);
        item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
}

std::optional<QString> PeriodWindow::writeReport()
{
    return writePeriodReport(period_, state_.dataFolder, desktop_);
}

std::optional<QString> PeriodWindow::saveCsv()
{
    return savePeriodCsv(period_, state_.dataFolder, desktop_);
}

} // namespace luftikon
