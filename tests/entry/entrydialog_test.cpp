#include "entryfixture.h"
#include "support/children.h"

#include <QApplication>
#include <QExposeEvent>
#include <QFileInfo>
#include <QWindow>
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::EntryMachine;
using luftikon::test::Sandbox;

namespace {

QColor textColor(SpinEdit* field)
{
    return field->editor()->palette().color(QPalette::Text);
}

const QColor green(0, 128, 0);
const QColor grey(96, 96, 96);

void expose(QWidget& window)
{
    QExposeEvent event{QRegion(window.rect())};
    QApplication::sendEvent(window.windowHandle(), &event);
}

} // namespace

TEST(EntryDialog, TimeButtonsStepTenMinutesWithTwentyFourHundredBetweenTheDays)
{
    EXPECT_EQ(timeStepUp(QStringLiteral("08:55")), QStringLiteral("09:00"));
    EXPECT_EQ(timeStepDown(QStringLiteral("08:05")), QStringLiteral("07:50"));
    EXPECT_EQ(timeStepUp(QStringLiteral("24:50")), QStringLiteral("24:00"));
    EntryMachine m;
    child<TimeEdit>(m.dlg, "timeEdit")->setText(QStringLiteral("23:50"));
    child<TimeEdit>(m.dlg, "timeEdit")->stepBy(1);
    EXPECT_EQ(child<TimeEdit>(m.dlg, "timeEdit")->text(), QStringLiteral("24:00"));
    child<TimeEdit>(m.dlg, "timeEdit")->stepBy(1);
    EXPECT_EQ(child<TimeEdit>(m.dlg, "timeEdit")->text(), QStringLiteral("00:10"));
    child<TimeEdit>(m.dlg, "timeEdit")->stepBy(-2);
    EXPECT_EQ(child<TimeEdit>(m.dlg, "timeEdit")->text(), QStringLiteral("24:00"));

    // A time without ":" is reported and left as it is.
    child<TimeEdit>(m.dlg, "timeEdit")->setText(QStringLiteral("0800"));
    child<TimeEdit>(m.dlg, "timeEdit")->stepBy(1);
    EXPECT_EQ(child<TimeEdit>(m.dlg, "timeEdit")->text(), QStringLiteral("0800"));
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    EXPECT_EQ(m.desktop.shown().back().kind, MessageKind::Error);
    EXPECT_TRUE(m.desktop.shown().back().text.contains(QStringLiteral("\"0800\"")));
}

TEST(EntryDialog, AddComposesTheLineClampsTheDayMovesToTheNextSlotAndRefusesATwin)
{
    EntryMachine m;
    m.add(8, QStringLiteral("31"), QStringLiteral("410"), QStringLiteral("4"));
    EXPECT_EQ(child<SpinEdit>(m.dlg, "daySpin")->text(), QStringLiteral("30"));
    EXPECT_EQ(m.listed(), QStringList{QStringLiteral("Abends den      30.4.2024 Z=20:00  Luftikon=410")});
    EXPECT_EQ(m.dlg->entries(), m.listed());
    EXPECT_EQ(m.dlg->listMonth(), QStringLiteral("4"));
    // The evening is followed by the morning, with its configured time.
    EXPECT_EQ(child<QPushButton>(m.dlg, "slotButton")->text(), QStringLiteral("Morgens"));
    EXPECT_EQ(child<TimeEdit>(m.dlg, "timeEdit")->text(), QStringLiteral("08:00"));

    // Morning and a middle slot: three blanks after "Morgens den ", none after "Messung2 den ";
    // the list is kept in the order of the day.
    m.add(2, QStringLiteral("5"), QStringLiteral("380"), QStringLiteral("4"), QStringLiteral("12:10"));
    m.add(1, QStringLiteral("05"), QStringLiteral("420"), QStringLiteral("4"));
    EXPECT_EQ(m.listed(), (QStringList{QStringLiteral("Morgens den    05.4.2024 Z=08:00  Luftikon=420"),
                                       QStringLiteral("Messung2 den 05.4.2024 Z=12:10  Luftikon=380"),
                                       QStringLiteral("Abends den      30.4.2024 Z=20:00  Luftikon=410")}));
    EXPECT_TRUE(m.desktop.shown().empty());

    // The same slot and date twice is refused, also when the locked month field pads to "04".
    m.add(8, QStringLiteral("30"), QStringLiteral("420"), QStringLiteral("4"));
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    EXPECT_EQ(m.desktop.shown().back().text,
              QStringLiteral("Ein Eintrag mit dem Datum: Abends den 30.4.2024 existiert schon in der Liste!"));
    child<SpinEdit>(m.dlg, "monthSpin")->setText(QStringLiteral("04"));
    child<QPushButton>(m.dlg, "addButton")->click();
    EXPECT_EQ(m.desktop.shown().size(), 2u);
    EXPECT_EQ(m.dlg->entries().size(), 3);
}

TEST(EntryDialog, MonthAndYearOfAListWithReadingsAreLocked)
{
    EntryMachine m;
    m.add(1, QStringLiteral("05"), QStringLiteral("400"));
    child<SpinEdit>(m.dlg, "yearSpin")->setText(QStringLiteral("2025"));
    EXPECT_EQ(child<SpinEdit>(m.dlg, "yearSpin")->text(), QStringLiteral("2024"));
    EXPECT_EQ(textColor(child<SpinEdit>(m.dlg, "yearSpin")), grey);
    child<SpinEdit>(m.dlg, "monthSpin")->setText(QStringLiteral("4"));
    EXPECT_EQ(child<SpinEdit>(m.dlg, "monthSpin")->text(), QStringLiteral("03"));
    child<SpinEdit>(m.dlg, "monthSpin")->setText(QStringLiteral("3"));
    EXPECT_EQ(textColor(child<SpinEdit>(m.dlg, "monthSpin")), green);
}

TEST(EntryDialog, SaveNeverWritesOneMonthsReadingsOverAnotherMonthsDiary)
{
    EntryMachine m;
    const QString march = m.diary(3, 2024);
    const QByteArray before = "[Personendaten]\r\nBenutzerName=Erika Muster\r\n"
                              "Morgens den    05.3.2024 Z=08:00  Luftikon=400\r\n";
    Sandbox::writeBytes(march, before);
    // A hand-edited March diary whose last line is of April: the list is April's.
    m.fill({QStringLiteral("Morgens den    05.3.2024 Z=08:00  Luftikon=400"),
            QStringLiteral("Morgens den    05.4.2024 Z=08:00  Luftikon=300")});

    EXPECT_FALSE(m.dlg->saveAndShowChart());
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    EXPECT_EQ(m.desktop.shown().back().kind, MessageKind::Error);
    EXPECT_TRUE(m.desktop.shown().back().text.contains(QStringLiteral("nicht gespeichert")));
    EXPECT_EQ(Sandbox::readBytes(march), before);
}

TEST(EntryDialog, FieldTextsThatAreNoNumbersAreReportedByNameAndChangeNothing)
{
    EntryMachine m;
    const std::pair<SpinEdit*, const char*> fields[] = {{child<SpinEdit>(m.dlg, "daySpin"), "Tag"},
                                                        {child<SpinEdit>(m.dlg, "valueSpin"), "Luftikon in l/min."}};
    for (const auto& [field, name] : fields) {
        const QString before = field->text();
        field->setText(QString());
        child<QPushButton>(m.dlg, "addButton")->click();
        ASSERT_FALSE(m.desktop.shown().empty()) << name;
        EXPECT_EQ(m.desktop.shown().back().kind, MessageKind::Error);
        EXPECT_TRUE(m.desktop.shown().back().text.contains(QStringLiteral("\"%1\"").arg(QLatin1String(name))))
            << m.desktop.shown().back().text.toStdString();
        field->setText(before);
    }
    child<TimeEdit>(m.dlg, "timeEdit")->setText(QStringLiteral("8 Uhr"));
    child<QPushButton>(m.dlg, "addButton")->click();
    EXPECT_TRUE(m.desktop.shown().back().text.contains(QStringLiteral("\"Uhrzeit\"")));
    EXPECT_EQ(m.desktop.shown().size(), 3u);
    EXPECT_TRUE(m.dlg->entries().isEmpty());
    EXPECT_EQ(child<QPushButton>(m.dlg, "slotButton")->text(), QStringLiteral("Morgens"));
}

TEST(EntryDialog, CancelAsksWhileTheListDiffersFromTheSavedDiaryAndNeinIsTheSafeAnswer)
{
    EntryMachine m;
    m.dlg->show();
    QApplication::processEvents();
    m.add(1, QStringLiteral("05"), QStringLiteral("400"));
    // Neither a repaint nor a refused add (a twin) makes the added reading count as saved.
    expose(*m.dlg);
    m.add(1, QStringLiteral("05"), QStringLiteral("410"));
    ASSERT_EQ(m.desktop.shown().size(), 1u);

    m.desktop.answer(false);
    child<QPushButton>(m.dlg, "cancelButton")->click();
    ASSERT_EQ(m.desktop.shown().size(), 2u);
    EXPECT_TRUE(m.desktop.shown().back().text.startsWith(QStringLiteral("Möchten Sie wirklich abbrechen?")));
    EXPECT_TRUE(m.desktop.shown().back().presetNo);
    EXPECT_TRUE(m.dlg->isVisible());

    // A new table shows no cancel button; Escape still leaves it, asking while a reading would
    // be lost. Once saved through "Tabelle zeigen", the button is back at once and nothing is asked.
    m.dlg->startNewTable(m.desktop.today());
    m.dlg->refresh();
    EXPECT_FALSE(child<QPushButton>(m.dlg, "cancelButton")->isVisible());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    m.desktop.answer(false);
    QApplication::sendEvent(m.dlg.get(), &escape);
    EXPECT_TRUE(m.dlg->isVisible());
    EXPECT_TRUE(m.desktop.shown().back().presetNo);
    child<QPushButton>(m.dlg, "tableButton")->click();
    EXPECT_TRUE(child<QPushButton>(m.dlg, "cancelButton")->isVisible());
    EXPECT_FALSE(m.dlg->entryListChanged());
    QApplication::sendEvent(m.dlg.get(), &escape);
    EXPECT_FALSE(m.dlg->isVisible());
}

TEST(EntryDialog, TakeBackKeepsTheReadingInTheListUntilTheUserDeletesIt)
{
    EntryMachine m;
    child<QPushButton>(m.dlg, "editButton")->click();
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    EXPECT_EQ(m.desktop.shown().back().text,
              QStringLiteral("Sie müssen zuerst einen Eintrag in der Liste durch Anklicken auswählen!"));

    m.add(3, QStringLiteral("07"), QStringLiteral("355"), QStringLiteral("3"), QStringLiteral("16:20"));
    m.add(8, QStringLiteral("07"), QStringLiteral("390"));
    child<QListWidget>(m.dlg, "readingsList")->setCurrentRow(0);
    child<QPushButton>(m.dlg, "editButton")->click();
    EXPECT_EQ(child<QPushButton>(m.dlg, "slotButton")->text(), QStringLiteral("Messung 3"));
    EXPECT_EQ(child<TimeEdit>(m.dlg, "timeEdit")->text(), QStringLiteral("16:20"));

    // An emptied value removes the reading only on Ja to a question that names it.
    for (const bool yes : {false, true}) {
        child<QListWidget>(m.dlg, "readingsList")->setCurrentRow(1);
        child<QPushButton>(m.dlg, "editButton")->click();
        child<SpinEdit>(m.dlg, "valueSpin")->setText(QString());
        m.desktop.answer(yes);
        child<QPushButton>(m.dlg, "addButton")->click();
        EXPECT_TRUE(m.desktop.shown().back().presetNo);
        EXPECT_TRUE(m.desktop.shown().back().text.contains(QStringLiteral("07.3.2024 Z=20:00  Luftikon=390")));
        EXPECT_EQ(m.dlg->entries().size(), yes ? 1 : 2);
    }
}

TEST(EntryDialog, ProposalFollowsTheLastReadingAndTheCalendar)
{
    EntryMachine leap(QStringLiteral("Abends den      28.2.2024 Z=20:00  Luftikon=380"));
    EXPECT_EQ(child<SpinEdit>(leap.dlg, "daySpin")->text(), QStringLiteral("29"));
    EXPECT_EQ(child<SpinEdit>(leap.dlg, "monthSpin")->text(), QStringLiteral("2"));
    EXPECT_EQ(child<SpinEdit>(leap.dlg, "valueSpin")->text(), QStringLiteral("380"));
    EXPECT_EQ(child<QPushButton>(leap.dlg, "slotButton")->text(), QStringLiteral("Morgens"));

    EntryMachine common(QStringLiteral("Abends den      28.2.2023 Z=20:00  Luftikon=380"));
    EXPECT_EQ(child<SpinEdit>(common.dlg, "daySpin")->text(), QStringLiteral("28"));
    // The hint over the day field tells the month length; 1900 was no leap year.
    child<SpinEdit>(common.dlg, "yearSpin")->setText(QStringLiteral("1900"));
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(child<SpinEdit>(common.dlg, "daySpin"), &enter);
    EXPECT_EQ(child<SpinEdit>(common.dlg, "daySpin")->toolTip(), QStringLiteral("Der Monat 2 hat 28 Tage."));

    // A slot beyond the four-slot day is proposed, and the first paint brings it back to the morning.
    EntryMachine m(QStringLiteral("Messung5 den 05.1.2024 Z=14:00  Luftikon=400"));
    EXPECT_EQ(child<QPushButton>(m.dlg, "slotButton")->text(), QStringLiteral("Messung 6"));

    m.dlg->show();
    QApplication::processEvents();
    expose(*m.dlg);
    EXPECT_EQ(child<QPushButton>(m.dlg, "slotButton")->text(), QStringLiteral("Morgens"));
    EXPECT_EQ(child<SpinEdit>(m.dlg, "monthSpin")->text(), QStringLiteral("01"));
    EXPECT_EQ(child<SpinEdit>(m.dlg, "daySpin")->text(), QStringLiteral("05"));
}

TEST(EntryDialog, EmptyListOverAnExistingDiaryAsksAndNeinIsTheSafeAnswer)
{
    EntryMachine m;
    const QString march = m.diary(3, 2024);
    const QByteArray before = "[Personendaten]\r\nMorgens den    05.3.2024 Z=08:00  Luftikon=400\r\n";
    Sandbox::writeBytes(march, before);
    child<SpinEdit>(m.dlg, "monthSpin")->setText(QStringLiteral("3"));
    child<SpinEdit>(m.dlg, "yearSpin")->setText(QStringLiteral("2024"));
    m.dlg->show();

    m.desktop.answer(false);
    child<QPushButton>(m.dlg, "chartButton")->click();
    EXPECT_TRUE(m.desktop.shown().back().presetNo);
    EXPECT_EQ(m.desktop.shown().back().text,
              QStringLiteral("Eine Tabelle mit Namen: Erika Muster 3_2024.tab existiert schon! Alle Messwerte darin "
                             "werden gelöscht! Möchten Sie das?"));
    EXPECT_FALSE(m.dlg->isVisible());
    EXPECT_EQ(Sandbox::readBytes(march), before);
}
