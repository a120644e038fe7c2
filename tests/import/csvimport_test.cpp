// CSV files of meters, phone apps and our own export, brought into diaries on disk.
#include "diary/diarywriter.h"
#include "diary/textfile.h"
#include "import/csvreadings.h"
#include "import/importplan.h"
#include "report/readingscsv.h"
#include "support/diarylines.h"
#include "support/sandbox.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace luftikon;
using namespace luftikon::test;

namespace {

// "line: date time value" of every reading, to compare whole files at a glance.
QStringList summary(const CsvContent& csv)
{
    QStringList lines;
    for (const CsvReading& r : csv.readings)
        lines
            << QStringLiteral("%1: %2 %3 %4").arg(r.lineNumber).arg(r.date.toString(Qt::ISODate), r.time).arg(r.value);
    return lines;
}

TEST(CsvReader, ReadsEveryShapeMetersAppsAndSpreadsheetsWrite)
{
    const QStringList marchFifth{"2: 2024-03-05 08:00 420", "3: 2024-03-05 20:05 431"};
    struct Case {
        const char* shape;
        QByteArray bytes;
        QString encoding;
        QChar separator;
        QStringList expected;
    };
    const Case cases[] = {
        {"German, semicolons, header, Windows-1252, CR LF",
         "Datum;Uhrzeit;Wert (l/min);Bemerkung\r\n05.03.2024;08:00;420;Erk\xE4ltung\r\n5.3.2024;20:05;431;\r\n",
         "Windows-1252", u';', marchFifth},
        {"ISO, commas, no header, LF, seconds", "\n2024-03-05,08:00:59,420\n2024-03-05,20:05,431\n", "UTF-8", u',',
         marchFifth},
        {"tabs, UTF-8 with BOM, value first, one timestamp field",
         "\xEF\xBB\xBFPEF\tZeitpunkt\tNotiz\n420\t2024-03-05T08:00:00\tgut\n431\t2024-03-05 20:05\t\xC3\xBC\n",
         "UTF-8 mit BOM", u'\t', marchFifth},
        {"German decimals beside a semicolon, UTF-8",
         "Datum;Zeit;PEF;FEV1\n05.03.2024;8:00;420,0;2,85\n05.03.2024;20:05;431;3,1\n", "UTF-8", u';', marchFifth},
        {"a title line above, date and time in one field",
         "Peak-Flow-Export\n2024-03-05 08:00,420\n2024-03-05 20:05,431", "UTF-8", u',', marchFifth},
        {"the slot in a column called Tageszeit, before the time",
         "Datum;Tageszeit;Uhrzeit;Wert\n05.03.2024;Morgens;08:00;420\n05.03.2024;Abends;20:05;431\n", "UTF-8", u';',
         marchFifth},
        {"blanks between the fields, lone CR line ends",
         "Datum Uhrzeit Wert\r05.03.2024 08:00 420\r05.03.2024 20:05 431", "UTF-8", u' ', marchFifth},
    };
    for (const Case& c : cases) {
        const CsvContent csv = readCsvReadings(c.bytes);
        EXPECT_EQ(csv.kind, CsvContent::Kind::Readings) << c.shape;
        EXPECT_EQ(csv.encoding, c.encoding) << c.shape;
        EXPECT_EQ(csv.separator, c.separator) << c.shape;
        EXPECT_EQ(summary(csv), c.expected) << c.shape;
        EXPECT_TRUE(csv.unreadable.isEmpty()) << c.shape << ": " << csv.unreadable.value(0).reason.toStdString();
    }
}

TEST(CsvReader, StampsInUtcOrWithAnOffsetAreReadAtTheClockHere)
{
    const QByteArray oldZone = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    const CsvContent csv = readCsvReadings("Zeitpunkt;PEF\n2024-03-05T07:00:00Z;420\n2024-03-05T20:05:00+01:00;431\n"
                                           "2024-03-05T25:00:00Z;400\n");
    qputenv("TZ", oldZone);
    tzset();
    EXPECT_EQ(summary(csv), (QStringList{"2: 2024-03-05 08:00 420", "3: 2024-03-05 20:05 431"}));
    ASSERT_EQ(csv.unreadable.size(), 1);
    EXPECT_EQ(csv.unreadable.front().lineNumber, 4);
}

TEST(CsvReader, ListsUnreadableLinesWithTheirNumberAndGoesOnWithTheOthers)
{
    const CsvContent csv = readCsvReadings("Datum;Uhrzeit;Wert\n"
                                           "05.03.2024;08:00;420\n"
                                           "31.04.2024;08:00;400\n"
                                           "05.03.2024;8 Uhr;410\n"
                                           "\n"
                                           "05.03.2024;20:00;abc\n"
                                           "05.03.2024;20:00;900\n"
                                           "05.03.2024;24:10;400\n"
                                           "Summe;;1234\n"
                                           "06.03.2024;20:00;430\n");
    EXPECT_EQ(summary(csv), (QStringList{"2: 2024-03-05 08:00 420", "10: 2024-03-06 20:00 430"}))
        << summary(csv).join('|').toStdString();
    QStringList problems;
    for (const CsvProblem& p : csv.unreadable)
        problems << QString::number(p.lineNumber) + u' ' + p.reason;
    EXPECT_EQ(problems, (QStringList{
                            "3 Den Tag \"31.04.2024\" gibt es nicht.",
                            "4 \"8 Uhr\" ist keine Uhrzeit der Form 08:00.",
                            "6 Der Messwert \"abc\" ist keine ganze Zahl.",
                            "7 Der Messwert 900 liegt nicht zwischen 20 und 800 l/min.",
                            "8 \"24:10\" ist keine Uhrzeit der Form 08:00.",
                            "9 \"Summe\" ist kein Datum der Form 05.03.2024 oder 2024-03-05.",
                        }))
        << problems.join('|').toStdString();
}

TEST(CsvReader, TellsAnEmptyFileFromOneThatIsNoCsvOfReadings)
{
    EXPECT_EQ(readCsvReadings("").kind, CsvContent::Kind::Empty);
    EXPECT_EQ(readCsvReadings("\xEF\xBB\xBF\r\n\r\n").kind, CsvContent::Kind::Empty);
    EXPECT_EQ(readCsvReadings("Datum;Uhrzeit;Wert\r\n").kind, CsvContent::Kind::Empty);
    EXPECT_EQ(readCsvReadings(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)).kind, CsvContent::Kind::NotCsv);
    EXPECT_EQ(readCsvReadings("Liebes Tagebuch,\nheute war ein guter Tag.\n").kind, CsvContent::Kind::NotCsv);
}

class CsvImport : public ::testing::Test {
protected:
    CsvImport()
    {
        setup.galleryFolder = box.file("Galerie/");
        setup.htmlFolder = box.file("Browser/");
        setup.userName = QStringLiteral("Jürgen Müller");
        // Not the first-run times, so the slots must come from these.
        setup.fourSlotTimes = QStringList{"07:00", "11:00", "15:00", "21:00"};
        setup.eightSlotTimes = QStringList{"06:00", "08:00", "10:00", "12:00", "14:00", "16:00", "18:00", "20:00"};
    }
    QString diary(const char* name) const { return setup.galleryFolder + QString::fromUtf8(name); }
    void writeDiary(const char* name, const QStringList& lines) const
    {
        Sandbox::writeBytes(diary(name), encodeCp1252(lines.join("\r\n") + "\r\n").value());
    }
    QStringList readingsIn(const char* name) const { return entryLinesOf(readTextLines(diary(name)).lines); }
    ImportOutcome bringIn(const QByteArray& csv, bool takeFileValues = false)
    {
        plan = planImport(readCsvReadings(csv), setup);
        return applyImport(plan, setup, takeFileValues, [this](MessageKind, const QString& text) { told << text; });
    }

    Sandbox box;
    ImportSetup setup;
    ImportPlan plan;
    QStringList told;
};

TEST_F(CsvImport, SortsReadingsIntoSlotsMonthsAndDiariesByTheRules)
{
    // The month is kept as "03"; new lines of March follow that form.
    writeDiary("2024/Jürgen Müller_03_2024.tab",
               diaryHead("Jürgen Müller", "März 2024") +
                   QStringList{reading("Morgens", 5, "420", 3), reading("Messung2", 5, "430", 3)});
    const QByteArray csv = "2024-03-05,06:40,420\n"  // nearest 07:00, same value: already there
                           "2024-03-05,11:30,445\n"  // 11:00, another value: conflict
                           "2024-03-06,20:00,380\n"  // 21:00
                           "2024-03-06,23:59,395\n"  //   the higher one of that slot counts
                           "2024-03-06,13:01,300\n"  // 13:01 is nearer to 15:00 than to 11:00
                           "2024-03-06,13:00,310\n"  // a tie goes to the earlier slot
                           "2024-04-30,07:00,410\n"  // April has no diary yet
                           "2024-04-30,07:00,410\n"; // the same reading twice counts once
    const ImportOutcome outcome = bringIn(csv);
    ASSERT_TRUE(told.isEmpty()) << told.join('|').toStdString();
    ASSERT_EQ(plan.months.size(), 2);
    EXPECT_EQ(plan.months[0].alreadyThere.size(), 1);
    EXPECT_EQ(plan.months[0].conflicts.size(), 1);
    EXPECT_EQ(plan.months[0].leftOut.size(), 1);
    EXPECT_EQ(plan.months[1].leftOut.size(), 1);
    EXPECT_EQ(outcome.added, 4);

    EXPECT_EQ(
        readingsIn("2024/Jürgen Müller_03_2024.tab"),
        (QStringList{reading("Morgens", 5, "420", 3), reading("Messung2", 5, "430", 3),
                     "Messung2 den 06.03.2024 Z=13:00  Luftikon=310", "Messung3 den 06.03.2024 Z=13:01  Luftikon=300",
                     "Abends den      06.03.2024 Z=23:59  Luftikon=395"}));
    EXPECT_FALSE(QFile::exists(diary("2024/Jürgen Müller_3_2024.tab")));
    const QByteArray april = Sandbox::readBytes(diary("2024/Jürgen Müller_4_2024.tab"));
    EXPECT_TRUE(april.startsWith("[Personendaten]\r\nBenutzerName=J\xFCrgen M\xFCller\r\nDatum=April 2024\r\n"));
    EXPECT_TRUE(april.endsWith("\r\n\r\nMorgens den    30.4.2024 Z=07:00  Luftikon=410\r\n"));
    EXPECT_TRUE(april.contains("BisZu4MessungenJeTag=1"));

    // Taken a second time the file adds nothing and rewrites nothing.
    const QByteArray marchBefore = Sandbox::readBytes(diary("2024/Jürgen Müller_03_2024.tab"));
    EXPECT_TRUE(bringIn(csv).writtenPaths.isEmpty());
    EXPECT_EQ(plan.count(&MonthPlan::fresh), 0);
    EXPECT_EQ(Sandbox::readBytes(diary("2024/Jürgen Müller_03_2024.tab")), marchBefore);

    // Asked to, the file's value replaces the diary's.
    EXPECT_EQ(bringIn(csv, true).replaced, 1);
    EXPECT_TRUE(readingsIn("2024/Jürgen Müller_03_2024.tab").contains("Messung2 den 05.03.2024 Z=11:30  Luftikon=445"));
    EXPECT_FALSE(readingsIn("2024/Jürgen Müller_03_2024.tab").contains(reading("Messung2", 5, "430", 3)));
}

TEST_F(CsvImport, AValueIsComparedWithTheReadingTheTableShowsForItsDayAndSlot)
{
    // Corrected by hand: the later line of the 5th's morning is the one the table and report show.
    writeDiary("2024/Jürgen Müller_03_2024.tab",
               diaryHead("Jürgen Müller", "März 2024") +
                   QStringList{reading("Morgens", 5, "400", 3), reading("Morgens", 5, "420", 3)});
    bringIn("2024-03-05,07:00,420\n");
    ASSERT_EQ(plan.months.size(), 1);
    EXPECT_EQ(plan.months[0].alreadyThere.size(), 1);
    EXPECT_TRUE(plan.months[0].conflicts.isEmpty());
}

TEST_F(CsvImport, AnEightSlotDiaryTakesTheReadingsByItsOwnTimes)
{
    writeDiary("2025/Jürgen Müller_7_2025.tab", diaryHead("Jürgen Müller", "Juli 2025", true));
    bringIn("Datum;Uhrzeit;Wert\n01.07.2025;13:10;400\n");
    EXPECT_EQ(readingsIn("2025/Jürgen Müller_7_2025.tab"), QStringList{"Messung5 den 01.7.2025 Z=13:10  Luftikon=400"});
    EXPECT_TRUE(Sandbox::readBytes(diary("2025/Jürgen Müller_7_2025.tab")).contains("BisZu8MessungenJeTag=1\r\n"));
}

TEST_F(CsvImport, OurOwnCsvBringsAMonthBackIntoAnEmptyGallery)
{
    // A slot the file names wins over the times: 09:30 is nearer to 11:00 than to the morning's 07:00.
    const QStringList lines{reading("Morgens", 5, "420", 3, 2024, "09:30"), reading("Messung2", 5, "430", 3),
                            reading("Messung5", 5, "440", 3), reading("Abends", 31, "431", 3, 2024, "24:00")};
    const QByteArray csv = readingsCsv(entriesOf(lines), 500, 200);
    bringIn(csv);
    EXPECT_EQ(readingsIn("2024/Jürgen Müller_3_2024.tab"), lines);
    EXPECT_TRUE(plan.csv.unreadable.isEmpty());
}

TEST_F(CsvImport, AnUnreadableDiaryIsLeftAsItIsAndTheOtherMonthsGoOn)
{
    const QString march = diary("2024/Jürgen Müller_3_2024.tab");
    QDir().mkpath(march); // a folder where the diary should be
    const ImportOutcome outcome = bringIn("05.03.2024;08:00;420\n05.04.2024;08:00;420\n");
    ASSERT_EQ(plan.months.size(), 2);
    EXPECT_FALSE(plan.months[0].error.isEmpty());
    EXPECT_EQ(outcome.writtenMonths, QStringList{"April 2024 (1)"});
    EXPECT_TRUE(importReport(plan, outcome, false).contains("Nicht lesbar und daher unverändert: März 2024."));
}

} // namespace
