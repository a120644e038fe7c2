// The print preview of the month chart.
#include "print/printpreview.h"

#include "print/printjob.h"
#include "widgets/screenfit.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

namespace luftikon {

namespace {

// Large enough to judge the picture and to read every note without scrolling; the window may
// be made smaller down to what its texts need, or larger.
constexpr QSize defaultSize(560, 640);
constexpr int pictureShare = 3; // of the page area, against the note's 2
constexpr int noteShare = 2;

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
    : QDialog(parent, Qt::Dialog | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint), state_(state),
      desktop_(desktop), settings_(settings), capture_(std::move(capture))
{
    setObjectName(QStringLiteral("printPreview"));
    setWindowTitle(QStringLiteral("Druckvorschau"));
    setModal(true);
    setSizeGripEnabled(true);
    // The main window's font.
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    buildControls();
    resize(defaultSize);
}

void PrintPreview::buildControls()
{
    // The picture and the note share the page area: one above the other for the landscape
    // formats, side by side for the upright one.
    pageArea_ = new QBoxLayout(QBoxLayout::TopToBottom);
    pictureHolder_ = new QWidget(this);
    pictureHolder_->setObjectName(QStringLiteral("pictureHolder"));
    pictureHolder_->setMinimumSize(120, 120);
    pictureHolder_->installEventFilter(this);
    previewPicture_ = new QLabel(pictureHolder_);
    previewPicture_->setObjectName(QStringLiteral("previewPicture"));
    previewPicture_->setScaledContents(true);
    previewPicture_->setAccessibleName(QStringLiteral("Vorschau der Grafik"));

    formatNoteEdit_ = new QPlainTextEdit(this);
    formatNoteEdit_->setObjectName(QStringLiteral("formatNoteEdit"));
    formatNoteEdit_->setReadOnly(true);
    formatNoteEdit_->setAccessibleName(QStringLiteral("Hinweis zum Papierformat"));
    pageArea_->addWidget(pictureHolder_, pictureShare);
    pageArea_->addWidget(formatNoteEdit_, noteShare);

    formatFrame_ = new QFrame(this);
    formatFrame_->setObjectName(QStringLiteral("formatFrame"));
    formatFrame_->setFrameStyle(QFrame::Box | QFrame::Sunken);
    formatCaption_ = new QLabel(QStringLiteral("Grafikformat:"), formatFrame_);
    formatCaption_->setObjectName(QStringLiteral("formatCaption"));
    QFont underlined = formatCaption_->font();
    underlined.setUnderline(true);
    formatCaption_->setFont(underlined);

    a4Check_ = new QCheckBox(QStringLiteral("DIN A-4 (hoch)"), formatFrame_);
    a5Check_ = new QCheckBox(QStringLiteral("DIN A-5 (quer)"), formatFrame_);
    a6Check_ = new QCheckBox(QStringLiteral("DIN A-6 (quer)"), formatFrame_);
    a4Check_->setObjectName(QStringLiteral("a4Check"));
    a5Check_->setObjectName(QStringLiteral("a5Check"));
    a6Check_->setObjectName(QStringLiteral("a6Check"));
    connect(a4Check_, &QCheckBox::clicked, this, &PrintPreview::a4Clicked);
    connect(a5Check_, &QCheckBox::clicked, this, &PrintPreview::a5Clicked);
    connect(a6Check_, &QCheckBox::clicked, this, &PrintPreview::a6Clicked);

    printButton_ = new QPushButton(QStringLiteral("&Drucken"), formatFrame_);
    printButton_->setObjectName(QStringLiteral("printButton"));
    printButton_->setDefault(true);
    connect(printButton_, &QPushButton::clicked, this, &PrintPreview::printClicked);
    cancelButton_ = new QPushButton(QStringLiteral("&Abbrechen"), formatFrame_);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    connect(cancelButton_, &QPushButton::clicked, this, &PrintPreview::cancelClicked);

    auto* formats = new QHBoxLayout;
    for (QCheckBox* box : {a4Check_, a5Check_, a6Check_}) {
        formats->addWidget(box);
        formats->addStretch();
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(printButton_);
    buttons->addStretch();
    buttons->addWidget(cancelButton_);
    auto* choice = new QVBoxLayout(formatFrame_);
    choice->addWidget(formatCaption_);
    choice->addLayout(formats);
    choice->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pageArea_, 1);
    layout->addWidget(formatFrame_);
}

bool PrintPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == pictureHolder_ && event->type() == QEvent::Resize)
        placePicture();
    return QDialog::eventFilter(watched, event);
}

void PrintPreview::openForPrinting()
{
    capturePending_ = true;
    fitToScreen(*this, defaultSize, QStringLiteral("VorschauFenster"));
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
    arrange(false);

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
    // A5 and A6 print in slightly different proportions.
    placePicture();
}

void PrintPreview::turnPictureQuarter()
{
    // Going back to landscape restores the captured copy, so the picture is never turned twice.
    if (rotationState_ >= 2) {
        rotationState_ = 0;
        picture_ = captured_;
        showPicture();
        arrange(false);
        return;
    }
    picture_ = turnClockwise(picture_);
    showPicture();
    arrange(rotationState_ == 1);
}

void PrintPreview::arrange(bool upright)
{
    pageArea_->setDirection(upright ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    placePicture();
}

void PrintPreview::placePicture()
{
    // The picture is printed stretched into the format's rectangle, so it is shown in that
    // rectangle's proportions, as large as its place allows and centred in it.
    const QSize page = chartPrintRect(checkedPaper()).size().scaled(pictureHolder_->size(), Qt::KeepAspectRatio);
    const QRect area = pictureHolder_->rect();
    previewPicture_->setGeometry(
        QRect(QPoint(0, 0), page).translated(area.center() - QRect(QPoint(0, 0), page).center()));
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
