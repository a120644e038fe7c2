#include "entry/eingabe.h"
#include "entry/spinedit.h"
#include "shell/mainform.h"
#include "shell/nameeing.h"
#include "support/sandbox.h"
#include "support/scripteddesktop.h"
#include "support/widgettext.h"
#include "table/tabellen.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::Sandbox;
using luftikon::test::ScriptedDesktop;

namespace {

// A machine after its first start, with the installed pictures; the user types on 15 March 2024.
struct Machine {
    Sandbox box;
    ScriptedDesktop desktop;
    ConfigStore config{box.configFile()};
    AppState state;
    std::unique_ptr<TMainForm> form;

    Machine()
    {
        state.resourceFolder = QStringLiteral(LUFTIKON_RESOURCE_DIR) + u'/';
        desktop.setToday(QDate(2024, 3, 15));
        form = std::make_unique<TMainForm>(state, desktop, config);
    }
    TEingabeDlg& entry() { return *form->EingabeDlg; }
    TNameEingDlg& names() { return *form->NameEingDlg; }
    QString diary(const QString& user, const QString& month, const QString& year) const
    {
        return state.galleryFolder + year + u'/' + user + u'_' + month + u'_' + year + QStringLiteral(".tab");
    }
    void type(QWidget* target, const QString& text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &press);
        }
    }
    void add(int slot, const QString& day, const QString& value)
    {
        for (int i = 0; i < 9 && state.currentSlot != slot; ++i)
            entry().MessungButton->click();
        entry().TagSpinEdit->setText(day);
        entry().LuftikonSpinEdit->setText(value);
        entry().AufnehmenButton->click();
    }
    // A diary as the program writes it.
    void writeDiary(const QString& path, const QByteArray& layout, const QByteArray& entries)
    {
        Sandbox::writeBytes(path, "[Personendaten]\r\nBenutzerName=Erika Muster\r\nDatum=M\xe4rz 2024\r\n\r\n"
                                  "DruckenTabellenRandLeft=10\r\nDruckenTabellenRandRight=5\r\n"
                                  "DruckenTabellenRandTop=10\r\nDruckenTabellenRandBottom=10\r\n\r\n\r\n" +
                                      layout + "\r\n\r\nGrenzwertGruen>=450\r\nGrenzwertRot<=200\r\n\r\n\r\n" +
                                      entries);
    }
};

const QByteArray fourSlots = "BisZu4MessungenJeTag=1\r\nBisZu8MessungenJeTag=0";
const QByteArray eightSlots = "BisZu8MessungenJeTag=1\r\nBisZu4MessungenJeTag=0";
const QByteArray marchReadings = "Morgens den    05.3.2024 Z=08:00  Luftikon=420\r\n"
                                 "Abends den      05.3.2024 Z=20:00  Luftikon=410\r\n";

} // namespace

TEST(FirstStart, NameThenNewTableThenThreeReadingsGiveTheDiary)
{
    Machine m;
    m.desktop.answerDialog([&m](QDialog& dialog) {
        EXPECT_EQ(&dialog, &m.names());
        m.names().Edit1->setText(QStringLiteral("Erika Muster"));
        m.names().OKButton->click();
        return dialog.result();
    });
    m.desktop.answerDialog([&m](QDialog& dialog) {
        EXPECT_EQ(&dialog, &m.entry());
        EXPECT_FALSE(m.entry().AbbrechenButton->isVisible());
        EXPECT_EQ(m.entry().Label4->text(), QStringLiteral("Messwerte von Erika Muster"));
        EXPECT_EQ(m.entry().DatumLabel->text(), QStringLiteral("Heute ist der 15.03.2024"));
        m.add(1, QStringLiteral("05"), QStringLiteral("420"));
        m.add(2, QStringLiteral("05"), QStringLiteral("380"));
        m.add(8, QStringLiteral("05"), QStringLiteral("410"));
        m.entry().GrafikButton->click();
        return dialog.result();
    });
    // Without a user name the first show asks for one.
    m.form->show();
    m.form->FormPaint();

    EXPECT_EQ(m.config.Lies_String_aus_Registry(QStringLiteral("BenutzerName")), QStringLiteral("Erika Muster"));
    const QString path = m.diary(QStringLiteral("Erika Muster"), QStringLiteral("3"), QStringLiteral("2024"));
    EXPECT_EQ(Sandbox::readBytes(path), QByteArray("[Personendaten]\r\n"
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
    // The save drew the month: its title, the list from the file, the best value.
    EXPECT_EQ(m.state.currentDiaryFile, path);
    EXPECT_EQ(m.form->Label1->text(), QString::fromUtf8("Luftikon-Messwerte März 2024 von  Erika Muster"));
    EXPECT_EQ(m.state.entryList, (QStringList{QStringLiteral("Morgens den    05.3.2024 Z=08:00  Luftikon=420"),
                                              QStringLiteral("Messung2 den 05.3.2024 Z=12:00  Luftikon=380"),
                                              QStringLiteral("Abends den      05.3.2024 Z=20:00  Luftikon=410")}));
    EXPECT_EQ(m.entry().ListBox1->count(), 3);
    EXPECT_EQ(m.state.bestValue, 420);
    EXPECT_EQ(m.config.Lies_String_aus_Registry(QStringLiteral("LetzteEingabe")),
              QStringLiteral("Abends den      05.3.2024 Z=20:00  Luftikon=410"));

    // The first data bring the advice about the limits, once.
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    EXPECT_EQ(m.desktop.shown()[0].kind, MessageKind::Information);
    EXPECT_EQ(m.desktop.shown()[0].text,
              QStringLiteral("Da Sie Erstmals Daten eingegeben haben, sollten Sie später (nach mehreren Eingaben) "
                             "daran denken den Schalter\r\n\" Grenzwerte anhand des Bestwertes berechnen\" im Menü "
                             "\"Einstellungen\" zu betätigen. Dadurch wird eine\r\nungefähre Einstellung der "
                             "Grenzwerte vorgenommen. Fragen Sie Ihren Arzt, welche Grenzwerte an Hand \r\nIhres "
                             "Bestwertes Sie eintragen sollen."));
    EXPECT_FALSE(m.state.newUserPending);
    EXPECT_FALSE(m.state.newTablePending);
    // After the save the time field shows the configured time of the next slot again.
    EXPECT_EQ(m.state.currentSlot, 1);
    EXPECT_EQ(m.entry().UhrzeitEdit->text(), QStringLiteral("08:00"));
}

TEST(UserName, DialogLayoutAndForbiddenCharactersAsTyped)
{
    Machine m;
    TNameEingDlg& names = m.names();
    EXPECT_EQ(names.windowTitle(), QStringLiteral("Luftikon"));
    EXPECT_EQ(names.size(), QSize(416, 165));
    EXPECT_EQ(names.Bevel1->geometry(), QRect(8, 8, 401, 105));
    EXPECT_EQ(names.Label1->pos(), QPoint(17, 21));
    EXPECT_EQ(names.Edit1->geometry().topLeft(), QPoint(17, 47));
    EXPECT_EQ(names.Edit1->width(), 369);
    EXPECT_EQ(names.Label2->pos(), QPoint(14, 78));
    EXPECT_EQ(names.OKButton->geometry(), QRect(103, 124, 75, 25));
    EXPECT_EQ(names.AbbrechenButton->geometry(), QRect(239, 124, 75, 25));
    EXPECT_TRUE(names.OKButton->isDefault());

    m.type(names.Edit1, QStringLiteral("a\"b/c"));
    EXPECT_EQ(names.Edit1->text(), QStringLiteral("abc"));
    EXPECT_EQ(m.desktop.shownTexts(), (QStringList{QStringLiteral("Unerlaubtes Zeichen im Namen: \""),
                                                   QStringLiteral("Unerlaubtes Zeichen im Namen: /")}));
    EXPECT_EQ(m.desktop.shown()[0].kind, MessageKind::Plain);

    // A pasted name loses the forbidden character and all behind it, one message each.
    m.desktop.clearShown();
    names.Edit1->clear();
    names.Edit1->insert(QStringLiteral("Erika<Mu"));
    EXPECT_EQ(names.Edit1->text(), QStringLiteral("Erika"));
    EXPECT_EQ(m.desktop.shownTexts(), (QStringList{QStringLiteral("Unerlaubtes Zeichen im Namen: u"),
                                                   QStringLiteral("Unerlaubtes Zeichen im Namen: M"),
                                                   QStringLiteral("Unerlaubtes Zeichen im Namen: <")}));
    EXPECT_EQ(names.Edit1->cursorPosition(), 5);
}

TEST(UserName, CancelEndsTheProgramAndWritesNothing)
{
    Machine m;
    const QByteArray settings = Sandbox::readBytes(m.config.path());
    m.desktop.answerDialog([&m](QDialog&) {
        m.names().Edit1->setText(QStringLiteral("Neuer Name"));
        m.names().AbbrechenButton->click();
        return int(QDialog::Rejected);
    });
    m.form->Benutzernamendern1->trigger();
    EXPECT_EQ(m.desktop.terminatedWith(), 0);
    EXPECT_EQ(Sandbox::readBytes(m.config.path()), settings);
    EXPECT_TRUE(m.state.userName.isEmpty());
}

TEST(UserName, OkDrawsTheUsersLastDiaryWhateverTheCaseOfItsStoredPath)
{
    Machine m;
    const QString real = m.diary(QStringLiteral("Erika Muster"), QStringLiteral("3"), QStringLiteral("2024"));
    m.writeDiary(real, fourSlots, marchReadings);
    m.config.Schreib_String_in_Registry(QStringLiteral("TabellenDateiName"), real);
    EXPECT_EQ(existingPathIgnoringCase(real.toLower()), real);
    EXPECT_EQ(existingPathIgnoringCase(real.toLower() + QStringLiteral("x")), QString());

    m.desktop.answerDialog([&m](QDialog&) {
        m.names().Edit1->setText(QStringLiteral("ERIKA muster"));
        m.names().OKButton->click();
        return int(QDialog::Accepted);
    });
    // No question before the new table: the name was just entered.
    m.desktop.answerDialog([&m](QDialog&) {
        EXPECT_TRUE(m.state.newUserPending);
        EXPECT_TRUE(m.state.entryList.isEmpty());
        return int(QDialog::Accepted);
    });
    m.form->Benutzernamendern1->trigger();
    EXPECT_EQ(m.state.currentDiaryFile, real);
    EXPECT_EQ(m.state.diaryUserName, QStringLiteral("Erika Muster"));
    EXPECT_EQ(m.state.userName, QStringLiteral("ERIKA muster"));
    EXPECT_FALSE(m.state.newUserPending);
    EXPECT_TRUE(m.desktop.shown().empty());

    // Another user's diary is not drawn.
    m.state.currentDiaryFile.clear();
    m.desktop.answerDialog([&m](QDialog&) {
        m.names().Edit1->setText(QStringLiteral("Max Mustermann"));
        m.names().OKButton->click();
        return int(QDialog::Accepted);
    });
    m.desktop.answerDialog([](QDialog&) { return int(QDialog::Accepted); });
    m.form->Benutzernamendern1->trigger();
    EXPECT_TRUE(m.state.currentDiaryFile.isEmpty());
}

TEST(NewTable, AskedFirstThenStartsAnEmptyTableOfThisMonth)
{
    Machine m;
    m.state.userName = QStringLiteral("Erika Muster");
    m.state.entryList = {QStringLiteral("Morgens den    05.2.2024 Z=08:00  Luftikon=420")};
    m.desktop.answer(false);
    m.form->Neu1->trigger();
    EXPECT_EQ(m.desktop.shownTexts(), QStringList{QStringLiteral("Sie möchten einen neue Tabelle erstellen?")});
    EXPECT_EQ(m.state.entryList.size(), 1);
    EXPECT_FALSE(m.state.newTablePending);

    m.desktop.answer(true);
    m.desktop.answerDialog([&m](QDialog&) {
        EXPECT_TRUE(m.entry().ListBox1->count() == 0);
        EXPECT_EQ(m.entry().MonatSpinEdit->text(), QStringLiteral("3"));
        EXPECT_EQ(m.entry().JahrSpinEdit->text(), QStringLiteral("2024"));
        EXPECT_EQ(m.entry().UhrzeitEdit->text(), QStringLiteral("08:00"));
        EXPECT_FALSE(m.entry().AbbrechenButton->isVisible());
        return int(QDialog::Rejected);
    });
    m.form->Neu1->trigger();
    EXPECT_TRUE(m.state.entryList.isEmpty());
    EXPECT_TRUE(m.state.newTablePending);
    EXPECT_EQ(m.state.entryMonth, 3);
    EXPECT_EQ(m.state.entryYear, 2024);
}

TEST(EditCurrent, LoadsTheCurrentDiaryOrStartsANewTableWhenItIsGone)
{
    Machine m;
    m.state.userName = QStringLiteral("Erika Muster");
    const QString march = m.diary(QStringLiteral("Erika Muster"), QStringLiteral("3"), QStringLiteral("2024"));
    m.writeDiary(march, fourSlots, marchReadings);
    m.state.currentDiaryFile = march;
    m.desktop.answerDialog([&m](QDialog&) {
        EXPECT_EQ(m.entry().Label4->text(), QString::fromUtf8("Messwerte März 2024  Erika Muster"));
        EXPECT_EQ(m.entry().ListBox1->count(), 2);
        EXPECT_EQ(m.entry().ListBox1->currentRow(), 1);
        EXPECT_EQ(m.entry().MonatSpinEdit->text(), QStringLiteral("03"));
        return int(QDialog::Rejected);
    });
    m.form->aktuellebearbeiten1->trigger();
    EXPECT_EQ(m.state.listMonth, QStringLiteral("3"));
    EXPECT_EQ(m.state.listYear, QStringLiteral("2024"));

    // A diary that cannot be read is reported.
    QFile::remove(march);
    QDir().mkpath(march);
    m.form->aktuellebearbeiten1->trigger();
    EXPECT_EQ(m.desktop.shownTexts().last(), QStringLiteral("Fehler Lesen der Datei!"));
    EXPECT_EQ(m.desktop.shown().back().kind, MessageKind::Warning);

    // A diary that is gone starts a new table.
    QDir().rmdir(march);
    m.desktop.answer(false);
    m.form->aktuellebearbeiten1->trigger();
    EXPECT_EQ(m.desktop.shownTexts().last(), QStringLiteral("Sie möchten einen neue Tabelle erstellen?"));
}

TEST(OpenAndEdit, TakesTheDayLayoutAndReadingsOfTheChosenFile)
{
    Machine m;
    m.state.userName = QStringLiteral("Erika Muster");
    const QString july = m.diary(QStringLiteral("Erika Muster"), QStringLiteral("07"), QStringLiteral("2025"));
    m.writeDiary(july, eightSlots, "Messung4 den 01.07.2025 Z=12:00  Luftikon=300\r\n");

    m.desktop.answerFile(QString());
    m.form->undbearbeiten1->trigger();
    ASSERT_EQ(m.desktop.fileRequests().size(), 1u);
    EXPECT_EQ(m.desktop.fileRequests()[0].filter, QStringLiteral("Blutdrucktabellen (*.tab);;Alle Dateien (*)"));
    EXPECT_EQ(m.desktop.fileRequests()[0].start, m.state.galleryFolder);
    EXPECT_TRUE(m.state.fourSlotMark);

    m.desktop.answerFile(july);
    m.desktop.answerDialog([&m](QDialog&) {
        EXPECT_EQ(m.entry().ListBox1->count(), 1);
        EXPECT_EQ(m.entry().JahrSpinEdit->text(), QStringLiteral("2025"));
        return int(QDialog::Rejected);
    });
    m.form->undbearbeiten1->trigger();
    EXPECT_FALSE(m.state.fourSlotMark);
    EXPECT_TRUE(m.state.eightSlotMark);
    EXPECT_TRUE(m.form->biszu8MessungenjeTag->isChecked());
    EXPECT_FALSE(m.form->biszu4MessungenjeTag->isChecked());
    EXPECT_EQ(m.state.templatePictureFile, m.state.resourceFolder + QStringLiteral("Vorlag8M.bmp"));
    EXPECT_EQ(m.state.currentDiaryFile, july);
    EXPECT_EQ(m.state.listMonth, QStringLiteral("07"));
    // The opened month is drawn.
    EXPECT_EQ(m.state.bestValue, 300);
}

TEST(DayLayout, SwitchRewritesTheDiaryWithTheOtherLayoutAndKeepsItsReadings)
{
    Machine m;
    m.state.userName = QStringLiteral("Erika Muster");
    const QString march = m.diary(QStringLiteral("Erika Muster"), QStringLiteral("3"), QStringLiteral("2024"));
    m.writeDiary(march, fourSlots, marchReadings);
    m.state.currentDiaryFile = march;
    m.config.Schreib_String_in_Registry(QStringLiteral("LetzteEingabe"),
                                        QStringLiteral("Messung3 den 04.3.2024 Z=16:00  Luftikon=400"));
    m.desktop.answerDialog([](QDialog&) { return int(QDialog::Rejected); });
    m.form->aktuellebearbeiten1->trigger();
    // After slot 3 of a four-slot day comes the evening.
    EXPECT_EQ(m.state.currentSlot, 8);

    m.form->biszu8MessungenjeTag->trigger();
    EXPECT_TRUE(m.state.eightSlotMark);
    EXPECT_FALSE(m.state.fourSlotMark);
    EXPECT_TRUE(m.form->biszu8MessungenjeTag->isChecked());
    EXPECT_FALSE(m.form->biszu4MessungenjeTag->isChecked());
    EXPECT_EQ(m.state.templatePictureFile, m.state.resourceFolder + QStringLiteral("Vorlag8M.bmp"));
    // In the eight-slot day slot 3 is followed by slot 4, at its eight-slot time.
    EXPECT_EQ(m.state.currentSlot, 4);
    EXPECT_EQ(m.entry().UhrzeitEdit->text(), QStringLiteral("12:00"));
    QByteArray eight = Sandbox::readBytes(march);
    const QList<QByteArray> lines = eight.split('\n');
    ASSERT_GE(lines.size(), 20);
    EXPECT_EQ(lines[10], "BisZu8MessungenJeTag=1\r");
    EXPECT_EQ(lines[11], "BisZu4MessungenJeTag=0\r");
    EXPECT_EQ(lines[14], "GrenzwertGruen>=450\r");
    EXPECT_TRUE(eight.endsWith(marchReadings));

    // The four-slot item while four slots are not in force switches back; clicked again, it toggles.
    m.form->biszu4MessungenjeTag->trigger();
    EXPECT_TRUE(m.state.fourSlotMark);
    EXPECT_TRUE(Sandbox::readBytes(march).contains("BisZu4MessungenJeTag=1\r\nBisZu8MessungenJeTag=0"));
    EXPECT_EQ(m.state.currentSlot, 8);
    EXPECT_EQ(m.entry().UhrzeitEdit->text(), QStringLiteral("20:00"));
    m.form->biszu4MessungenjeTag->trigger();
    EXPECT_TRUE(m.state.eightSlotMark);
    EXPECT_TRUE(m.desktop.shown().empty()) << m.desktop.shownTexts().join(u'|').toStdString();
}

TEST(OpenAsTable, TheChosenDiaryOpensInTheEntryDialogWhichShowsItsTable)
{
    Machine m;
    m.state.userName = QStringLiteral("Erika Muster");
    const QString march = m.diary(QStringLiteral("Erika Muster"), QStringLiteral("3"), QStringLiteral("2024"));
    m.writeDiary(march, fourSlots, marchReadings);

    // Cancelled: nothing is left armed for a later showing of the entry dialog.
    m.desktop.answerFile(QString());
    m.form->undinTabellenformanzeigen1->trigger();
    EXPECT_FALSE(m.state.showTableAfterPaint);

    bool tableShown = false;
    m.desktop.answerFile(march);
    m.desktop.answerDialog([&](QDialog&) {
        // Painting the entry dialog saves the diary and arms the table window's timer.
        m.desktop.answerDialog([&](QDialog& table) {
            tableShown = true;
            EXPECT_EQ(&table, static_cast<QDialog*>(m.form->TabellenDlg));
            EXPECT_TRUE(table.windowTitle().endsWith(QStringLiteral("Bestwert: 420 l/min.")))
                << table.windowTitle().toStdString();
            return int(QDialog::Rejected);
        });
        QElapsedTimer clock;
        clock.start();
        while (!tableShown && clock.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        return int(QDialog::Rejected);
    });
    m.form->undinTabellenformanzeigen1->trigger();
    EXPECT_TRUE(tableShown);
    EXPECT_FALSE(m.state.showTableAfterPaint);
    EXPECT_EQ(m.state.currentDiaryFile, march);
}
