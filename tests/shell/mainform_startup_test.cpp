#include "shell/mainform.h"
#include "support/sandbox.h"
#include "support/scripteddesktop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::Sandbox;
using luftikon::test::ScriptedDesktop;

namespace {

// One machine: its settings file, its installed pictures, and the folder the program starts in.
struct Machine {
    Sandbox box;
    ScriptedDesktop desktop;
    ConfigStore config{box.configFile()};

    Machine()
    {
        QDir(box.path()).mkpath(QStringLiteral("share/luftikon"));
        for (const char* picture : {"Header.bmp", "Vorlag4M.bmp", "Vorlag8M.bmp"})
            Sandbox::writeBytes(resources() + QLatin1String(picture), "BM");
    }
    QString resources() const { return box.file(QStringLiteral("share/luftikon/")); }
    QString folder(const QString& relative) const { return box.file(relative) + u'/'; }

    // Starts the program in `relative` (made when missing) and closes it again.
    void runOnceIn(const QString& relative)
    {
        AppState state;
        auto form = start(relative, state);
        form->close();
    }
    std::unique_ptr<TMainForm> start(const QString& relative, AppState& state)
    {
        QDir(box.path()).mkpath(relative);
        QDir::setCurrent(box.file(relative));
        state.resourceFolder = resources();
        return std::make_unique<TMainForm>(state, desktop, config);
    }
};

const QString LFCR = QStringLiteral("\n\r");

} // namespace

TEST(MainFormStartup, FirstStartWritesDefaultsAndMakesBothFolders)
{
    Machine m;
    AppState state;
    auto form = m.start(QStringLiteral("home"), state);
    const QString home = m.folder(QStringLiteral("home"));

    EXPECT_TRUE(m.desktop.shown().empty()) << m.desktop.shownTexts().join(u'|').toStdString();
    EXPECT_EQ(m.config.Lies_String_aus_Registry(QStringLiteral("InstallOrt")), home);
    EXPECT_EQ(m.config.Lies_String_aus_Registry(QStringLiteral("DatenSpeicherOrt")), home);
    EXPECT_EQ(state.startFolder, home);
    EXPECT_EQ(state.dataFolder, home);
    EXPECT_EQ(state.galleryFolderName, QStringLiteral("Luftikon-Daten-Galerie/"));
    EXPECT_EQ(state.galleryFolder, home + QStringLiteral("Luftikon-Daten-Galerie/"));
    EXPECT_EQ(state.htmlFolder, home + QStringLiteral("Luftikon-Daten im Browser/"));
    EXPECT_TRUE(QFileInfo(state.galleryFolder).isDir());
    EXPECT_TRUE(QFileInfo(state.htmlFolder).isDir());

    EXPECT_EQ(state.curveColor, 0xA00000u);
    EXPECT_EQ(state.templatePictureFile, m.resources() + QStringLiteral("Vorlag4M.bmp"));
    EXPECT_EQ(state.headerPictureFile, m.resources() + QStringLiteral("Header.bmp"));
    EXPECT_EQ(state.paperFormat, QStringLiteral("DINA4"));
    EXPECT_TRUE(state.firstShowPending);
    EXPECT_TRUE(state.fourSlotMark);
    EXPECT_FALSE(state.eightSlotMark);
    EXPECT_FALSE(form->startupAborted());
    EXPECT_FALSE(m.desktop.terminatedWith());
}

TEST(MainFormStartup, StartFromAnotherFolderTellsWhereTheDataAre)
{
    Machine m;
    m.runOnceIn(QStringLiteral("erst"));
    const QString first = m.folder(QStringLiteral("erst"));

    AppState state;
    auto form = m.start(QStringLiteral("anders"), state);
    ASSERT_EQ(m.desktop.shown().size(), 2u);
    EXPECT_EQ(m.desktop.shown()[0].kind, MessageKind::Information);
    EXPECT_EQ(m.desktop.shown()[0].caption, QStringLiteral("Information"));
    EXPECT_EQ(m.desktop.shown()[0].text,
              QStringLiteral("\"Luftikon\" haben Sie schon mal an einem anderen Speicherort benutzt:") + LFCR + u'"' +
                  first + u'"' + LFCR + LFCR + QStringLiteral("Ihre Daten finden Sie weiterhin im Ordner:") + LFCR +
                  u'"' + first + QStringLiteral("Luftikon-Daten-Galerie/\""));
    EXPECT_EQ(m.desktop.shown()[1].text,
              QStringLiteral("Wenn Sie hier in diesem Ordner zukünftig Ihre Daten anlegen möchten,") + LFCR +
                  QStringLiteral("dann betätigen Sie den Menüpunkt \"Optionen|Registry-Eintrag löschen\""));
    EXPECT_EQ(m.desktop.shown()[1].kind, MessageKind::Information);

    // The data stay where they were; nothing is made in the new folder.
    EXPECT_EQ(state.dataFolder, first);
    EXPECT_EQ(state.galleryFolder, first + QStringLiteral("Luftikon-Daten-Galerie/"));
    EXPECT_EQ(state.startFolder, m.folder(QStringLiteral("anders")));
    EXPECT_FALSE(QFileInfo::exists(m.box.file(QStringLiteral("anders/Luftikon-Daten-Galerie"))));
    EXPECT_EQ(m.config.Lies_String_aus_Registry(QStringLiteral("InstallOrt")), first);
}

TEST(MainFormStartup, StartInsideTheInstallFolderShowsNoBox)
{
    Machine m;
    m.runOnceIn(QStringLiteral("Daten"));
    m.runOnceIn(QStringLiteral("Daten/unten/tiefer"));
    // The comparison ignores case.
    m.runOnceIn(QStringLiteral("DATEN/x"));
    EXPECT_TRUE(m.desktop.shown().empty()) << m.desktop.shownTexts().join(u'|').toStdString();
}

TEST(MainFormStartup, FolderNamesWithoutSlashWorkTheSame)
{
    Machine m;
    m.runOnceIn(QStringLiteral("home"));
    m.config.Schreib_String_in_Registry(QStringLiteral("GalerieVerzeichnisName"), QStringLiteral("Meine Tabellen"));
    m.config.Schreib_String_in_Registry(QStringLiteral("HtmlVerzeichnisName"), QStringLiteral("Web/Seiten/"));
    m.config.Schreib_String_in_Registry(QStringLiteral("DatenSpeicherOrt"), m.box.file(QStringLiteral("ablage")));

    AppState state;
    auto form = m.start(QStringLiteral("home"), state);
    const QString data = m.folder(QStringLiteral("ablage"));
    EXPECT_EQ(state.dataFolder, data);
    EXPECT_EQ(state.galleryFolderName, QStringLiteral("Meine Tabellen/"));
    EXPECT_EQ(state.galleryFolder, data + QStringLiteral("Meine Tabellen/"));
    EXPECT_EQ(state.htmlFolder, data + QStringLiteral("Web/Seiten/"));
    EXPECT_TRUE(QFileInfo(state.galleryFolder).isDir());
    EXPECT_TRUE(QFileInfo(state.htmlFolder).isDir());
    EXPECT_TRUE(m.desktop.shown().empty()) << m.desktop.shownTexts().join(u'|').toStdString();
}

TEST(MainFormStartup, FolderThatCannotBeMadeEndsTheProgram)
{
    for (const QString& blocked :
         {QStringLiteral("Luftikon-Daten-Galerie"), QStringLiteral("Luftikon-Daten im Browser")}) {
        Machine m;
        m.runOnceIn(QStringLiteral("home"));
        const QString path = m.box.file(QStringLiteral("home/") + blocked);
        ASSERT_TRUE(QDir(path).removeRecursively());
        Sandbox::writeBytes(path, "eine Datei, kein Ordner");

        AppState state;
        auto form = m.start(QStringLiteral("home"), state);
        ASSERT_EQ(m.desktop.shown().size(), 2u) << m.desktop.shownTexts().join(u'|').toStdString();
        EXPECT_EQ(m.desktop.shown()[0].kind, MessageKind::Plain);
        EXPECT_EQ(m.desktop.shown()[0].caption, QStringLiteral("Luftikon"));
        EXPECT_EQ(m.desktop.shown()[0].text,
                  QStringLiteral("Ordner \"") + blocked + QStringLiteral("/\" konnte nicht erstellt werden! "));
        EXPECT_EQ(m.desktop.shown()[1].kind, MessageKind::Information);
        EXPECT_EQ(m.desktop.shown()[1].text, QStringLiteral("Ordner: ") + path +
                                                 QStringLiteral("/\" existiert nicht!  Das Programm wird beendet."));
        EXPECT_EQ(m.desktop.terminatedWith(), 1);
        EXPECT_TRUE(form->startupAborted());
        // Start-up stops there: later settings are not read.
        EXPECT_EQ(state.curveColor, 0u);
        EXPECT_EQ(Sandbox::readBytes(path), QByteArray("eine Datei, kein Ordner"));
    }
}

TEST(MainFormStartup, BadCurveColourIsReportedAndStartGoesOn)
{
    Machine m;
    m.runOnceIn(QStringLiteral("home"));
    m.config.Schreib_String_in_Registry(QStringLiteral("KurvenFarbe"), QStringLiteral("blau"));
    m.config.Schreib_String_in_Registry(QStringLiteral("Grafik4"), QStringLiteral("eigene/Vorlage.bmp"));

    AppState state;
    auto form = m.start(QStringLiteral("home"), state);
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    EXPECT_EQ(m.desktop.shown()[0].kind, MessageKind::Error);
    EXPECT_TRUE(m.desktop.shown()[0].text.contains(QStringLiteral("\"KurvenFarbe\"")));
    EXPECT_TRUE(m.desktop.shown()[0].text.contains(QStringLiteral("\"blau\"")));
    EXPECT_EQ(state.curveColor, 0u);
    // A configured template that is missing gives way to the installed one.
    EXPECT_EQ(state.templatePictureFile, m.resources() + QStringLiteral("Vorlag4M.bmp"));
    EXPECT_EQ(state.headerPictureFile, m.resources() + QStringLiteral("Header.bmp"));
}

TEST(MainFormStartup, ClosingWritesTheCurrentDiaryEvenWhenNoneWasDrawn)
{
    Machine m;
    m.runOnceIn(QStringLiteral("home"));
    m.config.Schreib_String_in_Registry(QStringLiteral("TabellenDateiName"), QStringLiteral("/alt/Anna_03_2024.tab"));

    AppState state;
    auto form = m.start(QStringLiteral("home"), state);
    form->close();
    EXPECT_TRUE(m.config.exists());
    EXPECT_EQ(m.config.Lies_String_aus_Registry(QStringLiteral("TabellenDateiName")), QString());

    AppState again;
    auto second = m.start(QStringLiteral("home"), again);
    again.currentDiaryFile =
        m.folder(QStringLiteral("home")) + QStringLiteral("Luftikon-Daten-Galerie/2024/Anna_04_2024.tab");
    second->Beenden1Click();
    EXPECT_EQ(m.config.Lies_String_aus_Registry(QStringLiteral("TabellenDateiName")), again.currentDiaryFile);
}

TEST(MainFormStartup, DeletingTheSettingsAsksThenStartsOverElsewhere)
{
    Machine m;
    AppState state;
    auto form = m.start(QStringLiteral("alt"), state);
    state.currentDiaryFile = QStringLiteral("/alt/x.tab");
    const QString question = QStringLiteral("Möchten Sie die Registry-Einträge löschen? ") + LFCR +
                             QStringLiteral("Wenn JA, dann wird danach das Programm beendet und ") + LFCR +
                             QStringLiteral("Sie müssen es noch mal starten, dann Ihren Namen eingeben.");

    m.desktop.answer(false);
    form->RegistryEintraegeloeschen1Click();
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    EXPECT_EQ(m.desktop.shown()[0].text, question);
    EXPECT_EQ(m.desktop.shown()[0].caption, QStringLiteral("Bestätigung"));
    EXPECT_TRUE(m.config.exists());
    // No close happened, so the diary name was not written.
    EXPECT_EQ(m.config.Lies_String_aus_Registry(QStringLiteral("TabellenDateiName")), QString());

    form->show();
    m.desktop.answer(true);
    form->RegistryEintraegeloeschen1->trigger();
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(m.config.exists());
    EXPECT_FALSE(QFileInfo::exists(m.box.configFile()));
    // The diaries stay.
    EXPECT_TRUE(QFileInfo(m.box.file(QStringLiteral("alt/Luftikon-Daten-Galerie"))).isDir());

    m.desktop.clearShown();
    AppState fresh;
    auto next = m.start(QStringLiteral("neu"), fresh);
    EXPECT_TRUE(m.desktop.shown().empty()) << m.desktop.shownTexts().join(u'|').toStdString();
    EXPECT_EQ(m.config.Lies_String_aus_Registry(QStringLiteral("InstallOrt")), m.folder(QStringLiteral("neu")));
    EXPECT_EQ(fresh.galleryFolder, m.folder(QStringLiteral("neu")) + QStringLiteral("Luftikon-Daten-Galerie/"));
}

TEST(MainFormStartup, UnwritableSettingsFolderStillStartsInTheWorkingFolder)
{
    Machine m;
    Sandbox::writeBytes(m.box.file(QStringLiteral("config/Quendel")), "kein Ordner");
    AppState state;
    auto form = m.start(QStringLiteral("home"), state);
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    EXPECT_EQ(m.desktop.shown()[0].kind, MessageKind::Error);
    EXPECT_FALSE(m.desktop.terminatedWith());
    // With no data folder the folders are made relative to the working folder.
    EXPECT_EQ(state.dataFolder, QString());
    EXPECT_TRUE(QFileInfo(m.box.file(QStringLiteral("home/Luftikon-Daten-Galerie"))).isDir());
    EXPECT_TRUE(QFileInfo(m.box.file(QStringLiteral("home/Luftikon-Daten im Browser"))).isDir());
}
