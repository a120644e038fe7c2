#include "table/tabellen.h"

#include "diary/longlines.h"
#include "diary/textfile.h"
#include "table/tablepicture.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTextBlock>
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

TTabellenDlg::TTabellenDlg(const CurrentMonth& month, Desktop& desktop, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      month_(month), desktop_(desktop)
{
    setObjectName(QStringLiteral("TabellenDlg"));
    setModal(true);
    buildMenus();
    buildControls();
    resize(fourSlotWindow);
    applyLayout();
}

void TTabellenDlg::buildMenus()
{
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    Datei1 = MainMenu1->addMenu(QStringLiteral("&Datei"));
    Drucken1 = Datei1->addAction(QStringLiteral("&Drucken"));
    connect(Drucken1, &QAction::triggered, this, &TTabellenDlg::Drucken1Click);
    Leer1 = Datei1->addAction(QStringLiteral("  "));
    Beenden1 = Datei1->addAction(QStringLiteral("Be&enden"));
    connect(Beenden1, &QAction::triggered, this, &TTabellenDlg::Beenden1Click);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Drucken2 = PopupMenu1->addAction(QStringLiteral("Drucken"));
    connect(Drucken2, &QAction::triggered, this, &TTabellenDlg::Drucken1Click);
    MarkierterTextkopieren1 = PopupMenu1->addAction(QStringLiteral("Markierter Text kopieren"));
    AllesalsGrafikkopieren1 = PopupMenu1->addAction(QStringLiteral("Alles als Grafik kopieren"));
    NurmarkierterBereichalsGrafikkopieren1 =
        PopupMenu1->addAction(QStringLiteral("Nur markierter Bereich als Grafik kopieren"));
    Leer2 = PopupMenu1->addAction(QStringLiteral("   "));
    connect(MarkierterTextkopieren1, &QAction::triggered, this, &TTabellenDlg::MarkierterTextkopieren1Click);
    connect(AllesalsGrafikkopieren1, &QAction::triggered, this, &TTabellenDlg::AllesalsGrafikkopieren1Click);
    connect(NurmarkierterBereichalsGrafikkopieren1, &QAction::triggered, this,
            &TTabellenDlg::NurmarkierterBereichalsGrafikkopieren1Click);
}

void TTabellenDlg::buildControls()
{
    StringGrid1 = new QTableWidget(designRows, tableColumnCount(SlotMode::Four), this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setFont(tableFont());
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    // Qt counts the grid line inside a section, so a section is the cell plus one pixel.
    for (QHeaderView* header : {StringGrid1->horizontalHeader(), StringGrid1->verticalHeader()}) {
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    StringGrid1->horizontalHeader()->setDefaultSectionSize(cellWidth + 1);
    StringGrid1->verticalHeader()->setDefaultSectionSize(rowPitch);
    StringGrid1->setShowGrid(false);
    StringGrid1->setItemDelegate(new TableCellDelegate(StringGrid1));
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    StringGrid1->setWordWrap(false);
    StringGrid1->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    StringGrid1->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    StringGrid1->installEventFilter(this);
    StringGrid1->viewport()->installEventFilter(this);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    QFont memoFont(QStringLiteral("Arial"));
    memoFont.setPixelSize(12);
    Memo1->setFont(memoFont);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setTabChangesFocus(false);
    Memo1->setPlainText(remarksHeading);
    connect(Memo1, &QPlainTextEdit::textChanged, this, [this] { remarksChanged_ = true; });
    remarksChanged_ = false;
}

void TTabellenDlg::applyLayout()
{
    const int menuHeight = MainMenu1->sizeHint().height();
    MainMenu1->setGeometry(0, 0, width(), menuHeight);
    if (layoutMode_ == SlotMode::Four) {
        const int dw = width() - fourSlotWindow.width();
        const int dh = height() - fourSlotWindow.height();
        const int gridHeight = std::max(0, fourSlotGrid.height() + dh);
        StringGrid1->setGeometry(0, menuHeight, std::max(0, fourSlotGrid.width() + dw), gridHeight);
        Memo1->setGeometry(fourSlotGrid.width() + remarksGap + dw, menuHeight, fourSlotRemarksWidth, gridHeight);
    }
    else {
        const int dw = width() - eightSlotWindow.width();
        const int dh = height() - eightSlotWindow.height();
        const int gridWidth = std::max(0, eightSlotGrid.width() + dw);
        StringGrid1->setGeometry(0, menuHeight, gridWidth, std::max(0, eightSlotGrid.height() + dh));
        Memo1->setGeometry(0, menuHeight + eightSlotGrid.height() + remarksGap + dh, gridWidth, eightSlotRemarksHeight);
    }
}

void TTabellenDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    applyLayout();
}

void TTabellenDlg::prepareShowing(const QString& userLabel)
{
    setWindowTitle(userLabel + QStringLiteral("  ") + QChar(0x00B7) + QStringLiteral("  Bestwert: ") +
                   QString::number(month_.summary().best.value) + QStringLiteral(" l/min."));
    ErstelleTabelle();
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

void TTabellenDlg::ErstelleTabelle()
{
    const SlotMode mode = month_.layout().mode();
    const DiaryFile& diary = month_.diary();
    const auto month = parseWholeNumber(trimBlanks(diary.month));
    const auto year = parseWholeNumber(trimBlanks(diary.year));
    const int rowCount = shownDayCount(month.value_or(0), year.value_or(0)) + 1;
    layoutMode_ = mode;
    resize(mode == SlotMode::Four ? fourSlotWindow : eightSlotWindow);
    applyLayout();
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    const CellMatrix cells = buildTableCells(diary.readings, mode, rowCount);
    const int columns = tableColumnCount(mode);
    StringGrid1->setColumnCount(columns);
    StringGrid1->setRowCount(rowCount);
    for (int column = 0; column < columns; ++column)
        StringGrid1->setColumnWidth(column, columnPitch(column));
    for (int row = 0; row < rowCount; ++row) {
        StringGrid1->setRowHeight(row, rowPitch);
        for (int column = 0; column < columns; ++column) {
            QTableWidgetItem* item = StringGrid1->item(row, column);
            if (!item) {
                item = new QTableWidgetItem;
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                StringGrid1->setItem(row, column, item);
            }
            item->setText(cells[row][column]);
        }
    }
    if (StringGrid1->currentRow() < 0 || StringGrid1->currentColumn() < 0)
        StringGrid1->setCurrentCell(0, 0);
    update();
}

QString TTabellenDlg::remarksProblem() const
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

void TTabellenDlg::loadRemarks()
{
    const QString heading = remarksHeading + QStringLiteral("\n\n");
    Memo1->setReadOnly(false);
    const QString problem = remarksProblem();
    if (!problem.isEmpty()) {
        // Nothing typed here could be kept, so nothing can be typed.
        Memo1->setPlainText(heading);
        Memo1->setReadOnly(true);
        desktop_.information(problem);
        return;
    }
    if (!QFileInfo::exists(month_.remarksPath())) {
        Memo1->setPlainText(heading);
        return;
    }
    const ReadResult read = readTextLines(month_.remarksPath());
    if (!read.ok) {
        // A save would replace a file the user has not seen.
        Memo1->setPlainText(heading);
        Memo1->setReadOnly(true);
        desktop_.warning(read.error + QStringLiteral("\nDie Bemerkungen können deshalb weder angezeigt noch "
                                                     "geändert werden."));
        return;
    }
    // Every line read ended with a line end, and so it stands in the pane.
    Memo1->setPlainText(read.lines.isEmpty() ? QString() : read.lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

QStringList TTabellenDlg::remarksLines() const
{
    QStringList lines;
    for (QTextBlock block = Memo1->document()->begin(); block.isValid(); block = block.next())
        lines += block.text().split(QChar::LineSeparator);
    // A final line end does not start another line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool TTabellenDlg::saveRemarks()
{
    const QString problem = remarksProblem();
    if (!problem.isEmpty()) {
        desktop_.warning(problem);
        return false;
    }
    const WriteResult written = writeTextLines(month_.remarksPath(), remarksLines());
    if (!written.ok) {
        desktop_.error(QStringLiteral("Ihre Bemerkungen wurden nicht gespeichert.\n") + written.error +
                       QStringLiteral("\nDie bisherige Bemerkungsdatei ist unverändert; Ihr Text steht weiter im "
                                      "Bemerkungsfeld."));
        return false;
    }
    return true;
}

bool TTabellenDlg::FormClose()
{
    if (remarksChanged_ && desktop_.ask(QStringLiteral("Möchten Sie Ihre Bermerkungen speichern?"))) {
        // A failed save keeps the window open with the text, so it can still be copied or corrected;
        // asked again, the user may close without saving.
        if (!saveRemarks())
            return false;
        Memo1->clear();
    }
    remarksChanged_ = false;
    return true;
}

void TTabellenDlg::done(int result)
{
    if (FormClose())
        QDialog::done(result);
}

void TTabellenDlg::keyPressEvent(QKeyEvent* event)
{
    // The window is left through its menu or its close button only.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TTabellenDlg::Drucken1Click()
{
    if (printCommand)
        printCommand();
}

void TTabellenDlg::Beenden1Click()
{
    close();
}

bool TTabellenDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == StringGrid1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_C && key->modifiers().testFlag(Qt::ControlModifier)) {
            MarkierterTextkopieren1Click();
            return true;
        }
    }
    if (watched == StringGrid1->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton) {
                PopupMenu1->popup(mouse->globalPosition().toPoint());
                return true;
            }
        }
        else if (event->type() == QEvent::Wheel) {
            // One notch of 120 moves the table by 40 pixels.
            const auto* wheel = static_cast<QWheelEvent*>(event);
            QScrollBar* bar = StringGrid1->verticalScrollBar();
            bar->setValue(bar->value() - wheel->angleDelta().y() / 3);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace luftikon
