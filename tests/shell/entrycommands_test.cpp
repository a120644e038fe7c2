// The commands that bring readings in: the user name, a new table, the openers of the entry
// dialog and the switch between four and eight readings a day. None of them loses a reading that
// is in a diary or that the patient typed, or files one in a month the patient did not see.
#include "diary/diaryfile.h"
#include "entry/entrydialog.h"
#include "shell/usernamedialog.h"
#include "support/appfixture.h"
#include "support/children.h"
#include "support/diarylines.h"
#include "support/widgettext.h"
#include "widgets/spinedit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::diaryHead;
using luftikon::test::reading;

namespace {

const QString erika = QStringLiteral("Erika Muster");

const QString crlf = QStringLiteral("\r\n");

struct Desk : test::AppFixture {
    const QStringList kept{reading("Morgens", 5, 420), reading("Abends", 5, 410, 3, 2024, "20:00")};
    QString march;

    explicit Desk(const QDate& today = QDate(2024, 3, 15)) : AppFixture(today) {}
    EntryDialog& entry() { return *child<EntryDialog>(form, "entryDialog"); }
    UserNameDialog& names() { return form->userNameDialog(); }

    // Erika's March diary with her limits, four readings a day.
    QString writeMarch()
    {
        const QString path = diaryPath(erika, 3, 2024);
        writeLines(path, diaryHead(erika, QString::fromUtf8("März 2024"), false, 450, 200) + kept);
        return path;
    }
    // Erika returns: the first show draws her March.
    void returnToMarch() { returnTo(erika, march = writeMarch()); }
    QStringList readingsIn(const QString& path) const { return readDiary(path).entryLines(); }
    void type(SpinEdit* field, const QString& text)
    {
        field->editor()->selectAll();
        QTest::keyClicks(field->editor(), text);
    }
    // In the open entry dialog: slot, day and value as the patient types them.
    void typeReading(int slot, const QString& day, const QString& value)
    {
        for (int i = 0; i < 9 && child<EntryDialog>(form, "entryDialog")->slot() != slot; ++i)
            child<QPushButton>(&entry(), "slotButton")->click();
        type(child<SpinEdit>(&entry(), "daySpin"), day);
        type(child<SpinEdit>(&entry(), "valueSpin"), value);
    }
    // "Tabelle" → "aktuelle bearbeiten", `steps` in the dialog, then "Grafik zeigen" unless the
    // steps closed it.
    void edit(const std::function<void()>& steps)
    {
        desktop.answerDialog([this, steps](QDialog&) {
            steps();
            if (entry().isVisible())
                child<QPushButton>(&entry(), "chartButton")->click();
            return entry().result();
        });
        child<QAction>(form, "editCurrentDiaryAction")->trigger();
    }
    void enterName(const QString& name)
    {
        desktop.answerDialog([this, name](QDialog&) {
            child<QLineEdit>(&names(), "nameEdit")->setText(name);
            child<QPushButton>(&names(), "okButton")->click();
            return int(QDialog::Accepted);
        });
    }
};

} // namespace

TEST(FirstStart, NameThenNewTableThenThreeReadingsGiveTheDiary)
{
    Desk m;
    m.enterName(erika);
    m.desktop.answerDialog([&m](QDialog& dialog) {
        EXPECT_EQ(&dialog, &m.entry());
        EXPECT_EQ(child<QLabel>(&m.entry(), "headingLabel")->text(), QStringLiteral("Messwerte von Erika Muster"));
        EXPECT_EQ(child<QLabel>(&m.entry(), "todayLabel")->text(), QStringLiteral("Heute ist der 15.03.2024"));
        // The new table of this month proposes today and waits for the first value.
        EXPECT_EQ(child<SpinEdit>(&m.entry(), "daySpin")->text(), QStringLiteral("15"));
        EXPECT_EQ(m.entry().focusWidget(), child<SpinEdit>(&m.entry(), "valueSpin"));
        for (const auto& [slot, value] : {std::pair{1, "420"}, {2, "380"}, {8, "410"}}) {
            m.typeReading(slot, QStringLiteral("05"), QLatin1String(value));
            child<QPushButton>(&m.entry(), "addButton")->click();
        }
        child<QPushButton>(&m.entry(), "chartButton")->click();
        return dialog.result();
    });
    // Without a user name the first show asks for one.
    m.form->show();
    m.form->firstShow();

    EXPECT_EQ(m.config.text(QStringLiteral("BenutzerName")), erika);
    const QString path = m.diaryPath(erika, 3, 2024);
    EXPECT_EQ(m.bytes(path), QByteArray("[Personendaten]\r\n"
                                        "BenutzerName=Erika Muster\r\n"
                                        "Datum=M\xe4rz 2024\r\n"
                                        "\r\n"
                                        "DruckenTabellenRandLeft=10\r\n"
                                        "DruckenTabellenRandRight=5\r\n"
                                        "DruckenTabellenRandTop=10\r\n"
                                        "DruckenTabellenRandBottom=10\r\n"
                                        "\r\n\r\n"
                                        "BisZu4MessungenJeTag=1\r\n"
                                        "BisZu8MessungenJeTag=0\r\n"
                                        "\r\n\r\n"
                                        "GrenzwertGruen>=500\r\n"
                                        "GrenzwertRot<=200\r\n"
                                        "\r\n\r\n"
                                        "Morgens den    05.3.2024 Z=08:00  Luftikon=420\r\n"
                                        "Messung2 den 05.3.2024 Z=12:00  Luftikon=380\r\n"
                                        "Abends den      05.3.2024 Z=20:00  Luftikon=410\r\n"));
    // The save drew the month.
    EXPECT_EQ(m.form->month().path(), path);
    EXPECT_EQ(child<QLabel>(m.form, "userNameLabel")->text(),
              QString::fromUtf8("Luftikon-Messwerte März 2024 von  Erika Muster"));
    EXPECT_EQ(m.config.text(QStringLiteral("LetzteEingabe")),
              QStringLiteral("Abends den      05.3.2024 Z=20:00  Luftikon=410"));

    // The first data bring the advice about the limits, once.
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    EXPECT_EQ(m.desktop.shown()[0].kind, MessageKind::Information);
    EXPECT_TRUE(m.desktop.shown()[0].text.contains(QStringLiteral("Grenzwerte anhand des Bestwertes berechnen")));
    EXPECT_FALSE(child<EntryDialog>(m.form, "entryDialog")->newTableStarted());
    // After the save the time field shows the configured time of the next slot again.
    EXPECT_EQ(child<TimeEdit>(&m.entry(), "timeEdit")->text(), QStringLiteral("08:00"));
}

TEST(UserName, ForbiddenCharactersAreRefusedAsTypedAndAsPasted)
{
    Desk m;
    UserNameDialog& names = m.names();
    for (const QChar c : QStringLiteral("a\"b/c")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(child<QLineEdit>(&names, "nameEdit"), &press);
    }
    EXPECT_EQ(child<QLineEdit>(&names, "nameEdit")->text(), QStringLiteral("abc"));
    EXPECT_EQ(m.desktop.shownTexts(), (QStringList{QStringLiteral("Unerlaubtes Zeichen im Namen: \""),
                                                   QStringLiteral("Unerlaubtes Zeichen im Namen: /")}));

    // A pasted name loses the forbidden character and all behind it, one message each.
    m.desktop.clearShown();
    child<QLineEdit>(&names, "nameEdit")->clear();
    child<QLineEdit>(&names, "nameEdit")->insert(QStringLiteral("Erika<Mu"));
    EXPECT_EQ(child<QLineEdit>(&names, "nameEdit")->text(), QStringLiteral("Erika"));
    EXPECT_EQ(m.desktop.shownTexts(), (QStringList{QStringLiteral("Unerlaubtes Zeichen im Namen: u"),
                                                   QStringLiteral("Unerlaubtes Zeichen im Namen: M"),
                                                   QStringLiteral("Unerlaubtes Zeichen im Namen: <")}));
}

TEST(UserName, OkDrawsTheUsersLastDiaryWhateverTheCaseOfTheName)
{
    Desk m;
    const QString march = m.writeMarch();
    m.form->settings().setLastDiaryFile(march);

    m.enterName(QStringLiteral("ERIKA muster"));
    // No question before the new table: the name was just entered.
    m.desktop.answerDialog([&m](QDialog&) {
        EXPECT_TRUE(child<EntryDialog>(m.form, "entryDialog")->newTableStarted());
        EXPECT_TRUE(child<EntryDialog>(m.form, "entryDialog")->entries().isEmpty());
        return int(QDialog::Accepted);
    });
    child<QAction>(m.form, "changeUserNameAction")->trigger();
    EXPECT_EQ(m.form->month().path(), march);
    EXPECT_EQ(m.form->month().diary().userName, erika);
    EXPECT_TRUE(m.desktop.shown().empty());

    // Another user's diary is not drawn.
    m.form->month().open(QString());
    m.enterName(QStringLiteral("Max Mustermann"));
    m.desktop.answerDialog([](QDialog&) { return int(QDialog::Accepted); });
    child<QAction>(m.form, "changeUserNameAction")->trigger();
    EXPECT_TRUE(m.form->month().path().isEmpty());
}

TEST(UserName, CancelRemembersTheDiaryOnScreenNotTheTypedNameAndTheNextStartDrawsIt)
{
    Desk m;
    m.returnToMarch();
    const QString march = m.march;
    // As after a first session whose diary was never stored.
    m.form->settings().setLastDiaryFile(QString());

    m.desktop.answerDialog([&m](QDialog&) {
        child<QLineEdit>(&m.names(), "nameEdit")->setText(QStringLiteral("Neuer Name"));
        m.names().close(); // the frame's close button; Escape and "Abbrechen" end the same way
        return int(QDialog::Rejected);
    });
    child<QAction>(m.form, "changeUserNameAction")->trigger();
    EXPECT_EQ(m.desktop.terminatedWith(), 0);
    const ConfigStore stored(m.config.path());
    EXPECT_EQ(stored.text(QStringLiteral("TabellenDateiName")), march);
    EXPECT_EQ(stored.text(QStringLiteral("BenutzerName")), erika);

    m.form.reset();
    m.desktop.clearShown();
    AppState next;
    next.resourceFolder = test::installedResources;
    MainWindow form(next, m.desktop, m.config);
    form.firstShow();
    EXPECT_EQ(form.month().path(), march);
    EXPECT_TRUE(m.desktop.shown().empty()) << m.desktop.shownTexts().join(u'|').toStdString();
}

TEST(EditCurrent, LoadsTheCurrentDiaryOrAsksForANewTableWhenItIsGone)
{
    Desk m;
    m.returnToMarch();
    const QString march = m.march;
    // A diary that cannot be read is reported.
    QFile::remove(march);
    QDir().mkpath(march);
    m.form->month().open(march);
    child<QAction>(m.form, "editCurrentDiaryAction")->trigger();
    EXPECT_EQ(m.desktop.shownTexts().last(), QStringLiteral("Fehler beim Lesen der Datei!"));

    // A diary that is gone starts, when the user agrees, an empty table of this month.
    QDir().rmdir(march);
    m.desktop.answer(true);
    m.desktop.answerDialog([&m](QDialog&) {
        EXPECT_EQ(child<QListWidget>(&m.entry(), "readingsList")->count(), 0);
        EXPECT_EQ(child<SpinEdit>(&m.entry(), "monthSpin")->text(), QStringLiteral("3"));
        EXPECT_EQ(child<SpinEdit>(&m.entry(), "yearSpin")->text(), QStringLiteral("2024"));
        EXPECT_FALSE(child<QPushButton>(&m.entry(), "cancelButton")->isVisible());
        return int(QDialog::Rejected);
    });
    child<QAction>(m.form, "editCurrentDiaryAction")->trigger();
    EXPECT_EQ(m.desktop.shownTexts().last(), QStringLiteral("Sie möchten eine neue Tabelle erstellen?"));
    EXPECT_TRUE(child<EntryDialog>(m.form, "entryDialog")->entries().isEmpty());
    EXPECT_TRUE(child<EntryDialog>(m.form, "entryDialog")->newTableStarted());
}

TEST(OpenAndEdit, TakesTheDayLayoutAndReadingsOfTheChosenFile)
{
    Desk m;
    m.state.userName = erika;
    const QString july = m.diaryPath(erika, 7, 2025);
    m.writeLines(july, diaryHead(erika, QStringLiteral("Juli 2025"), true) +
                           QStringList{reading("Messung4", 1, 300, 7, 2025, QStringLiteral("12:00"))});

    // Cancelled: nothing changes and nothing is left armed for a later showing of the entry dialog.
    m.desktop.answerFile(QString());
    child<QAction>(m.form, "openAndShowTableAction")->trigger();
    ASSERT_EQ(m.desktop.fileRequests().size(), 1u);
    EXPECT_EQ(m.desktop.fileRequests()[0].start, m.state.galleryFolder);
    EXPECT_TRUE(m.form->month().layout().marks(SlotMode::Four));
    EXPECT_FALSE(child<EntryDialog>(m.form, "entryDialog")->tableWhenShown());

    m.desktop.answerFile(july);
    m.desktop.answerDialog([&m](QDialog&) {
        EXPECT_EQ(child<QListWidget>(&m.entry(), "readingsList")->count(), 1);
        EXPECT_EQ(child<SpinEdit>(&m.entry(), "yearSpin")->text(), QStringLiteral("2025"));
        return int(QDialog::Rejected);
    });
    child<QAction>(m.form, "openAndEditAction")->trigger();
    EXPECT_TRUE(child<QAction>(m.form, "eightReadingsADayAction")->isChecked());
    EXPECT_FALSE(child<QAction>(m.form, "fourReadingsADayAction")->isChecked());
    EXPECT_EQ(m.state.templatePictureFile, m.state.resourceFolder + QStringLiteral("Vorlag8M.bmp"));
    EXPECT_EQ(m.form->month().path(), july);
    // The opened month is drawn.
    EXPECT_EQ(m.form->month().summary().best.value, 300);
}

TEST(DayLayout, SwitchRewritesTheDiaryAndMovesToTheNextSlotOfTheOtherDay)
{
    Desk m;
    m.returnToMarch();
    const QString march = m.march;
    m.form->settings().setLastEntryLine(reading("Messung3", 4, 400, 3, 2024, QStringLiteral("16:00")));
    m.desktop.answerDialog([](QDialog&) { return int(QDialog::Rejected); });
    child<QAction>(m.form, "editCurrentDiaryAction")->trigger();
    // After slot 3 of a four-slot day comes the evening.
    EXPECT_EQ(child<EntryDialog>(m.form, "entryDialog")->slot(), 8);

    child<QAction>(m.form, "eightReadingsADayAction")->trigger();
    EXPECT_TRUE(child<QAction>(m.form, "eightReadingsADayAction")->isChecked());
    EXPECT_EQ(m.state.templatePictureFile, m.state.resourceFolder + QStringLiteral("Vorlag8M.bmp"));
    // In the eight-slot day slot 3 is followed by slot 4, at its eight-slot time.
    EXPECT_EQ(child<EntryDialog>(m.form, "entryDialog")->slot(), 4);
    EXPECT_EQ(child<TimeEdit>(&m.entry(), "timeEdit")->text(), QStringLiteral("12:00"));
    EXPECT_TRUE(m.bytes(march).contains("BisZu8MessungenJeTag=1\r\nBisZu4MessungenJeTag=0"));

    // The four-slot item while four slots are not in force switches back; clicked again, it toggles.
    child<QAction>(m.form, "fourReadingsADayAction")->trigger();
    EXPECT_TRUE(m.form->month().layout().marks(SlotMode::Four));
    EXPECT_TRUE(m.bytes(march).contains("BisZu4MessungenJeTag=1\r\nBisZu8MessungenJeTag=0"));
    EXPECT_EQ(child<TimeEdit>(&m.entry(), "timeEdit")->text(), QStringLiteral("20:00"));
    child<QAction>(m.form, "fourReadingsADayAction")->trigger();
    EXPECT_TRUE(m.form->month().layout().marks(SlotMode::Eight));
    EXPECT_TRUE(m.desktop.shown().empty()) << m.desktop.shownTexts().join(u'|').toStdString();
}

TEST(NoReadingLost, NewTableOverAMonthWithADiaryAddsToItAfterTheNameAsFromTheMenu)
{
    for (const bool fromName : {false, true}) {
        Desk m;
        m.returnToMarch();
        fromName ? m.enterName(erika) : m.desktop.answer(true); // or "Sie möchten eine neue Tabelle erstellen?"
        m.desktop.answerDialog([&m](QDialog&) {
            EXPECT_EQ(child<EntryDialog>(m.form, "entryDialog")->entries(), m.kept);
            EXPECT_TRUE(
                child<QLabel>(&m.entry(), "noteLabel")
                    ->text()
                    .startsWith(QStringLiteral("Für diesen Monat gibt es schon eine Tabelle mit 2 Messwerten")));
            m.typeReading(1, QStringLiteral("6"), QStringLiteral("430"));
            child<QPushButton>(&m.entry(), "chartButton")->click();
            return m.entry().result();
        });
        (fromName ? child<QAction>(m.form, "changeUserNameAction") : child<QAction>(m.form, "newTableAction"))
            ->trigger();
        EXPECT_EQ(m.readingsIn(m.march), m.kept + QStringList{reading("Morgens", 6, 430)}) << fromName;
    }
}

TEST(NoReadingLost, ATypedValueGoesInWithEnterARefusedOneKeepsTheDialogOpenAProposalNeverCounts)
{
    Desk m;
    m.returnToMarch();
    m.edit([&m] {
        // Alt+A is the add button's alone: a second button with it would only take the focus.
        for (const QAbstractButton* button : m.entry().findChildren<QAbstractButton*>())
            EXPECT_EQ(button == child<QPushButton>(&m.entry(), "addButton"),
                      button->shortcut() == QKeySequence(QStringLiteral("Alt+A")))
                << button->objectName().toStdString();
        m.typeReading(1, QStringLiteral("05"), QStringLiteral("500")); // a twin of the morning of the 5th
        child<QPushButton>(&m.entry(), "chartButton")->click();
        EXPECT_TRUE(m.entry().isVisible());
        EXPECT_TRUE(m.desktop.shown().back().text.contains(QStringLiteral("existiert schon in der Liste!")));
        m.typeReading(1, QStringLiteral("07"), QStringLiteral("390"));
        QTest::keyClick(child<SpinEdit>(&m.entry(), "valueSpin")->editor(), Qt::Key_Return);
    });
    EXPECT_EQ(m.readingsIn(m.march), m.kept + QStringList{reading("Morgens", 7, 390)});

    // Untouched fields add nothing: the proposal after the last reading stays a proposal.
    const QByteArray before = m.bytes(m.march);
    m.edit([] {});
    EXPECT_EQ(m.bytes(m.march), before);
}

TEST(NoReadingLost, TakeBackThenSaveKeepsTheReadingAndAnEditReplacesIt)
{
    Desk m;
    m.returnToMarch();
    const auto takeBack = [&m](int row) {
        child<QListWidget>(&m.entry(), "readingsList")->setCurrentRow(row);
        child<QPushButton>(&m.entry(), "editButton")->click();
    };
    m.edit([&] { takeBack(0); });
    EXPECT_EQ(m.readingsIn(m.march), m.kept);
    m.edit([&] {
        takeBack(1);
        m.type(child<SpinEdit>(&m.entry(), "valueSpin"), QStringLiteral("415"));
    });
    EXPECT_EQ(m.readingsIn(m.march),
              (QStringList{m.kept[0], reading("Abends", 5, 415, 3, 2024, QStringLiteral("20:00"))}));
}

TEST(NoReadingLost, TheDayFieldHoldsTheNumberTypedAndTheLineGoesIntoTheMonthsOwnFileInItsForm)
{
    Desk m; // the month kept as "_3_"
    m.returnToMarch();
    m.edit([&m] {
        SpinEdit* day = child<SpinEdit>(&m.entry(), "daySpin");
        m.type(day, QStringLiteral("10"));
        EXPECT_EQ(day->text(), QStringLiteral("10"));
        // Backspace over "01" leaves a field the next digit fills, never "005".
        m.type(day, QStringLiteral("1"));
        QTest::keyClick(day->editor(), Qt::Key_End);
        QTest::keyClick(day->editor(), Qt::Key_Backspace);
        QTest::keyClicks(day->editor(), QStringLiteral("8"));
        EXPECT_EQ(day->text(), QStringLiteral("08"));
        day->setText(QStringLiteral("008")); // however the text got there
        child<SpinEdit>(&m.entry(), "monthSpin")->setText(QStringLiteral("03"));
        m.type(child<SpinEdit>(&m.entry(), "valueSpin"), QStringLiteral("400"));
    });
    EXPECT_EQ(m.readingsIn(m.march), m.kept + QStringList{reading("Morgens", 8, 400)});
    EXPECT_FALSE(QFileInfo::exists(m.state.galleryFolder + QStringLiteral("2024/") + erika + "_03_2024.tab"));
    EXPECT_EQ(m.form->month().remarksPath(), QString(m.march).replace(QStringLiteral(".tab"), QStringLiteral(".txt")));
}

TEST(NoReadingLost, AMonthOnlyLookedAtIsNamedWhenEdited)
{
    Desk m(QDate(2024, 4, 7));
    m.returnToMarch();
    m.edit([&m] {
        EXPECT_EQ(child<QLabel>(&m.entry(), "headingLabel")->text(),
                  QString::fromUtf8("Messwerte März 2024  Erika Muster"));
        const QString note = child<QLabel>(&m.entry(), "noteLabel")->text();
        EXPECT_TRUE(child<QLabel>(&m.entry(), "noteLabel")->isVisible());
        EXPECT_TRUE(note.contains(QString::fromUtf8("März 2024")) && note.contains(QStringLiteral("07.04.2024")) &&
                    note.contains(QStringLiteral("April 2024")))
            << note.toStdString();
        child<QPushButton>(&m.entry(), "cancelButton")->click();
    });
}

TEST(NoReadingLost, OpenersTellOfAMonthInTwoFilesAndOfAReadingWithoutADate)
{
    Desk m;
    m.returnToMarch();
    const QString twin = m.state.galleryFolder + QStringLiteral("2024/") + erika + "_03_2024.tab";
    const QString undated = QStringLiteral("Morgens den    xx.3.2024 Z=08:00  Luftikon=350");
    m.writeLines(twin, diaryHead(erika, QString::fromUtf8("März 2024")) + QStringList{undated});
    m.desktop.answerFile(twin);
    child<QAction>(m.form, "openAsChartAction")->trigger();
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    const QString note = m.desktop.shown().back().text;
    EXPECT_TRUE(note.contains(undated) && note.contains(twin) && note.contains(m.march)) << note.toStdString();
}

TEST(NoReadingLost, ALayoutSwitchThatHidesReadingsAsksAndNeinKeepsTheLayout)
{
    test::AppFixture m;
    const QString july = m.diaryPath(QStringLiteral("Erika"), 7, 2024);
    const QStringList readings{reading("Morgens", 1, 380, 7), reading("Messung5", 1, 520, 7),
                               reading("Messung6", 2, 400, 7), reading("Messung5", 3, 410, 7)};
    m.writeLines(july, diaryHead(QStringLiteral("Erika"), QStringLiteral("Juli 2024"), true) + readings);
    m.returnTo(QStringLiteral("Erika"), july);
    const QByteArray before = m.bytes(july);

    m.desktop.answer(false);
    child<QAction>(m.form, "fourReadingsADayAction")->trigger();
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    EXPECT_TRUE(m.desktop.shown().back().presetNo);
    EXPECT_TRUE(m.desktop.shown().back().text.startsWith(
        QStringLiteral("In dieser Tabelle stehen 3 Messwerte von Messung 5 und Messung 6.")));
    EXPECT_TRUE(m.form->month().layout().marks(SlotMode::Eight) &&
                child<QAction>(m.form, "eightReadingsADayAction")->isChecked());
    EXPECT_FALSE(child<QAction>(m.form, "fourReadingsADayAction")->isChecked());
    EXPECT_EQ(m.bytes(july), before);

    // Ja: the readings stay in the file and keep the best value; only the pin is not painted.
    m.desktop.answer(true);
    child<QAction>(m.form, "fourReadingsADayAction")->trigger();
    EXPECT_TRUE(m.bytes(july).endsWith((readings.join(crlf) + crlf).toLatin1()));
    EXPECT_EQ(m.form->month().summary().best.value, 520);
    EXPECT_TRUE(m.form->chart().bestValueHidden());
}
