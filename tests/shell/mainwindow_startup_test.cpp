// Start-up: where the data live, the folders made, the settings read, and deleting the settings.
#include "archive/archivefile.h"
#include "archive/libarchive.h"
#include "platform/qtdesktop.h"
#include "support/appfixture.h"
#include "support/children.h"
#include "support/diarylines.h"
#include "table/tablewindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::installedResources;
using luftikon::test::Sandbox;

namespace {

// The fixture's own first start is forgotten, so that each test picks the folders it starts in.
struct Starts : test::AppFixture {
    Starts()
    {
        form.reset();
        config.deleteAll();
    }
    QString folder(const QString& relative) const { return box.file(relative) + u'/'; }

    // Starts the program in `relative` (made when missing).
    std::unique_ptr<MainWindow> start(const QString& relative, AppState& into)
    {
        QDir(box.path()).mkpath(relative);
        QDir::setCurrent(box.file(relative));
        into.resourceFolder = installedResources;
        return std::make_unique<MainWindow>(into, desktop, config);
    }
    void runOnceIn(const QString& relative)
    {
        AppState once;
        start(relative, once)->close();
    }
};

const QString LFCR = QStringLiteral("\n\r");

} // namespace

TEST(MainFormStartup, FirstStartRemembersTheFolderAndALaterStartElsewhereTellsWhereTheDataAre)
{
    Starts m;
    AppState state;
    auto form = m.start(QStringLiteral("home"), state);
    const QString home = m.folder(QStringLiteral("home"));

    EXPECT_TRUE(m.desktop.shown().empty()) << m.desktop.shownTexts().join(u'|').toStdString();
    EXPECT_EQ(m.config.text(QStringLiteral("InstallOrt")), home);
    EXPECT_EQ(m.config.text(QStringLiteral("DatenSpeicherOrt")), home);
    EXPECT_EQ(state.galleryFolder, home + QStringLiteral("Luftikon-Daten-Galerie/"));
    EXPECT_EQ(state.htmlFolder, home + QStringLiteral("Luftikon-Daten im Browser/"));
    EXPECT_TRUE(QFileInfo(state.galleryFolder).isDir());
    EXPECT_TRUE(QFileInfo(state.htmlFolder).isDir());
    EXPECT_FALSE(form->startupAborted());
    form->close();

    // A start from another folder tells where the data are.
    AppState again;
    auto second = m.start(QStringLiteral("anders"), again);
    ASSERT_EQ(m.desktop.shown().size(), 2u);
    EXPECT_EQ(m.desktop.shown()[0].kind, MessageKind::Information);
    EXPECT_EQ(m.desktop.shown()[0].text,
              QStringLiteral("\"Luftikon\" haben Sie schon mal an einem anderen Speicherort benutzt:") + LFCR + u'"' +
                  home + u'"' + LFCR + LFCR + QStringLiteral("Ihre Daten finden Sie weiterhin im Ordner:") + LFCR +
                  u'"' + home + QStringLiteral("Luftikon-Daten-Galerie/\""));
    EXPECT_TRUE(m.desktop.shown()[1].text.contains(QStringLiteral("\"Optionen|Einstellungen löschen\"")));

    // The data stay where they were; nothing is made in the new folder.
    EXPECT_EQ(again.galleryFolder, state.galleryFolder);
    EXPECT_FALSE(QFileInfo::exists(m.box.file(QStringLiteral("anders/Luftikon-Daten-Galerie"))));
    EXPECT_EQ(m.config.text(QStringLiteral("InstallOrt")), home);

    // Below the first folder, in any case of its name, is no other place.
    m.desktop.clearShown();
    m.runOnceIn(QStringLiteral("home/unten/tiefer"));
    m.runOnceIn(QStringLiteral("HOME/x"));
    EXPECT_TRUE(m.desktop.shown().empty()) << m.desktop.shownTexts().join(u'|').toStdString();
}

TEST(MainFormStartup, SettingsOfAnEarlierRunAreTakenOrReported)
{
    Starts m;
    m.runOnceIn(QStringLiteral("home"));
    m.config.setText(QStringLiteral("GalerieVerzeichnisName"), QStringLiteral("Meine Tabellen"));
    m.config.setText(QStringLiteral("HtmlVerzeichnisName"), QStringLiteral("Web/Seiten/"));
    m.config.setText(QStringLiteral("DatenSpeicherOrt"), m.box.file(QStringLiteral("ablage")));
    m.config.setText(QStringLiteral("KurvenFarbe"), QStringLiteral("blau"));
    m.config.setText(QStringLiteral("Grafik4"), QStringLiteral("eigene/Vorlage.bmp"));

    AppState state;
    auto form = m.start(QStringLiteral("home"), state);
    const QString data = m.folder(QStringLiteral("ablage"));
    EXPECT_EQ(state.galleryFolder, data + QStringLiteral("Meine Tabellen/"));
    EXPECT_EQ(state.htmlFolder, data + QStringLiteral("Web/Seiten/"));
    EXPECT_TRUE(QFileInfo(state.galleryFolder).isDir());
    EXPECT_TRUE(QFileInfo(state.htmlFolder).isDir());
    // A bad curve colour is reported and the start goes on.
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    EXPECT_EQ(m.desktop.shown()[0].kind, MessageKind::Error);
    EXPECT_TRUE(m.desktop.shown()[0].text.contains(QStringLiteral("\"KurvenFarbe\"")));
    EXPECT_TRUE(m.desktop.shown()[0].text.contains(QStringLiteral("\"blau\"")));
    // A configured template that is missing gives way to the installed one.
    EXPECT_EQ(state.templatePictureFile, installedResources + QStringLiteral("Vorlag4M.bmp"));
}

TEST(MainFormStartup, AnEmptyFolderSettingGetsTheStartFolderAndNothingElseIsRewritten)
{
    const QStringList emptied{QStringLiteral("InstallOrt"), QStringLiteral("DatenSpeicherOrt")};
    Starts m;
    const QString home = m.folder(QStringLiteral("home"));
    // A user's own settings with the folders emptied by hand; the user name and a value of
    // the user's own must stay as they are.
    QList<ConfigDefault> stored;
    for (ConfigDefault value : ConfigStore::firstRunDefaults(home, installedResources)) {
        if (value.name == QLatin1String("BenutzerName"))
            value.value = QStringLiteral("Erika Muster");
        if (emptied.contains(value.name))
            value.value.clear();
        stored << value;
    }
    stored << ConfigDefault{QStringLiteral("Eigenes"), QStringLiteral("bleibt")};
    Sandbox::writeBytes(m.box.configFile(), ConfigStore::composeFile(stored));

    AppState state;
    auto form = m.start(QStringLiteral("home"), state);
    EXPECT_TRUE(m.desktop.shown().empty()) << m.desktop.shownTexts().join(u'|').toStdString();
    EXPECT_EQ(state.galleryFolder, home + QStringLiteral("Luftikon-Daten-Galerie/"));
    EXPECT_TRUE(QFileInfo(state.galleryFolder).isDir());

    for (ConfigDefault& value : stored)
        if (emptied.contains(value.name))
            value.value = home;
    EXPECT_EQ(m.bytes(m.box.configFile()).toStdString(), ConfigStore::composeFile(stored).toStdString());
}

TEST(MainFormStartup, FolderThatCannotBeMadeEndsTheProgram)
{
    for (const QString& blocked :
         {QStringLiteral("Luftikon-Daten-Galerie"), QStringLiteral("Luftikon-Daten im Browser")}) {
        Starts m;
        m.runOnceIn(QStringLiteral("home"));
        const QString path = m.box.file(QStringLiteral("home/") + blocked);
        ASSERT_TRUE(QDir(path).removeRecursively());
        Sandbox::writeBytes(path, "eine Datei, kein Ordner");

        AppState state;
        auto form = m.start(QStringLiteral("home"), state);
        ASSERT_EQ(m.desktop.shown().size(), 2u) << m.desktop.shownTexts().join(u'|').toStdString();
        EXPECT_EQ(m.desktop.shown()[0].text,
                  QStringLiteral("Ordner \"") + blocked + QStringLiteral("/\" konnte nicht erstellt werden! "));
        EXPECT_EQ(m.desktop.shown()[1].text, QStringLiteral("Ordner: ") + path +
                                                 QStringLiteral("/\" existiert nicht!  Das Programm wird beendet."));
        EXPECT_EQ(m.desktop.terminatedWith(), 1);
        EXPECT_TRUE(form->startupAborted());
        EXPECT_EQ(m.bytes(path), QByteArray("eine Datei, kein Ordner"));
    }
}

TEST(MainFormStartup, ClosingWritesTheCurrentDiaryEvenWhenNoneWasDrawn)
{
    Starts m;
    m.runOnceIn(QStringLiteral("home"));
    m.config.setText(QStringLiteral("TabellenDateiName"), QStringLiteral("/alt/Anna_03_2024.tab"));

    AppState state;
    m.start(QStringLiteral("home"), state)->close();
    EXPECT_EQ(m.config.text(QStringLiteral("TabellenDateiName")), QString());

    AppState again;
    auto second = m.start(QStringLiteral("home"), again);
    const QString april =
        m.folder(QStringLiteral("home")) + QStringLiteral("Luftikon-Daten-Galerie/2024/Anna_04_2024.tab");
    second->month().open(april);
    second->quit();
    EXPECT_EQ(m.config.text(QStringLiteral("TabellenDateiName")), april);
}

TEST(MainFormStartup, DeletingTheSettingsKeepsTheDiariesAndStartsOverElsewhere)
{
    Starts m;
    AppState state;
    auto form = m.start(QStringLiteral("alt"), state);
    form->month().open(QStringLiteral("/alt/x.tab")); // the close must not write it back
    form->show();
    m.desktop.answer(true);
    child<QAction>(form, "deleteSettingsAction")->trigger();
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(QFileInfo::exists(m.box.configFile()));
    // The diaries stay.
    EXPECT_TRUE(QFileInfo(m.box.file(QStringLiteral("alt/Luftikon-Daten-Galerie"))).isDir());

    m.desktop.clearShown();
    AppState fresh;
    auto next = m.start(QStringLiteral("neu"), fresh);
    EXPECT_TRUE(m.desktop.shown().empty()) << m.desktop.shownTexts().join(u'|').toStdString();
    EXPECT_EQ(fresh.galleryFolder, m.folder(QStringLiteral("neu")) + QStringLiteral("Luftikon-Daten-Galerie/"));
}

TEST(MainFormStartup, UnwritableSettingsFolderStillStartsInTheWorkingFolder)
{
    Starts m;
    ASSERT_TRUE(QDir(m.box.file(QStringLiteral("config/Quendel"))).removeRecursively());
    Sandbox::writeBytes(m.box.file(QStringLiteral("config/Quendel")), "kein Ordner");
    AppState state;
    auto form = m.start(QStringLiteral("home"), state);
    ASSERT_EQ(m.desktop.shown().size(), 1u);
    EXPECT_EQ(m.desktop.shown()[0].kind, MessageKind::Error);
    EXPECT_TRUE(m.desktop.shown()[0].text.contains(m.box.configFile()));
    EXPECT_FALSE(m.desktop.terminatedWith());
    // With no data folder the folders are made relative to the working folder.
    EXPECT_TRUE(QFileInfo(m.box.file(QStringLiteral("home/Luftikon-Daten-Galerie"))).isDir());
    EXPECT_TRUE(QFileInfo(m.box.file(QStringLiteral("home/Luftikon-Daten im Browser"))).isDir());
}

TEST(MainFormStartup, MissingDiaryAtFirstShowIsToldInFrontOfTheMainWindowWhichThenCloses)
{
    // The real desktop: the box it opens while the window is not yet active must still be owned by
    // it, or the box may lie hidden behind the window and block its close button.
    Starts m;
    m.runOnceIn(QStringLiteral("home"));
    m.config.setText(QStringLiteral("BenutzerName"), QStringLiteral("Erika Muster"));
    QtDesktop desktop;
    AppState state;
    QDir::setCurrent(m.box.file(QStringLiteral("home")));
    state.resourceFolder = installedResources;
    MainWindow form(state, desktop, m.config);
    form.show();

    QWidget* owner = nullptr;
    QString told;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        owner = box->parentWidget();
        told = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    form.firstShow();
    EXPECT_EQ(told, QStringLiteral("Kann die Datei nicht finden: "));
    EXPECT_EQ(owner, &form);
    EXPECT_EQ(child<QLabel>(&form, "userNameLabel")->text(), QStringLiteral("von Erika Muster"));
    EXPECT_TRUE(form.close());
}

// What most sessions never use is neither made nor loaded at the start, so it takes no memory
// while the program waits; it comes the moment it is asked for.
TEST(MainFormStartup, RarelyUsedWindowsAndTheArchiveLibraryWaitUntilFirstNeeded)
{
    const auto mapped = [](const char* part) {
        QFile maps(QStringLiteral("/proc/self/maps"));
        return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(part);
    };
    test::AppFixture app;
    const QString march = app.diaryPath(QStringLiteral("Muster"), 3, 2024);
    app.writeLines(march, test::diaryHead(QStringLiteral("Muster"), QStringLiteral("März 2024")) +
                              QStringList{test::reading("Morgens", 5, 420)});
    app.returnTo(QStringLiteral("Muster"), march);
    ASSERT_TRUE(app.desktop.shown().empty()) << app.desktop.shownTexts().join(u'|').toStdString();
    for (const char* name :
         {"tableWindow", "printPreview", "chartSettingsDialog", "evaluationWindow", "userNameDialog", "aboutBox"})
        EXPECT_EQ(app.form->findChild<QObject*>(QLatin1String(name)), nullptr) << name << " was made at the start";
    QObject* table = &app.form->tableWindow();
    EXPECT_EQ(table, app.form->findChild<QObject*>(QStringLiteral("tableWindow")));

    if (libArchiveLoaded())
        GTEST_SKIP() << "an earlier test in this process has made an archive";
    EXPECT_FALSE(mapped("/libarchive.so")) << "libarchive is loaded with the program";
    ASSERT_TRUE(composeArchive({}, ArchiveFormat::Zip, nullptr));
    EXPECT_TRUE(mapped("/libarchive.so"));
}
