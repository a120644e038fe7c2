// One archive of a data folder: a round trip to a fresh computer keeps every byte, a differing
// diary needs a yes, and a damaged or hostile archive writes nothing.
#include "archive/datafolderarchive.h"
#include "archive/libarchive.h"
#include "archive/ui/archivecommands.h"
#include "files/versions.h"
#include "support/diarylines.h"
#include "support/sandbox.h"
#include "support/scripteddesktop.h"

#include <QDirIterator>
#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::Answer;
using luftikon::test::Sandbox;

namespace {

// A data folder of its own computer: settings, gallery, reports.
struct Computer {
    AppState state;
    ConfigStore store;
    explicit Computer(const QString& root) : store(root + "/config/Luftikon.conf")
    {
        state.dataFolder = root + "/";
        state.galleryFolder = state.dataFolder + "Luftikon-Daten-Galerie/";
        store.writeFirstRunDefaults(state.dataFolder, state.dataFolder);
    }
    QString gallery(const QString& relative) const { return state.galleryFolder + relative; }
    // Every file under the data folder but the settings, by relative path.
    QMap<QString, QByteArray> files() const
    {
        QMap<QString, QByteArray> all;
        QDirIterator it(state.dataFolder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (!path.contains("/config/"))
                all.insert(path.mid(state.dataFolder.size()), Sandbox::readBytes(path));
        }
        return all;
    }
};

QByteArray diary(const QString& user, int readings)
{
    QStringList lines = test::diaryHead(user, QStringLiteral("März 2024"));
    for (int day = 1; day <= readings; ++day)
        lines << test::reading("Abends", day, 300 + day);
    return *encodeCp1252(lines.join("\r\n") + "\r\n");
}

// An archive written by hand, member by member; a member with `link` set is a symbolic link.
struct Member {
    QString path;
    QByteArray bytes;
    QString link;
};
QByteArray rawTar(const QList<Member>& members)
{
    QByteArray out;
    archive* writer = archive_write_new();
    archive_write_set_format_pax_restricted(writer);
    archive_write_open(
        writer, &out, nullptr,
        [](archive*, void* o, const void* b, size_t n) -> la_ssize_t {
            static_cast<QByteArray*>(o)->append(static_cast<const char*>(b), qsizetype(n));
            return la_ssize_t(n);
        },
        nullptr);
    for (const Member& member : members) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, member.path.toUtf8().constData());
        archive_entry_set_filetype(entry, member.link.isEmpty() ? AE_IFREG : AE_IFLNK);
        if (!member.link.isEmpty())
            archive_entry_set_symlink(entry, member.link.toUtf8().constData());
        archive_entry_set_perm(entry, 0644);
        archive_entry_set_size(entry, member.link.isEmpty() ? member.bytes.size() : 0);
        archive_write_header(writer, entry);
        if (member.link.isEmpty())
            archive_write_data(writer, member.bytes.constData(), size_t(member.bytes.size()));
        archive_entry_free(entry);
    }
    archive_write_close(writer);
    archive_write_free(writer);
    return out;
}

Member manifestOf(const QList<ArchivedFile>& files)
{
    return {ManifestName, composeManifest(files), {}};
}

} // namespace

TEST(Archive, ADataFolderComesBackOnAFreshComputerWithEveryByteAndOnlyTheUsersOwnSettings)
{
    for (const char* ending : {".zip", ".tar.gz"}) {
        SCOPED_TRACE(ending);
        Sandbox box;
        Computer old(box.file("alt"));
        Sandbox::writeBytes(old.gallery("2023/Jürgen_12_2023.tab"), diary("Jürgen", 31));
        Sandbox::writeBytes(old.gallery("2024/Jürgen_3_2024.tab"), diary("Jürgen", 5));
        Sandbox::writeBytes(old.gallery("2024/Jürgen_3_2024.txt"), "Pollenflug\r\n");
        Sandbox::writeBytes(old.state.dataFolder + "Luftikon-Berichte/2024/Jürgen_3_2024.pdf", "%PDF-1.4 ...");
        Sandbox::writeBytes(old.gallery("Sicherungen/2024/Jürgen_3_2024.tab.2024-03-01_08-00-00.fassung"), "alt");
        Sandbox::writeBytes(old.gallery("2024/.Jürgen_3_2024.tab.tmp-x"), "halb");
        old.store.setText("BenutzerName", "Jürgen");
        old.store.setText("KurvenFarbe", "255");
        old.store.setText("Messung4UhrzeitMorgens", "07:15");
        old.store.setText("TabellenDateiName", old.gallery("2024/Jürgen_3_2024.tab"));

        test::ScriptedDesktop desktop;
        const QString archive = box.file(QStringLiteral("umzug") + ending);
        desktop.answerFile(archive);
        ASSERT_TRUE(backUpAllDiaries(old.state, old.store, desktop, nullptr));

        Computer fresh(box.file("neu"));
        CurrentMonth month;
        desktop.answerFile(archive);
        ASSERT_TRUE(restoreFromBackup(fresh.state, fresh.store, month, desktop, nullptr));

        QMap<QString, QByteArray> expected = old.files();
        expected.remove("Luftikon-Daten-Galerie/Sicherungen/2024/Jürgen_3_2024.tab.2024-03-01_08-00-00.fassung");
        expected.remove("Luftikon-Daten-Galerie/2024/.Jürgen_3_2024.tab.tmp-x");
        expected.remove(QStringLiteral("umzug") + ending);
        EXPECT_EQ(fresh.files(), expected);
        EXPECT_EQ(fresh.store.text("BenutzerName"), "Jürgen");
        EXPECT_EQ(fresh.store.text("KurvenFarbe"), "255");
        EXPECT_EQ(fresh.store.text("Messung4UhrzeitMorgens"), "07:15");
        EXPECT_EQ(fresh.store.text("DatenSpeicherOrt"), fresh.state.dataFolder);
        EXPECT_EQ(fresh.store.text("Grafik4"), fresh.state.dataFolder + "Vorlag4M.bmp");
        EXPECT_EQ(fresh.store.text("TabellenDateiName"), fresh.gallery("2024/Jürgen_3_2024.tab"));
        EXPECT_EQ(month.path(), fresh.gallery("2024/Jürgen_3_2024.tab"));
        EXPECT_EQ(month.readings().size(), 5);
        // Restored again: all is there already, nothing to ask.
        desktop.answerFile(archive);
        restoreFromBackup(fresh.state, fresh.store, month, desktop, nullptr);
        EXPECT_TRUE(desktop.shownTexts().back().contains("Unverändert, weil gleich: 4."));
        EXPECT_EQ(fresh.files(), expected);
    }
}

TEST(Archive, DifferingDiariesAreListedInOneQuestionAndReplacedOnlyOnYesKeepingAVersion)
{
    Sandbox box;
    Computer old(box.file("alt"));
    Sandbox::writeBytes(old.gallery("2024/Muster_3_2024.tab"), diary("Muster", 9));
    Sandbox::writeBytes(old.gallery("2024/Muster_4_2024.tab"), diary("Muster", 2));
    test::ScriptedDesktop desktop;
    desktop.answerFile(box.file("s.zip"));
    ASSERT_TRUE(backUpAllDiaries(old.state, old.store, desktop, nullptr));

    Computer here(box.file("neu"));
    Sandbox::writeBytes(here.gallery("2024/Muster_3_2024.tab"), diary("Muster", 12));
    CurrentMonth month;
    for (Answer answer : {Answer::No, Answer::Yes}) {
        desktop.answerFile(box.file("s.zip"));
        desktop.answer(answer);
        restoreFromBackup(here.state, here.store, month, desktop, nullptr);
        const auto& shown = desktop.shown();
        const test::ShownMessage& question = shown[shown.size() - 2];
        EXPECT_TRUE(question.presetNo);
        EXPECT_TRUE(question.text.contains(here.gallery("2024/Muster_3_2024.tab")));
        EXPECT_FALSE(question.text.contains("Muster_4_2024"));
    }
    EXPECT_EQ(Sandbox::readBytes(here.gallery("2024/Muster_3_2024.tab")), diary("Muster", 9));
    EXPECT_EQ(Sandbox::readBytes(here.gallery("2024/Muster_4_2024.tab")), diary("Muster", 2));
    const QList<EarlierVersion> versions = versionsOf(here.gallery("2024/Muster_3_2024.tab"));
    ASSERT_EQ(versions.size(), 1);
    EXPECT_EQ(Sandbox::readBytes(versions[0].path), diary("Muster", 12));
}

TEST(Archive, ABackupThatCouldNotBeRestoredIsNotWritten)
{
    Sandbox box;
    Computer old(box.file("alt"));
    Sandbox::writeBytes(old.gallery("2024/Jürgen_3_2024.tab"), diary("Jürgen", 5));
    // A name no restore takes: a backslash would read as a folder on another computer.
    Sandbox::writeBytes(old.state.dataFolder + "Luftikon-Berichte/2024/a\\b.pdf", "%PDF");
    test::ScriptedDesktop desktop;
    const QString archive = box.file(QStringLiteral("umzug.zip"));
    desktop.answerFile(archive);
    EXPECT_FALSE(backUpAllDiaries(old.state, old.store, desktop, nullptr));
    EXPECT_FALSE(QFileInfo::exists(archive));
    ASSERT_EQ(desktop.shown().size(), 1u);
    EXPECT_EQ(desktop.shown().front().kind, MessageKind::Error);
    EXPECT_TRUE(desktop.shownTexts().front().contains("a\\b.pdf")) << desktop.shownTexts().front().toStdString();
}

TEST(Archive, ADamagedForeignOrClimbingArchiveIsRefusedWholeAndWritesNothing)
{
    const QList<ArchivedFile> good{{"Tagebuecher/2024/a.tab", "eins", QDateTime::fromSecsSinceEpoch(1e9, Qt::UTC)}};
    // Damage must reach a member's bytes: those that do not matter are not checked.
    QByteArray noise;
    for (quint32 i = 1; noise.size() < 8000; i = i * 1103515245u + 12345u)
        noise += char(i >> 24);
    const QList<ArchivedFile> large{{"Tagebuecher/2024/b.tab", noise, good[0].modified}};
    const QList<ArchivedFile> climbing{{"Tagebuecher/../../a.tab", "x", good[0].modified}};
    const QList<ArchivedFile> absolute{{"/etc/a.tab", "x", good[0].modified}};
    QByteArray flipped = *composeArchive(large, ArchiveFormat::TarGz, nullptr);
    flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 0x55);
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"not an archive", "PK\x03\x04 kaputt"},
        {"flipped byte", flipped},
        {"cut short", composeArchive(large, ArchiveFormat::Zip, nullptr)->chopped(4000)},
        {"no manifest", rawTar({{"Tagebuecher/2024/a.tab", "eins", {}}})},
        {"other bytes than listed", rawTar({manifestOf(good), {"Tagebuecher/2024/a.tab", "zwei", {}}})},
        {"a member not listed", rawTar({manifestOf(good), {good[0].path, "eins", {}}, {"b.tab", "x", {}}})},
        {"climbing path", rawTar({manifestOf(climbing), {climbing[0].path, "x", {}}})},
        {"absolute path", rawTar({manifestOf(absolute), {absolute[0].path, "x", {}}})},
        {"link", rawTar({manifestOf(good), {"Tagebuecher/2024/a.tab", {}, "/etc/passwd"}})},
        {"foreign member", *composeArchive({{"Fremd/a.tab", "x", good[0].modified}}, ArchiveFormat::Zip, nullptr)},
    };
    Sandbox box;
    Computer here(box.file("neu"));
    const QMap<QString, QByteArray> before = here.files();
    const QByteArray settings = Sandbox::readBytes(here.store.path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Sandbox::writeBytes(box.file("s.tar.gz"), c.bytes);
        test::ScriptedDesktop desktop;
        desktop.answerFile(box.file("s.tar.gz"));
        CurrentMonth month;
        EXPECT_FALSE(restoreFromBackup(here.state, here.store, month, desktop, nullptr));
        ASSERT_EQ(desktop.shown().size(), 1u);
        EXPECT_EQ(desktop.shown()[0].kind, MessageKind::Warning);
        EXPECT_TRUE(desktop.shown()[0].text.contains("nichts wiederhergestellt"))
            << desktop.shown()[0].text.toStdString();
        EXPECT_EQ(here.files(), before);
        EXPECT_EQ(Sandbox::readBytes(here.store.path()), settings);
    }
    EXPECT_TRUE(readArchive(*composeArchive(good, ArchiveFormat::TarGz, nullptr)).ok);
}

TEST(Archive, ALibraryThatIsMissingOrNotLibarchiveIsNamedAndNotUsed)
{
    QString error;
    EXPECT_FALSE(loadLibArchive(QStringLiteral("libkeinarchiv.so.99"), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Für Sicherungen wird die Programmbibliothek \"libkeinarchiv.so.99\"")))
        << error.toStdString();
    EXPECT_FALSE(loadLibArchive(QStringLiteral("libz.so.1"), &error));
    EXPECT_TRUE(error.endsWith(QStringLiteral("Ihr fehlt die Funktion archive_error_string."))) << error.toStdString();
    const std::optional<LibArchive> system = loadLibArchive(QStringLiteral("libarchive.so.13"), &error);
    ASSERT_TRUE(system);
    EXPECT_EQ(system->archive_read_new, &::archive_read_new);
}
