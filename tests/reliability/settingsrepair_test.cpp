// A damaged settings file never stops the start: what can be read stays, the rest gets its first-run value,
// the damaged file is kept, and the user hears about it once.
#include "support/appfixture.h"
#include "support/privatemount.h"

using namespace luftikon;
using namespace luftikon::test;

namespace {

// Before main, while the program has one thread.
const std::string& mountProblem = privateMountProblem();

// Set up by hand once, then damaged: a colour of unknown form, stray lines, and the whole integer group gone.
QByteArray damagedSettings(const QString& startFolder)
{
    QByteArray text;
    for (const ConfigDefault& value : ConfigStore::firstRunDefaults(startFolder, startFolder)) {
        if (value.integer)
            continue;
        QString shown = value.value;
        if (value.name == QLatin1String("BenutzerName"))
            shown = QStringLiteral("Erika Muster");
        else if (value.name == QLatin1String("DatenSpeicherOrt"))
            shown = startFolder + QStringLiteral("daten/");
        else if (value.name == QLatin1String("Grafikformat"))
            shown = QStringLiteral("DINA5");
        else if (value.name == QLatin1String("KurvenFarbe"))
            shown = QStringLiteral("@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\xffkaputt)");
        text += value.name.toUtf8() + '=' + shown.toUtf8() + '\n';
    }
    return "[Text]\n" + text + "\x01\x02 M\xc3\xbcll ohne Gleichheitszeichen\n[Text\n";
}

// The main window started again, after its first start, on a damaged settings file.
struct DamagedStart : AppFixture {
    QString start = box.path() + u'/';
    QByteArray damaged = damagedSettings(start);

    DamagedStart()
    {
        form.reset(); // it saves its settings on closing
        Sandbox::writeBytes(box.configFile(), damaged);
    }
    void restart()
    {
        form.reset();
        desktop.clearShown();
        state = AppState{};
        state.resourceFolder = installedResources;
        form = std::make_unique<MainWindow>(state, desktop, config);
    }
    std::string shownTexts() const { return desktop.shownTexts().join(u'|').toStdString(); }
};

TEST(SettingsRepair, damagedFileKeepsWhatCanBeReadAndTellsOnce)
{
    DamagedStart s;
    s.restart();

    ASSERT_EQ(s.desktop.shown().size(), 1u) << s.shownTexts();
    const QString message = s.desktop.shown().front().text;
    EXPECT_TRUE(
        message.contains(QStringLiteral(": KurvenFarbe, LinieBeiNullUnterbrechen, WerteOberhalbKurveAnzeigen.")))
        << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("BenutzerName")));
    EXPECT_FALSE(message.contains(QStringLiteral("Grafikformat")));
    EXPECT_FALSE(s.desktop.terminatedWith());

    // What could be read is kept, the rest is filled in and reads without a word.
    EXPECT_EQ(s.state.dataFolder, s.start + QStringLiteral("daten/"));
    EXPECT_EQ(s.config.text(QStringLiteral("BenutzerName")), QStringLiteral("Erika Muster"));
    EXPECT_EQ(s.config.text(QStringLiteral("Grafikformat")), QStringLiteral("DINA5"));
    EXPECT_EQ(s.config.text(QStringLiteral("KurvenFarbe")), QStringLiteral("10485760"));
    EXPECT_EQ(s.config.integerText(QStringLiteral("LinieBeiNullUnterbrechen")), QStringLiteral("1"));
    EXPECT_EQ(s.desktop.shown().size(), 1u);

    const QString copy = s.box.configFile() + QStringLiteral(".beschaedigt");
    EXPECT_TRUE(message.contains(copy));
    EXPECT_EQ(s.bytes(copy), s.damaged);

    // The mended file starts the next time without a word.
    s.restart();
    EXPECT_TRUE(s.desktop.shown().empty()) << s.shownTexts();
}

TEST(SettingsRepair, damagedFileThatCannotBeWrittenStillStarts)
{
    ASSERT_EQ(mountProblem, "");
    DamagedStart s;
    const QString folder = QFileInfo(s.box.configFile()).absolutePath();
    ASSERT_TRUE(bindReadOnly(folder));
    s.restart();
    unmount(folder);

    ASSERT_EQ(s.desktop.shown().size(), 1u) << s.shownTexts();
    EXPECT_TRUE(s.desktop.shown().front().text.contains(QStringLiteral("KurvenFarbe")));
    EXPECT_FALSE(s.desktop.terminatedWith());
    EXPECT_EQ(s.state.dataFolder, s.start + QStringLiteral("daten/"));
    // Told once: the value reads as missing from now on.
    EXPECT_TRUE(s.config.text(QStringLiteral("KurvenFarbe")).isEmpty());
    EXPECT_EQ(s.desktop.shown().size(), 1u);
    EXPECT_EQ(s.bytes(s.box.configFile()), s.damaged);
}

} // namespace
