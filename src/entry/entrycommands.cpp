// The reading commands: each reads or starts the month through CurrentMonth and shows the
// entry dialog through the desktop, so tests script every question.
#include "entry/entrycommands.h"

#include "diary/diarywriter.h"
#include "diary/openingnote.h"
#include "entry/entrydialog.h"

#include <QFileInfo>
#include <algorithm>

namespace luftikon {

void tellAboutOpenedDiary(Desktop& desktop, const DiaryFile& diary)
{
    if (const QString note = openingNote(diary); !note.isEmpty())
        desktop.information(note);
}

EntryCommands::EntryCommands(AppState& state, CurrentMonth& month, Desktop& desktop, EntryDialog& dialog)
    : state_(state), month_(month), desktop_(desktop), dialog_(dialog)
{
}

Notify EntryCommands::notify()
{
    return desktop_.notifier();
}

void EntryCommands::newTable(bool askFirst)
{
    if (askFirst && !desktop_.ask(QStringLiteral("Sie möchten eine neue Tabelle erstellen?")))
        return;
    dialog_.setHeading(QStringLiteral("Messwerte von ") + state_.userName);
    dialog_.clearEntries();
    const QDate today = desktop_.today();
    dialog_.setDateLine(today);
    dialog_.setMonthAndYear(today.month(), today.year());
    if (continueMonthDiary(today)) {
        dialog_.showSlotTime();
        dialog_.startNewTable(today);
        desktop_.execModal(dialog_);
    }
}

bool EntryCommands::continueMonthDiary(const QDate& day)
{
    const QString path = monthDiaryPath(state_.galleryFolder, QString::number(day.year()), state_.userName,
                                        QString::number(day.month()));
    if (!QFileInfo::exists(path))
        return true;
    // A new table never replaces a month: the diary it has goes on with the new readings.
    DiaryFile diary = readDiary(path);
    if (!diary.ok) {
        desktop_.error(diary.error + QStringLiteral(" Neue Messwerte für diesen Monat können erst eingegeben werden, "
                                                    "wenn die Datei wieder gelesen werden kann."));
        return false;
    }
    tellAboutOpenedDiary(desktop_, diary);
    const int readings = int(diary.readings.size());
    month_.open(std::move(diary), notify());
    dialog_.noteContinuedMonth(readings);
    return true;
}

void EntryCommands::editCurrentDiary()
{
    dialog_.proposeNextReading();
    dialog_.clearEntries();
    dialog_.showSlotTime();
    const DiaryFile& diary = month_.diary();
    dialog_.setHeading(QStringLiteral("Messwerte ") + diary.date + QStringLiteral("  ") + diary.userName);
    if (!diary.userName.isEmpty())
        state_.userName = diary.userName;
    if (month_.path().isEmpty() || !QFileInfo::exists(month_.path())) {
        newTable(true);
        return;
    }
    if (!dialog_.checkOpened(diary))
        return;
    dialog_.takeDiary(diary);
    tellAboutOpenedDiary(desktop_, diary);
    dialog_.setDateLine(desktop_.today());
    desktop_.execModal(dialog_);
}

void EntryCommands::openAndEdit(const QString& path, bool thenTable)
{
    if (path.isEmpty())
        return;
    dialog_.clearEntries();
    dialog_.setYearText(path.chopped(4).right(4));
    dialog_.showSlotTime();
    DiaryFile diary = readDiary(path);
    dialog_.setHeading(QStringLiteral("Messwerte ") + diary.date + QStringLiteral("  ") + diary.userName);
    // A diary without a name keeps the user's: an empty one would name no file.
    if (!diary.userName.isEmpty())
        state_.userName = diary.userName;
    // A file that cannot be read is not put on screen; the month shown before stays.
    if (!dialog_.checkOpened(diary))
        return;
    tellAboutOpenedDiary(desktop_, diary);
    dialog_.setDateLine(desktop_.today());
    // The list follows the month it opens.
    month_.open(std::move(diary), notify());
    dialog_.showTableWhenShown(thenTable);
    desktop_.execModal(dialog_);
    // The flag must not open the table at some later, unrelated showing.
    dialog_.showTableWhenShown(false);
}

bool EntryCommands::confirmHiddenReadings(SlotMode mode)
{
    if (mode != SlotMode::Four || !month_.hasFile())
        return true;
    const QList<DiaryEntry>& readings = month_.readings();
    QStringList slotNames;
    int hidden = 0;
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        if (slotInLayout(slot, SlotMode::Four))
            continue;
        const auto count = std::count_if(readings.cbegin(), readings.cend(),
                                         [slot](const DiaryEntry& reading) { return reading.slot == slot; });
        if (count > 0)
            slotNames << QString(slotInfo(slot)->caption);
        hidden += int(count);
    }
    if (hidden == 0)
        return true;
    const QString which = slotNames.size() == 1 ? slotNames.front()
                                                : slotNames.mid(0, slotNames.size() - 1).join(QStringLiteral(", ")) +
                                                      QStringLiteral(" und ") + slotNames.back();
    return desktop_.ask(QStringLiteral("In dieser Tabelle stehen %1 Messwerte von %2. Bei bis zu 4 Messungen je Tag "
                                       "werden sie in der Grafik nicht gezeigt; in der Datei bleiben sie erhalten.\r\n"
                                       "Möchten Sie trotzdem auf bis zu 4 Messungen je Tag umstellen?")
                            .arg(hidden)
                            .arg(which),
                        MessageKind::WarningQuestion, Desktop::Preset::No);
}

bool EntryCommands::switchDayLayout(SlotMode mode)
{
    if (!confirmHiddenReadings(mode))
        return false;
    // The month rewrites its diary with the layout and tells the windows.
    month_.setLayout(mode, state_.userName, notify());
    dialog_.proposeNextReading();
    dialog_.showSlotTime();
    return true;
}

} // namespace luftikon
