#include "pagefixtures.h"

#include <QFile>

namespace luftikon::test {

namespace {

DailyMeanTexts means(std::initializer_list<const char*> firstDays)
{
    DailyMeanTexts result = noDailyMeans();
    std::size_t day = 0;
    for (const char* text : firstDays)
        result[day++] = QString::fromLatin1(text);
    return result;
}

QByteArray diaryHeader(const QByteArray& user, const QByteArray& date)
{
    return "[Personendaten]\r\nBenutzerName=" + user + "\r\nDatum=" + date +
           "\r\n\r\nDruckenTabellenRandLeft=10\r\nDruckenTabellenRandRight=5\r\nDruckenTabellenRandTop=10\r\n"
           "DruckenTabellenRandBottom=10\r\n\r\n\r\nBisZu4MessungenJeTag=1\r\nBisZu8MessungenJeTag=0\r\n\r\n\r\n"
           "GrenzwertGruen>=500\r\nGrenzwertRot<=200\r\n\r\n\r\n";
}

ExportRequest common(const Sandbox& box, const QString& year)
{
    ExportRequest request;
    request.htmlFolder = box.file(QStringLiteral("Luftikon-Daten im Browser/"));
    request.dataFolder = box.path() + QLatin1Char('/');
    request.diaryYear = year;
    request.curveColor = 10485760; // dark blue, the first-run default
    request.aboveCurveColor = 128; // dark red
    return request;
}

QString galleryFile(const Sandbox& box, const QString& year, const QString& name)
{
    return box.file(QStringLiteral("Luftikon-Daten-Galerie/") + year + QLatin1Char('/') + name);
}

} // namespace

ExportRequest sparseMarch2024(const Sandbox& box)
{
    ExportRequest request = common(box, QStringLiteral("2024"));
    request.month = {QStringLiteral("03"), QStringLiteral("2024"), QStringLiteral("März"),
                     QStringLiteral("Jürgen Mäder")};
    request.dailyMeans = means({"452", "430", "0", "398", "450", "0", "0"});
    request.bestValue = 480;
    request.brightness = 0;
    request.showValues = true;
    request.breakLineAtZero = true;
    request.currentDiaryFile = galleryFile(box, QStringLiteral("2024"), QStringLiteral("Jürgen Mäder_03_2024.tab"));
    request.remarksFile = galleryFile(box, QStringLiteral("2024"), QStringLiteral("Jürgen Mäder_03_2024.txt"));
    Sandbox::writeBytes(request.currentDiaryFile, diaryHeader("J\xfcrgen M\xe4"
                                                              "der",
                                                              "M\xe4rz 2024") +
                                                      "Morgens den    01.03.2024 Z=08:00  Luftikon=452\r\n"
                                                      "Morgens den    02.03.2024 Z=08:00  Luftikon=430\r\n"
                                                      "Morgens den    03.03.2024 Z=08:00  Luftikon=0\r\n"
                                                      "Morgens den    04.03.2024 Z=08:00  Luftikon=398\r\n"
                                                      "Morgens den    05.03.2024 Z=08:00  Luftikon=420\r\n"
                                                      "Abends den      05.03.2024 Z=20:00  Luftikon=480\r\n");
    Sandbox::writeBytes(request.remarksFile, "Name:\tJ\xfcrgen\r\n\r\n   \r\nSpray <2 H\xfc"
                                             "be> & Tabletten\r\n  einger\xfc"
                                             "ckt  \r\n");
    return request;
}

ExportRequest fullJanuary2017(const Sandbox& box)
{
    ExportRequest request = common(box, QStringLiteral("2017"));
    request.month = {QStringLiteral("01"), QStringLiteral("2017"), QStringLiteral("Januar"), QStringLiteral("Anna")};
    request.dailyMeans = means({"250", "350", "450", "100", "0",   "420", "449", "350", "300", "310", "320",
                                "330", "340", "0",   "250", "200", "210", "220", "230", "240", "0",   "649",
                                "600", "610", "0",   "649", "620", "630", "0",   "0",   "505"});
    request.bestValue = 700;
    request.greenLimit = 450;
    request.redLimit = 250;
    request.curveColor = 0x00C0FFEE;
    request.brightness = 3;
    request.showValues = false;
    request.breakLineAtZero = false;
    request.currentDiaryFile = galleryFile(box, QStringLiteral("2017"), QStringLiteral("Anna_01_2017.tab"));
    request.remarksFile = galleryFile(box, QStringLiteral("2017"), QStringLiteral("Anna_01_2017.txt")); // missing
    Sandbox::writeBytes(request.currentDiaryFile, diaryHeader("Anna", "Januar 2017") +
                                                      "Morgens den    22.01.2017 Z=08:00  Luftikon=700\r\n"
                                                      "Abends den      22.01.2017 Z=20:00  Luftikon=598\r\n"
                                                      "Messung2 den 26.01.2017 Z=12:00  Luftikon=700\r\n"
                                                      "Messung3 den 26.01.2017 Z=16:00  Luftikon=598\r\n");
    return request;
}

ExportRequest february2023(const Sandbox& box)
{
    ExportRequest request = common(box, QStringLiteral("2023"));
    request.month = {QStringLiteral("02"), QStringLiteral("2023"), QStringLiteral("Februar"), QStringLiteral("Anna")};
    request.dailyMeans = means({"400", "0", "410", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0",
                                "300", "0", "0",   "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "390"});
    request.bestValue = 480;
    request.brightness = 8;
    request.showValues = true;
    request.breakLineAtZero = true;
    request.currentDiaryFile = galleryFile(box, QStringLiteral("2023"), QStringLiteral("Anna_02_2023.tab")); // missing
    request.remarksFile = galleryFile(box, QStringLiteral("2023"), QStringLiteral("Anna_02_2023.txt"));
    Sandbox::writeBytes(request.remarksFile, QByteArray()); // there, but empty
    return request;
}

void putChartScript(const Sandbox& box, const QByteArray& content)
{
    Sandbox::writeBytes(box.file(QStringLiteral("scripts/Chart.min.js")), content);
}

QByteArray goldenPage(const QString& name)
{
    QFile file(QStringLiteral(LUFTIKON_TEST_DATA "/browser/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

} // namespace luftikon::test
