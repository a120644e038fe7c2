// Arbitrary bytes as a remarks file: read as the table window and the page read it, then
// saved back as the table window saves it. Whatever a remarks file holds, the user must be
// able to save it again unchanged.
#include "diary/textfile.h"

#include <cstdint>
#include <cstdlib>

using namespace luftikon;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = splitLines(decodeCp1252(bytes));
    QByteArray saved;
    for (const QString& line : lines) {
        const auto encoded = encodeCp1252(line);
        if (!encoded)
            std::abort(); // read, but could never be saved again
        if (decodeCp1252(*encoded) != line)
            std::abort();
        saved += *encoded + "\r\n";
    }
    // Saving again changes only the line ends (a last line without one gets one).
    QByteArray expected = bytes;
    if (!expected.isEmpty() && !expected.endsWith('\n'))
        expected += '\n';
    expected.replace("\r\n", "\n");
    expected.replace("\n", "\r\n");
    if (saved != expected)
        std::abort();
    return 0;
}
