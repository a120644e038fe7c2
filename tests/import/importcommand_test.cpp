// The import command as the user meets it: file dialog, preview, OK or Abbrechen, one message.
#include "diary/textfile.h"
#include "import/ui/importcommand.h"
#include "support/diarylines.h"
#include "support/sandbox.h"
#include "support/scripteddesktop.h"

#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace luftikon;
using namespace luftikon::test;

namespace {

class ImportCommand : public ::testing::Test {
protected:
    ImportCommand()
    {
        state.dataFolder = box.file("Daten/");
        state.galleryFolder = state.dataFolder + "Galerie/";
        state.htmlFolder = state.dataFolder + "Browser/";
        state.userName = QStringLiteral("Erika Beispiel");
    }
    QString diary(int month) const
    {
        return state.galleryFolder + QStringLiteral("2024/Erika Beispiel_%1_2024.tab").arg(month);
    }
    QString file(const char* name, const QByteArray& bytes) const
    {
        Sandbox::writeBytes(box.file(name), bytes);
        return box.file(name);
    }
    // The user picks `path` and `decide` works the preview.
    void run(const QString& path, std::function<void(QDialog&)> decide)
    {
        desktop.answerFile(path);
        desktop.answerDialog([decide](QDialog& dialog) {
            decide(dialog);
            return dialog.result();
        });
        importReadingsCsv(state, settings, month, desktop, nullptr);
    }
    static void pressOk(QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Return); }

    Sandbox box;
    AppState state;
    Settings settings;
    CurrentMonth month;
    ScriptedDesktop desktop;
};

TEST_F(ImportCommand, AMeterFileOfNinetyDaysIsPreviewedBroughtInAndTheSecondTimeAddsNothing)
{
    Sandbox::writeBytes(
        diary(2),
        encodeCp1252(
            (diaryHead("Erika Beispiel", "Februar 2024") + QStringList{reading("Morgens", 1, 400, 2)}).join("\r\n"))
            .value());
    month.open(diary(2));
    QByteArray csv;
    for (QDate day(2024, 1, 1); day < QDate(2024, 3, 31); day = day.addDays(1))
        csv += day.toString(Qt::ISODate).toLatin1() + ",07:55,400\r\n" + day.toString(Qt::ISODate).toLatin1() +
               ",19:40,380\r\n";
    const QString meter = file("meter.csv", csv);

    QStringList months;
    run(meter, [&](QDialog& dialog) {
        const auto* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("previewTree"));
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            months << tree->topLevelItem(i)->text(0);
        EXPECT_FALSE(dialog.findChild<QCheckBox*>(QStringLiteral("takeValuesCheck"))->isEnabled());
        pressOk(dialog);
    });
    EXPECT_EQ(months, (QStringList{"Januar 2024: 62 neu, 0 schon vorhanden, 0 abweichend, 0 ausgelassen (neue "
                                   "Tabelle Erika Beispiel_1_2024.tab)",
                                   "Februar 2024: 57 neu, 1 schon vorhanden, 0 abweichend, 0 ausgelassen",
                                   "März 2024: 60 neu, 0 schon vorhanden, 0 abweichend, 0 ausgelassen (neue Tabelle "
                                   "Erika Beispiel_3_2024.tab)"}));
    EXPECT_EQ(desktop.shownTexts(), QStringList{"179 Messwerte wurden übernommen: Januar 2024 (62), Februar 2024 "
                                                "(57), März 2024 (60). 1 Messwert war schon vorhanden."});
    // The month on screen was read again.
    EXPECT_EQ(month.readings().size(), 58);
    EXPECT_EQ(month.readings().last().line, reading("Abends", 29, 380, 2, 2024, "19:40"));

    desktop.clearShown();
    const QByteArray january = Sandbox::readBytes(diary(1));
    run(meter, pressOk);
    EXPECT_EQ(desktop.shownTexts(),
              QStringList{"Es wurden keine Messwerte übernommen. 180 Messwerte waren schon vorhanden."});
    EXPECT_EQ(Sandbox::readBytes(diary(1)), january);
}

TEST_F(ImportCommand, AbbrechenWritesNothingTheCheckBoxTakesTheFileValuesAndNoCsvIsRefused)
{
    const QString csv = file("app.csv", "Datum;Uhrzeit;Wert\n05.03.2024;08:00;420\n");
    run(csv, [](QDialog& dialog) { dialog.findChild<QPushButton*>(QStringLiteral("cancelButton"))->click(); });
    EXPECT_FALSE(QFileInfo::exists(diary(3)));
    EXPECT_TRUE(desktop.shown().empty());

    Sandbox::writeBytes(
        diary(3),
        encodeCp1252((diaryHead("Erika Beispiel", "März 2024") + QStringList{reading("Morgens", 5, 400)}).join("\r\n"))
            .value());
    run(csv, [](QDialog& dialog) {
        dialog.findChild<QCheckBox*>(QStringLiteral("takeValuesCheck"))->setChecked(true);
        pressOk(dialog);
    });
    EXPECT_EQ(entryLinesOf(readTextLines(diary(3)).lines), QStringList{reading("Morgens", 5, 420)});
    EXPECT_EQ(desktop.shownTexts(),
              QStringList{"1 Messwert wurde übernommen: März 2024 (1). 1 Messwert der Tabelle wurde durch den Wert "
                          "der Datei ersetzt."});
    // No month was on screen: the one written is shown.
    EXPECT_EQ(month.path(), diary(3));

    desktop.clearShown();
    desktop.answerFile(file("photo.csv", QByteArray("\xFF\xD8\xFF\xE0\0\x10JFIF\0", 11)));
    importReadingsCsv(state, settings, month, desktop, nullptr);
    ASSERT_EQ(desktop.shown().size(), 1u);
    EXPECT_EQ(desktop.shown()[0].kind, MessageKind::Warning);
    EXPECT_TRUE(desktop.shown()[0].text.contains("ist keine CSV-Datei mit Messwerten"));
}

} // namespace
