// The ordinary flows never lose a reading that is in a diary or that the patient typed, and never
// file one in a month the patient did not see: each story compares the diary's bytes.
#include "entry/eingabe.h"
#include "entry/spinedit.h"
#include "shell/nameeing.h"
#include "support/diarylines.h"
#include "support/mainwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::diaryHead;
using luftikon::test::reading;

namespace {

const QString juergen = QString::fromUtf8("Jürgen Müller");
const QString crlf = QStringLiteral("\r\n");

// Jürgen has kept March 2024 with two readings on the 5th; it is on screen, today is 15 March.
struct Juergen : test::MainWindow {
    QString march;
    QStringList kept{reading("Morgens", 5, 420), reading("Abends", 5, 410, 3, 2024, QStringLiteral("20:00"))};

    explicit Juergen(const QDate& today = QDate(2024, 3, 15)) : test::MainWindow(today)
    {
        march = diaryPath(juergen, 3, 2024);
        writeLines(march, diaryHead(juergen, QString::fromUtf8("März 2024")) + kept);
        returnTo(juergen, march);
    }
    TEingabeDlg& entry() { return *form->EingabeDlg; }
    // The reading lines of the file, in order.
    QStringList readingsIn(const QString& path) const
    {
        QStringList lines;
        for (const QByteArray& line : bytes(path).split('\n')) {
            if (line.startsWith('M') || line.startsWith('A'))
                lines << QString::fromLatin1(line).chopped(1);
        }
        return lines;
    }
    void type(SpinEdit* field, const QString& text)
    {
        field->editor()->selectAll();
        QTest::keyClicks(field->editor(), text);
    }
    // In the open entry dialog: slot, day and value as the patient types them.
    void typeReading(int slot, const QString& day, const QString& value)
    {
        for (int i = 0; i < 9 && state.currentSlot != slot; ++i)
            entry().MessungButton->click();
        type(entry().TagSpinEdit, day);
        type(entry().LuftikonSpinEdit, value);
    }
};

} // namespace

TEST(ReadingsKept, NewTableOverAMonthWithADiaryAddsToItAfterTheNameAsFromTheMenu)
{
    for (const bool fromName : {false, true}) {
        Juergen m;
        if (fromName) {
            m.desktop.answerDialog([&m](QDialog&) {
                m.form->NameEingDlg->Edit1->setText(juergen);
                m.form->NameEingDlg->OKButton->click();
                return int(QDialog::Accepted);
            });
        }
        else {
            m.desktop.answer(true); // "Sie möchten einen neue Tabelle erstellen?"
        }
        m.desktop.answerDialog([&m](QDialog&) {
            EXPECT_EQ(m.state.entryList, m.kept);
            EXPECT_TRUE(m.entry().noteLabel->text().startsWith(
                QStringLiteral("Für diesen Monat gibt es schon eine Tabelle mit 2 Messwerten")));
            m.typeReading(1, QStringLiteral("6"), QStringLiteral("430"));
            m.entry().AufnehmenButton->click();
            m.entry().GrafikButton->click();
            return m.entry().result();
        });
        if (fromName)
            m.form->Benutzernamendern1->trigger();
        else
            m.form->Neu1->trigger();
        EXPECT_EQ(m.readingsIn(m.march), m.kept + QStringList{reading("Morgens", 6, 430)}) << fromName;
        EXPECT_EQ(QDir(QFileInfo(m.march).path()).entryList({QStringLiteral("*.tab")}).size(), 1);
    }
}

TEST(ReadingsKept, ATypedValueGoesInWithEnterOrAltAButAProposalNeverDoes)
{
    Juergen m;
    m.desktop.answerDialog([&m](QDialog& dialog) {
        // Alt+A is the add button's alone: a second button with it would only take the focus.
        for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
            EXPECT_EQ(button == m.entry().AufnehmenButton, button->shortcut() == QKeySequence(QStringLiteral("Alt+A")))
                << button->objectName().toStdString();
        m.typeReading(1, QStringLiteral("07"), QStringLiteral("390"));
        m.entry().AufnehmenButton->click();
        // Enter saves, taking the value typed for the next slot along.
        m.type(m.entry().LuftikonSpinEdit, QStringLiteral("420"));
        QTest::keyClick(m.entry().LuftikonSpinEdit->editor(), Qt::Key_Return);
        return m.entry().result();
    });
    m.form->aktuellebearbeiten1->trigger();
    const QStringList added{reading("Morgens", 7, 390),
                            reading("Messung2", 7, "420", 3, 2024, QStringLiteral("12:00"))};
    EXPECT_EQ(m.readingsIn(m.march), m.kept + added);

    // Untouched fields add nothing: the proposal after the last reading stays a proposal.
    const QByteArray before = m.bytes(m.march);
    m.desktop.answerDialog([&m](QDialog&) {
        m.entry().GrafikButton->click();
        return m.entry().result();
    });
    m.form->aktuellebearbeiten1->trigger();
    EXPECT_EQ(m.bytes(m.march), before);
}

TEST(ReadingsKept, ARefusedPendingValueKeepsTheDialogOpenAndSaysWhy)
{
    Juergen m;
    m.desktop.answerDialog([&m](QDialog&) {
        m.typeReading(1, QStringLiteral("05"), QStringLiteral("500")); // a twin of the morning of the 5th
        m.entry().GrafikButton->click();
        EXPECT_TRUE(m.entry().isVisible());
        EXPECT_TRUE(m.desktop.shown().back().text.contains(QStringLiteral("existiert schon in der Liste!")));
        // The refusal cleared the mark: the next press saves the list as it is.
        m.entry().GrafikButton->click();
        EXPECT_FALSE(m.entry().isVisible());
        return m.entry().result();
    });
    m.form->aktuellebearbeiten1->trigger();
    EXPECT_EQ(m.readingsIn(m.march), m.kept);
}

TEST(ReadingsKept, TakeBackThenSaveKeepsTheReadingAndAnEditReplacesIt)
{
    Juergen m;
    m.desktop.answerDialog([&m](QDialog&) {
        m.entry().ListBox1->setCurrentRow(0);
        m.entry().BearbeitenButton->click();
        EXPECT_TRUE(m.entry().noteLabel->text().contains(QStringLiteral("In Bearbeitung")));
        m.entry().GrafikButton->click();
        return m.entry().result();
    });
    m.form->aktuellebearbeiten1->trigger();
    EXPECT_EQ(m.readingsIn(m.march), m.kept);

    m.desktop.answerDialog([&m](QDialog&) {
        m.entry().ListBox1->setCurrentRow(1);
        m.entry().BearbeitenButton->click();
        m.type(m.entry().LuftikonSpinEdit, QStringLiteral("415"));
        m.entry().GrafikButton->click();
        return m.entry().result();
    });
    m.form->aktuellebearbeiten1->trigger();
    EXPECT_EQ(m.readingsIn(m.march),
              (QStringList{m.kept[0], reading("Abends", 5, 415, 3, 2024, QStringLiteral("20:00"))}));
}

TEST(ReadingsKept, TheDayFieldHoldsTheNumberTypedAndTheLineFollowsTheFileRule)
{
    Juergen m;
    m.desktop.answerDialog([&m](QDialog&) {
        SpinEdit* day = m.entry().TagSpinEdit;
        day->editor()->selectAll();
        QTest::keyClick(day->editor(), Qt::Key_Backspace);
        QTest::keyClicks(day->editor(), QStringLiteral("5"));
        EXPECT_EQ(day->text(), QStringLiteral("05"));
        m.type(day, QStringLiteral("10"));
        EXPECT_EQ(day->text(), QStringLiteral("10"));
        // Backspace over "01" leaves a field the next digit fills, never "005".
        m.type(day, QStringLiteral("1"));
        QTest::keyClick(day->editor(), Qt::Key_End);
        QTest::keyClick(day->editor(), Qt::Key_Backspace);
        QTest::keyClicks(day->editor(), QStringLiteral("8"));
        EXPECT_EQ(day->text(), QStringLiteral("08"));
        m.entry().TagSpinEdit->setText(QStringLiteral("008")); // however the text got there
        m.type(m.entry().LuftikonSpinEdit, QStringLiteral("400"));
        m.entry().AufnehmenButton->click();
        m.entry().GrafikButton->click();
        return m.entry().result();
    });
    m.form->aktuellebearbeiten1->trigger();
    EXPECT_TRUE(m.readingsIn(m.march).contains(reading("Morgens", 8, 400)));
}

TEST(ReadingsKept, AMonthOnlyLookedAtIsNamedWhenEditedAndTodaysReadingsFindTheirOwnMonth)
{
    Juergen m(QDate(2024, 4, 7));
    m.desktop.answerDialog([&m](QDialog&) {
        const QString note = m.entry().noteLabel->text();
        EXPECT_TRUE(m.entry().noteLabel->isVisible());
        EXPECT_TRUE(note.contains(QString::fromUtf8("März 2024"))) << note.toStdString();
        EXPECT_TRUE(note.contains(QStringLiteral("07.04.2024"))) << note.toStdString();
        EXPECT_TRUE(note.contains(QStringLiteral("April 2024"))) << note.toStdString();
        m.entry().AbbrechenButton->click();
        return m.entry().result();
    });
    m.form->aktuellebearbeiten1->trigger();

    // "Neu" is today's month, so nothing tells of another one.
    m.desktop.answer(true);
    m.desktop.answerDialog([&m](QDialog&) {
        EXPECT_FALSE(m.entry().noteLabel->isVisible()) << m.entry().noteLabel->text().toStdString();
        m.typeReading(1, QStringLiteral("07"), QStringLiteral("400"));
        m.entry().GrafikButton->click();
        return m.entry().result();
    });
    m.form->Neu1->trigger();
    EXPECT_EQ(m.readingsIn(m.march), m.kept);
    EXPECT_EQ(m.readingsIn(m.diaryPath(juergen, 4, 2024)), QStringList{reading("Morgens", 7, 400, 4)});
}

TEST(ReadingsKept, AMonthNamedWithOneDigitIsWrittenBackIntoItsOwnFileWithItsRemarks)
{
    Juergen m;
    const QString remarks = QString(m.march).replace(QStringLiteral(".tab"), QStringLiteral(".txt"));
    test::Sandbox::writeBytes(remarks, "Pollenflug\r\n");
    m.desktop.answerDialog([&m](QDialog&) {
        m.entry().MonatSpinEdit->setText(QStringLiteral("03"));
        m.typeReading(8, QStringLiteral("09"), QStringLiteral("405"));
        m.entry().GrafikButton->click();
        return m.entry().result();
    });
    m.form->aktuellebearbeiten1->trigger();
    EXPECT_EQ(m.readingsIn(m.march).last(), reading("Abends", 9, 405, 3, 2024, QStringLiteral("20:00")));
    EXPECT_FALSE(QFileInfo::exists(m.state.galleryFolder + QStringLiteral("2024/") + juergen + "_03_2024.tab"));
    EXPECT_EQ(m.state.currentDiaryFile, m.march);
    EXPECT_EQ(m.state.remarksFile, remarks);
}

TEST(ReadingsKept, OpenersTellOfAMonthInTwoFilesAndOfAReadingWithoutADate)
{
    Juergen m;
    const QString twin = m.state.galleryFolder + QStringLiteral("2024/") + juergen + "_03_2024.tab";
    m.writeLines(twin, diaryHead(juergen, QString::fromUtf8("März 2024")) +
                           QStringList{reading("Morgens", 1, 300), QStringLiteral("Morgens den    xx.3.2024 Z=08:00  "
                                                                                  "Luftikon=350")});
    const QByteArray before = m.bytes(m.march);
    m.desktop.answerFile(twin);
    m.form->undalsGrafikanzeigen1->trigger();
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    const QString note = m.desktop.shown().back().text;
    EXPECT_TRUE(note.contains(QStringLiteral("xx.3.2024"))) << note.toStdString();
    EXPECT_TRUE(note.contains(twin) && note.contains(m.march)) << note.toStdString();
    EXPECT_EQ(m.bytes(m.march), before);
}

TEST(ReadingsKept, ALayoutSwitchThatHidesReadingsAsksAndNeinKeepsTheLayout)
{
    test::MainWindow m;
    const QString july = m.diaryPath(QStringLiteral("Erika"), 7, 2024);
    const QStringList readings{reading("Morgens", 1, 380, 7), reading("Messung5", 1, 520, 7),
                               reading("Messung6", 2, 400, 7), reading("Messung5", 3, 410, 7)};
    m.writeLines(july, diaryHead(QStringLiteral("Erika"), QStringLiteral("Juli 2024"), true) + readings);
    m.returnTo(QStringLiteral("Erika"), july);
    const QByteArray before = m.bytes(july);

    m.desktop.answer(false);
    m.form->biszu4MessungenjeTag->trigger();
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    EXPECT_TRUE(m.desktop.shown().back().presetNo);
    EXPECT_TRUE(m.desktop.shown().back().text.startsWith(
        QStringLiteral("In dieser Tabelle stehen 3 Messwerte von Messung 5 und Messung 6.")));
    EXPECT_TRUE(m.state.eightSlotMark);
    EXPECT_TRUE(m.form->biszu8MessungenjeTag->isChecked());
    EXPECT_FALSE(m.form->biszu4MessungenjeTag->isChecked());
    EXPECT_EQ(m.bytes(july), before);
    EXPECT_FALSE(m.form->chart().bestValueHidden());

    // Ja: the readings stay in the file and keep the best value; only the pin is not painted.
    m.desktop.answer(true);
    m.form->biszu4MessungenjeTag->trigger();
    EXPECT_TRUE(m.state.fourSlotMark);
    EXPECT_TRUE(m.bytes(july).endsWith((readings.join(crlf) + crlf).toLatin1()));
    EXPECT_EQ(m.state.bestValue, 520);
    EXPECT_TRUE(m.form->chart().bestValueHidden());
}
