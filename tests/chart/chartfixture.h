#pragma once
// The chart drawn headless from the installed templates and pins.

#include "chart/scales.h"
#include "chart/ui/chartdrawing.h"
#include "diary/textfile.h"
#include "support/diarylines.h"
#include "support/sandbox.h"

#include <QStringList>
#include <cstring>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace luftikon::test {

inline QString resource(const char* name)
{
    return installedResources + QLatin1String(name);
}

inline QImage bgrPicture(const QString& path)
{
    QImage img(path);
    EXPECT_FALSE(img.isNull()) << path.toStdString();
    return img.convertToFormat(QImage::Format_BGR888);
}

inline bool sameBytes(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.format() != b.format())
        return false;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), size_t(a.width()) * 3) != 0)
            return false;
    return true;
}

// Muster's March 2024 diary with limits 500/200 and `readings`.
inline QStringList march(const QStringList& readings, bool eightSlots = false)
{
    return diaryHead(QStringLiteral("Muster"), QStringLiteral("März 2024"), eightSlots, 500, 200) + readings;
}

class ChartFixture : public ::testing::Test {
protected:
    Sandbox box;
    AppState state;
    QImage picture;
    QHash<QString, QString> stored{{QStringLiteral("StiftBreite"), QStringLiteral("2")},
                                   {QStringLiteral("Messung4UhrzeitMorgens"), QStringLiteral("08:00")},
                                   {QStringLiteral("Messung8UhrzeitMorgens"), QStringLiteral("06:00")}};
    Settings settings{stored};
    std::vector<std::pair<MessageKind, QString>> messages;
    CurrentMonth month;
    ChartDrawing chart{state, picture};

    ChartFixture()
    {
        state.templatePictureFile = resource("Vorlag4M.bmp");
        state.curveColor = 0xA00000; // blue 160
        chart.setEnvironment({
            &settings,
            [this](MessageKind kind, const QString& text) { messages.emplace_back(kind, text); },
        });
        chart.setPinPictures({QImage(resource("StecknadelRechts.bmp")), QImage(resource("StecknadelLinks.bmp"))});
    }

    void useEightSlots() { state.templatePictureFile = resource("Vorlag8M.bmp"); }

    QString writeDiary(const QStringList& lines, const QString& name = QStringLiteral("Muster_3_2024.tab"))
    {
        const QString path = box.file(name);
        EXPECT_TRUE(writeTextLines(path, lines).ok);
        return path;
    }

    // Opens the diary at `path` and draws it; false when the template could not be loaded.
    bool drawFile(const QString& path)
    {
        month.open(path);
        return chart.draw(month);
    }

    // Draws and gives the picture; the drawing must succeed without a word to the user.
    QImage draw(const QStringList& lines)
    {
        EXPECT_TRUE(drawFile(writeDiary(lines)));
        EXPECT_TRUE(messages.empty()) << messages.front().second.toStdString();
        return picture.copy();
    }
};

} // namespace luftikon::test
