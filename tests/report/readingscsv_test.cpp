// The CSV file byte for byte, and the fields a spreadsheet would otherwise misread or run.
#include "report/readingscsv.h"
#include "reportlines.h"

#include <gtest/gtest.h>

using namespace luftikon;
using namespace luftikon::test;

TEST(ReadingsCsv, TheFileByteForByte)
{
    const QStringList lines{
        reading("Morgens", 1, "300", 5, 2024),  reading("Abends", 1, "400", 5, 2024, "20:15"), // the green limit itself
        reading("Morgens", 2, "250", 5, 2024),                                                 // the red limit itself
        reading("Messung2", 2, "249", 5, 2024), reading("Morgens", 4, "=1+1", 5, 2024),
        reading("Abends", 4, "x\"y", 5, 2024),  QStringLiteral("Messung7 den 12.05.2024 Z=08:00  Luftikon=-5"),
    };
    const QByteArray expected = "\xEF\xBB\xBF"
                                "Datum;Uhrzeit;Messung;Wert;Zone\r\n"
                                "01.05.2024;08:00;Morgens;300;gelb\r\n"
                                "01.05.2024;20:15;Abends;400;gr\xC3\xBCn\r\n"
                                "02.05.2024;08:00;Morgens;250;gelb\r\n"
                                "02.05.2024;08:00;Messung2;249;rot\r\n"
                                "04.05.2024;08:00;Morgens;\"'=1+1\";\r\n"
                                "04.05.2024;08:00;Abends;\"x\"\"y\";\r\n"
                                "12.05.2024;08:00;Messung7;'-5;rot\r\n";
    EXPECT_EQ(readingsCsv(entriesOf(lines), mayGreen, mayRed), expected);
    EXPECT_EQ(readingsCsv({}, mayGreen, mayRed), QByteArray("\xEF\xBB\xBF"
                                                            "Datum;Uhrzeit;Messung;Wert;Zone\r\n"));
}

TEST(ReadingsCsv, FieldsAreGuardedAgainstFormulasAndQuotedWhenTheyMustBe)
{
    EXPECT_EQ(csvField("@SUM(A1)"), "'@SUM(A1)");
    EXPECT_EQ(csvField("+49"), "'+49");
    EXPECT_EQ(csvField("\tx"), "'\tx");
    EXPECT_EQ(csvField("8;00"), "\"8;00\"");
    EXPECT_EQ(csvField("=A1;B1", true), "\"'=A1;B1\"");
    EXPECT_EQ(csvField(QString(), true), "\"\"");
    EXPECT_EQ(csvField("a mid-word - or = is harmless"), "a mid-word - or = is harmless");
    // A line that is no reading at all keeps what can be read: its text stays in the value.
    EXPECT_EQ(csvLine(parseEntryLine("Abends ohne Datum Luftikon= 7 7"), 500, 200), ";;;\"7 7\";");
}
