// The print preview of the month chart.
#include "print/druckvorschau.h"

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
        return head + QStringLiteral("Papiergrösse ist DIN A-5 quer in Drucker eingelegt. Die Grafik wird an DIN A-5 "
                                     "angepasst. Linker und rechter Rand ~ 16 mm.Oberer und unterer Rand ~ 16 mm.");
    case ChartPaper::A6:
        return head + QStringLiteral("Papiergrösse ist DIN A-6 quer in Drucker eingelegt. Die Grafik wird an DIN A-6 "
                                     "angepasst. Linker und rechter Rand ~ 7 mm.Oberer und unterer Rand ~ 7 mm.");
    case ChartPaper::A4:
        break;
    }
    return head + QStringLiteral("Papiergrösse ist DIN A-4.\r\n\r\nDie Grafik wird an DIN A-4 angepasst.\r\n\r\n"
                                 "Linker und rechter Rand ~ 20 mm. Oberer und unterer Rand ~ 20 mm.");
}

} // namespace

TDruckvorschau::TDruckvorschau(AppState& state, Desktop& desktop, Settings& settings, QWidget* client, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), state_(state), desktop_(desktop),
      settings_(settings), client_(client)
{
    setObjectName(QStringLiteral("Druckvorschau"));
    setWindowTitle(QStringLiteral("Druckvorschau"));
    setModal(true);
    setFixedSize(clientSize);
    // The main window's font: the three format boxes share one row of 326 pixels.
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    buildControls();
}

void TDruckvorschau::buildControls()
{
    DruckImage = new QLabel(this);
    DruckImage->setObjectName(QStringLiteral("DruckImage"));
    DruckImage->setScaledContents(true);
    DruckImage->setGeometry(2, pictureTop, longSide, shortSide);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setGeometry(8, 184, longSide, 129);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(2, 333, 322, 88);

    Label2 = new QLabel(QStringLiteral("Grafikformat:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont underlined = Label2->font();
    underlined.setUnderline(true);
    Label2->setFont(underlined);
    Label2->move(8, 337);

    DIN4CheckBox = new QCheckBox(QStringLiteral("DIN A-4 (hoch)"), this);
    DIN5CheckBox = new QCheckBox(QStringLiteral("DIN A-5 (quer)"), this);
    DIN6CheckBox = new QCheckBox(QStringLiteral("DIN A-6 (quer)"), this);
    DIN4CheckBox->setObjectName(QStringLiteral("DIN4CheckBox"));
    DIN5CheckBox->setObjectName(QStringLiteral("DIN5CheckBox"));
    DIN6CheckBox->setObjectName(QStringLiteral("DIN6CheckBox"));
    DIN4CheckBox->move(8, 360);
    DIN5CheckBox->move(116, 360);
    DIN6CheckBox->move(227, 360);
    connect(DIN4CheckBox, &QCheckBox::clicked, this, &TDruckvorschau::DIN4CheckBoxClick);
    connect(DIN5CheckBox, &QCheckBox::clicked, this, &TDruckvorschau::DIN5CheckBoxClick);
    connect(DIN6CheckBox, &QCheckBox::clicked, this, &TDruckvorschau::DIN6CheckBoxClick);

    DruckenBtn = new QPushButton(QStringLiteral("&Drucken"), this);
    DruckenBtn->setObjectName(QStringLiteral("DruckenBtn"));
    DruckenBtn->setGeometry(8, 392, 75, 25);
    DruckenBtn->setDefault(true);
    connect(DruckenBtn, &QPushButton::clicked, this, &TDruckvorschau::DruckenBtnClick);
    CancelButton = new QPushButton(QStringLiteral("&Abbrechen"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(242, 392, 75, 25);
    connect(CancelButton, &QPushButton::clicked, this, &TDruckvorschau::CancelButtonClick);
}

void TDruckvorschau::openForPrinting()
{
    capturePending_ = true;
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    desktop_.execModal(*this);
}

void TDruckvorschau::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    // Rendering another window from inside a paint event is not allowed; capture right after.
    if (capturePending_ && !captureQueued_) {
        captureQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            captureQueued_ = false;
            FormPaint();
        });
    }
}

void TDruckvorschau::FormPaint()
{
    if (!capturePending_)
        return;
    rotationState_ = 0;
    DruckImage->resize(longSide, shortSide);
    Memo1->setGeometry(DruckImage->x(), DruckImage->geometry().bottom() + 1 + noteGap, longSide, shortSide);

    // The client area is rendered from its own widgets, so this window never covers it and
    // need not hide while the picture is taken.
    captured_ = client_ ? client_->grab().toImage().convertToFormat(QImage::Format_RGB32) : QImage();
    picture_ = captured_;
    showPicture();

    if (const std::optional<ChartPaper> paper = paperFromText(state_.paperFormat)) {
        for (ChartPaper each : {ChartPaper::A4, ChartPaper::A5, ChartPaper::A6})
            boxOf(each)->setChecked(each == *paper);
        if (*paper == ChartPaper::A4) {
            rotationState_ = 1;
            BitmapDrehen_90Grad();
        }
        else {
            layOutLandscape(8);
        }
        showNote(*paper);
    }
    capturePending_ = false;
}

QCheckBox* TDruckvorschau::boxOf(ChartPaper paper) const
{
    switch (paper) {
    case ChartPaper::A5:
        return DIN5CheckBox;
    case ChartPaper::A6:
        return DIN6CheckBox;
    case ChartPaper::A4:
        break;
    }
    return DIN4CheckBox;
}

void TDruckvorschau::DIN4CheckBoxClick()
{
    formatBoxClicked(ChartPaper::A4);
}

void TDruckvorschau::DIN5CheckBoxClick()
{
    formatBoxClicked(ChartPaper::A5);
}

void TDruckvorschau::DIN6CheckBoxClick()
{
    formatBoxClicked(ChartPaper::A6);
}

void TDruckvorschau::formatBoxClicked(ChartPaper paper)
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
        BitmapDrehen_90Grad();
    }
    else if (paper != ChartPaper::A4 && rotationState_ == 1) {
        rotationState_ = 2;
        BitmapDrehen_90Grad();
    }
    showNote(paper);
}

void TDruckvorschau::BitmapDrehen_90Grad()
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
        DruckImage->resize(longSide, shortSide);
    }
    else {
        DruckImage->setGeometry(2, DruckImage->y(), shortSide, longSide);
        Memo1->setGeometry(DruckImage->x() + DruckImage->width() + noteGap, DruckImage->y(), shortSide, longSide);
    }
    picture_ = turnClockwise(picture_);
    showPicture();
}

void TDruckvorschau::layOutLandscape(int left)
{
    DruckImage->setGeometry(left, DruckImage->y(), longSide, shortSide);
    Memo1->setGeometry(left, DruckImage->y() + shortSide + noteGap, longSide, shortSide);
}

void TDruckvorschau::showPicture()
{
    DruckImage->setPixmap(QPixmap::fromImage(picture_));
}

void TDruckvorschau::showNote(ChartPaper paper)
{
    // The note keeps its line breaks as CR LF; the text field wants plain line feeds.
    Memo1->setPlainText(formatNote(paper).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

ChartPaper TDruckvorschau::checkedPaper() const
{
    ChartPaper paper = ChartPaper::A4;
    for (ChartPaper each : {ChartPaper::A4, ChartPaper::A5, ChartPaper::A6})
        if (boxOf(each)->isChecked())
            paper = each;
    return paper;
}

void TDruckvorschau::keepPaperFormat()
{
    state_.paperFormat = paperText(checkedPaper());
    settings_.setPaperFormat(state_.paperFormat);
}

void TDruckvorschau::DruckenBtnClick()
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

void TDruckvorschau::CancelButtonClick()
{
    reject();
}

void TDruckvorschau::done(int result)
{
    // Every way out of the preview passes here; a preview never opened in this session has no
    // box checked and must not write its A4 over the stored format.
    keepPaperFormat();
    QDialog::done(result);
}

} // namespace luftikon
