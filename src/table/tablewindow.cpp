#include "table/tablewindow.h"

#include "diary/longlines.h"
#include "diary/textfile.h"
#include "table/tablepicture.h"
#include "widgets/screenfit.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTextBlock>
#include <QTimer>
#include <algorithm>

namespace luftikon {

namespace {

const QString remarksHeading = QStringLiteral("          Meine Bemerkung:");

// Window and control sizes of the two layouts; the controls keep their distance to the
// window edges they are anchored to when the window is resized.
constexpr QSize fourSlotWindow(836, 665);
constexpr QSize fourSlotGrid(619, 605);
constexpr int fourSlotRemarksWidth = 196;
constexpr QSize eightSlotWindow(1195, 660);
constexpr QSize eightSlotGrid(1175, 498);
constexpr int eightSlotRemarksHeight = 100;
constexpr int remarksGap = 2;
constexpr int designRows = 32;

// Draws the cells as the copied picture does, with the selection's colours on top.
class TableCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        paintTableCell(*painter, option.rect, index.data().toString(),
                       selected ? option.palette.color(QPalette::Highlight) : QColor(Qt::white),
                       selected ? option.palette.color(QPalette::HighlightedText) : QColor(Qt::black));
    }
};

} // namespace

TableWindow::TableWindow(const CurrentMonth& month, Desktop& desktop, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      month_(month), desktop_(desktop)
{
    setObjectName(QStringLiteral("tableWindow"));
    setModal(true);
    buildMenus();
    buildControls();
    resize(fourSlotWindow);
    applyLayout();
}

void TableWindow::buildMenus()
{
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QStringLiteral("menuBar"));
    fileMenu_ = menuBar_->addMenu(QStringLiteral("&Datei"));
    fileMenu_->setObjectName(QStringLiteral("fileMenu"));
    printAction_ = fileMenu_->addAction(QStringLiteral("&Drucken"));
    printAction_->setObjectName(QStringLiteral("printAction"));
    connect(printAction_, &QAction::triggered, this, &TableWindow::printTable);
    fileMenu_->addSeparator();
    closeAction_ = fileMenu_->addAction(QStringLiteral("Be&enden"));
    closeAction_->setObjectName(QStringLiteral("closeAction"));
    connect(closeAction_, &QAction::triggered, this, &TableWindow::closeWindow);

    gridMenu_ = new QMenu(this);
    gridMenu_->setObjectName(QStringLiteral("gridMenu"));
    printContextAction_ = gridMenu_->addAction(QStringLiteral("Drucken"));
    printContextAction_->setObjectName(QStringLiteral("printContextAction"));
    connect(printContextAction_, &QAction::triggered, this, &TableWindow::printTable);
    copySelectedTextAction_ = gridMenu_->addAction(QStringLiteral("Markierten Text kopieren"));
    copySelectedTextAction_->setObjectName(QStringLiteral("copySelectedTextAction"));
    copyAllAsPictureAction_ = gridMenu_->addAction(QStringLiteral("Alles als Grafik kopieren"));
    copyAllAsPictureAction_->setObjectName(QStringLiteral("copyAllAsPictureAction"));
    copySelectionAsPictureAction_ = gridMenu_->addAction(QStringLiteral("Nur markierten Bereich als Grafik kopieren"));
    copySelectionAsPictureAction_->setObjectName(QStringLiteral("copySelectionAsPictureAction"));
    connect(copySelectedTextAction_, &QAction::triggered, this, &TableWindow::copySelectedText);
    connect(copyAllAsPictureAction_, &QAction::triggered, this, &TableWindow::copyAllAsPicture);
    connect(copySelectionAsPictureAction_, &QAction::triggered, this, &TableWindow::copySelectionAsPicture);
}

void TableWindow::buildControls()
{
    readingsGrid_ = new QTableWidget(designRows, tableColumnCount(SlotMode::Four), this);
    readingsGrid_->setObjectName(QStringLiteral("readingsGrid"));
    readingsGrid_->setFont(tableFont());
    readingsGrid_->horizontalHeader()->hide();
    readingsGrid_->verticalHeader()->hide();
    // Qt counts the grid line inside a section, so a section is the cell plus one pixel.
    for (QHeaderView* header : {readingsGrid_->horizontalHeader(), readingsGrid_->verticalHeader()}) {
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    readingsGrid_->horizontalHeader()->setDefaultSectionSize(cellWidth + 1);
    readingsGrid_->verticalHeader()->setDefaultSectionSize(rowPitch);
    readingsGrid_->setShowGrid(false);
    readingsGrid_->setItemDelegate(new TableCellDelegate(readingsGrid_));
    readingsGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    readingsGrid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    readingsGrid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    readingsGrid_->setWordWrap(false);
    readingsGrid_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    readingsGrid_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    readingsGrid_->installEventFilter(this);
    readingsGrid_->viewport()->installEventFilter(this);

    remarksEdit_ = new QPlainTextEdit(this);
    remarksEdit_->setObjectName(QStringLiteral("remarksEdit"));
    QFont memoFont(QStringLiteral("Arial"));
    memoFont.setPixelSize(12);
    remarksEdit_->setFont(memoFont);
    // Long remarks wrap at the pane's edge on screen only; the file keeps each line as typed.
    remarksEdit_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    remarksEdit_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    remarksEdit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    remarksEdit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    remarksEdit_->setTabChangesFocus(false);
    remarksEdit_->setPlainText(remarksHeading);
    connect(remarksEdit_, &QPlainTextEdit::textChanged, this, [this] { remarksChanged_ = true; });
    remarksChanged_ = false;

    readingsGrid_->setAccessibleName(QStringLiteral("Messwerte des Monats als Tabelle"));
    remarksEdit_->setAccessibleName(QStringLiteral("Bemerkungen"));
}

void TableWindow::applyLayout()
{
    const int menuHeight = menuBar_->sizeHint().height();
    menuBar_->setGeometry(0, 0, width(), menuHeight);
    if (layoutMode_ == SlotMode::Four) {
        const int dw = width() - fourSlotWindow.width();
        const int dh = height() - fourSlotWindow.height();
        const int gridHeight = std::max(0, fourSlotGrid.height() + dh);
        readingsGrid_->setGeometry(0, menuHeight, std::max(0, fourSlotGrid.width() + dw), gridHeight);
        remarksEdit_->setGeometry(fourSlotGrid.width() + remarksGap + dw, menuHeight, fourSlotRemarksWidth, gridHeight);
    }
    else {
        const int dw = width() - eightSlotWindow.width();
        const int dh = height() - eightSlotWindow.height();
        const int gridWidth = std::max(0, eightSlotGrid.width() + dw);
        readingsGrid_->setGeometry(0, menuHeight, gridWidth, std::max(0, eightSlotGrid.height() + dh));
        remarksEdit_->setGeometry(0, menuHeight + eightSlotGrid.height() + remarksGap + dh, gridWidth,
                                  eightSlotRemarksHeight);
    }
}

void TableWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    applyLayout();
}

void TableWindow::prepareShowing(const QString& userLabel)
{
    setWindowTitle(userLabel + QStringLiteral("  ") + QChar(0x00B7) + QStringLiteral("  Bestwert: ") +
                   QString::number(month_.summary().best.value) + QStringLiteral(" l/min."));
    fillGrid();
    const QList<DiaryEntry>& readings = month_.readings();
    if (std::any_of(readings.cbegin(), readings.cend(),
                    [](const DiaryEntry& reading) { return reading.line.size() > MaxShownLineLength; })) {
        if (const QString note = overlongLinesNote(month_.path(), month_.diary().lines); !note.isEmpty())
            desktop_.information(note);
    }
    loadRemarks();
    // Loading is no change of the user's.
    remarksChanged_ = false;
}

void TableWindow::fillGrid()
{
    const SlotMode mode = month_.layout().mode();
    const DiaryFile& diary = month_.diary();
    const auto month = parseWholeNumber(trimBlanks(diary.month));
    const auto year = parseWholeNumber(trimBlanks(diary.year));
    const int rowCount = shownDayCount(month.value_or(0), year.value_or(0)) + 1;
    layoutMode_ = mode;
    const bool four = mode == SlotMode::Four;
    resize(four ? fourSlotWindow : eightSlotWindow);
    // Each layout keeps its own size; the window opens fitted to the screen at it.
    fitToScreen(*this, size(), four ? QStringLiteral("Tabelle4Fenster") : QStringLiteral("Tabelle8Fenster"));
    applyLayout();

    const CellMatrix cells = buildTableCells(diary.readings, mode, rowCount);
    const int columns = tableColumnCount(mode);
    readingsGrid_->setColumnCount(columns);
    readingsGrid_->setRowCount(rowCount);
    for (int column = 0; column < columns; ++column)
        readingsGrid_->setColumnWidth(column, columnPitch(column));
    for (int row = 0; row < rowCount; ++row) {
        readingsGrid_->setRowHeight(row, rowPitch);
        for (int column = 0; column < columns; ++column) {
            QTableWidgetItem* item = readingsGrid_->item(row, column);
            if (!item) {
                item = new QTableWidgetItem;
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                readingsGrid_->setItem(row, column, item);
            }
            item->setText(cells[row][column]);
        }
    }
    if (readingsGrid_->currentRow() < 0 || readingsGrid_->currentColumn() < 0)
        readingsGrid_->setCurrentCell(0, 0);
    update();
}

QString TableWindow::remarksProblem() const
{
    const QString remarks = month_.remarksPath();
    if (remarks.isEmpty()) {
        return QStringLiteral("Es ist keine Tabellendatei geöffnet. Bemerkungen können erst gespeichert werden, "
                              "wenn eine Tabelle angezeigt wird.");
    }
    const QString diary = month_.path().isEmpty() ? remarks : month_.path();
    const QFileInfo remarksInfo(remarks);
    const QFileInfo diaryInfo(diary);
    // Through links too: a remarks name that leads to the diary is the diary.
    const bool sameFile = remarksInfo.absoluteFilePath() == diaryInfo.absoluteFilePath() ||
                          (remarksInfo.exists() && remarksInfo.canonicalFilePath() == diaryInfo.canonicalFilePath());
    if (sameFile || !remarks.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)) {
        return QStringLiteral("Zur Tabelle \"%1\" können keine Bemerkungen gespeichert werden: Ihr Dateiname "
                              "endet nicht auf \".tab\", die Bemerkungen würden die Tabelle selbst überschreiben.")
            .arg(diary);
    }
    return {};
}

void TableWindow::loadRemarks()
{
    const QString heading = remarksHeading + QStringLiteral("\n\n");
    remarksEdit_->setReadOnly(false);
    const QString problem = remarksProblem();
    if (!problem.isEmpty()) {
        // Nothing typed here could be kept, so nothing can be typed.
        remarksEdit_->setPlainText(heading);
        remarksEdit_->setReadOnly(true);
        desktop_.information(problem);
        return;
    }
    if (!QFileInfo::exists(month_.remarksPath())) {
        remarksEdit_->setPlainText(heading);
        return;
    }
    const ReadResult read = readTextLines(month_.remarksPath());
    if (!read.ok) {
        // A save would replace a file the user has not seen.
        remarksEdit_->setPlainText(heading);
        remarksEdit_->setReadOnly(true);
        desktop_.warning(read.error + QStringLiteral("\nDie Bemerkungen können deshalb weder angezeigt noch "
                                                     "geändert werden."));
        return;
    }
    // Every line read ended with a line end, and so it stands in the pane.
    remarksEdit_->setPlainText(read.lines.isEmpty() ? QString()
                                                    : read.lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

QStringList TableWindow::remarksLines() const
{
    QStringList lines;
    for (QTextBlock block = remarksEdit_->document()->begin(); block.isValid(); block = block.next())
        lines += block.text().split(QChar::LineSeparator);
    // A final line end does not start another line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool TableWindow::saveRemarks()
{
    const QString problem = remarksProblem();
    if (!problem.isEmpty()) {
        desktop_.warning(problem);
        return false;
    }
    const WriteResult written = writeTextLines(month_.remarksPath(), remarksLines(), Earlier::Kept);
    if (!written.ok) {
        desktop_.error(QStringLiteral("Ihre Bemerkungen wurden nicht gespeichert.\n") + written.error +
                       QStringLiteral("\nDie bisherige Bemerkungsdatei ist unverändert; Ihr Text steht weiter im "
                                      "Bemerkungsfeld."));
        return false;
    }
    return true;
}

bool TableWindow::closing()
{
    if (remarksChanged_ && desktop_.ask(QStringLiteral("Möchten Sie Ihre Bemerkungen speichern?"))) {
        // A failed save keeps the window open with the text, so it can still be copied or corrected;
        // asked again, the user may close without saving.
        if (!saveRemarks())
            return false;
        remarksEdit_->clear();
    }
    remarksChanged_ = false;
    return true;
}

void TableWindow::done(int result)
{
    if (closing())
        QDialog::done(result);
}

void TableWindow::keyPressEvent(QKeyEvent* event)
{
    // The window is left through its menu or its close button only.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TableWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (printWhenShown_) {
        printWhenShown_ = false;
        // After the window is up: the print dialog opens over the table it prints.
        QTimer::singleShot(0, this, &TableWindow::printTable);
    }
}

void TableWindow::printTable()
{
    if (printCommand)
        printCommand();
}

void TableWindow::closeWindow()
{
    close();
}

bool TableWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == readingsGrid_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_C && key->modifiers().testFlag(Qt::ControlModifier)) {
            copySelectedText();
            return true;
        }
    }
    if (watched == readingsGrid_->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton) {
                gridMenu_->popup(mouse->globalPosition().toPoint());
                return true;
            }
        }
        else if (event->type() == QEvent::Wheel) {
            // One notch of 120 moves the table by 40 pixels.
            const auto* wheel = static_cast<QWheelEvent*>(event);
            QScrollBar* bar = readingsGrid_->verticalScrollBar();
            bar->setValue(bar->value() - wheel->angleDelta().y() / 3);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace luftikon
