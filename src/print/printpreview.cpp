// The print preview of the month chart.
#include "print/printpreview.h"

#include "print/printjob.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace luftikon {

namespace {

constexpr QSize clientSize(326, 436);
constexpr int pictureTop = 7;
constexpr int longSide = 310;
constexpr int shortSide = 160;
constexpr int noteGap = 2;

QString formatNote(ChartPaper paper)
{
    const QString head =
        QStringLiteral("\r\nAktuelle Einstellungen sind:\r\n") + QString(43, u'-') + QStringLiteral("\r\n\r\n");
    switch (paper) {
    case ChartPaper::A5:
        return head + QStringLiteral("Papiergröße ist DIN A-5 quer in Drucker eingelegt. Die Grafik wird an DIN A-5 "
                                     "angepasst. Linker und rechter Rand ~ 16 mm.Oberer und unterer Rand ~ 16 mm.");
    case ChartPaper::A6:
        return head + QStringLiteral("Papiergröße ist DIN A-6 quer in Drucker eingelegt. Die Grafik wird an DIN A-6 "
                                     "angepasst. Linker und rechter Rand ~ 7 mm.Oberer und unterer Rand ~ 7 mm.");
    case ChartPaper::A4:
        break;
    }
    return head + QStringLiteral("Papiergröße ist DIN A-4.\r\n\r\nDie Grafik wird an DIN A-4 angepasst.\r\n\r\n"
                                 "Linker und rechter Rand ~ 20 mm. Oberer und unterer Rand ~ 20 mm.");
}

} // namespace

PrintPreview::PrintPreview(AppState& state, Desktop& desktop, Settings& settings, std::function<QImage()> capture,
                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), state_(state), desktop_(desktop),
      settings_(settings), capture_(std::move(capture))
{
    setObjectName(QStringLiteral("printPreview"));
    setWindowTitle(QStringLiteral("Druckvorschau"));
    setModal(true);
    setFixedSize(clientSize);
    // The main window's font: the three format boxes share one row of 326 pixels.
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    buildControls();
}

void PrintPreview::buildControls()
{
    previewPicture_ = new QLabel(this);
    previewPicture_->setObjectName(QStringLiteral("previewPicture"));
    previewPicture_->setScaledContents(true);
    previewPicture_->setGeometry(2, pictureTop, longSide, shortSide);

    formatNoteEdit_ = new QPlainTextEdit(this);
    formatNoteEdit_->setObjectName(QStringLiteral("formatNoteEdit"));
    formatNoteEdit_->setReadOnly(true);
    formatNoteEdit_->setGeometry(8, 184, longSide, 129);

    formatFrame_ = new QFrame(this);
    formatFrame_->setObjectName(QStringLiteral("formatFrame"));
    formatFrame_->setFrameStyle(QFrame::Box | QFrame::Sunken);
    formatFrame_->setGeometry(2, 333, 322, 88);

    formatCaption_ = new QLabel(QStringLiteral("Grafikformat:"), this);
    formatCaption_->setObjectName(QStringLiteral("formatCaption"));
    QFont underlined = formatCaption_->font();
    underlined.setUnderline(true);
    formatCaption_->setFont(underlined);
    formatCaption_->move(8, 337);

    a4Check_ = new QCheckBox(QStringLiteral("DIN A-4 (hoch)"), this);
    a5Check_ = new QCheckBox(QStringLiteral("DIN A-5 (quer)"), this);
    a6Check_ = new QCheckBox(QStringLiteral("DIN A-6 (quer)"), this);
    a4Check_->setObjectName(QStringLiteral("a4Check"));
    a5Check_->setObjectName(QStringLiteral("a5Check"));
    a6Check_->setObjectName(QStringLiteral("a6Check"));
    a4Check_->move(8, 360);
    a5Check_->move(116, 360);
    a6Check_->move(227, 360);
    connect(a4Check_, &QCheckBox::clicked, this, &PrintPreview::a4Clicked);
    connect(a5Check_, &QCheckBox::clicked, this, &PrintPreview::a5Clicked);
    connect(a6Check_, &QCheckBox::clicked, this, &PrintPreview::a6Clicked);

    printButton_ = new QPushButton(QStringLiteral("&Drucken"), this);
    printButton_->setObjectName(QStringLiteral("printButton"));
    printButton_->setGeometry(8, 392, 75, 25);
    printButton_->setDefault(true);
    connect(printButton_, &QPushButton::clicked, this, &PrintPreview::printClicked);
    cancelButton_ = new QPushButton(QStringLiteral("&Abbrechen"), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    cancelButton_->setGeometry(242, 392, 75, 25);
    connect(cancelButton_, &QPushButton::clicked, this, &PrintPreview::cancelClicked);
}

void PrintPreview::openForPrinting()
{
    capturePending_ = true;
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    desktop_.execModal(*this);
}

void PrintPreview::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    // Rendering another window from inside a paint event is not allowed; capture right after.
    if (capturePending_ && !captureQueued_) {
        captureQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            captureQueued_ = false;
            refresh();
        });
    }
}

void PrintPreview::refresh()
{
    if (!capturePending_)
        return;
    rotationState_ = 0;
    previewPicture_->resize(longSide, shortSide);
    formatNoteEdit_->setGeometry(previewPicture_->x(), previewPicture_->geometry().bottom() + 1 + noteGap, longSide,
                                 shortSide);

    // The client area is rendered from its own widgets, so this window never covers it and
    // need not hide while the picture is taken.
    captured_ = capture_ ? capture_().convertToFormat(QImage::Format_RGB32) : QImage();
    picture_ = captured_;
    showPicture();

    if (const std::optional<ChartPaper> paper = paperFromText(state_.paperFormat)) {
        for (ChartPaper each : {ChartPaper::A4, ChartPaper::A5, ChartPaper::A6})
            boxOf(each)->setChecked(each == *paper);
        if (*paper == ChartPaper::A4) {
            rotationState_ = 1;
            turnPictureQuarter();
        }
        else {
            layOutLandscape(8);
        }
        showNote(*paper);
    }
    capturePending_ = false;
}

QCheckBox* PrintPreview::boxOf(ChartPaper paper) const
{
    switch (paper) {
    case ChartPaper::A5:
        return a5Check_;
    case ChartPaper::A6:
        return a6Check_;
    case ChartPaper::A4:
        break;
    }
    return a4Check_;
}

void PrintPreview::a4Clicked()
{
    formatBoxClicked(ChartPaper::A4);
}

void PrintPreview::a5Clicked()
{
    formatBoxClicked(ChartPaper::A5);
}

void PrintPreview::a6Clicked()
{
    formatBoxClicked(ChartPaper::A6);
}

void PrintPreview::formatBoxClicked(ChartPaper paper)
{
    QCheckBox* box = boxOf(paper);
    bool othersChecked = false;
    for (ChartPaper other : {ChartPaper::A4, ChartPaper::A5, ChartPaper::A6})
        othersChecked = othersChecked || (other != paper && boxOf(other)->isChecked());
    // One format is always chosen: the last checked box cannot be cleared.
    if (!othersChecked)
        box->setChecked(true);
    if (!box->isChecked())
        return;
    for (ChartPaper other : {ChartPaper::A4, ChartPaper::A5, ChartPaper::A6})
        if (other != paper)
            boxOf(other)->setChecked(false);
    if (paper == ChartPaper::A4 && rotationState_ == 0) {
        rotationState_ = 1;
        turnPictureQuarter();
    }
    else if (paper != ChartPaper::A4 && rotationState_ == 1) {
        rotationState_ = 2;
        turnPictureQuarter();
    }
    showNote(paper);
}

void PrintPreview::turnPictureQuarter()
{
    // Going back to landscape restores the captured copy, so the picture is never turned twice.
    if (rotationState_ >= 2) {
        rotationState_ = 0;
        picture_ = captured_;
        showPicture();
        layOutLandscape(8);
        return;
    }
    if (rotationState_ == 0) {
        previewPicture_->resize(longSide, shortSide);
    }
    else {
        previewPicture_->setGeometry(2, previewPicture_->y(), shortSide, longSide);
        formatNoteEdit_->setGeometry(previewPicture_->x() + previewPicture_->width() + noteGap, previewPicture_->y(),
                                     shortSide, longSide);
    }
    picture_ = turnClockwise(picture_);
    showPicture();
}

void PrintPreview::layOutLandscape(int left)
{
    previewPicture_->setGeometry(left, previewPicture_->y(), longSide, shortSide);
    formatNoteEdit_->setGeometry(left, previewPicture_->y() + shortSide + noteGap, longSide, shortSide);
}

void PrintPreview::showPicture()
{
    previewPicture_->setPixmap(QPixmap::fromImage(picture_));
}

void PrintPreview::showNote(ChartPaper paper)
{
    // The note keeps its line breaks as CR LF; the text field wants plain line feeds.
    formatNoteEdit_->setPlainText(formatNote(paper).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

ChartPaper PrintPreview::checkedPaper() const
{
    ChartPaper paper = ChartPaper::A4;
    for (ChartPaper each : {ChartPaper::A4, ChartPaper::A5, ChartPaper::A6})
        if (boxOf(each)->isChecked())
            paper = each;
    return paper;
}

void PrintPreview::keepPaperFormat()
{
    state_.paperFormat = paperText(checkedPaper());
    settings_.setPaperFormat(state_.paperFormat);
}

void PrintPreview::printClicked()
{
    const ChartPaper paper = checkedPaper();
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, chartPageSize(paper), chartOrientation(paper));
    printer.setDocName(QStringLiteral("Luftikon-Grafik"));
    if (desktop_.choosePrinter(this, printer)) {
        const QImage picture = picture_;
        printPage(desktop_, printer,
                  [&picture, paper](QPainter& painter) { painter.drawImage(chartPrintRect(paper), picture); });
    }
    accept();
}

void PrintPreview::cancelClicked()
{
    reject();
}

void PrintPreview::done(int result)
{
    // Every way out of the preview passes here; a preview never opened in this session has no
    // box checked and must not write its A4 over the stored format.
    keepPaperFormat();
    QDialog::done(result);
}

} // namespace luftikon
