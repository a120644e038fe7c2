// "und als Grafik anzeigen": any month's diary becomes the chart with its own layout and limits.
#include "settingsfixture.h"

#include <QAction>
#include <QLabel>
#include <gtest/gtest.h>

using namespace luftikon;
using namespace luftikon::test;

namespace {

const QString resources = QStringLiteral(LUFTIKON_RESOURCE_DIR "/");

QStringList header(const QString& layout, const QStringList& limits = {})
{
    QStringList lines{"[Personendaten]", "BenutzerName=Muster", "Datum=März 2024", ""};
    lines << layout.split(u'|', Qt::SkipEmptyParts) << QString() << limits << QString();
    return lines;
}

const QStringList readings{reading("Morgens", 2, QStringLiteral("455")), reading("Messung5", 2, QStringLiteral("430")),
                           reading("Abends", 3, QStringLiteral("180"))};

} // namespace

TEST(OpenAsChart, TheSettingsMenuTitleOpensTheDialogModally)
{
    SettingsMachine m;
    int shown = 0;
    m.desktop.answerDialog([&](QDialog& dialog) {
        shown += &dialog == m.form->EinstellDlg;
        return int(QDialog::Accepted);
    });
    m.form->Einstellungen1->trigger();
    EXPECT_EQ(shown, 1);
}

TEST(OpenAsChart, AnotherMonthBringsItsTitleLayoutAndLimits)
{
    SettingsMachine m;
    m.startWith({reading("Morgens", 5, QStringLiteral("300"))});
    const QString april = m.galleryFile(QStringLiteral("Muster_4_2024.tab"));
    QStringList lines = header(QStringLiteral("BisZu8MessungenJeTag=1|BisZu4MessungenJeTag=0"),
                               {"GrenzwertGruen>=420", "GrenzwertRot<=180"});
    lines[2] = QStringLiteral("Datum=April 2024");
    m.write(april, lines + QStringList{reading("Morgens", 2, QStringLiteral("455"), QStringLiteral("4"))});

    m.desktop.answerFile(april);
    m.form->undalsGrafikanzeigen1->trigger();
    EXPECT_EQ(m.desktop.fileRequests().back().filter, QStringLiteral("Blutdrucktabellen (*.tab);;Alle Dateien (*)"));
    EXPECT_EQ(m.state.currentDiaryFile, april);
    EXPECT_EQ(m.form->Label1->text(), QStringLiteral("Luftikon-Messwerte April 2024 von  Muster"));
    EXPECT_TRUE(m.form->biszu8MessungenjeTag->isChecked());
    EXPECT_FALSE(m.form->biszu4MessungenjeTag->isChecked());
    EXPECT_EQ(m.state.templatePictureFile, resources + QStringLiteral("Vorlag8M.bmp"));
    EXPECT_EQ(m.state.greenLimit, 420);
    EXPECT_EQ(m.state.redLimit, 180);
    EXPECT_EQ(m.state.pointList, QStringList{QStringLiteral("64 455")}); // the eight-slot column of day 2

    // The next start shows it.
    m.form->close();
    EXPECT_EQ(m.config.Lies_String_aus_Registry(QStringLiteral("TabellenDateiName")), april);
}

TEST(OpenAsChart, CancelLeavesTheChartAndAMissingLimitIsTheDefault)
{
    SettingsMachine m;
    m.startWith({reading("Morgens", 5, QStringLiteral("300"))});
    const QImage before = m.form->chartPicture();
    m.desktop.answerFile(QString());
    m.form->undalsGrafikanzeigen1->trigger();
    EXPECT_EQ(m.form->chartPicture(), before);
    EXPECT_EQ(m.state.currentDiaryFile, m.diary);

    const QString bare = m.galleryFile(QStringLiteral("Muster_5_2024.tab"));
    m.write(bare, header(QStringLiteral("BisZu4MessungenJeTag=1"), {"GrenzwertGruen>=777"}) +
                      QStringList{reading("Morgens", 1, QStringLiteral("300"), QStringLiteral("5"))});
    m.state.redLimit = 333;
    m.desktop.answerFile(bare);
    m.form->undalsGrafikanzeigen1->trigger();
    EXPECT_EQ(m.state.greenLimit, 777);
    EXPECT_EQ(m.state.redLimit, 200);
}

// Every combination of the two layout keys: the marks, the x of the readings, and the one pair
// the next save writes.
TEST(OpenAsChart, DayLayoutKeysFromTheFileThroughTheChartToTheSavedBytes)
{
    struct Case {
        const char* layout;
        bool four, eight;
        QStringList points; // Morgens day 2, Messung5 day 2, Abends day 3
        QByteArray savedPair;
    };
    const Case cases[] = {
        {"BisZu4MessungenJeTag=0|BisZu8MessungenJeTag=0",
         false,
         false,
         {"2 455", "2 430", "3 180"},
         "BisZu4MessungenJeTag=1\r\nBisZu8MessungenJeTag=0\r\n"},
        {"", false, false, {"2 455", "2 430", "3 180"}, "BisZu4MessungenJeTag=1\r\nBisZu8MessungenJeTag=0\r\n"},
        {"BisZu4MessungenJeTag=1|BisZu8MessungenJeTag=1",
         true,
         true,
         {"64 455", "77 430", "110 180"},
         "BisZu8MessungenJeTag=1\r\nBisZu4MessungenJeTag=0\r\n"},
        {"BisZu8MessungenJeTag=1|BisZu4MessungenJeTag=0",
         false,
         true,
         {"64 455", "77 430", "110 180"},
         "BisZu8MessungenJeTag=1\r\nBisZu4MessungenJeTag=0\r\n"},
    };
    for (const Case& c : cases) {
        SettingsMachine m;
        m.startWith({});
        m.write(m.diary, header(QLatin1String(c.layout)) + readings);
        m.desktop.answerFile(m.diary);
        m.form->undalsGrafikanzeigen1->trigger();
        EXPECT_EQ(m.form->biszu4MessungenjeTag->isChecked(), c.four) << c.layout;
        EXPECT_EQ(m.form->biszu8MessungenjeTag->isChecked(), c.eight) << c.layout;
        EXPECT_EQ(m.state.pointList, c.points) << c.layout;

        // A limit change saves the diary a second later.
        m.dlg().HochwertSpinButton->upButton()->click();
        m.dlg().Timer1Timer();
        const QByteArray saved = m.bytes();
        EXPECT_TRUE(saved.contains(c.savedPair)) << c.layout << "\n" << saved.toStdString();
        EXPECT_EQ(saved.count("MessungenJeTag="), 2) << c.layout;
        EXPECT_TRUE(saved.contains("GrenzwertGruen>=501\r\nGrenzwertRot<=200\r\n")) << c.layout;
        for (const QString& r : readings)
            EXPECT_TRUE(saved.contains(r.toLatin1() + "\r\n")) << c.layout;
        EXPECT_TRUE(m.desktop.shown().empty()) << c.layout << m.desktop.shownTexts().join(u'|').toStdString();
    }
}
