#include "shell/mainform.h"

#include "entry/eingabe.h"
#include "shell/machpause.h"
#include "shell/nameeing.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace luftikon {

namespace {

using namespace mainFormDesign;
constexpr int panelHeight = 27;
constexpr int chartTop = 20;
constexpr int limitRedrawDelayMs = 1000;

} // namespace

TMainForm::TMainForm(AppState& state, Desktop& desktop, ConfigStore& config, QWidget* parent)
    : QMainWindow(parent), state_(state), desktop_(desktop), config_(config), chart_(state, chartPicture_)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Luftikon"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    config_.setNotify([this](MessageKind kind, const QString& text) { desktop_.show(kind, text); });
    chart_.setEnvironment({
        &settings_,
        notify(),
    });
    limitRedrawTimer = new QTimer(this);
    limitRedrawTimer->setObjectName(QStringLiteral("limitRedrawTimer"));
    limitRedrawTimer->setSingleShot(true);
    limitRedrawTimer->setInterval(limitRedrawDelayMs);
    connect(limitRedrawTimer, &QTimer::timeout, this, &TMainForm::drawMonth);
    connect(&month_, &CurrentMonth::changed, this, &TMainForm::followMonth);
    MachPause1 = new TMachPause(this);
    MachPause1->setInterval(1000);
    buildLayout();
    buildMenus();
    buildTableWindow();
    buildEvaluationWindow();
    resize(clientWidth, clientHeight + menuBar()->sizeHint().height());
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
    buildEntryWindows();
    buildSettingsWindow();
    buildPrintWindows();
}

TMainForm::~TMainForm()
{
    FormDestroy();
}

void TMainForm::buildLayout()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Panel1 = new QWidget(client);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(panelHeight);
    Image2 = new QLabel(Panel1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(1, 3, chartWidth, 22);
    Image2->setScaledContents(true);
    // Created after the picture, so it lies on top of it.
    Label1 = new QLabel(Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont labelFont(QStringLiteral("Arial"));
    labelFont.setPixelSize(15);
    labelFont.setBold(true);
    Label1->setFont(labelFont);
    QPalette labelPalette = Label1->palette();
    labelPalette.setColor(QPalette::WindowText, Qt::black);
    Label1->setPalette(labelPalette);
    Label1->setGeometry(5, 5, chartWidth - 10, 18);
    layout->addWidget(Panel1);

    ScrollBox1 = new QScrollArea(client);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    chartHost = new QWidget;
    chartHost->setObjectName(QStringLiteral("chartHost"));
    Image = new QLabel(chartHost);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setScaledContents(true);
    Image->setGeometry(0, chartTop, chartWidth, chartHeight);
    chartHost->resize(chartWidth, chartTop + chartHeight);
    ScrollBox1->setWidget(chartHost);
    layout->addWidget(ScrollBox1, 1);

    setCentralWidget(client);
}

void TMainForm::updateChart()
{
    Image->setPixmap(QPixmap::fromImage(chartPicture_));
}

Notify TMainForm::notify()
{
    return [this](MessageKind kind, const QString& text) { desktop_.show(kind, text); };
}

void TMainForm::drawMonth()
{
    limitRedrawTimer->stop();
    if (chart_.draw(month_, frameGeometry().width()))
        Label1->setText(chartTitle(month_.diary().date, month_.diary().userName));
    updateChart();
}

void TMainForm::followMonth(CurrentMonth::Change change)
{
    switch (change) {
    case CurrentMonth::Change::Limits:
        // Further clicks within the second ride on the redraw already due.
        if (!limitRedrawTimer->isActive())
            limitRedrawTimer->start();
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

void TMainForm::writeFirstRunDefaults()
{
    config_.writeFirstRunDefaults(state_.startFolder, state_.resourceFolder);
}

void TMainForm::Beenden1Click()
{
    close();
}

void TMainForm::RegistryEintraegeloeschen1Click()
{
    const QString question = QStringLiteral("Möchten Sie die Registry-Einträge löschen? \n\r"
                                            "Wenn JA, dann wird danach das Programm beendet und \n\r"
                                            "Sie müssen es noch mal starten, dann Ihren Namen eingeben.");
    if (!desktop_.ask(question))
        return;
    // A file that could not be deleted has been reported; closing would then only pretend that
    // the next start is a fresh one.
    if (config_.deleteAll())
        close();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

} // namespace luftikon
