#include "config/configstore.h"
#include "config/settings.h"
#include "support/sandbox.h"

#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

using namespace luftikon;
using luftikon::test::Sandbox;

namespace {

// A store on the sandbox's settings file that records what it reports.
struct StoreFixture {
    Sandbox box;
    QStringList notices; // every one an error
    ConfigStore store{box.configFile(), [this](MessageKind kind, const QString& text) {
                          EXPECT_EQ(kind, MessageKind::Error);
                          notices << text;
                      }};

    void install(const QString& start = QStringLiteral("/daten/"), const QString& res = QStringLiteral("/res/"))
    {
        ASSERT_TRUE(store.writeFirstRunDefaults(start, res));
    }
    QString fileText() const { return QString::fromUtf8(Sandbox::readBytes(box.configFile())); }
    QString text(const char* name) { return store.text(QLatin1String(name)); }
    QString integer(const char* name) { return store.integerText(QLatin1String(name)); }
};

} // namespace

TEST(ConfigStore, WithoutAFileReadsAreEmptyWritesWaitForTheFirstRunAndDeletionStartsOver)
{
    StoreFixture f;
    EXPECT_TRUE(f.text("BenutzerName").isEmpty());
    f.store.setText(QStringLiteral("TabellenDateiName"), QStringLiteral("/x.tab"));
    f.store.setInteger(QStringLiteral("LinieBeiNullUnterbrechen"), QStringLiteral("0"));
    EXPECT_FALSE(f.store.exists());

    f.install(QStringLiteral("/home/anna/"), QStringLiteral("/opt/luftikon/share/luftikon/"));
    const QString text = f.fileText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("[Text]\n"))) << text.toStdString();
    EXPECT_TRUE(
        text.endsWith(QStringLiteral("\n\n[Integer]\nLinieBeiNullUnterbrechen=1\nWerteOberhalbKurveAnzeigen=1\n")))
        << text.toStdString();
    EXPECT_EQ(f.text("DatenSpeicherOrt"), QStringLiteral("/home/anna/"));
    EXPECT_EQ(f.text("Grafik8"), QStringLiteral("/opt/luftikon/share/luftikon/Vorlag8M.bmp"));
    EXPECT_EQ(f.text("TabellenDateiName"), QString());

    // Only the settings file goes, not its folder; the next start is a first run again.
    EXPECT_TRUE(f.store.deleteAll());
    EXPECT_FALSE(QFileInfo::exists(f.box.configFile()));
    EXPECT_TRUE(QFileInfo(f.box.configFile()).absoluteDir().exists());
    f.install(QStringLiteral("/neu/"));
    EXPECT_EQ(f.text("DatenSpeicherOrt"), QStringLiteral("/neu/"));
    EXPECT_TRUE(f.notices.empty()) << f.notices.join(u'|').toStdString();
}

TEST(ConfigStore, AwkwardTextsComeBackUnchanged)
{
    for (const QString& text : {QStringLiteral("/home/a, b; c=d #e/"), QStringLiteral(" führend und folgend "),
                                QStringLiteral("@Variant(kein)"), QStringLiteral("\"zitiert\" \\rück\\"),
                                QStringLiteral("Zeile\nzwei\r\tTab"), QStringLiteral("Steuer\x01 \x1f Ende\x7f"),
                                QStringLiteral("Jürgen Çelik 漢字 😀"), QStringLiteral("[Text]"), QString()}) {
        // A fresh file each time: the first-run writer and the value writer quote differently.
        StoreFixture f;
        f.install(text);
        f.store.setText(QStringLiteral("BenutzerName"), text);
        EXPECT_EQ(f.text("InstallOrt"), text);
        EXPECT_EQ(f.text("BenutzerName"), text);
        EXPECT_EQ(f.text("DatenSpeicherOrt"), text);
        EXPECT_TRUE(f.notices.empty()) << text.toStdString();
    }
}

TEST(ConfigStore, QuickWritesAreAllReadBackAndUnchangedOnesLeaveTheFileAlone)
{
    // Colour steps of the settings dialog come in fast and leave the file the same length each time;
    // every one must be read back, however close together they land.
    StoreFixture f;
    f.install();
    for (int step = 0; step < 1000; ++step) {
        const QString colour = QString::number(10485000 + step);
        f.store.setText(QStringLiteral("KurvenFarbe"), colour);
        ASSERT_EQ(f.text("KurvenFarbe"), colour) << step;
    }
    // Storing what is already there leaves the file alone: no rewrite and sync on every redraw.
    // A second name for the file tells: a rewrite would put a new file under the settings name.
    const QByteArray file = QFile::encodeName(f.box.configFile());
    ASSERT_EQ(::link(file.constData(), (file + ".kept").constData()), 0);
    f.store.setText(QStringLiteral("KurvenFarbe"), f.text("KurvenFarbe"));
    f.store.setInteger(QStringLiteral("LinieBeiNullUnterbrechen"), QStringLiteral(" 1"));
    struct stat info {};
    ASSERT_EQ(::stat(file.constData(), &info), 0);
    EXPECT_EQ(info.st_nlink, 2u);
    EXPECT_TRUE(f.notices.empty());
}

TEST(ConfigStore, NumbersAndTextsKeepTheirTypeAndWrongOnesAreReportedByName)
{
    StoreFixture f;
    f.install();
    f.store.setInteger(QStringLiteral("LinieBeiNullUnterbrechen"), QStringLiteral("0"));
    f.store.setInteger(QStringLiteral("Neu"), QStringLiteral(" -2147483648 "));
    EXPECT_EQ(f.integer("LinieBeiNullUnterbrechen"), QStringLiteral("0"));
    EXPECT_EQ(f.integer("Neu"), QStringLiteral("-2147483648"));
    const QString integers = f.fileText().section(QStringLiteral("[Integer]\n"), 1);
    EXPECT_TRUE(integers.startsWith(QStringLiteral("LinieBeiNullUnterbrechen=0\n")) &&
                integers.contains(QStringLiteral("\nNeu=-2147483648\n")))
        << f.fileText().toStdString();
    EXPECT_TRUE(f.notices.empty());

    // Read as the wrong type: empty, and the value is named.
    EXPECT_TRUE(f.text("LinieBeiNullUnterbrechen").isEmpty());
    EXPECT_TRUE(f.integer("KurvenFarbe").isEmpty());
    ASSERT_EQ(f.notices.size(), 2);
    EXPECT_TRUE(f.notices[0].contains(QStringLiteral("\"LinieBeiNullUnterbrechen\""))) << f.notices[0].toStdString();
    EXPECT_TRUE(f.notices[1].contains(QStringLiteral("\"KurvenFarbe\"")));

    // Writing a value as text replaces the number, as a value has one type.
    f.store.setText(QStringLiteral("Neu"), QStringLiteral("sieben"));
    EXPECT_EQ(f.text("Neu"), QStringLiteral("sieben"));
    EXPECT_TRUE(f.integer("Neu").isEmpty());
    EXPECT_EQ(f.notices.size(), 3);

    // A number that is none is refused, named, and the old value stays.
    for (const QString& bad : {QStringLiteral("abc"), QStringLiteral("2147483648"), QStringLiteral("1.5"), QString()}) {
        f.notices.clear();
        f.store.setInteger(QStringLiteral("LinieBeiNullUnterbrechen"), bad);
        ASSERT_EQ(f.notices.size(), 1) << bad.toStdString();
        EXPECT_TRUE(f.notices[0].contains(QStringLiteral("\"LinieBeiNullUnterbrechen\"")));
        EXPECT_EQ(f.integer("LinieBeiNullUnterbrechen"), QStringLiteral("0"));
    }
}

TEST(ConfigStore, DefaultPathFollowsXdgConfigHome)
{
    Sandbox box; // points XDG_CONFIG_HOME into the sandbox
    EXPECT_EQ(ConfigStore::defaultPath(), box.configFile());
    qputenv("XDG_CONFIG_HOME", "relativ");
    EXPECT_EQ(ConfigStore::defaultPath(), QDir::homePath() + QStringLiteral("/.config/Quendel/Luftikon.conf"));
}

TEST(Settings, OneReadingGivesEveryValueAndSettersStoreWhatTheNextStartReads)
{
    StoreFixture f;
    f.install(QStringLiteral("/daten/"), QStringLiteral("/res/"));
    f.store.setText(QStringLiteral("StiftBreite"), QStringLiteral(" 3x"));
    f.store.setText(QStringLiteral("Messung8UhrzeitMessung5"), QStringLiteral("13:45"));
    f.store.setText(QStringLiteral("HintergrundFarbIntensitaet"), QStringLiteral("12"));
    Settings s = Settings::load(f.store);
    // Read once: the values stay while the file is away.
    ASSERT_TRUE(QFile::rename(f.box.configFile(), f.box.configFile() + u'~'));
    EXPECT_EQ(QStringList({s.installFolder(), s.dataFolder(), s.headerPicture(), s.eightSlotTemplate(),
                           s.galleryFolderName(), s.paperFormat(), s.userName(), s.penWidthText()}),
              QStringList({"/daten/", "/daten/", "/res/Header.bmp", "/res/Vorlag8M.bmp", "Luftikon-Daten-Galerie",
                           "DINA4", "", " 3x"}));
    EXPECT_EQ(s.fourSlotTimes(), QStringList({"08:00", "12:00", "16:00", "20:00"}));
    EXPECT_EQ(s.eightSlotTimes().value(4), QStringLiteral("13:45"));
    EXPECT_EQ(std::tuple(s.curveColor(), s.aboveCurveColor(), s.zoneIntensity()), std::tuple(10485760u, 128u, 8));
    EXPECT_TRUE(s.showPin() && s.breakLineAtZero() && s.showValuesAboveCurve());
    ASSERT_TRUE(QFile::rename(f.box.configFile() + u'~', f.box.configFile()));

    s.setUserName(QStringLiteral("Erika"));
    s.setZoneIntensity(3);
    s.setBreakLineAtZero(false);
    const Settings again = Settings::load(f.store);
    EXPECT_EQ(std::tuple(again.userName(), again.zoneIntensity(), again.breakLineAtZero()),
              std::tuple(QStringLiteral("Erika"), 3, false));

    // Without the file the session keeps the value, and no file comes back.
    ASSERT_TRUE(f.store.deleteAll());
    s.setLastDiaryFile(QStringLiteral("/a.tab"));
    EXPECT_EQ(s.lastDiaryFile(), QStringLiteral("/a.tab"));
    EXPECT_FALSE(f.store.exists());
    EXPECT_TRUE(f.notices.empty()) << f.notices.join(u'|').toStdString();
}

TEST(Settings, EachFlagIsOnUnlessZeroAndUnreadableValuesTakeTheirRule)
{
    using Flag = bool (Settings::*)() const;
    for (const auto& [name, flag] : {std::pair<QString, Flag>{"StecknadelAnzeigen", &Settings::showPin},
                                     {"LinieBeiNullUnterbrechen", &Settings::breakLineAtZero},
                                     {"WerteOberhalbKurveAnzeigen", &Settings::showValuesAboveCurve}}) {
        // Missing, empty or garbage: as the first run set it up.
        EXPECT_TRUE((Settings().*flag)()) << name.toStdString();
        for (const char* on : {"", "ja", "1", " 2 ", "01", "-1"})
            EXPECT_TRUE((Settings({{name, on}}).*flag)()) << name.toStdString() << on;
        for (const char* off : {"0", " 0", "+0"})
            EXPECT_FALSE((Settings({{name, off}}).*flag)()) << name.toStdString() << off;
    }
    // Colours and intensity: nothing for empty or garbage, the text kept for the message.
    const Settings odd(
        {{"KurvenFarbe", "blau"}, {"DatenwerteOberhalbFarbe", "-5"}, {"HintergrundFarbIntensitaet", "-3"}});
    EXPECT_FALSE(odd.curveColor() || odd.aboveCurveColor());
    EXPECT_EQ(odd.curveColorText(), QStringLiteral("blau"));
    EXPECT_EQ(odd.zoneIntensity(), 0);
    EXPECT_EQ(Settings({{"HtmlVerzeichnisName", ""}}).htmlFolderName(), QStringLiteral("Luftikon-Daten im Browser"));
}
