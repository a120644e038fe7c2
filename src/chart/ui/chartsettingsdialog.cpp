#include "chart/ui/chartsettingsdialog.h"

#include "chart/limits.h"
#include "widgets/spinbutton.h"

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

ChartSettingsDialog::ChartSettingsDialog(AppState& state, CurrentMonth& month, Desktop& desktop, Settings& settings,
                                         QWidget* parent)
    : QDialog(parent), state_(state), month_(month), desktop_(desktop), settings_(settings)
{
    setObjectName(QStringLiteral("chartSettingsDialog"));
    setWindowTitle(QStringLiteral("Einstellungen"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(pixelFont(13));
    buildLayout();
    widenToFitTexts();
    connectHandlers();
    // Limits written by another way (a save that found changed values in the file) show at once.
    connect(&month_, &CurrentMonth::changed, this, [this] {
        if (isVisible())
            refresh();
    });

    breakLineCheck->setChecked(settings_.breakLineAtZero());
    takeFirstShowSettings();
    refresh();
}

void ChartSettingsDialog::buildLayout()
{
    const QFont bold = pixelFont(13, true);
    const QFont heading = pixelFont(13, true, true);
    const QFont value = valueFont();
    const QFont note = pixelFont(11);

    // Frames first, so they lie beneath the controls.
    chartFrame = frame(this, "chartFrame", QRect(8, 8, 329, 337));
    computationFrame = frame(this, "computationFrame", QRect(16, 194, 312, 67));
    browserFrame = frame(this, "browserFrame", QRect(8, 347, 329, 130));

    curveColourLabel = label(this, "curveColourLabel", QStringLiteral("Farbe der Messkurve"), {24, 28}, font());
    curveColourButton = new QPushButton(QStringLiteral("Ändern"), this);
    curveColourButton->setObjectName(QStringLiteral("curveColourButton"));
    curveColourButton->setFont(bold);
    curveColourButton->setGeometry(254, 24, 67, 25);

    limitsHeading = label(this, "limitsHeading", QStringLiteral("Luftikon Grenzwerte in l/min. :"), {24, 72}, heading);

    greenCaption = label(this, "greenCaption", QStringLiteral("Grün Asthma unter Kontrolle >="), {24, 100}, bold);
    greenLimitLabel = label(this, "greenLimitLabel", QString(), {greenValueX, 97}, value);
    greenLimitSpin = new SpinButton(this);
    greenLimitSpin->setObjectName(QStringLiteral("greenLimitSpin"));
    greenLimitSpin->setGeometry(spinButtonXFor(redValueX), 97, 20, 25);

    yellowCaption = label(this, "yellowCaption", QStringLiteral("Gelb kritisch:"), {24, 128}, bold);
    redCaption = label(this, "redCaption", QStringLiteral("Rot Schweres Asthma <="), {25, 155}, bold);
    redLimitLabel = label(this, "redLimitLabel", QString(), {redValueX, 151}, value);
    redLimitSpin = new SpinButton(this);
    redLimitSpin->setObjectName(QStringLiteral("redLimitSpin"));
    redLimitSpin->setGeometry(spinButtonXFor(redValueX), 151, 20, 25);

    for (QLabel* caption : {greenCaption, greenLimitLabel, yellowCaption, redCaption, redLimitLabel})
        setBackground(caption, silver);
    for (QLabel* green : {greenCaption, greenLimitLabel})
        setTextColour(green, zoneGreen);
    setTextColour(yellowCaption, zoneYellow);
    for (QLabel* red : {redCaption, redLimitLabel})
        setTextColour(red, zoneRed);

    computeLimitsButton = new QPushButton(QStringLiteral("Grenzwerte anhand des Bestwertes berechnen"), this);
    computeLimitsButton->setObjectName(QStringLiteral("computeLimitsButton"));
    computeLimitsButton->setFont(bold);
    computeLimitsButton->setGeometry(24, 200, 297, 25);
    noGuaranteeNote =
        label(this, "noGuaranteeNote", QStringLiteral("Keine Gewähr auf die Richtigkeit der errechneten Grenzwerte!"),
              {27, 230}, note);
    askDoctorNote =
        label(this, "askDoctorNote",
              QStringLiteral("Fragen Sie Ihren Arzt, welche Grenzwerte Sie hier eintragen sollen."), {19, 243}, note);

    intensityHeading =
        label(this, "intensityHeading", QStringLiteral("Helligkeit der Grenzwerte-Anzeige:"), {24, 274}, heading);
    intensityMinLabel = label(this, "intensityMinLabel", QStringLiteral("0"), {66, 301}, font());
    zoneIntensitySlider = new QSlider(Qt::Horizontal, this);
    zoneIntensitySlider->setObjectName(QStringLiteral("zoneIntensitySlider"));
    zoneIntensitySlider->setRange(0, 8);
    zoneIntensitySlider->setSingleStep(1);
    zoneIntensitySlider->setPageStep(1);
    zoneIntensitySlider->setTickInterval(1);
    zoneIntensitySlider->setTickPosition(QSlider::TicksBelow);
    zoneIntensitySlider->setGeometry(80, 296, 150, 45);
    intensityMaxLabel = label(this, "intensityMaxLabel", QStringLiteral("max."), {232, 301}, font());

    browserHeading =
        label(this, "browserHeading", QStringLiteral("Beim Liniendiagramm im Browser:"), {70, 351}, font());
    breakLineCheck = new QCheckBox(QStringLiteral("Ist Mittelwert = 0 dann Linie unterbrechen."), this);
    breakLineCheck->setObjectName(QStringLiteral("breakLineCheck"));
    breakLineCheck->move(24, 372);
    breakLineCheck->adjustSize();
    showValuesCheck = new QCheckBox(QStringLiteral("Die Datenwerte anzeigen"), this);
    showValuesCheck->setObjectName(QStringLiteral("showValuesCheck"));
    showValuesCheck->move(24, 406);
    showValuesCheck->adjustSize();
    valuesColourLabel = label(this, "valuesColourLabel", QStringLiteral("Farbe der Datenwerte"), {24, 436}, bold);
    valuesColourButton = new QPushButton(QStringLiteral("Ändern"), this);
    valuesColourButton->setObjectName(QStringLiteral("valuesColourButton"));
    valuesColourButton->setGeometry(264, 432, 67, 25);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setGeometry(135, 490, 75, 25);
    okButton->setDefault(true);
}

void ChartSettingsDialog::widenToFitTexts()
{
    // The fonts standing in for the design font are wider; positions stay, widths grow where a
    // text would be cut off, and the frames and the dialog grow around them.
    for (QPushButton* button : {curveColourButton, computeLimitsButton, valuesColourButton, okButton})
        widenToText(button);
    widenFrameAround(computationFrame, computeLimitsButton, 7);
    for (QLabel* note : {noGuaranteeNote, askDoctorNote})
        widenFrameAround(computationFrame, note, 3);
    widenFrameAround(chartFrame, computationFrame, 9);
    for (QWidget* w : chartFrame->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w == chartFrame || w == browserFrame || w->y() >= browserFrame->y() || w->y() < chartFrame->y())
            continue;
        widenFrameAround(chartFrame, w, 8);
    }
    for (QWidget* w : {static_cast<QWidget*>(breakLineCheck), static_cast<QWidget*>(showValuesCheck),
                       static_cast<QWidget*>(valuesColourLabel), static_cast<QWidget*>(valuesColourButton),
                       static_cast<QWidget*>(browserHeading)})
        widenFrameAround(browserFrame, w, 6);
    // Both groups as wide as the wider one, so their edges line up.
    const int groupWidth = std::max(chartFrame->width(), browserFrame->width());
    chartFrame->resize(groupWidth, chartFrame->height());
    browserFrame->resize(groupWidth, browserFrame->height());
    setFixedSize(std::max(dialogWidth, chartFrame->geometry().right() + 1 + 8), dialogHeight);
}

void ChartSettingsDialog::connectHandlers()
{
    connect(curveColourButton, &QPushButton::clicked, this, &ChartSettingsDialog::chooseCurveColour);
    connect(zoneIntensitySlider, &QSlider::valueChanged, this, &ChartSettingsDialog::zoneIntensityChanged);
    connect(greenLimitSpin, &SpinButton::upClick, this, &ChartSettingsDialog::greenLimitUp);
    connect(greenLimitSpin, &SpinButton::downClick, this, &ChartSettingsDialog::greenLimitDown);
    connect(redLimitSpin, &SpinButton::upClick, this, &ChartSettingsDialog::redLimitUp);
    connect(redLimitSpin, &SpinButton::downClick, this, &ChartSettingsDialog::redLimitDown);
    connect(computeLimitsButton, &QPushButton::clicked, this, &ChartSettingsDialog::computeLimits);
    connect(breakLineCheck, &QCheckBox::clicked, this, &ChartSettingsDialog::breakLineClicked);
    connect(showValuesCheck, &QCheckBox::clicked, this, &ChartSettingsDialog::showValuesClicked);
    connect(valuesColourButton, &QPushButton::clicked, this, &ChartSettingsDialog::chooseValuesColour);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

void ChartSettingsDialog::showEvent(QShowEvent* event)
{
    refresh();
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

void ChartSettingsDialog::takeFirstShowSettings()
{
    const QSignalBlocker quiet(zoneIntensitySlider);
    zoneIntensitySlider->setValue(state_.zoneIntensity);
    showValuesCheck->setChecked(state_.showValuesAboveCurve);
    setTextColour(valuesColourLabel, colorOf(state_.aboveCurveColor));
}

void ChartSettingsDialog::refresh()
{
    setTextColour(curveColourLabel, colorOf(state_.curveColor));
    setTextColour(valuesColourLabel, colorOf(state_.aboveCurveColor));
    for (auto [valueLabel, limit, spin, designX] :
         {std::tuple{greenLimitLabel, month_.limits().green, greenLimitSpin, greenValueX},
          std::tuple{redLimitLabel, month_.limits().red, redLimitSpin, redValueX}}) {
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
    computeLimitsButton->setEnabled(month_.summary().best.value > 0);
}

bool ChartSettingsDialog::diaryAvailable() const
{
    if (!month_.path().isEmpty())
        return true; // a path that has gone missing is told by the writer, naming the file
    desktop_.warning(QStringLiteral("Es ist noch keine Tabelle geöffnet, in der die Grenzwerte gespeichert werden "
                                    "könnten. Die Grenzwerte wurden nicht geändert. Geben Sie zuerst Messwerte ein "
                                    "oder öffnen Sie eine Tabelle."));
    return false;
}

bool ChartSettingsDialog::storeLimit(CurrentMonth::Limit which, int value)
{
    return month_.setLimit(which, value, [this](MessageKind kind, const QString& text) { desktop_.show(kind, text); });
}

void ChartSettingsDialog::changeGreenLimit(int delta)
{
    if (diaryAvailable())
        storeLimit(CurrentMonth::Limit::Green, stepLimit(month_.limits().green, delta));
    refresh();
}

void ChartSettingsDialog::changeRedLimit(int delta)
{
    if (diaryAvailable())
        storeLimit(CurrentMonth::Limit::Red, stepLimit(month_.limits().red, delta));
    refresh();
}

void ChartSettingsDialog::computeLimits()
{
    const auto limits = limitsFromBestValue(month_.summary().best.value);
    if (!limits || !diaryAvailable())
        return;
    // A green limit that could not be stored leaves the red one alone: the pair belongs together.
    if (storeLimit(CurrentMonth::Limit::Green, limits->green))
        storeLimit(CurrentMonth::Limit::Red, limits->red);
    refresh();
}

std::optional<QColor> ChartSettingsDialog::chooseColor()
{
    const auto chosen = desktop_.chooseColor(this, lastChosenColour_);
    if (chosen)
        lastChosenColour_ = *chosen;
    return chosen;
}

void ChartSettingsDialog::chooseCurveColour()
{
    if (const auto chosen = chooseColor())
        state_.curveColor = colorRefOf(*chosen);
    // Stored and redrawn also when the choice was cancelled.
    settings_.setCurveColor(state_.curveColor);
    setTextColour(curveColourLabel, colorOf(state_.curveColor));
    emit lookChanged();
}

void ChartSettingsDialog::zoneIntensityChanged(int position)
{
    settings_.setZoneIntensity(position);
    state_.zoneIntensity = position;
    emit lookChanged();
}

void ChartSettingsDialog::breakLineClicked()
{
    settings_.setBreakLineAtZero(breakLineCheck->isChecked());
}

void ChartSettingsDialog::showValuesClicked()
{
    state_.showValuesAboveCurve = showValuesCheck->isChecked();
    settings_.setShowValuesAboveCurve(state_.showValuesAboveCurve);
}

void ChartSettingsDialog::chooseValuesColour()
{
    if (const auto chosen = chooseColor())
        state_.aboveCurveColor = colorRefOf(*chosen);
    settings_.setAboveCurveColor(state_.aboveCurveColor);
    setTextColour(valuesColourLabel, colorOf(state_.aboveCurveColor));
}

} // namespace luftikon
