#include "config/configstore.h"
#include "support/sandbox.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::Sandbox;

namespace {

struct Notice {
    MessageKind kind;
    QString text;
};

// A store on the sandbox's settings file that records what it reports.
struct StoreFixture {
    Sandbox box;
    std::vector<Notice> notices;
    ConfigStore store{box.configFile(), [this](MessageKind kind, const QString& text) {
                          notices.push_back({kind, text});
                      }};

    void install(const QString& start = QStringLiteral("/daten/"), const QString& res = QStringLiteral("/res/"))
    {
        ASSERT_TRUE(store.Wenn_Noch_Nicht_Installiert_SchreibRegistryEintraege(start, res));
    }
    QString fileText() const { return QString::fromUtf8(Sandbox::readBytes(box.configFile())); }
};

} // namespace

TEST(ConfigStore, FreshMachineReadsEmptyAndSkipsWrites)
{
    StoreFixture f;
    EXPECT_TRUE(f.store.Lies_String_aus_Registry(QStringLiteral("BenutzerName")).isEmpty());
    EXPECT_TRUE(f.store.Lies_Integer_aus_Registry(QStringLiteral("LinieBeiNullUnterbrechen")).isEmpty());

    f.store.Schreib_String_in_Registry(QStringLiteral("TabellenDateiName"), QStringLiteral("/x.tab"));
    f.store.Schreib_Integer_in_Registry(QStringLiteral("LinieBeiNullUnterbrechen"), QStringLiteral("0"));
    EXPECT_FALSE(QFileInfo::exists(f.box.configFile()));
    EXPECT_FALSE(f.store.exists());
    EXPECT_TRUE(f.notices.empty());
}

TEST(ConfigStore, FirstRunWritesTheDefaults)
{
    StoreFixture f;
    f.install(QStringLiteral("/home/anna/"), QStringLiteral("/opt/luftikon/share/luftikon/"));
    const QString text = f.fileText();

    EXPECT_TRUE(text.startsWith(QStringLiteral("[Text]\n"))) << text.toStdString();
    EXPECT_TRUE(
        text.endsWith(QStringLiteral("\n\n[Integer]\nLinieBeiNullUnterbrechen=1\nWerteOberhalbKurveAnzeigen=1\n")))
        << text.toStdString();

    const std::map<QString, QString> expected = {
        {"InstallOrt", "/home/anna/"},
        {"DatenSpeicherOrt", "/home/anna/"},
        {"GalerieVerzeichnisName", "Luftikon-Daten-Galerie"},
        {"HtmlVerzeichnisName", "Luftikon-Daten im Browser"},
        {"BenutzerName", ""},
        {"TabellenDateiName", ""},
        {"Header", "/opt/luftikon/share/luftikon/Header.bmp"},
        {"Grafik4", "/opt/luftikon/share/luftikon/Vorlag4M.bmp"},
        {"Grafik8", "/opt/luftikon/share/luftikon/Vorlag8M.bmp"},
        {"Grafikformat", "DINA4"},
        {"Messung4UhrzeitMorgens", "08:00"},
        {"Messung4UhrzeitAbends", "20:00"},
        {"Messung8UhrzeitMorgens", "06:00"},
        {"Messung8UhrzeitMessung7", "18:00"},
        {"StiftBreite", "2"},
        {"HintergrundFarbIntensitaet", "8"},
        {"StecknadelAnzeigen", "1"},
        {"KurvenFarbe", "10485760"},
        {"DatenwerteOberhalbFarbe", "128"},
    };
    for (const auto& [name, value] : expected)
        EXPECT_EQ(f.store.Lies_String_aus_Registry(name), value) << name.toStdString();
    EXPECT_TRUE(f.notices.empty());
}

TEST(ConfigStore, AwkwardTextsComeBackUnchanged)
{
    const QStringList texts = {
        QStringLiteral("/home/a, b; c=d #e/"),
        QStringLiteral(" führend und folgend "),
        QStringLiteral("@Variant(kein)"),
        QStringLiteral("\"zitiert\" \\rück\\"),
        QStringLiteral("Zeile\nzwei\r\tTab"),
        QString::fromUtf8("Steuer\x01"
                          "1a\x1f"
                          "F\x7f"
                          "0 Ende"),
        QStringLiteral("Jürgen Çelik 漢字 😀"),
        QStringLiteral("[Text]"),
        QString(),
    };
    int round = 0;
    for (const QString& text : texts) {
        // A fresh file each time: the first-run writer and the value writer quote differently.
        Sandbox box;
        ConfigStore store(box.configFile(),
                          [](MessageKind, const QString& message) { ADD_FAILURE() << message.toStdString(); });
        ASSERT_TRUE(store.Wenn_Noch_Nicht_Installiert_SchreibRegistryEintraege(text, QStringLiteral("/r/")));
        EXPECT_EQ(store.Lies_String_aus_Registry(QStringLiteral("InstallOrt")), text) << round;
        store.Schreib_String_in_Registry(QStringLiteral("BenutzerName"), text);
        EXPECT_EQ(store.Lies_String_aus_Registry(QStringLiteral("BenutzerName")), text) << round;
        EXPECT_EQ(store.Lies_String_aus_Registry(QStringLiteral("DatenSpeicherOrt")), text) << round;
        ++round;
    }
}

TEST(ConfigStore, QuickWritesOfEqualLengthAreAllReadBack)
{
    // Colour steps of the settings dialog come in fast and leave the file the same length each time;
    // every one must be read back, however close together they land.
    StoreFixture f;
    f.install();
    for (int step = 0; step < 200; ++step) {
        const QString colour = QString::number(10485000 + step);
        f.store.Schreib_String_in_Registry(QStringLiteral("KurvenFarbe"), colour);
        ASSERT_EQ(f.store.Lies_String_aus_Registry(QStringLiteral("KurvenFarbe")), colour) << step;
    }
    EXPECT_TRUE(f.notices.empty());
}

TEST(ConfigStore, IntegersLiveInTheirOwnGroupAndWrongTypeReadsAreReported)
{
    StoreFixture f;
    f.install();
    f.store.Schreib_Integer_in_Registry(QStringLiteral("LinieBeiNullUnterbrechen"), QStringLiteral("0"));
    f.store.Schreib_Integer_in_Registry(QStringLiteral("Neu"), QStringLiteral(" -2147483648 "));
    EXPECT_EQ(f.store.Lies_Integer_aus_Registry(QStringLiteral("LinieBeiNullUnterbrechen")), QStringLiteral("0"));
    EXPECT_EQ(f.store.Lies_Integer_aus_Registry(QStringLiteral("Neu")), QStringLiteral("-2147483648"));
    const QString integers = f.fileText().section(QStringLiteral("[Integer]\n"), 1);
    EXPECT_TRUE(integers.startsWith(QStringLiteral("LinieBeiNullUnterbrechen=0\n")) &&
                integers.contains(QStringLiteral("\nNeu=-2147483648\n")))
        << f.fileText().toStdString();
    EXPECT_TRUE(f.notices.empty());

    QString result = QStringLiteral("alt");
    result = f.store.Lies_String_aus_Registry(QStringLiteral("LinieBeiNullUnterbrechen"));
    EXPECT_TRUE(result.isEmpty());
    ASSERT_EQ(f.notices.size(), 1u);
    EXPECT_EQ(f.notices[0].kind, MessageKind::Error);
    EXPECT_TRUE(f.notices[0].text.contains(QStringLiteral("\"LinieBeiNullUnterbrechen\"")))
        << f.notices[0].text.toStdString();

    EXPECT_TRUE(f.store.Lies_Integer_aus_Registry(QStringLiteral("KurvenFarbe")).isEmpty());
    ASSERT_EQ(f.notices.size(), 2u);
    EXPECT_TRUE(f.notices[1].text.contains(QStringLiteral("\"KurvenFarbe\"")));

    // Writing a value as text replaces the number, as a value has one type.
    f.store.Schreib_String_in_Registry(QStringLiteral("Neu"), QStringLiteral("sieben"));
    EXPECT_EQ(f.store.Lies_String_aus_Registry(QStringLiteral("Neu")), QStringLiteral("sieben"));
    EXPECT_EQ(f.notices.size(), 2u);
    EXPECT_TRUE(f.store.Lies_Integer_aus_Registry(QStringLiteral("Neu")).isEmpty());
    EXPECT_EQ(f.notices.size(), 3u);
}

TEST(ConfigStore, IntegerWriteOfNonNumberIsReportedAndWritesNothing)
{
    StoreFixture f;
    f.install();
    for (const QString& bad : {QStringLiteral("abc"), QStringLiteral("2147483648"), QStringLiteral("1.5"), QString()}) {
        f.notices.clear();
        f.store.Schreib_Integer_in_Registry(QStringLiteral("LinieBeiNullUnterbrechen"), bad);
        ASSERT_EQ(f.notices.size(), 1u) << bad.toStdString();
        EXPECT_EQ(f.notices[0].kind, MessageKind::Error);
        EXPECT_TRUE(f.notices[0].text.contains(QStringLiteral("\"LinieBeiNullUnterbrechen\"")));
        EXPECT_EQ(f.store.Lies_Integer_aus_Registry(QStringLiteral("LinieBeiNullUnterbrechen")), QStringLiteral("1"));
    }
}

TEST(ConfigStore, HandEditedIntegerThatIsNoNumberReadsEmptyWithReport)
{
    StoreFixture f;
    Sandbox::writeBytes(f.box.configFile(),
                        "[Integer]\nLinieBeiNullUnterbrechen=ja\nWerteOberhalbKurveAnzeigen=99999999999\n");
    EXPECT_TRUE(f.store.Lies_Integer_aus_Registry(QStringLiteral("LinieBeiNullUnterbrechen")).isEmpty());
    EXPECT_TRUE(f.store.Lies_Integer_aus_Registry(QStringLiteral("WerteOberhalbKurveAnzeigen")).isEmpty());
    ASSERT_EQ(f.notices.size(), 2u);
    EXPECT_TRUE(f.notices[0].text.contains(QStringLiteral("\"ja\"")));
}

TEST(ConfigStore, DeletionMakesTheNextStartAFirstRun)
{
    StoreFixture f;
    f.install();
    EXPECT_TRUE(f.store.deleteAll());
    EXPECT_FALSE(QFileInfo::exists(f.box.configFile()));
    // Its folder stays, as only the program's own settings go.
    EXPECT_TRUE(QFileInfo(f.box.configFile()).absoluteDir().exists());
    f.store.Schreib_String_in_Registry(QStringLiteral("TabellenDateiName"), QStringLiteral("/a.tab"));
    EXPECT_FALSE(QFileInfo::exists(f.box.configFile()));
    EXPECT_TRUE(f.store.Lies_String_aus_Registry(QStringLiteral("InstallOrt")).isEmpty());
    EXPECT_TRUE(f.store.deleteAll());

    f.install(QStringLiteral("/neu/"));
    EXPECT_EQ(f.store.Lies_String_aus_Registry(QStringLiteral("DatenSpeicherOrt")), QStringLiteral("/neu/"));
    EXPECT_TRUE(f.notices.empty());
}

TEST(ConfigStore, FirstRunThatCannotCreateTheFileIsReported)
{
    StoreFixture f;
    // A plain file where the settings folder belongs.
    Sandbox::writeBytes(f.box.file("config/Quendel"), "kein Ordner");
    EXPECT_FALSE(
        f.store.Wenn_Noch_Nicht_Installiert_SchreibRegistryEintraege(QStringLiteral("/a/"), QStringLiteral("/r/")));
    ASSERT_EQ(f.notices.size(), 1u);
    EXPECT_EQ(f.notices[0].kind, MessageKind::Error);
    EXPECT_TRUE(f.notices[0].text.contains(f.box.configFile()));
    EXPECT_TRUE(f.store.Lies_String_aus_Registry(QStringLiteral("InstallOrt")).isEmpty());
}

TEST(ConfigStore, DefaultPathFollowsXdgConfigHome)
{
    Sandbox box; // points XDG_CONFIG_HOME into the sandbox
    EXPECT_EQ(ConfigStore::defaultPath(), box.configFile());
    qputenv("XDG_CONFIG_HOME", "relativ");
    EXPECT_EQ(ConfigStore::defaultPath(), QDir::homePath() + QStringLiteral("/.config/Quendel/Luftikon.conf"));
}

TEST(ConfigStore, GarbageFilesNeverCrashTheReader)
{
    StoreFixture f;
    QRandomGenerator random(20240315);
    QList<QByteArray> files = {
        "[Text]\nInstallOrt=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\xffgarbage)\n",
        "[Text]\nInstallOrt=@ByteArray(abc)\nHeader=@Rect(1 2 3 4)\nGrafik4=a,b, c\n",
        "[Text\nInstallOrt=\"unclosed\n[[[\n=\n\\\\\\x",
        QByteArray("\0\0\xff\xfe[Integer]\nKurvenFarbe=\"\\x", 30),
    };
    for (int i = 0; i < 200; ++i) {
        QByteArray bytes(int(random.bounded(400)), Qt::Uninitialized);
        for (char& c : bytes)
            c = char("[]=\n\r\"\\,;@#xText Integer 019aZ\xc3\xa4"[random.bounded(33)]);
        files << bytes;
    }
    const QStringList names = ConfigStore::valueNames();
    for (const QByteArray& bytes : files) {
        QFile::remove(f.box.configFile());
        Sandbox::writeBytes(f.box.configFile(), bytes);
        for (const QString& name : names) {
            (void)f.store.Lies_String_aus_Registry(name);
            (void)f.store.Lies_Integer_aus_Registry(name);
        }
    }
    // Every report names the file, so the user can find what is wrong.
    for (const Notice& notice : f.notices) {
        EXPECT_EQ(notice.kind, MessageKind::Error);
        EXPECT_TRUE(notice.text.contains(f.box.configFile())) << notice.text.toStdString();
    }

    // A damaged file still takes new values; what could not be read of it is dropped.
    f.notices.clear();
    Sandbox::writeBytes(f.box.configFile(),
                        "[Text\nInstallOrt=\"offen\n[[[\n=\n\\\\\\x[Integer]\nTabellenDateiName=3\n");
    f.store.Schreib_String_in_Registry(QStringLiteral("TabellenDateiName"), QStringLiteral("/nach/Müll.tab"));
    f.store.Schreib_Integer_in_Registry(QStringLiteral("LinieBeiNullUnterbrechen"), QStringLiteral("0"));
    EXPECT_EQ(f.store.Lies_String_aus_Registry(QStringLiteral("TabellenDateiName")), QStringLiteral("/nach/Müll.tab"));
    EXPECT_EQ(f.store.Lies_Integer_aus_Registry(QStringLiteral("LinieBeiNullUnterbrechen")), QStringLiteral("0"));
    EXPECT_TRUE(f.notices.empty()) << f.notices.front().text.toStdString();
}
