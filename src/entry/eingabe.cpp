// The entry dialog: its controls, the field rules, the time buttons and the slot button.
#include "entry/eingabe.h"

#include "diary/dates.h"
#include "diary/entryline.h"
#include "diary/longlines.h"
#include "diary/slots.h"
#include "entry/spinedit.h"
#include "entry/toucheingabe.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

namespace luftikon {

namespace {

constexpr int dialogWidth = 593;
constexpr int dialogHeight = 441;
constexpr int rightColumn = 285;
constexpr int fieldHeight = 40;

const QColor green(0, 128, 0);
const QColor grey(128, 128, 128);

QFont fieldFont()
{
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(24);
    font.setBold(true);
    return font;
}

// A two-digit field as the user types over it: one digit gets its leading zero, and a digit
// typed after such a zero takes its place, so "1" then "0" gives "10", never "010".
QString typedOver(QString text)
{
    if (text.size() == 1 && text != QStringLiteral("0"))
        return u'0' + text;
    while (text.size() > 2 && text.startsWith(u'0'))
        text.remove(0, 1);
    return text;
}

struct Clock {
    int hours;
    int minutes;
};

std::optional<Clock> clockOf(const QString& time)
{
    const qsizetype colon = time.indexOf(u':');
    if (colon < 0)
        return std::nullopt;
    const auto hours = parseWholeNumber(trimBlanks(time.left(colon)));
    const auto minutes = parseWholeNumber(trimBlanks(time.mid(colon + 1)));
    if (!hours || !minutes)
        return std::nullopt;
    return Clock{*hours, *minutes};
}

// 24:00 is the end of the day; any minute past it starts the next one.
QString clockText(Clock clock)
{
    if (clock.hours == 24 && clock.minutes > 0)
        clock.hours = 0;
    return twoDigits(clock.hours) + u':' + twoDigits(clock.minutes);
}

} // namespace

std::optional<QString> timeStepUp(const QString& time)
{
    auto clock = clockOf(time);
    if (!clock)
        return std::nullopt;
    clock->minutes += 10;
    if (clock->minutes >= 60) {
        clock->minutes = 0;
        if (clock->hours != 24)
            ++clock->hours;
    }
    return clockText(*clock);
}

std::optional<QString> timeStepDown(const QString& time)
{
    auto clock = clockOf(time);
    if (!clock)
        return std::nullopt;
    clock->minutes -= 10;
    if (clock->minutes < 0) {
        if (clock->hours < 1) {
            clock->hours = 24;
            clock->minutes = 0;
        }
        else {
            --clock->hours;
            clock->minutes = 50;
        }
    }
    return clockText(*clock);
}

TEingabeDlg::TEingabeDlg(AppState& state, CurrentMonth& month, Desktop& desktop, Settings& settings, QWidget* parent)
    : QDialog(parent), state_(state), month_(month), desktop_(desktop), settings_(settings)
{
    setObjectName(QStringLiteral("EingabeDlg"));
    setWindowTitle(QStringLiteral("Eingabe der Luftikon-Messwerte"));
    // Left only through its own buttons: no close button in the frame.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(dialogWidth, dialogHeight);
    buildLayout();
    connectHandlers();
    // The draft follows the month whenever it takes another diary or a save; a limit leaves it.
    connect(&month_, &CurrentMonth::changed, this, [this](CurrentMonth::Change change) {
        if (change != CurrentMonth::Change::Limits && month_.diary().ok)
            takeDiary(month_.diary());
    });

    // The state at program start: the slot and fields after the last reading.
    TagSpinEdit->setValue(1);
    MonatSpinEdit->setValue(1);
    JahrSpinEdit->setValue(1998);
    LuftikonSpinEdit->setValue(400);
    KorrigiereDieMorgensBisAbendsEinstellung();
    // Without a last reading the time is the one configured for the slot.
    if (UhrzeitEdit->text().isEmpty())
        LiesUhrzeitenEin();
}

void TEingabeDlg::buildLayout()
{
    QFont headingFont = font();
    headingFont.setBold(true);
    Label4 = new QLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setFont(headingFont);
    Label4->setGeometry(8, 8, dialogWidth - 16, 18);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setFont(QFont(QStringLiteral("Calibri"), 9));
    ListBox1->setGeometry(8, 30, 270, 403);

    DatumLabel = new QLabel(this);
    DatumLabel->setObjectName(QStringLiteral("DatumLabel"));
    DatumLabel->setGeometry(rightColumn, 30, dialogWidth - rightColumn - 8, 18);

    const QString dayCaption = QStringLiteral("Tag                     ");
    const QString monthCaption = QStringLiteral("Monat                    ");
    SpaltenLabel = new QLabel(dayCaption + monthCaption + QStringLiteral("Jahr"), this);
    SpaltenLabel->setObjectName(QStringLiteral("SpaltenLabel"));
    SpaltenLabel->setGeometry(rightColumn, 56, dialogWidth - rightColumn - 8, 18);

    // Each field stands under its word of the column heading.
    const QFontMetrics metrics(font());
    const int monthX = rightColumn + metrics.horizontalAdvance(dayCaption);
    const int yearX =
        std::min(rightColumn + metrics.horizontalAdvance(dayCaption + monthCaption), dialogWidth - 8 - 110);
    const auto makeField = [this](int minimum, int maximum, const char* name) {
        auto* field = new SpinEdit(minimum, maximum, this);
        field->setObjectName(QLatin1String(name));
        field->setFont(fieldFont());
        setFieldColor(field->editor(), false);
        field->editor()->installEventFilter(this);
        field->installEventFilter(this);
        return field;
    };
    TagSpinEdit = makeField(1, 31, "TagSpinEdit");
    TagSpinEdit->setGeometry(rightColumn, 74, std::min(80, monthX - rightColumn - 6), fieldHeight);
    MonatSpinEdit = makeField(1, 12, "MonatSpinEdit");
    MonatSpinEdit->setGeometry(monthX, 74, std::min(80, yearX - monthX - 6), fieldHeight);
    JahrSpinEdit = makeField(1900, 9999, "JahrSpinEdit");
    JahrSpinEdit->setGeometry(yearX, 74, 110, fieldHeight);
    TagSpinEdit->editor()->setMouseTracking(true);
    MonatSpinEdit->editor()->setMouseTracking(true);

    WertLabel = new QLabel(QStringLiteral("Luftikon in l/min."), this);
    WertLabel->setObjectName(QStringLiteral("WertLabel"));
    WertLabel->setGeometry(rightColumn, 128, 200, 18);
    LuftikonSpinEdit = makeField(20, 800, "LuftikonSpinEdit");
    LuftikonSpinEdit->setGeometry(rightColumn, 146, 110, fieldHeight);
    LuftikonSpinEdit->setToolTip(QStringLiteral("Geben sie hier den Luftikon-Messwert ein."));

    MessungButton = new QPushButton(this);
    MessungButton->setObjectName(QStringLiteral("MessungButton"));
    MessungButton->setGeometry(rightColumn, 204, 120, fieldHeight);
    MessungButton->setAutoDefault(false);
    UhrzeitEdit = new TimeEdit(this);
    UhrzeitEdit->setObjectName(QStringLiteral("UhrzeitEdit"));
    UhrzeitEdit->setFont(fieldFont());
    UhrzeitEdit->setGeometry(rightColumn + 130, 204, 130, fieldHeight);
    setFieldColor(UhrzeitEdit->editor(), false);

    const auto makeButton = [this](const QString& text, const char* name, int x, int y) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(x, y, 145, 30);
        button->setAutoDefault(false);
        return button;
    };
    AufnehmenButton = makeButton(QStringLiteral("In Liste &aufnehmen"), "AufnehmenButton", rightColumn, 264);
    BearbeitenButton = makeButton(QStringLiteral("Eintrag &bearbeiten"), "BearbeitenButton", rightColumn + 155, 264);
    GrafikButton = makeButton(QStringLiteral("&Grafik zeigen"), "GrafikButton", rightColumn, 363);
    GrafikButton->setDefault(true);
    TabelleButton = makeButton(QStringLiteral("&Tabelle zeigen"), "TabelleButton", rightColumn + 155, 363);
    // Alt+A belongs to the add button; Escape still cancels.
    AbbrechenButton = makeButton(QStringLiteral("Abbre&chen"), "AbbrechenButton", rightColumn + 155, 403);

    noteLabel = new QLabel(this);
    noteLabel->setObjectName(QStringLiteral("noteLabel"));
    noteLabel->setGeometry(rightColumn, 298, dialogWidth - rightColumn - 8, 62);
    noteLabel->setWordWrap(true);
    noteLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    noteLabel->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold;"));
    noteLabel->hide();
}

void TEingabeDlg::connectHandlers()
{
    connect(TagSpinEdit, &SpinEdit::textEdited, this, &TEingabeDlg::TagSpinEditChange);
    connect(MonatSpinEdit, &SpinEdit::textEdited, this, &TEingabeDlg::MonatSpinEditChange);
    connect(JahrSpinEdit, &SpinEdit::textEdited, this, &TEingabeDlg::JahrSpinEditChange);
    connect(UhrzeitEdit, &TimeEdit::stepRequested, this, &TEingabeDlg::UhrzeitStep);
    connect(MessungButton, &QPushButton::clicked, this, &TEingabeDlg::MessungButtonClick);
    connect(AufnehmenButton, &QPushButton::clicked, this, &TEingabeDlg::AufnehmenButtonClick);
    connect(BearbeitenButton, &QPushButton::clicked, this, &TEingabeDlg::BearbeitenButtonClick);
    connect(GrafikButton, &QPushButton::clicked, this, &TEingabeDlg::GrafikButtonClick);
    connect(TabelleButton, &QPushButton::clicked, this, &TEingabeDlg::TabelleButtonClick);
    connect(AbbrechenButton, &QPushButton::clicked, this, &TEingabeDlg::AbbrechenButtonClick);
    connect(LuftikonSpinEdit, &SpinEdit::changedByUser, this, [this] { valueTouched_ = true; });
}

void TEingabeDlg::setFieldColor(QLineEdit* edit, bool locked)
{
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, locked ? grey : green);
    edit->setPalette(palette);
}

void TEingabeDlg::setFieldText(SpinEdit* field, const QString& text)
{
    if (field->text() != text)
        field->setText(text);
}

void TEingabeDlg::TagSpinEditChange()
{
    if (adjusting_)
        return;
    adjusting_ = true;
    setFieldText(TagSpinEdit, typedOver(TagSpinEdit->text()));
    adjusting_ = false;
}

void TEingabeDlg::MonatSpinEditChange()
{
    if (adjusting_)
        return;
    adjusting_ = true;
    if (entries_.isEmpty()) {
        setFieldColor(MonatSpinEdit->editor(), false);
    }
    else {
        // The month of a list that holds readings is that of its diary file.
        const auto number = [](const QString& text) { return parseWholeNumber(trimBlanks(text)); };
        const QString text = typedOver(MonatSpinEdit->text());
        const bool same = number(text) && number(text) == number(listMonth_);
        setFieldText(MonatSpinEdit, same ? text : typedOver(listMonth_));
        setFieldColor(MonatSpinEdit->editor(), !same);
    }
    adjusting_ = false;
    updateNotes();
}

void TEingabeDlg::JahrSpinEditChange()
{
    if (adjusting_)
        return;
    adjusting_ = true;
    if (entries_.isEmpty()) {
        setFieldColor(JahrSpinEdit->editor(), false);
    }
    else {
        const bool same = JahrSpinEdit->text() == listYear_;
        if (!same)
            setFieldText(JahrSpinEdit, listYear_);
        setFieldColor(JahrSpinEdit->editor(), !same);
    }
    adjusting_ = false;
    updateNotes();
}

void TEingabeDlg::updateDayHint(SpinEdit* field)
{
    const auto month = MonatSpinEdit->number();
    const auto year = JahrSpinEdit->number();
    const int days = month && year ? DaysInMonthLocal(*month, *year) : 0;
    if (days == 0) {
        field->setToolTip(QString());
        return;
    }
    field->setToolTip(QStringLiteral("Der Monat ") + MonatSpinEdit->text() + QStringLiteral(" hat ") +
                      QString::number(days) + QStringLiteral(" Tage."));
}

void TEingabeDlg::UhrzeitStep(int steps)
{
    QString time = UhrzeitEdit->text();
    for (int i = 0; i < std::abs(steps); ++i) {
        const auto next = steps > 0 ? timeStepUp(time) : timeStepDown(time);
        if (!next) {
            say(MessageKind::Error, QStringLiteral("Die Uhrzeit \"%1\" ist keine Uhrzeit der Form Stunden:Minuten "
                                                   "(zum Beispiel 08:00). Sie wurde nicht verändert.")
                                        .arg(time));
            return;
        }
        time = *next;
    }
    UhrzeitEdit->setText(time);
}

void TEingabeDlg::setSlot(int slot)
{
    slot_ = slot;
    if (const SlotInfo* info = slotInfo(slot)) {
        MessungButton->setText(QString(info->caption));
        entryPrefix_ = QString(info->entryPrefix);
    }
}

void TEingabeDlg::advanceSlot()
{
    setSlot(nextSlot(slot_, month_.layout().mode()));
    LiesUhrzeitenEin();
}

void TEingabeDlg::LiesUhrzeitenEin()
{
    const SlotMode mode = month_.layout().mode();
    const auto time = luftikon::LiesUhrzeitenEin(
        slot_, mode, mode == SlotMode::Four ? settings_.fourSlotTimes() : settings_.eightSlotTimes());
    if (time)
        UhrzeitEdit->setText(*time);
}

void TEingabeDlg::KorrigiereDieMorgensBisAbendsEinstellung()
{
    const NextSlotProposal proposal = luftikon::KorrigiereDieMorgensBisAbendsEinstellung(
        settings_.lastEntryLine(), month_.layout().marks(SlotMode::Four), slot_);
    if (proposal.day)
        TagSpinEdit->setText(*proposal.day);
    if (proposal.month)
        MonatSpinEdit->setText(*proposal.month);
    if (proposal.year)
        JahrSpinEdit->setText(*proposal.year);
    if (proposal.time)
        UhrzeitEdit->setText(*proposal.time);
    if (proposal.value)
        LuftikonSpinEdit->setText(*proposal.value);
    setSlot(proposal.slot);
}

void TEingabeDlg::setHeading(const QString& text)
{
    Label4->setText(text);
}

void TEingabeDlg::setDateLine(const QDate& today)
{
    DatumLabel->setText(QStringLiteral("Heute ist der ") + today.toString(QStringLiteral("dd.MM.yyyy")));
}

void TEingabeDlg::setMonthAndYear(int month, int year)
{
    MonatSpinEdit->setValue(month);
    JahrSpinEdit->setValue(year);
    updateNotes();
}

void TEingabeDlg::setYearText(const QString& year)
{
    JahrSpinEdit->setText(year);
}

void TEingabeDlg::showEntries()
{
    ListBox1->clear();
    for (const QString& line : entries_)
        ListBox1->addItem(shownLine(line));
}

void TEingabeDlg::FormPaint()
{
    if (needsMorningCorrection(settings_.lastEntryLine(), month_.layout().mode()))
        setSlot(FirstSlot);
    updateCancelButton();
    if (TagSpinEdit->text() == QStringLiteral("1"))
        TagSpinEdit->setText(QStringLiteral("01"));
    if (MonatSpinEdit->text() == QStringLiteral("1"))
        MonatSpinEdit->setText(QStringLiteral("01"));
    if (showTableWhenShown_) {
        showTableWhenShown_ = false;
        // Not from inside the paint: the table step saves and may ask.
        QTimer::singleShot(0, this, &TEingabeDlg::TabelleButtonClick);
    }
}

void TEingabeDlg::updateCancelButton()
{
    AbbrechenButton->setVisible(!newTable_);
}

void TEingabeDlg::noteContinuedMonth(int readings)
{
    continuationNote_ = readings > 0 ? QStringLiteral("Für diesen Monat gibt es schon eine Tabelle mit %1 Messwerten; "
                                                      "die neuen Messwerte werden hinzugefügt.")
                                           .arg(readings)
                                     : QString();
    updateNotes();
}

void TEingabeDlg::updateNotes()
{
    if (!noteLabel)
        return;
    QStringList notes;
    if (!continuationNote_.isEmpty())
        notes << continuationNote_;
    // A reading for today must not be filed unseen in the month looked at last.
    const bool listed = !entries_.isEmpty();
    const auto month = listed ? parseWholeNumber(trimBlanks(listMonth_)) : MonatSpinEdit->number();
    const auto year = listed ? parseWholeNumber(trimBlanks(listYear_)) : JahrSpinEdit->number();
    const QDate today = desktop_.today();
    if (month && year && (*month != today.month() || *year != today.year()))
        notes << QStringLiteral(
                     "Sie bearbeiten den %1 %2. Heute (%3) gehört zum %4 %5: dafür \"Datei\" \u2192 \"Neu\".")
                     .arg(GibMonatLang(*month))
                     .arg(*year)
                     .arg(today.toString(QStringLiteral("dd.MM.yyyy")), GibMonatLang(today.month()))
                     .arg(today.year());
    if (editedLine_)
        notes << QStringLiteral("In Bearbeitung: ") + shownLine(*editedLine_).simplified();
    noteLabel->setText(notes.join(u'\n'));
    noteLabel->setVisible(!notes.isEmpty());
}

void TEingabeDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    showEntries();
    updateCancelButton();
    // Only what the user types from now on counts as a reading to add.
    valueTouched_ = false;
    editedLine_.reset();
    updateNotes();
    if (ListBox1->count() > 0)
        ListBox1->setCurrentRow(ListBox1->count() - 1);
    ListBox1->setFocus();
    // Painting means the window itself was exposed, not that one of its controls changed.
    if (QWindow* window = windowHandle())
        window->installEventFilter(this);
}

bool TEingabeDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == windowHandle()) {
        if (event->type() == QEvent::Expose && windowHandle()->isExposed())
            FormPaint();
        return false;
    }
    for (SpinEdit* field : {TagSpinEdit, MonatSpinEdit}) {
        if ((watched == field || watched == field->editor()) &&
            (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove))
            updateDayHint(field);
    }
    if (event->type() == QEvent::MouseButtonPress && keypad_ && tapOpensKeypad_) {
        const std::pair<SpinEdit*, KeypadField> fields[] = {{TagSpinEdit, KeypadField::Day},
                                                            {MonatSpinEdit, KeypadField::Month},
                                                            {JahrSpinEdit, KeypadField::Year},
                                                            {LuftikonSpinEdit, KeypadField::Value}};
        for (const auto& [field, which] : fields) {
            if (watched == field->editor())
                keypad_->openFor(which, field);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TEingabeDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        // Escape is the cancel button, also in a new table that shows none: no window may be
        // impossible to leave, and leaving with unsaved readings asks first.
        AbbrechenButtonClick();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TEingabeDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();
    AbbrechenButtonClick();
}

} // namespace luftikon
