// Arbitrary diary lines through every line reader: taking apart, sort key, sort, means,
// next-slot proposal and best value. Nothing may crash, and the sort may drop only lines
// that equal a kept one but for letter case.
#include "diary/entryline.h"
#include "diary/entrysort.h"
#include "diary/means.h"
#include "diary/slots.h"
#include "diary/textfile.h"

#include <cstdlib>

using namespace luftikon;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = decodeCp1252(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const QStringList lines = splitLines(text);

    QList<DiaryEntry> readings;
    for (const QString& line : lines) {
        const DiaryEntry entry = parseEntryLine(line);
        if (entry.dayNumber < 0 || entry.dayNumber > 31)
            std::abort();
        (void)entrySortKey(line);
        (void)nextSlotProposal(line, line.size() % 2 == 0, entry.slot);
        readings << entry;
    }
    for (const QString& mean : dailyMeansOf(readings)) {
        bool ok = false;
        (void)mean.toLongLong(&ok);
        if (!ok)
            std::abort();
    }
    const BestValue best = bestValueOf(readings);
    if (best.value < 0 || (best.value == 0) != (best.index < 0))
        std::abort();

    const QStringList sorted = sortEntries(lines);
    if (sorted.size() > lines.size())
        std::abort();
    for (const QString& line : lines) {
        bool kept = false;
        for (const QString& other : sorted) {
            if (other.compare(line, Qt::CaseInsensitive) == 0) {
                kept = true;
                break;
            }
        }
        if (!kept)
            std::abort();
    }
    return 0;
}
