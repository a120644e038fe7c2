// The entry dialog: its controls, the field rules, the time buttons and the slot button.
#include "entry/entrydialog.h"

#include "diary/dates.h"
#include "diary/entryline.h"
#include "diary/longlines.h"
#include "diary/slots.h"
#include "entry/touchkeypad.h"
#include "widgets/spinedit.h"

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
// Dark enough to read on the field's white (6.3 : 1), light enough to tell a locked field.
const QColor grey(96, 96, 96);

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

EntryDialog::EntryDialog(AppState& state, CurrentMonth& month, Desktop& desktop, Settings& settings, QWidget* parent)
    : QDialog(parent), state_(state), month_(month), desktop_(desktop), settings_(settings)
{
    setObjectName(QStringLiteral("entryDialog"));
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
    daySpin_->setValue(1);
    monthSpin_->setValue(1);
    yearSpin_->setValue(1998);
    valueSpin_->setValue(400);
    proposeNextReading();
    // Without a last reading the time is the one configured for the slot.
    if (timeEdit_->text().isEmpty())
        showSlotTime();
}

void EntryDialog::buildLayout()
{
    QFont headingFont = font();
    headingFont.setBold(true);
    headingLabel_ = new QLabel(this);
    headingLabel_->setObjectName(QStringLiteral("headingLabel"));
    headingLabel_->setFont(headingFont);
    headingLabel_->setGeometry(8, 8, dialogWidth - 16, 18);

    readingsList_ = new QListWidget(this);
    readingsList_->setObjectName(QStringLiteral("readingsList"));
    readingsList_->setFont(QFont(QStringLiteral("Calibri"), 9));
    readingsList_->setGeometry(8, 30, 270, 403);

    todayLabel_ = new QLabel(this);
    todayLabel_->setObjectName(QStringLiteral("todayLabel"));
    todayLabel_->setGeometry(rightColumn, 30, dialogWidth - rightColumn - 8, 18);

    const QString dayCaption = QStringLiteral("Tag                     ");
    const QString monthCaption = QStringLiteral("Monat                    ");
    dateCaptionsLabel_ = new QLabel(dayCaption + monthCaption + QStringLiteral("Jahr"), this);
    dateCaptionsLabel_->setObjectName(QStringLiteral("dateCaptionsLabel"));
    dateCaptionsLabel_->setGeometry(rightColumn, 56, dialogWidth - rightColumn - 8, 18);

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
    daySpin_ = makeField(1, 31, "daySpin");
    daySpin_->setGeometry(rightColumn, 74, std::min(80, monthX - rightColumn - 6), fieldHeight);
    monthSpin_ = makeField(1, 12, "monthSpin");
    monthSpin_->setGeometry(monthX, 74, std::min(80, yearX - monthX - 6), fieldHeight);
    yearSpin_ = makeField(1900, 9999, "yearSpin");
    yearSpin_->setGeometry(yearX, 74, 110, fieldHeight);
    daySpin_->editor()->setMouseTracking(true);
    monthSpin_->editor()->setMouseTracking(true);

    valueCaptionLabel_ = new QLabel(QStringLiteral("Luftikon in l/min."), this);
    valueCaptionLabel_->setObjectName(QStringLiteral("valueCaptionLabel"));
    valueCaptionLabel_->setGeometry(rightColumn, 128, 200, 18);
    valueSpin_ = makeField(LowestReading, HighestReading, "valueSpin");
    valueSpin_->setGeometry(rightColumn, 146, 110, fieldHeight);
    valueSpin_->setToolTip(QStringLiteral("Geben Sie hier den Luftikon-Messwert ein."));

    slotButton_ = new QPushButton(this);
    slotButton_->setObjectName(QStringLiteral("slotButton"));
    slotButton_->setGeometry(rightColumn, 204, 120, fieldHeight);
    slotButton_->setAutoDefault(false);
    timeEdit_ = new TimeEdit(this);
    timeEdit_->setObjectName(QStringLiteral("timeEdit"));
    timeEdit_->setFont(fieldFont());
    timeEdit_->setGeometry(rightColumn + 130, 204, 130, fieldHeight);
    setFieldColor(timeEdit_->editor(), false);

    const auto makeButton = [this](const QString& text, const char* name, int x, int y) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(x, y, 145, 30);
        button->setAutoDefault(false);
        return button;
    };
    addButton_ = makeButton(QStringLiteral("In Liste &aufnehmen"), "addButton", rightColumn, 264);
    editButton_ = makeButton(QStringLiteral("Eintrag &bearbeiten"), "editButton", rightColumn + 155, 264);
    chartButton_ = makeButton(QStringLiteral("&Grafik zeigen"), "chartButton", rightColumn, 363);
    chartButton_->setDefault(true);
    tableButton_ = makeButton(QStringLiteral("&Tabelle zeigen"), "tableButton", rightColumn + 155, 363);
    // Alt+A belongs to the add button; Escape still cancels.
    cancelButton_ = makeButton(QStringLiteral("Abbre&chen"), "cancelButton", rightColumn + 155, 403);

    noteLabel_ = new QLabel(this);
    noteLabel_->setObjectName(QStringLiteral("noteLabel"));
    noteLabel_->setGeometry(rightColumn, 298, dialogWidth - rightColumn - 8, 62);
    noteLabel_->setWordWrap(true);
    noteLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    noteLabel_->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold;"));
    noteLabel_->hide();

    readingsList_->setAccessibleName(QStringLiteral("Messwerte des Monats"));
    daySpin_->setAccessibleName(QStringLiteral("Tag"));
    monthSpin_->setAccessibleName(QStringLiteral("Monat"));
    yearSpin_->setAccessibleName(QStringLiteral("Jahr"));
    valueSpin_->setAccessibleName(QStringLiteral("Luftikon-Messwert in l/min"));
    slotButton_->setAccessibleDescription(QStringLiteral("Messung des Tages; wechselt zur nächsten Messung"));
    timeEdit_->setAccessibleName(QStringLiteral("Uhrzeit"));
}

void EntryDialog::connectHandlers()
{
    connect(daySpin_, &SpinEdit::textEdited, this, &EntryDialog::dayChanged);
    connect(monthSpin_, &SpinEdit::textEdited, this, &EntryDialog::monthChanged);
    connect(yearSpin_, &SpinEdit::textEdited, this, &EntryDialog::yearChanged);
    connect(timeEdit_, &TimeEdit::stepRequested, this, &EntryDialog::stepTime);
    connect(slotButton_, &QPushButton::clicked, this, &EntryDialog::slotButtonClicked);
    connect(addButton_, &QPushButton::clicked, this, &EntryDialog::addReadingClicked);
    connect(editButton_, &QPushButton::clicked, this, &EntryDialog::editReadingClicked);
    connect(chartButton_, &QPushButton::clicked, this, &EntryDialog::chartButtonClicked);
    connect(tableButton_, &QPushButton::clicked, this, &EntryDialog::tableButtonClicked);
    connect(cancelButton_, &QPushButton::clicked, this, &EntryDialog::cancelClicked);
    connect(valueSpin_, &SpinEdit::changedByUser, this, [this] { valueTouched_ = true; });
}

void EntryDialog::setFieldColor(QLineEdit* edit, bool locked)
{
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, locked ? grey : green);
    edit->setPalette(palette);
}

void EntryDialog::setFieldText(SpinEdit* field, const QString& text)
{
    if (field->text() != text)
        field->setText(text);
}

void EntryDialog::dayChanged()
{
    if (adjusting_)
        return;
    adjusting_ = true;
    setFieldText(daySpin_, typedOver(daySpin_->text()));
    adjusting_ = false;
}

void EntryDialog::monthChanged()
{
    if (adjusting_)
        return;
    adjusting_ = true;
    if (entries_.isEmpty()) {
        setFieldColor(monthSpin_->editor(), false);
    }
    else {
        // The month of a list that holds readings is that of its diary file.
        const auto number = [](const QString& text) { return parseWholeNumber(trimBlanks(text)); };
        const QString text = typedOver(monthSpin_->text());
        const bool same = number(text) && number(text) == number(listMonth_);
        setFieldText(monthSpin_, same ? text : typedOver(listMonth_));
        setFieldColor(monthSpin_->editor(), !same);
    }
    adjusting_ = false;
    updateNotes();
}

void EntryDialog::yearChanged()
{
    if (adjusting_)
        return;
    adjusting_ = true;
    if (entries_.isEmpty()) {
        setFieldColor(yearSpin_->editor(), false);
    }
    else {
        const bool same = yearSpin_->text() == listYear_;
        if (!same)
            setFieldText(yearSpin_, listYear_);
        setFieldColor(yearSpin_->editor(), !same);
    }
    adjusting_ = false;
    updateNotes();
}

void EntryDialog::updateDayHint(SpinEdit* field)
{
    const auto month = monthSpin_->number();
    const auto year = yearSpin_->number();
    const int days = month && year ? daysInMonthOf(*month, *year) : 0;
    if (days == 0) {
        field->setToolTip(QString());
        return;
    }
    field->setToolTip(QStringLiteral("Der Monat ") + monthSpin_->text() + QStringLiteral(" hat ") +
                      QString::number(days) + QStringLiteral(" Tage."));
}

void EntryDialog::stepTime(int steps)
{
    QString time = timeEdit_->text();
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
    timeEdit_->setText(time);
}

void EntryDialog::setSlot(int slot)
{
    slot_ = slot;
    if (const SlotInfo* info = slotInfo(slot)) {
        slotButton_->setText(QString(info->caption));
        entryPrefix_ = QString(info->entryPrefix);
    }
}

void EntryDialog::advanceSlot()
{
    setSlot(nextSlot(slot_, month_.layout().mode()));
    showSlotTime();
}

void EntryDialog::showSlotTime()
{
    const SlotMode mode = month_.layout().mode();
    const auto time = luftikon::slotTime(
        slot_, mode, mode == SlotMode::Four ? settings_.fourSlotTimes() : settings_.eightSlotTimes());
    if (time)
        timeEdit_->setText(*time);
}

void EntryDialog::proposeNextReading()
{
    const NextSlotProposal proposal =
        luftikon::nextSlotProposal(settings_.lastEntryLine(), month_.layout().marks(SlotMode::Four), slot_);
    showFields({proposal.day, proposal.month, proposal.year, proposal.time, proposal.value});
    setSlot(proposal.slot);
}

void EntryDialog::showFields(const EntryFields& fields)
{
    const auto show = [](const std::optional<QString>& text, auto* field) {
        if (text)
            field->setText(*text);
    };
    show(fields.day, daySpin_);
    show(fields.month, monthSpin_);
    show(fields.year, yearSpin_);
    show(fields.time, timeEdit_);
    show(fields.value, valueSpin_);
}

void EntryDialog::setHeading(const QString& text)
{
    headingLabel_->setText(text);
}

void EntryDialog::setDateLine(const QDate& today)
{
    todayLabel_->setText(QStringLiteral("Heute ist der ") + today.toString(QStringLiteral("dd.MM.yyyy")));
}

void EntryDialog::setMonthAndYear(int month, int year)
{
    monthSpin_->setValue(month);
    yearSpin_->setValue(year);
    updateNotes();
}

void EntryDialog::setYearText(const QString& year)
{
    yearSpin_->setText(year);
}

void EntryDialog::showEntries()
{
    readingsList_->clear();
    for (const QString& line : entries_)
        readingsList_->addItem(shownLine(line));
}

void EntryDialog::refresh()
{
    if (needsMorningCorrection(settings_.lastEntryLine(), month_.layout().mode()))
        setSlot(FirstSlot);
    updateCancelButton();
    if (daySpin_->text() == QStringLiteral("1"))
        daySpin_->setText(QStringLiteral("01"));
    if (monthSpin_->text() == QStringLiteral("1"))
        monthSpin_->setText(QStringLiteral("01"));
    if (showTableWhenShown_) {
        showTableWhenShown_ = false;
        // Not from inside the paint: the table step saves and may ask.
        QTimer::singleShot(0, this, &EntryDialog::tableButtonClicked);
    }
}

void EntryDialog::startNewTable(const QDate& today)
{
    newTable_ = true;
    if (monthSpin_->number() == today.month() && yearSpin_->number() == today.year())
        setFieldText(daySpin_, twoDigits(today.day()));
    focusValueWhenShown_ = true;
}

void EntryDialog::updateCancelButton()
{
    cancelButton_->setVisible(!newTable_);
}

void EntryDialog::noteContinuedMonth(int readings)
{
    continuationNote_ = readings > 0 ? QStringLiteral("Für diesen Monat gibt es schon eine Tabelle mit %1 Messwerten; "
                                                      "die neuen Messwerte werden hinzugefügt.")
                                           .arg(readings)
                                     : QString();
    updateNotes();
}

void EntryDialog::updateNotes()
{
    if (!noteLabel_)
        return;
    QStringList notes;
    if (!continuationNote_.isEmpty())
        notes << continuationNote_;
    // A reading for today must not be filed unseen in the month looked at last.
    const bool listed = !entries_.isEmpty();
    const auto month = listed ? parseWholeNumber(trimBlanks(listMonth_)) : monthSpin_->number();
    const auto year = listed ? parseWholeNumber(trimBlanks(listYear_)) : yearSpin_->number();
    const QDate today = desktop_.today();
    if (month && year && (*month != today.month() || *year != today.year()))
        notes << QStringLiteral(
                     "Sie bearbeiten den %1 %2. Heute (%3) gehört zum %4 %5: dafür \"Datei\" \u2192 \"Neu\".")
                     .arg(germanMonthName(*month))
                     .arg(*year)
                     .arg(today.toString(QStringLiteral("dd.MM.yyyy")), germanMonthName(today.month()))
                     .arg(today.year());
    if (editedLine_)
        notes << QStringLiteral("In Bearbeitung: ") + shownLine(*editedLine_).simplified();
    noteLabel_->setText(notes.join(u'\n'));
    noteLabel_->setVisible(!notes.isEmpty());
}

void EntryDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    showEntries();
    updateCancelButton();
    // Only what the user types from now on counts as a reading to add.
    valueTouched_ = false;
    editedLine_.reset();
    updateNotes();
    if (readingsList_->count() > 0)
        readingsList_->setCurrentRow(readingsList_->count() - 1);
    if (focusValueWhenShown_) {
        focusValueWhenShown_ = false;
        valueSpin_->setFocus();
        valueSpin_->editor()->selectAll();
    }
    else {
        readingsList_->setFocus();
    }
    // Painting means the window itself was exposed, not that one of its controls changed.
    if (QWindow* window = windowHandle())
        window->installEventFilter(this);
}

bool EntryDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == windowHandle()) {
        if (event->type() == QEvent::Expose && windowHandle()->isExposed())
            refresh();
        return false;
    }
    for (SpinEdit* field : {daySpin_, monthSpin_}) {
        if ((watched == field || watched == field->editor()) &&
            (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove))
            updateDayHint(field);
    }
    if (event->type() == QEvent::MouseButtonPress && keypad_ && tapOpensKeypad_) {
        const std::pair<SpinEdit*, KeypadField> fields[] = {{daySpin_, KeypadField::Day},
                                                            {monthSpin_, KeypadField::Month},
                                                            {yearSpin_, KeypadField::Year},
                                                            {valueSpin_, KeypadField::Value}};
        for (const auto& [field, which] : fields) {
            if (watched == field->editor())
                keypad_->openFor(which, field);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void EntryDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        // Escape is the cancel button, also in a new table that shows none: no window may be
        // impossible to leave, and leaving with unsaved readings asks first.
        cancelClicked();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void EntryDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
    cancelClicked();
}

} // namespace luftikon
