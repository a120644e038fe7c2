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

TEST(IniHeader, LookupRulesAndValuesCutTo254Characters)
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
    const QString longValue(300, QLatin1Char('x'));
    EXPECT_EQ(readHeaderValue(QStringList{"[Personendaten]", "BenutzerName=" + longValue}, "BenutzerName", ""),
              longValue.left(254));
    EXPECT_EQ(readHeaderValue(QStringList{}, "BenutzerName", longValue).size(), 254);
}

TEST(IniHeader, WriteReplacesTheLineOrAddsItAtTheEndOfItsSection)
{
    QStringList expected = header;
    expected[6] = "GrenzwertRot<=190";
    EXPECT_EQ(withIniValue(header, PersonDataSection, "GrenzwertRot<", "190"), expected);

    const QStringList twoSections = withIniValue(header, "Personendaten", "Neu", "1");
    EXPECT_EQ(twoSections.indexOf("Neu=1"), header.indexOf("[Andere]"));
    EXPECT_EQ(readHeaderValue(twoSections, "Neu", ""), "1");

    // Without the section it is appended, after the entry lines.
    const QStringList noHeader = {"Morgens den    05.3.2024 Z=08:00  Luftikon=420"};
    EXPECT_EQ(withIniValue(noHeader, PersonDataSection, "GrenzwertGruen>", "450"),
              (QStringList{noHeader.first(), "[Personendaten]", "GrenzwertGruen>=450"}));
}

TEST(IniHeader, WriteInPlaceOnAFileOrNotAtAll)
{
    Sandbox box;
    const QString path = box.file("Muster_3_2024.tab");
    // LF-only line ends and a one-digit day must come through unchanged apart from CR LF.
    Sandbox::writeBytes(path, "[Personendaten]\nBenutzerName=M\xfcller\nGrenzwertGruen>=500\n"
                              "Morgens den    5.3.2024 Z=08:00  Luftikon=420\n");
    const WriteResult result = writeHeaderValue(path, "GrenzwertGruen>", "450");
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    const QByteArray written = "[Personendaten]\r\nBenutzerName=M\xfcller\r\nGrenzwertGruen>=450\r\n"
                               "Morgens den    5.3.2024 Z=08:00  Luftikon=420\r\n";
    EXPECT_EQ(Sandbox::readBytes(path), written);
    EXPECT_EQ(readHeaderValue(path, "GrenzwertGruen>", "500"), "450");

    // Keys and values that would break the head, or cannot be stored, are refused.
    for (const auto& [key, value] : {std::pair<QString, QString>{"GrenzwertRot<", "1\r\nBisZu8MessungenJeTag=1"},
                                     {"a=b", "1"},
                                     {" ", "1"},
                                     {"[Personendaten]", "1"},
                                     {"BenutzerName", QStringLiteral("Łukasz")}}) {
        const WriteResult refused = writeHeaderValue(path, key, value);
        EXPECT_FALSE(refused.ok) << key.toStdString();
        EXPECT_FALSE(refused.error.isEmpty());
        EXPECT_EQ(Sandbox::readBytes(path), written);
    }
}
