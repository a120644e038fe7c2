#pragma once
// Four months of Erika Beispiel worked out by hand, November 2024 to February 2025: a four-slot
// month under 400/250, no diary for December, an unreadable January, an eight-slot February
// under 500/300 whose lines stand out of order.

#include "diary/textfile.h"
#include "support/diarylines.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace luftikon::test {

inline const QString erika = QStringLiteral("Erika Beispiel");

inline void writeDiary(const QString& path, const QStringList& lines)
{
    QDir().mkpath(QFileInfo(path).path());
    ASSERT_TRUE(writeTextLines(path, lines).ok) << path.toStdString();
}

// `gallery` ends in "/".
inline void writeErikasMonths(const QString& gallery)
{
    const QString evening = QStringLiteral("19:30");
    writeDiary(gallery + QStringLiteral("2024/Erika Beispiel_11_2024.tab"),
               diaryHead(erika, QStringLiteral("November 2024"), false, 400, 250) +
                   QStringList{reading("Morgens", 1, 300, 11, 2024), reading("Abends", 1, 420, 11, 2024, evening),
                               reading("Morgens", 2, 380, 11, 2024), reading("Messung2", 2, 400, 11, 2024),
                               reading("Abends", 2, 410, 11, 2024, evening), reading("Morgens", 30, 260, 11, 2024)});
    // A folder where January's diary belongs: the file is there but cannot be read.
    QDir().mkpath(gallery + QStringLiteral("2025/Erika Beispiel_1_2025.tab"));
    writeDiary(gallery + QStringLiteral("2025/Erika Beispiel_2_2025.tab"),
               diaryHead(erika, QStringLiteral("Februar 2025"), true, 500, 300) +
                   QStringList{reading("Abends", 28, 350, 2, 2025, evening), reading("Morgens", 28, 280, 2, 2025),
                               reading("Abends", 3, 480, 2, 2025, evening), reading("Messung5", 3, 520, 2, 2025),
                               reading("Messung3", 3, "abc", 2, 2025), reading("Morgens", 3, 450, 2, 2025)});
}

} // namespace luftikon::test
