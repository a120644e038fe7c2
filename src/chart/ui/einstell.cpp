#include "chart/ui/einstell.h"

#include "chart/limits.h"
#include "chart/ui/spinbutton.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStyle>
#include <algorithm>
#include <optional>
#include <tuple>

namespace luftikon {

namespace {

constexpr int dialogWidth = 345;
constexpr int dialogHeight = 520;
constexpr int greenValueX = 266;
constexpr int redValueX = 267;
constexpr int spinButtonX = 301;
constexpr int valueGap = 2; // between a limit value and its arrows

const QColor silver(192, 192, 192);
const QColor zoneGreen(0, 128, 0);
const QColor zoneYellow(255, 255, 0);
const QColor zoneRed(255, 0, 0);

QColor colorOf(ColorRef ref)
{
    return QColor(redOf(ref), greenOf(ref), blueOf(ref));
}

ColorRef colorRefOf(const QColor& colour)
{
    return luftikon::colorRefOf(std::uint8_t(colour.red()), std::uint8_t(colour.green()), std::uint8_t(colour.blue()));
}

QFont pixelFont(int pixels, bool bold = false, bool underline = false)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

void setBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QFont valueFont()
{
    return pixelFont(19, true);
}

// The arrows of a limit stand right of the widest three-digit value the value font writes.
int spinButtonXFor(int valueX)
{
    return std::max(spinButtonX,
                    valueX + QFontMetrics(valueFont()).horizontalAdvance(QStringLiteral("888")) + valueGap);
}

QLabel* label(QWidget* parent, const char* name, const QString& text, QPoint at, const QFont& font)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setFont(font);
    l->move(at);
    l->adjustSize();
    return l;
}

QFrame* frame(QWidget* parent, const char* name, QRect geometry)
{
    auto* f = new QFrame(parent);
    f->setObjectName(QLatin1String(name));
    f->setFrameShape(QFrame::Box);
    f->setFrameShadow(QFrame::Sunken);
    f->setGeometry(geometry);
    return f;
}

// The width a push button needs to show its whole text; the style's minimum width of a button is
// no reason to widen one.
int neededWidth(const QPushButton* button)
{
    const QStyle* style = button->style();
    const int margins = 2 * (style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                             style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button));
    return button->fontMetrics().horizontalAdvance(button->text()) + margins;
}

// A button whose text needs more room than its design width gets just that room.
void widenToText(QPushButton* button)
{
    const int needed = neededWidth(button);
    if (needed > button->width())
        button->resize(needed, button->height());
}

// The right edge of a frame that must hold `inner` with `margin` pixels to spare.
void widenFrameAround(QFrame* outer, const QWidget* inner, int margin)
{
    const int right = inner->geometry().right() + margin;
    if (right > outer->geometry().right())
        outer->resize(right - outer->x() + 1, outer->height());
}

} // namespace

TEinstellDlg::TEinstellDlg(AppState& state, CurrentMonth& month, Desktop& desktop, Settings& settings, QWidget* parent)
    : QDialog(parent), state_(state), month_(month), desktop_(desktop), settings_(settings)
{
    setObjectName(QStringLiteral("EinstellDlg"));
    setWindowTitle(QStringLiteral("Einstellungen"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(pixelFont(13));
    buildLayout();
    widenToFitTexts();
    connectHandlers();
    // Limits written by another way (a save that found changed values in the file) show at once.
    connect(&month_, &CurrentMonth::changed, this, [this] {
        if (isVisible())
            FormPaint();
    });

    LinieUnterbrechenCheckBox->setChecked(settings_.breakLineAtZero());
    takeFirstShowSettings();
    FormPaint();
}

void TEinstellDlg::buildLayout()
{
    const QFont bold = pixelFont(13, true);
    const QFont heading = pixelFont(13, true, true);
    const QFont value = valueFont();
    const QFont note = pixelFont(11);

    // Frames first, so they lie beneath the controls.
    chartFrame = frame(this, "chartFrame", QRect(8, 8, 329, 337));
    computationFrame = frame(this, "computationFrame", QRect(16, 194, 312, 67));
    browserFrame = frame(this, "browserFrame", QRect(8, 347, 329, 130));

    Label4 = label(this, "Label4", QStringLiteral("Farbe der Messkurve"), {24, 28}, font());
    Button4 = new QPushButton(QStringLiteral("Ändern"), this);
    Button4->setObjectName(QStringLiteral("Button4"));
    Button4->setFont(bold);
    Button4->setGeometry(254, 24, 67, 25);

    Label1 = label(this, "Label1", QStringLiteral("Luftikon Grenzwerte in l/min. :"), {24, 72}, heading);

    Label6 = label(this, "Label6", QStringLiteral("Grün Asthma unter Kontrolle >="), {24, 100}, bold);
    HochwertLabel = label(this, "HochwertLabel", QString(), {greenValueX, 97}, value);
    HochwertSpinButton = new SpinButton(this);
    HochwertSpinButton->setObjectName(QStringLiteral("HochwertSpinButton"));
    HochwertSpinButton->setGeometry(spinButtonXFor(redValueX), 97, 20, 25);

    Label7 = label(this, "Label7", QStringLiteral("Gelb kritisch:"), {24, 128}, bold);
    Label8 = label(this, "Label8", QStringLiteral("Rot Schweres Asthma <="), {25, 155}, bold);
    TiefwertLabel = label(this, "TiefwertLabel", QString(), {redValueX, 151}, value);
    TiefwertSpinButton = new SpinButton(this);
    TiefwertSpinButton->setObjectName(QStringLiteral("TiefwertSpinButton"));
    TiefwertSpinButton->setGeometry(spinButtonXFor(redValueX), 151, 20, 25);

    for (QLabel* caption : {Label6, HochwertLabel, Label7, Label8, TiefwertLabel})
        setBackground(caption, silver);
    for (QLabel* green : {Label6, HochwertLabel})
        setTextColour(green, zoneGreen);
    setTextColour(Label7, zoneYellow);
    for (QLabel* red : {Label8, TiefwertLabel})
        setTextColour(red, zoneRed);

    GrenzwerteBerechnenBitBtn = new QPushButton(QStringLiteral("Grenzwerte anhand des Bestwertes berechnen"), this);
    GrenzwerteBerechnenBitBtn->setObjectName(QStringLiteral("GrenzwerteBerechnenBitBtn"));
    GrenzwerteBerechnenBitBtn->setFont(bold);
    GrenzwerteBerechnenBitBtn->setGeometry(24, 200, 297, 25);
    Label3 = label(this, "Label3", QStringLiteral("Keine Gewähr auf die Richtigkeit der errechneten Grenzwerte!"),
                   {27, 230}, note);
    Label9 =
        label(this, "Label9", QStringLiteral("Fragen Sie Ihren Arzt, welche Grenzwerte Sie hier eintragen sollen."),
              {19, 243}, note);

    Label2 = label(this, "Label2", QStringLiteral("Helligkeit der Grenzwerte-Anzeige:"), {24, 274}, heading);
    Label10 = label(this, "Label10", QStringLiteral("0"), {66, 301}, font());
    TrackBar1 = new QSlider(Qt::Horizontal, this);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setRange(0, 8);
    TrackBar1->setSingleStep(1);
    TrackBar1->setPageStep(1);
    TrackBar1->setTickInterval(1);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setGeometry(80, 296, 150, 45);
    Label11 = label(this, "Label11", QStringLiteral("max."), {232, 301}, font());

    Label12 = label(this, "Label12", QStringLiteral("Beim Liniendiagramm im Browser:"), {70, 351}, font());
    LinieUnterbrechenCheckBox = new QCheckBox(QStringLiteral("Ist Mittelwert = 0 dann Linie unterbrechen."), this);
    LinieUnterbrechenCheckBox->setObjectName(QStringLiteral("LinieUnterbrechenCheckBox"));
    LinieUnterbrechenCheckBox->move(24, 372);
    LinieUnterbrechenCheckBox->adjustSize();
    WerteOberhalbKurveAnzeigenCheckBox = new QCheckBox(QStringLiteral("Die Datenwerte anzeigen"), this);
    WerteOberhalbKurveAnzeigenCheckBox->setObjectName(QStringLiteral("WerteOberhalbKurveAnzeigenCheckBox"));
    WerteOberhalbKurveAnzeigenCheckBox->move(24, 406);
    WerteOberhalbKurveAnzeigenCheckBox->adjustSize();
    Label13 = label(this, "Label13", QStringLiteral("Farbe der Datenwerte"), {24, 436}, bold);
    Button8 = new QPushButton(QStringLiteral("Ändern"), this);
    Button8->setObjectName(QStringLiteral("Button8"));
    Button8->setGeometry(264, 432, 67, 25);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(135, 490, 75, 25);
    OKBtn->setDefault(true);
}

void TEinstellDlg::widenToFitTexts()
{
    // The fonts standing in for the design font are wider; positions stay, widths grow where a
    // text would be cut off, and the frames and the dialog grow around them.
    for (QPushButton* button : {Button4, GrenzwerteBerechnenBitBtn, Button8, OKBtn})
        widenToText(button);
    widenFrameAround(computationFrame, GrenzwerteBerechnenBitBtn, 7);
    for (QLabel* note : {Label3, Label9})
        widenFrameAround(computationFrame, note, 3);
    widenFrameAround(chartFrame, computationFrame, 9);
    for (QWidget* w : chartFrame->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w == chartFrame || w == browserFrame || w->y() >= browserFrame->y() || w->y() < chartFrame->y())
            continue;
        widenFrameAround(chartFrame, w, 8);
    }
    for (QWidget* w :
         {static_cast<QWidget*>(LinieUnterbrechenCheckBox), static_cast<QWidget*>(WerteOberhalbKurveAnzeigenCheckBox),
          static_cast<QWidget*>(Label13), static_cast<QWidget*>(Button8), static_cast<QWidget*>(Label12)})
        widenFrameAround(browserFrame, w, 6);
    // Both groups as wide as the wider one, so their edges line up.
    const int groupWidth = std::max(chartFrame->width(), browserFrame->width());
    chartFrame->resize(groupWidth, chartFrame->height());
    browserFrame->resize(groupWidth, browserFrame->height());
    setFixedSize(std::max(dialogWidth, chartFrame->geometry().right() + 1 + 8), dialogHeight);
}

void TEinstellDlg::connectHandlers()
{
    connect(Button4, &QPushButton::clicked, this, &TEinstellDlg::Button4Click);
    connect(TrackBar1, &QSlider::valueChanged, this, &TEinstellDlg::TrackBar1Change);
    connect(HochwertSpinButton, &SpinButton::upClick, this, &TEinstellDlg::HochwertSpinButtonUpClick);
    connect(HochwertSpinButton, &SpinButton::downClick, this, &TEinstellDlg::HochwertSpinButtonDownClick);
    connect(TiefwertSpinButton, &SpinButton::upClick, this, &TEinstellDlg::TiefwertSpinButtonUpClick);
    connect(TiefwertSpinButton, &SpinButton::downClick, this, &TEinstellDlg::TiefwertSpinButtonDownClick);
    connect(GrenzwerteBerechnenBitBtn, &QPushButton::clicked, this, &TEinstellDlg::GrenzwerteBerechnenBitBtnClick);
    connect(LinieUnterbrechenCheckBox, &QCheckBox::clicked, this, &TEinstellDlg::LinieUnterbrechenCheckBoxClick);
    connect(WerteOberhalbKurveAnzeigenCheckBox, &QCheckBox::clicked, this,
            &TEinstellDlg::WerteOberhalbKurveAnzeigenCheckBoxClick);
    connect(Button8, &QPushButton::clicked, this, &TEinstellDlg::Button8Click);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
}

void TEinstellDlg::showEvent(QShowEvent* event)
{
    FormPaint();
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

void TEinstellDlg::takeFirstShowSettings()
{
    const QSignalBlocker quiet(TrackBar1);
    TrackBar1->setValue(state_.zoneIntensity);
    WerteOberhalbKurveAnzeigenCheckBox->setChecked(state_.showValuesAboveCurve);
    setTextColour(Label13, colorOf(state_.aboveCurveColor));
}

void TEinstellDlg::FormPaint()
{
    setTextColour(Label4, colorOf(state_.curveColor));
    setTextColour(Label13, colorOf(state_.aboveCurveColor));
    for (auto [valueLabel, limit, spin, designX] :
         {std::tuple{HochwertLabel, month_.limits().green, HochwertSpinButton, greenValueX},
          std::tuple{TiefwertLabel, month_.limits().red, TiefwertSpinButton, redValueX}}) {
        // Limits clicked beyond three digits get a smaller font instead of running under the arrows;
        // what still does not fit grows to the left.
        const QString text = QString::number(limit);
        const int room = spin->x() - valueGap - designX;
        QFont font = valueFont();
        while (font.pixelSize() > 8 && QFontMetrics(font).horizontalAdvance(text) > room)
            font.setPixelSize(font.pixelSize() - 1);
        valueLabel->setFont(font);
        valueLabel->setText(text);
        valueLabel->adjustSize();
        valueLabel->move(std::min(designX, spin->x() - valueGap - valueLabel->width()), valueLabel->y());
    }
    // A month whose readings are all 0 or no numbers has no best value to compute from.
    GrenzwerteBerechnenBitBtn->setEnabled(month_.summary().best.value > 0);
}

bool TEinstellDlg::diaryAvailable() const
{
    if (!month_.path().isEmpty())
        return true; // a path that has gone missing is told by the writer, naming the file
    desktop_.warning(QStringLiteral("Es ist noch keine Tabelle geöffnet, in der die Grenzwerte gespeichert werden "
                                    "könnten. Die Grenzwerte wurden nicht geändert. Geben Sie zuerst Messwerte ein "
                                    "oder öffnen Sie eine Tabelle."));
    return false;
}

bool TEinstellDlg::storeLimit(CurrentMonth::Limit which, int value)
{
    return month_.setLimit(which, value, [this](MessageKind kind, const QString& text) { desktop_.show(kind, text); });
}

void TEinstellDlg::changeGreenLimit(int delta)
{
    if (diaryAvailable())
        storeLimit(CurrentMonth::Limit::Green, stepLimit(month_.limits().green, delta));
    FormPaint();
}

void TEinstellDlg::changeRedLimit(int delta)
{
    if (diaryAvailable())
        storeLimit(CurrentMonth::Limit::Red, stepLimit(month_.limits().red, delta));
    FormPaint();
}

void TEinstellDlg::GrenzwerteBerechnenBitBtnClick()
{
    const auto limits = limitsFromBestValue(month_.summary().best.value);
    if (!limits || !diaryAvailable())
        return;
    // A green limit that could not be stored leaves the red one alone: the pair belongs together.
    if (storeLimit(CurrentMonth::Limit::Green, limits->green))
        storeLimit(CurrentMonth::Limit::Red, limits->red);
    FormPaint();
}

std::optional<QColor> TEinstellDlg::chooseColor()
{
    const auto chosen = desktop_.chooseColor(this, lastChosenColour_);
    if (chosen)
        lastChosenColour_ = *chosen;
    return chosen;
}

void TEinstellDlg::Button4Click()
{
    if (const auto chosen = chooseColor())
        state_.curveColor = colorRefOf(*chosen);
    // Stored and redrawn also when the choice was cancelled.
    settings_.setCurveColor(state_.curveColor);
    setTextColour(Label4, colorOf(state_.curveColor));
    emit lookChanged();
}

void TEinstellDlg::TrackBar1Change(int position)
{
    settings_.setZoneIntensity(position);
    state_.zoneIntensity = position;
    emit lookChanged();
}

void TEinstellDlg::LinieUnterbrechenCheckBoxClick()
{
    settings_.setBreakLineAtZero(LinieUnterbrechenCheckBox->isChecked());
}

void TEinstellDlg::WerteOberhalbKurveAnzeigenCheckBoxClick()
{
    state_.showValuesAboveCurve = WerteOberhalbKurveAnzeigenCheckBox->isChecked();
    settings_.setShowValuesAboveCurve(state_.showValuesAboveCurve);
}

void TEinstellDlg::Button8Click()
{
    if (const auto chosen = chooseColor())
        state_.aboveCurveColor = colorRefOf(*chosen);
    settings_.setAboveCurveColor(state_.aboveCurveColor);
    setTextColour(Label13, colorOf(state_.aboveCurveColor));
}

} // namespace luftikon
