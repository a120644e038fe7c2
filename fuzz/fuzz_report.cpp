// Arbitrary diary lines through the month's figures, their texts and the CSV file: nothing may
// crash, every entry line is either counted or reported as not counted, the zones add up, the
// weeks cover the month without a gap, and the CSV holds one line per entry line.
#include "diary/diaryfile.h"
#include "diary/entryline.h"
#include "diary/textfile.h"
#include "report/figuretexts.h"
#include "report/monthfigures.h"
#include "report/readingscsv.h"

#include <cstdlib>

using namespace luftikon;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // Limits from the input too, so odd pairs (red above green, negative) are tried.
    const int green = size > 0 ? int(data[0]) * 4 - 100 : 500;
    const int red = size > 1 ? int(data[1]) * 4 - 100 : 200;

    const DiaryFile diary = diaryOf(splitLines(decodeCp1252(bytes)), QStringLiteral("/g/2024/Name_5_2024.tab"));
    const QList<DiaryEntry>& entries = diary.readings;
    const DiaryMonth month = diaryMonthOf(diary.month, diary.year);
    const MonthFigures f = monthFiguresOf(entries, month, green, red);
    if (f.readingCount + f.uncountedLines != entries.size())
        std::abort();
    if (f.zones.green + f.zones.yellow + f.zones.red != f.readingCount)
        std::abort();
    if (f.daysWithReadings + f.daysWithout != f.daysInMonth || f.daysWithout < 0)
        std::abort();
    int nextDay = 1;
    for (const WeekFigures& week : f.weeks) {
        if (week.firstDay != nextDay || week.lastDay < week.firstDay)
            std::abort();
        nextDay = week.lastDay + 1;
    }
    if (!f.weeks.empty() && nextDay != f.daysInMonth + 1)
        std::abort();
    (void)monthFigureLines(f);
    (void)weekRows(f);
    (void)formulaLines(f);

    const QByteArray csv = readingsCsv(entries, green, red);
    // Valid UTF-8 after the byte-order mark (which fromUtf8 would drop).
    const QByteArray body = csv.mid(3);
    if (!csv.startsWith("\xEF\xBB\xBF") || QString::fromUtf8(body).toUtf8() != body)
        std::abort();
    // Entry lines hold no LF and a lone CR stays inside a quoted field: one CR LF per line.
    if (csv.count("\r\n") != entries.size() + 1)
        std::abort();
    return 0;
}
