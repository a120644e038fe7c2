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

// Each zone caption stands on a pale band of its zone's colour in a dark shade of that colour,
// so the colour tells the zone and the text stays readable (at least 5.4 : 1).
struct ZoneLook {
    QColor text;
    QColor band;
};
const ZoneLook greenLook{QColor(0, 100, 0), QColor(204, 255, 204)};
const ZoneLook yellowLook{QColor(102, 85, 0), QColor(255, 255, 153)};
const ZoneLook redLook{QColor(170, 0, 0), QColor(255, 204, 204)};

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

void setZoneLook(QLabel* label, const ZoneLook& look)
{
    setTextColour(label, look.text);
    setBackground(label, look.band);
}

// A small field filled with a chosen colour and outlined dark, so that any colour, white or
// yellow included, shows beside its dark caption.
QFrame* swatch(QWidget* parent, const char* name, QRect geometry)
{
    auto* f = new QFrame(parent);
    f->setObjectName(QLatin1String(name));
    f->setFrameStyle(QFrame::Box | QFrame::Plain);
    f->setLineWidth(1);
    setTextColour(f, Qt::black);
    f->setGeometry(geometry);
    return f;
}

void showColour(QFrame* swatch, const QColor& colour)
{
    setBackground(swatch, colour);
    swatch->setAccessibleDescription(colour.name().toUpper());
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

    breakLineCheck_->setChecked(settings_.breakLineAtZero());
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
    chartFrame_ = frame(this, "chartFrame", QRect(8, 8, 329, 337));
    computationFrame_ = frame(this, "computationFrame", QRect(16, 194, 312, 67));
    browserFrame_ = frame(this, "browserFrame", QRect(8, 347, 329, 130));

    curveColourLabel_ = label(this, "curveColourLabel", QStringLiteral("Farbe der Messkurve"), {24, 28}, font());
    curveColourSwatch_ = swatch(this, "curveColourSwatch", QRect(206, 26, 40, 21));
    curveColourButton_ = new QPushButton(QStringLiteral("Ändern"), this);
    curveColourButton_->setObjectName(QStringLiteral("curveColourButton"));
    curveColourButton_->setFont(bold);
    curveColourButton_->setGeometry(254, 24, 67, 25);

    limitsHeading_ = label(this, "limitsHeading", QStringLiteral("Luftikon Grenzwerte in l/min. :"), {24, 72}, heading);

    greenCaption_ = label(this, "greenCaption", QStringLiteral("Grün Asthma unter Kontrolle >="), {24, 100}, bold);
    greenLimitLabel_ = label(this, "greenLimitLabel", QString(), {greenValueX, 97}, value);
    greenLimitSpin_ = new SpinButton(this);
    greenLimitSpin_->setObjectName(QStringLiteral("greenLimitSpin"));
    greenLimitSpin_->setGeometry(spinButtonXFor(redValueX), 97, 20, 25);

    yellowCaption_ = label(this, "yellowCaption", QStringLiteral("Gelb kritisch:"), {24, 128}, bold);
    redCaption_ = label(this, "redCaption", QStringLiteral("Rot Schweres Asthma <="), {25, 155}, bold);
    redLimitLabel_ = label(this, "redLimitLabel", QString(), {redValueX, 151}, value);
    redLimitSpin_ = new SpinButton(this);
    redLimitSpin_->setObjectName(QStringLiteral("redLimitSpin"));
    redLimitSpin_->setGeometry(spinButtonXFor(redValueX), 151, 20, 25);

    for (QLabel* green : {greenCaption_, greenLimitLabel_})
        setZoneLook(green, greenLook);
    setZoneLook(yellowCaption_, yellowLook);
    for (QLabel* red : {redCaption_, redLimitLabel_})
        setZoneLook(red, redLook);

    computeLimitsButton_ = new QPushButton(QStringLiteral("Grenzwerte anhand des Bestwertes berechnen"), this);
    computeLimitsButton_->setObjectName(QStringLiteral("computeLimitsButton"));
    computeLimitsButton_->setFont(bold);
    computeLimitsButton_->setGeometry(24, 200, 297, 25);
    noGuaranteeNote_ =
        label(this, "noGuaranteeNote", QStringLiteral("Keine Gewähr auf die Richtigkeit der errechneten Grenzwerte!"),
              {27, 230}, note);
    askDoctorNote_ =
        label(this, "askDoctorNote",
              QStringLiteral("Fragen Sie Ihren Arzt, welche Grenzwerte Sie hier eintragen sollen."), {19, 243}, note);

    intensityHeading_ =
        label(this, "intensityHeading", QStringLiteral("Helligkeit der Grenzwerte-Anzeige:"), {24, 274}, heading);
    intensityMinLabel_ = label(this, "intensityMinLabel", QStringLiteral("0"), {66, 301}, font());
    zoneIntensitySlider_ = new QSlider(Qt::Horizontal, this);
    zoneIntensitySlider_->setObjectName(QStringLiteral("zoneIntensitySlider"));
    zoneIntensitySlider_->setRange(0, 8);
    zoneIntensitySlider_->setSingleStep(1);
    zoneIntensitySlider_->setPageStep(1);
    zoneIntensitySlider_->setTickInterval(1);
    zoneIntensitySlider_->setTickPosition(QSlider::TicksBelow);
    zoneIntensitySlider_->setGeometry(80, 296, 150, 45);
    intensityMaxLabel_ = label(this, "intensityMaxLabel", QStringLiteral("max."), {232, 301}, font());

    browserHeading_ =
        label(this, "browserHeading", QStringLiteral("Beim Liniendiagramm im Browser:"), {70, 351}, font());
    breakLineCheck_ = new QCheckBox(QStringLiteral("Ist Mittelwert = 0 dann Linie unterbrechen."), this);
    breakLineCheck_->setObjectName(QStringLiteral("breakLineCheck"));
    breakLineCheck_->move(24, 372);
    breakLineCheck_->adjustSize();
    showValuesCheck_ = new QCheckBox(QStringLiteral("Die Datenwerte anzeigen"), this);
    showValuesCheck_->setObjectName(QStringLiteral("showValuesCheck"));
    showValuesCheck_->move(24, 406);
    showValuesCheck_->adjustSize();
    valuesColourLabel_ = label(this, "valuesColourLabel", QStringLiteral("Farbe der Datenwerte"), {24, 436}, bold);
    valuesColourSwatch_ = swatch(this, "valuesColourSwatch", QRect(216, 434, 40, 21));
    valuesColourButton_ = new QPushButton(QStringLiteral("Ändern"), this);
    valuesColourButton_->setObjectName(QStringLiteral("valuesColourButton"));
    valuesColourButton_->setGeometry(264, 432, 67, 25);

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setGeometry(135, 490, 75, 25);
    okButton_->setDefault(true);
    nameControls();
}

void ChartSettingsDialog::nameControls()
{
    // What a screen reader says for each control that has no text of its own, or the same text
    // as another one.
    curveColourSwatch_->setAccessibleName(QStringLiteral("Farbe der Messkurve"));
    curveColourButton_->setAccessibleName(QStringLiteral("Farbe der Messkurve ändern"));
    greenLimitSpin_->setAccessibleNames(QStringLiteral("Grüner Grenzwert"),
                                        QStringLiteral("Grünen Grenzwert um 1 erhöhen"),
                                        QStringLiteral("Grünen Grenzwert um 1 senken"));
    redLimitSpin_->setAccessibleNames(QStringLiteral("Roter Grenzwert"), QStringLiteral("Roten Grenzwert um 1 erhöhen"),
                                      QStringLiteral("Roten Grenzwert um 1 senken"));
    zoneIntensitySlider_->setAccessibleName(QStringLiteral("Helligkeit der Grenzwerte-Anzeige"));
    zoneIntensitySlider_->setAccessibleDescription(QStringLiteral("von 0 bis 8"));
    valuesColourSwatch_->setAccessibleName(QStringLiteral("Farbe der Datenwerte"));
    valuesColourButton_->setAccessibleName(QStringLiteral("Farbe der Datenwerte ändern"));
}

void ChartSettingsDialog::widenToFitTexts()
{
    // The fonts standing in for the design font are wider; positions stay, widths grow where a
    // text would be cut off, and the frames and the dialog grow around them.
    for (QPushButton* button : {curveColourButton_, computeLimitsButton_, valuesColourButton_, okButton_})
        widenToText(button);
    widenFrameAround(computationFrame_, computeLimitsButton_, 7);
    for (QLabel* note : {noGuaranteeNote_, askDoctorNote_})
        widenFrameAround(computationFrame_, note, 3);
    widenFrameAround(chartFrame_, computationFrame_, 9);
    for (QWidget* w : chartFrame_->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w == chartFrame_ || w == browserFrame_ || w->y() >= browserFrame_->y() || w->y() < chartFrame_->y())
            continue;
        widenFrameAround(chartFrame_, w, 8);
    }
    for (QWidget* w : {static_cast<QWidget*>(breakLineCheck_), static_cast<QWidget*>(showValuesCheck_),
                       static_cast<QWidget*>(valuesColourLabel_), static_cast<QWidget*>(valuesColourButton_),
                       static_cast<QWidget*>(browserHeading_)})
        widenFrameAround(browserFrame_, w, 6);
    // Both groups as wide as the wider one, so their edges line up.
    const int groupWidth = std::max(chartFrame_->width(), browserFrame_->width());
    chartFrame_->resize(groupWidth, chartFrame_->height());
    browserFrame_->resize(groupWidth, browserFrame_->height());
    setFixedSize(std::max(dialogWidth, chartFrame_->geometry().right() + 1 + 8), dialogHeight);
}

void ChartSettingsDialog::connectHandlers()
{
    connect(curveColourButton_, &QPushButton::clicked, this, &ChartSettingsDialog::chooseCurveColour);
    connect(zoneIntensitySlider_, &QSlider::valueChanged, this, &ChartSettingsDialog::zoneIntensityChanged);
    connect(greenLimitSpin_, &SpinButton::upClick, this, &ChartSettingsDialog::greenLimitUp);
    connect(greenLimitSpin_, &SpinButton::downClick, this, &ChartSettingsDialog::greenLimitDown);
    connect(redLimitSpin_, &SpinButton::upClick, this, &ChartSettingsDialog::redLimitUp);
    connect(redLimitSpin_, &SpinButton::downClick, this, &ChartSettingsDialog::redLimitDown);
    connect(computeLimitsButton_, &QPushButton::clicked, this, &ChartSettingsDialog::computeLimits);
    connect(breakLineCheck_, &QCheckBox::clicked, this, &ChartSettingsDialog::breakLineClicked);
    connect(showValuesCheck_, &QCheckBox::clicked, this, &ChartSettingsDialog::showValuesClicked);
    connect(valuesColourButton_, &QPushButton::clicked, this, &ChartSettingsDialog::chooseValuesColour);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
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
    const QSignalBlocker quiet(zoneIntensitySlider_);
    zoneIntensitySlider_->setValue(state_.zoneIntensity);
    showValuesCheck_->setChecked(state_.showValuesAboveCurve);
    showColour(valuesColourSwatch_, colorOf(state_.aboveCurveColor));
}

void ChartSettingsDialog::refresh()
{
    showColour(curveColourSwatch_, colorOf(state_.curveColor));
    showColour(valuesColourSwatch_, colorOf(state_.aboveCurveColor));
    for (auto [valueLabel, limit, spin, designX] :
         {std::tuple{greenLimitLabel_, month_.limits().green, greenLimitSpin_, greenValueX},
          std::tuple{redLimitLabel_, month_.limits().red, redLimitSpin_, redValueX}}) {
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
        spin->setAccessibleDescription(text + QStringLiteral(" l/min"));
    }
    // A month whose readings are all 0 or no numbers has no best value to compute from.
    computeLimitsButton_->setEnabled(month_.summary().best.value > 0);
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
    return month_.setLimit(which, value, desktop_.notifier());
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
    showColour(curveColourSwatch_, colorOf(state_.curveColor));
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
    settings_.setBreakLineAtZero(breakLineCheck_->isChecked());
}

void ChartSettingsDialog::showValuesClicked()
{
    state_.showValuesAboveCurve = showValuesCheck_->isChecked();
    settings_.setShowValuesAboveCurve(state_.showValuesAboveCurve);
}

void ChartSettingsDialog::chooseValuesColour()
{
    if (const auto chosen = chooseColor())
        state_.aboveCurveColor = colorRefOf(*chosen);
    settings_.setAboveCurveColor(state_.aboveCurveColor);
    showColour(valuesColourSwatch_, colorOf(state_.aboveCurveColor));
}

} // namespace luftikon
