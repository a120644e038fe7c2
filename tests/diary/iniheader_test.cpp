#include "diary/iniheader.h"
#include "support/sandbox.h"

#include <gtest/gtest.h>

using namespace luftikon;
using luftikon::test::Sandbox;

namespace {

const QStringList header = {
    "[Personendaten]",
    "BenutzerName=  Jürgen Müller  ",
    "Datum=März 2024",
    "",
    "  druckentabellenrandleft = 12",
    "GrenzwertGruen>=480",
    "GrenzwertRot<=210",
    "GrenzwertRot<=999",
    "Morgens den    05.3.2024 Z=08:00  Luftikon=420",
    "[Andere]",
    "Farbe=rot",
    "GrenzwertGruen>=1",
};

} // namespace

TEST(IniHeader, LookupRules)
{
    EXPECT_EQ(readHeaderValue(header, "BenutzerName", ""), "Jürgen Müller");
    EXPECT_EQ(readHeaderValue(header, "DruckenTabellenRandLeft", "10"), "12");
    EXPECT_EQ(readHeaderValue(header, " GRENZWERTGRUEN> ", "500"), "480");
    EXPECT_EQ(readHeaderValue(header, "GrenzwertRot<", "200"), "210"); // first match wins
    EXPECT_EQ(readHeaderValue(header, "DruckenTabellenRandTop", "10"), "10");
    // Keys of another section do not count, nor entry lines.
    EXPECT_EQ(readHeaderValue(header, "Farbe", "keine"), "keine");
    EXPECT_EQ(readIniValue(header, "andere", "Farbe", ""), "rot");
    EXPECT_EQ(readHeaderValue(header, "Morgens den    05.3.2024 Z", "-"), "08:00  Luftikon=420");
    EXPECT_EQ(readHeaderValue(QStringList{"GrenzwertGruen>=480"}, "GrenzwertGruen>", "500"), "500");
}

TEST(IniHeader, ValuesAreCutTo254Characters)
{
    const QString longValue(300, QLatin1Char('x'));
    EXPECT_EQ(readHeaderValue(QStringList{"[Personendaten]", "BenutzerName=" + longValue}, "BenutzerName", ""),
              longValue.left(254));
    EXPECT_EQ(readHeaderValue(QStringList{}, "BenutzerName", longValue).size(), 254);
}

TEST(IniHeader, WriteReplacesTheMatchingLineOnly)
{
    const QStringList changed = withIniValue(header, PersonDataSection, "GrenzwertRot<", "190");
    QStringList expected = header;
    expected[6] = "GrenzwertRot<=190";
    EXPECT_EQ(changed, expected);
}

TEST(IniHeader, MissingKeyGoesToTheEndOfItsSection)
{
    const QStringList diary = {"[Personendaten]", "BenutzerName=Muster", "",
                               "Morgens den    05.3.2024 Z=08:00  Luftikon=420"};
    QStringList expected = diary;
    expected << "GrenzwertGruen>=450";
    EXPECT_EQ(withIniValue(diary, PersonDataSection, "GrenzwertGruen>", "450"), expected);

    const QStringList twoSections = withIniValue(header, "Personendaten", "Neu", "1");
    EXPECT_EQ(twoSections.indexOf("Neu=1"), header.indexOf("[Andere]"));
    EXPECT_EQ(readHeaderValue(twoSections, "Neu", ""), "1");
}

TEST(IniHeader, MissingSectionIsAppended)
{
    const QStringList noHeader = {"Morgens den    05.3.2024 Z=08:00  Luftikon=420"};
    const QStringList changed = withIniValue(noHeader, PersonDataSection, "GrenzwertGruen>", "450");
    EXPECT_EQ(changed, (QStringList{noHeader.first(), "[Personendaten]", "GrenzwertGruen>=450"}));
    EXPECT_EQ(readHeaderValue(changed, "GrenzwertGruen>", "500"), "450");
}

TEST(IniHeader, WriteInPlaceOnAFile)
{
    Sandbox box;
    const QString path = box.file("Muster_3_2024.tab");
    // LF-only line ends and a one-digit day must come through unchanged apart from CR LF.
    Sandbox::writeBytes(path, "[Personendaten]\nBenutzerName=M\xfcller\nGrenzwertGruen>=500\n"
                              "Morgens den    5.3.2024 Z=08:00  Luftikon=420\n");
    const WriteResult result = writeHeaderValue(path, "GrenzwertGruen>", "450");
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(Sandbox::readBytes(path),
              QByteArray("[Personendaten]\r\nBenutzerName=M\xfcller\r\nGrenzwertGruen>=450\r\n"
                         "Morgens den    5.3.2024 Z=08:00  Luftikon=420\r\n"));
    EXPECT_EQ(readHeaderValue(path, "GrenzwertGruen>", "500"), "450");
    EXPECT_EQ(readHeaderValue(box.file("fehlt.tab"), "GrenzwertGruen>", "500"), "500");
}

TEST(IniHeader, RefusedWritesLeaveTheFileAlone)
{
    Sandbox box;
    const QString path = box.file("a.tab");
    const QByteArray before = "[Personendaten]\r\nGrenzwertRot<=200\r\n";
    Sandbox::writeBytes(path, before);
    for (const auto& [key, value] : {std::pair<QString, QString>{"GrenzwertRot<", "1\r\nBisZu8MessungenJeTag=1"},
                                     {"a=b", "1"},
                                     {" ", "1"},
                                     {"[Personendaten]", "1"},
                                     {"BenutzerName", QStringLiteral("Łukasz")}}) {
        const WriteResult result = writeHeaderValue(path, key, value);
        EXPECT_FALSE(result.ok) << key.toStdString();
        EXPECT_FALSE(result.error.isEmpty());
        EXPECT_EQ(Sandbox::readBytes(path), before);
    }
    // No diary, no value: the settings dialog must not make a file out of nothing.
    const WriteResult missing = writeHeaderValue(box.file("fehlt.tab"), "GrenzwertRot<", "190");
    EXPECT_FALSE(missing.ok);
    EXPECT_TRUE(missing.error.contains(box.file("fehlt.tab")));
    EXPECT_FALSE(QFile::exists(box.file("fehlt.tab")));
}
