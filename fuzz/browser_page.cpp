// The browser page from arbitrary diary and remarks text and arbitrary day values: it must
// never crash, and text from the files must never reach the page as markup.
#include "browser/htmlpage.h"
#include "diary/diaryfile.h"
#include "diary/textfile.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace luftikon;
    const QStringList lines =
        splitLines(decodeCp1252(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))));

    // Layout of an input: month, year, user name, 31 day values, then diary lines up to a
    // line "---", then remarks lines.
    PageInput in;
    qsizetype at = 0;
    auto next = [&]() { return at < lines.size() ? lines[at++] : QString(); };
    in.month = {next(), next(), QStringLiteral("März"), next()};
    for (QString& day : in.dailyMeans)
        day = next();
    const qsizetype split = lines.indexOf(QStringLiteral("---"), at);
    in.readings = diaryOf(lines.mid(at, split < 0 ? -1 : split - at), QString()).readings;
    if (split >= 0)
        in.remarksLines = lines.mid(split + 1);
    in.bestValue = static_cast<int>(size);
    // Extreme limits from a hand-edited header must not overflow their neighbours.
    in.greenLimit = size > 0 ? static_cast<std::int32_t>(std::uint32_t{data[0]} << 24) : 500;
    in.redLimit = ~in.greenLimit;
    in.brightness = size > 1 ? static_cast<int>(data[1]) - 128 : 8;
    in.breakLineAtZero = size % 2 == 0;
    in.showValues = size % 3 == 0;

    const QStringList page = buildPage(in);
    const qsizetype end = page.indexOf(QStringLiteral("});};</script></body></html>"));
    if (end < 0)
        __builtin_trap();
    // After the script block only the remarks header and escaped remarks lines may follow.
    for (qsizetype i = end + 1; i < page.size(); ++i) {
        const QString& line = page[i];
        if (i == end + 1) {
            if (line != QStringLiteral("<h2><u>Ihre Angaben:</u><br><h2><div>"))
                __builtin_trap();
        }
        else if (!line.endsWith(QStringLiteral(" <br>")) || line.chopped(5).contains(QLatin1Char('<')) ||
                 line.chopped(5).contains(QLatin1Char('>'))) {
            __builtin_trap();
        }
    }
    // The title and the best-value line keep exactly their own tags.
    if (page[5].count(QLatin1Char('<')) != 4 || page[7].count(QLatin1Char('<')) != 6)
        __builtin_trap();
    return 0;
}
