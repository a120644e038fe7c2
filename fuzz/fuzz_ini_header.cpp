// Arbitrary diary files through the header lookup and the in-place writer. A write that
// succeeds must be readable back; a write that fails must leave the file as it was.
#include "diary/entryline.h"
#include "diary/iniheader.h"
#include "diary/textfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <cstdlib>

using namespace luftikon;

namespace {

const std::array<const char*, 6> keys = {"GrenzwertGruen>",      "GrenzwertRot<",           "BenutzerName",
                                         "BisZu4MessungenJeTag", "DruckenTabellenRandLeft", "Datum"};

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    return file.readAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir;
    if (size < 2)
        return 0;
    const QString key = QLatin1String(keys[data[0] % keys.size()]);
    const std::size_t valueLength = std::min<std::size_t>(data[1] % 32, size - 2);
    const QByteArray valueBytes(reinterpret_cast<const char*>(data + 2), static_cast<qsizetype>(valueLength));
    const QByteArray content(reinterpret_cast<const char*>(data + 2 + valueLength),
                             static_cast<qsizetype>(size - 2 - valueLength));
    const QString value = decodeCp1252(valueBytes);

    const QStringList lines = splitLines(decodeCp1252(content));
    for (const char* name : keys) {
        if (readHeaderValue(lines, QLatin1String(name), QStringLiteral("x")).size() > MaxIniValueLength)
            std::abort();
    }

    const QString path = dir.filePath(QStringLiteral("fuzz.tab"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
            std::abort();
    }
    const WriteResult result = writeHeaderValue(path, key, value);
    if (result.ok) {
        if (readHeaderValue(path, key, QStringLiteral("fehlt")) != trimBlanks(value).left(MaxIniValueLength))
            std::abort();
    }
    else if (fileBytes(path) != content || result.error.isEmpty()) {
        std::abort();
    }
    return 0;
}
