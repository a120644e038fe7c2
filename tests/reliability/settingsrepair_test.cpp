// A damaged settings file never stops the start: what can be read stays, the rest gets its
// first-run value, the damaged file is kept, and the user hears about it once.
#include "mounts.h"

#include "shell/mainform.h"
#include "support/sandbox.h"
#include "support/scripteddesktop.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace luftikon;
using namespace luftikon::test;

namespace {

// Set up by hand once, then damaged: a value of unknown form, a colour stored as a number
// where text belongs, stray lines, and the whole integer group gone.
// Set up by hand once, then damaged: a colour of unknown form, stray lines, and the whole
// integer group gone.
QByteArray damagedSettings(const QString& startFolder)
{
    QList<ConfigDefault> values = ConfigStore::firstRunDefaults(startFolder, startFolder);
    QByteArray text;
    for (const ConfigDefault& value : values) {
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

struct Start {
    Sandbox box;
    QString start = box.path() + u'/';
    QString data = start + QStringLiteral("daten/");
    ScriptedDesktop desktop;
    ConfigStore config{box.configFile()};
    AppState state;
    std::unique_ptr<TMainForm> form;

    void run()
    {
        state.resourceFolder = QStringLiteral(LUFTIKON_RESOURCE_DIR) + u'/';
        form = std::make_unique<TMainForm>(state, desktop, config);
    }
};

TEST(SettingsRepair, damagedFileKeepsWhatCanBeReadAndTellsOnce)
{
    Start start;
    Sandbox::writeBytes(start.box.configFile(), damagedSettings(start.start));
    start.run();

    ASSERT_EQ(start.desktop.shown().size(), 1u) << start.desktop.shownTexts().join(u'|').toStdString();
    const QString message = start.desktop.shown().front().text;
    EXPECT_TRUE(
        message.contains(QStringLiteral(": KurvenFarbe, LinieBeiNullUnterbrechen, WerteOberhalbKurveAnzeigen.")))
        << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("BenutzerName")));
    EXPECT_FALSE(message.contains(QStringLiteral("Grafikformat")));
    EXPECT_TRUE(message.contains(start.box.configFile()));
    EXPECT_FALSE(start.desktop.terminatedWith());

    // What could be read is kept, the rest is filled in and reads without a word.
    EXPECT_EQ(start.state.dataFolder, start.data);
    EXPECT_EQ(start.config.Lies_String_aus_Registry(QStringLiteral("BenutzerName")), QStringLiteral("Erika Muster"));
    EXPECT_EQ(start.config.Lies_String_aus_Registry(QStringLiteral("Grafikformat")), QStringLiteral("DINA5"));
    EXPECT_EQ(start.config.Lies_String_aus_Registry(QStringLiteral("KurvenFarbe")), QStringLiteral("10485760"));
    EXPECT_EQ(start.config.Lies_Integer_aus_Registry(QStringLiteral("LinieBeiNullUnterbrechen")), QStringLiteral("1"));
    EXPECT_EQ(start.desktop.shown().size(), 1u);

    const QString copy = start.box.configFile() + QStringLiteral(".beschaedigt");
    EXPECT_TRUE(message.contains(copy));
    EXPECT_EQ(Sandbox::readBytes(copy), damagedSettings(start.start));

    // The mended file starts the next time without a word.
    start.form.reset();
    start.desktop.clearShown();
    start.state = AppState{};
    start.run();
    EXPECT_TRUE(start.desktop.shown().empty()) << start.desktop.shownTexts().join(u'|').toStdString();
}

TEST(SettingsRepair, damagedFileThatCannotBeWrittenStillStarts)
{
    ASSERT_EQ(namespaceProblem(), QString());
    Start start;
    Sandbox::writeBytes(start.box.configFile(), damagedSettings(start.start));
    const QString folder = QFileInfo(start.box.configFile()).absolutePath();
    ASSERT_TRUE(bindReadOnly(folder));
    start.run();
    unmount(folder);

    ASSERT_EQ(start.desktop.shown().size(), 1u) << start.desktop.shownTexts().join(u'|').toStdString();
    EXPECT_TRUE(start.desktop.shown().front().text.contains(QStringLiteral("KurvenFarbe")));
    EXPECT_FALSE(start.desktop.terminatedWith());
    EXPECT_EQ(start.state.dataFolder, start.data);
    // Told once: the value reads as missing from now on.
    EXPECT_TRUE(start.config.Lies_String_aus_Registry(QStringLiteral("KurvenFarbe")).isEmpty());
    EXPECT_EQ(start.desktop.shown().size(), 1u);
    EXPECT_EQ(Sandbox::readBytes(start.box.configFile()), damagedSettings(start.start));
}

} // namespace
