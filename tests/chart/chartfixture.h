#pragma once
// A chart drawn headless: the installed templates and pins, settings from a map, messages
// recorded, diaries written into a sandbox.

#include "chart/ui/chartdrawing.h"
#include "diary/entryline.h"
#include "diary/textfile.h"
#include "support/sandbox.h"

#include <QMap>
#include <QStringList>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace luftikon::test {

inline QString resource(const char* name)
{
    return QStringLiteral(LUFTIKON_RESOURCE_DIR "/") + QLatin1String(name);
}

inline QImage bgrPicture(const QString& path)
{
    QImage img(path);
    EXPECT_FALSE(img.isNull()) << path.toStdString();
    return img.convertToFormat(QImage::Format_BGR888);
}

struct Reading {
    const char* slot; // "Morgens", "Messung2" … "Abends"
    int day;
    const char* value;
};

// A diary as the writer lays it out: header, layout lines, limits, then the readings.
inline QStringList diaryLines(int month, int year, const std::vector<Reading>& readings, bool eight = false,
                              const QString& user = QStringLiteral("Muster"))
{
    QStringList lines{QStringLiteral("[Personendaten]"),
                      QStringLiteral("BenutzerName=") + user,
                      QStringLiteral("Datum=März ") + QString::number(year),
                      QString(),
                      QStringLiteral("BisZu8MessungenJeTag=") + (eight ? u'1' : u'0'),
                      QStringLiteral("BisZu4MessungenJeTag=") + (eight ? u'0' : u'1'),
                      QString(),
                      QStringLiteral("GrenzwertGruen>=500"),
                      QStringLiteral("GrenzwertRot<=200"),
                      QString()};
    for (const Reading& r : readings)
        lines << composeEntryLine(QLatin1String(r.slot) + QStringLiteral(" den "),
                                  QStringLiteral("%1").arg(r.day, 2, 10, QLatin1Char('0')), QString::number(month),
                                  QString::number(year), QStringLiteral("08:00"), QLatin1String(r.value));
    return lines;
}

class ChartFixture : public ::testing::Test {
protected:
    Sandbox box;
    AppState state;
    QImage picture;
    QMap<QString, QString> settings{{QStringLiteral("StiftBreite"), QStringLiteral("2")},
                                    {QStringLiteral("Messung4UhrzeitMorgens"), QStringLiteral("08:00")},
                                    {QStringLiteral("Messung8UhrzeitMorgens"), QStringLiteral("06:00")}};
    std::vector<std::pair<MessageKind, QString>> messages;
    QString title;
    int windowWidth = 796;
    ChartDrawing chart{state, picture};

    ChartFixture()
    {
        state.templatePictureFile = resource("Vorlag4M.bmp");
        state.curveColor = 0xA00000; // blue 160
        chart.setEnvironment({
            [this](const QString& name) { return settings.value(name); },
            [this](MessageKind kind, const QString& text) { messages.emplace_back(kind, text); },
            [this](const QString& t) { title = t; },
            [this] { return windowWidth; },
        });
        chart.setPinPictures({QImage(resource("StecknadelRechts.bmp")), QImage(resource("StecknadelLinks.bmp"))});
    }

    void useEightSlots()
    {
        state.fourSlotMark = false;
        state.eightSlotMark = true;
        state.templatePictureFile = resource("Vorlag8M.bmp");
    }

    QString writeDiary(const QStringList& lines, const QString& name = QStringLiteral("Muster_3_2024.tab"))
    {
        const QString path = box.file(name);
        const WriteResult written = writeTextLines(path, lines);
        EXPECT_TRUE(written.ok) << written.error.toStdString();
        return path;
    }

    DiaryFile drawn; // what the last draw() read

    // Draws and gives the picture; the drawing must succeed without a word to the user.
    QImage draw(const QStringList& lines)
    {
        state.zonesPainted = false;
        drawn = chart.GrafikZeichnen(writeDiary(lines));
        EXPECT_TRUE(drawn.ok);
        EXPECT_TRUE(messages.empty()) << messages.front().second.toStdString();
        return picture.copy();
    }
};

inline QColor at(const QImage& img, int x, int y)
{
    return img.pixelColor(x, y);
}

} // namespace luftikon::test
