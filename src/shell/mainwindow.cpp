#include "shell/mainwindow.h"

#include "browser/ui/browsercommands.h"
#include "entry/entrycommands.h"
#include "entry/entrydialog.h"
#include "files/versions.h"
#include "month/chartdescription.h"
#include "shell/usernamedialog.h"
#include "widgets/livepause.h"
#include "widgets/pictureview.h"
#include "widgets/screenfit.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace luftikon {

namespace {

using namespace mainFormDesign;
constexpr int panelHeight = 27;
constexpr int chartTop = 20;
constexpr int limitRedrawDelayMs = 1000;
// Below this the chart's numbers cannot be read any more.
constexpr QSize minimumClient(400, 350);

} // namespace

MainWindow::MainWindow(AppState& state, Desktop& desktop, ConfigStore& config, QWidget* parent)
    : QMainWindow(parent), state_(state), desktop_(desktop), config_(config), chart_(state, chartPicture_),
      screenChart_(state, screenPicture_, {}, 2)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Luftikon"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    config_.setNotify(desktop_.notifier());
    setVersionKeeping(
        {[] { return QDateTime::currentDateTime(); }, [this](const QString& text) { desktop_.warning(text); }, this});
    chart_.setEnvironment({
        &settings_,
        notify(),
    });
    // The screen's drawing says nothing: the chart's own drawing has told the user already.
    screenChart_.setEnvironment({&settings_, {}});
    setWindowSizeMemory({
        [this](const QString& name) { return settings_.windowSize(name); },
        [this](const QString& name, QSize size) { settings_.setWindowSize(name, size); },
        this,
    });
    limitRedrawTimer_ = new QTimer(this);
    limitRedrawTimer_->setObjectName(QStringLiteral("limitRedrawTimer"));
    limitRedrawTimer_->setSingleShot(true);
    limitRedrawTimer_->setInterval(limitRedrawDelayMs);
    connect(limitRedrawTimer_, &QTimer::timeout, this, &MainWindow::drawMonth);
    connect(&month_, &CurrentMonth::changed, this, &MainWindow::followMonth);
    livePause_ = new LivePause(this);
    livePause_->setObjectName(QStringLiteral("livePause"));
    livePause_->setInterval(1000);
    buildLayout();
    buildMenus();
    buildTableTimer();
    setMinimumSize(minimumClient.width(), minimumClient.height() + menuBar()->sizeHint().height());
    const QSize normal(clientWidth, clientHeight + menuBar()->sizeHint().height());
    resize(normal);
    fitToScreen(*this, normal, QStringLiteral("Fenster"), Shrink::Proportionally);
    startUp();
    buildEntryWindows();
}

MainWindow::~MainWindow()
{
    forgetNotices();
    // Whatever this window set up for the versions and window sizes must not outlive it.
    releaseVersionKeeping(this);
    releaseWindowSizeMemory(this);
}

void MainWindow::buildLayout()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    titleStrip_ = new QWidget(client);
    titleStrip_->setObjectName(QStringLiteral("titleStrip"));
    titleStrip_->setFixedHeight(panelHeight);
    headerPicture_ = new QLabel(titleStrip_);
    headerPicture_->setObjectName(QStringLiteral("headerPicture"));
    headerPicture_->setGeometry(1, 3, chartWidth, 22);
    headerPicture_->setScaledContents(true);
    // Created after the picture, so it lies on top of it.
    userNameLabel_ = new QLabel(titleStrip_);
    userNameLabel_->setObjectName(QStringLiteral("userNameLabel"));
    QFont labelFont(QStringLiteral("Arial"));
    labelFont.setPixelSize(15);
    labelFont.setBold(true);
    userNameLabel_->setFont(labelFont);
    QPalette labelPalette = userNameLabel_->palette();
    labelPalette.setColor(QPalette::WindowText, Qt::black);
    userNameLabel_->setPalette(labelPalette);
    userNameLabel_->setGeometry(5, 5, chartWidth - 70, 18);
    previousMonthButton_ = new QToolButton(titleStrip_);
    previousMonthButton_->setObjectName(QStringLiteral("previousMonthButton"));
    previousMonthButton_->setArrowType(Qt::LeftArrow);
    previousMonthButton_->setGeometry(chartWidth - 58, 3, 26, 22);
    nextMonthButton_ = new QToolButton(titleStrip_);
    nextMonthButton_->setObjectName(QStringLiteral("nextMonthButton"));
    nextMonthButton_->setArrowType(Qt::RightArrow);
    nextMonthButton_->setGeometry(chartWidth - 30, 3, 26, 22);
    layout->addWidget(titleStrip_);

    chartScrollArea_ = new QScrollArea(client);
    chartScrollArea_->setObjectName(QStringLiteral("chartScrollArea"));
    chartScrollArea_->setWidgetResizable(false);
    chartScrollArea_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    chartHost_ = new QWidget;
    chartHost_->setObjectName(QStringLiteral("chartHost"));
    chartLabel_ = new PictureView(chartHost_);
    chartLabel_->setObjectName(QStringLiteral("chartLabel"));
    chartLabel_->setAccessibleName(QStringLiteral("Monatsgrafik"));
    chartLabel_->setGeometry(0, chartTop, chartWidth, chartHeight);
    chartHost_->resize(chartWidth, chartTop + chartHeight);
    chartScrollArea_->setWidget(chartHost_);
    // The chart follows the area's size, also while normalSizePicture() lays it out.
    chartScrollArea_->installEventFilter(this);
    layout->addWidget(chartScrollArea_, 1);

    setCentralWidget(client);
}

void MainWindow::updateChart()
{
    const bool sharp = screenScale() > 1 && !screenPicture_.isNull() && screenPictureOf_ == chartPicture_.cacheKey();
    chartLabel_->setPicture(sharp ? screenPicture_ : chartPicture_);
}

int MainWindow::screenScale() const
{
    return devicePixelRatioF() > 1.0 ? screenChart_.scale() : 1;
}

void MainWindow::drawForScreen()
{
    if (screenScale() == 1)
        return;
    // The sharp pins are read when a dense screen first asks for them.
    if (screenChart_.pinPictures().pointingRight.isNull())
        loadPins(screenChart_);
    if (screenChart_.draw(month_))
        screenPictureOf_ = chartPicture_.cacheKey();
}

void MainWindow::loadScreenTemplate()
{
    if (screenScale() == 1)
        return;
    screenPicture_ = screenChart_.bareTemplate();
    screenPictureOf_ = chartPicture_.cacheKey();
}

QImage MainWindow::normalSizePicture()
{
    QWidget* client = centralWidget();
    const QSize shown = client->size();
    const QSize normal(clientWidth, clientHeight);
    if (shown != normal)
        client->resize(normal);
    QImage picture(normal, QImage::Format_RGB32);
    picture.fill(palette().color(QPalette::Window));
    client->render(&picture);
    {
        // The chart itself as drawn, not as the screen shows it.
        QPainter painter(&picture);
        painter.drawImage(QRect(chartLabel_->mapTo(client, QPoint(0, 0)), chartLabel_->size()), chartPicture_);
    }
    if (shown != normal)
        client->resize(shown);
    return picture;
}

Notify MainWindow::notify()
{
    return desktop_.notifier();
}

void MainWindow::drawMonth()
{
    limitRedrawTimer_->stop();
    if (chart_.draw(month_)) {
        userNameLabel_->setText(chartTitle(month_.diary().date, month_.diary().userName));
        drawForScreen();
    }
    chartLabel_->setAccessibleDescription(chartDescription(month_.diary(), month_.summary(), month_.limits()));
    updateChart();
}

void MainWindow::followMonth(CurrentMonth::Change change)
{
    switch (change) {
    case CurrentMonth::Change::Limits:
        // Further clicks within the second ride on the redraw already due.
        if (!limitRedrawTimer_->isActive())
            limitRedrawTimer_->start();
        return;
    case CurrentMonth::Change::Opened:
    case CurrentMonth::Change::Layout:
        showDayLayout();
        takeTemplatePicture();
        break;
    case CurrentMonth::Change::Saved:
        break;
    }
    // Without a diary the bare template shows the layout.
    if (month_.path().isEmpty())
        loadTemplatePicture();
    else
        drawMonth();
}

void MainWindow::writeFirstRunDefaults()
{
    config_.writeFirstRunDefaults(state_.startFolder, state_.resourceFolder);
}

void MainWindow::quit()
{
    close();
}

void MainWindow::deleteSettings()
{
    const QString question = QStringLiteral("Möchten Sie die Einstellungen löschen? \n\r"
                                            "Wenn JA, dann wird danach das Programm beendet und \n\r"
                                            "Sie müssen es noch mal starten, dann Ihren Namen eingeben.");
    if (!desktop_.ask(question))
        return;
    // A file that could not be deleted has been reported; closing would then only pretend that
    // the next start is a fresh one.
    if (config_.deleteAll())
        close();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    rememberDiaryOnScreen();
    event->accept();
}

void MainWindow::showChartInBrowser()
{
    showMonthInBrowser(state_, month_, desktop_, settings_.breakLineAtZero());
}

} // namespace luftikon
