// Arbitrary bytes as a diary file through the one diary reader, its header lookups and the
// save step's composition: whatever a diary holds, saving it again keeps every reading line
// and the next start reads the same readings and month back; the opener's note names every
// reading whose date cannot be read.
#include "diary/diaryfile.h"
#include "diary/diarywriter.h"
#include "diary/iniheader.h"
#include "diary/openingnote.h"
#include "diary/textfile.h"

#include <array>
#include <cstdint>
#include <cstdlib>

using namespace luftikon;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::array<QString, 4> names = {QStringLiteral("/d/2024/Muster_3_2024.tab"),
                                                 QStringLiteral("/d/2024/Muster_03_2024.TAB"),
                                                 QStringLiteral("/d/Muster.tab"), QStringLiteral("/d/_1_9999.tab")};
    if (size < 1)
        return 0;
    const QString path = names[data[0] % names.size()];
    const QStringList lines =
        splitLines(decodeCp1252(QByteArray(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1))));
    const DiaryFile diary = diaryOf(lines, path);
    const QStringList entries = diary.entryLines();
    for (const QString& entry : entries) {
        if (entry.isEmpty() || (entry[0] != u'M' && entry[0] != u'A'))
            std::abort();
    }
    if (diary.month.isEmpty() != diary.year.isEmpty())
        std::abort();
    const QStringList undated = undatedReadings(diary);
    for (const QString& line : undated) {
        if (!entries.contains(line))
            std::abort();
    }
    if (!undated.isEmpty() && openingNote(diary).isEmpty())
        std::abort();

    DiaryHeader header;
    header.userName = readHeaderValue(diary.lines, QStringLiteral("BenutzerName"), QString());
    header.listMonth = diary.month;
    header.listYear = diary.year;
    header.margins = {readHeaderValue(diary.lines, QStringLiteral("DruckenTabellenRandLeft"), QStringLiteral("10")),
                      readHeaderValue(diary.lines, QStringLiteral("DruckenTabellenRandRight"), QStringLiteral("5")),
                      readHeaderValue(diary.lines, QStringLiteral("DruckenTabellenRandTop"), QStringLiteral("10")),
                      readHeaderValue(diary.lines, QStringLiteral("DruckenTabellenRandBottom"), QStringLiteral("10"))};
    header.slotMode = readHeaderValue(diary.lines, QStringLiteral("BisZu8MessungenJeTag"), QString()).contains(u'1')
                          ? SlotMode::Eight
                          : SlotMode::Four;
    const QStringList saved = composeDiaryLines(header, entries);
    const DiaryFile again = diaryOf(saved, path);
    if (again.entryLines() != entries || again.month != diary.month || again.year != diary.year)
        std::abort();
    return 0;
}
