// Arbitrary bytes as the settings file, then every accessor on every value name.
#include "config/configstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Settings writes wait for the disk; memory-backed storage keeps the fuzzer fast.
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/fuzz_config-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/fuzz_config-XXXXXX"));
    static const QStringList names = luftikon::ConfigStore::valueNames() << QStringLiteral("Unbekannt");
    static int round = 0;
    // A new name each round: Qt keeps parsed settings files in memory, keyed by name, size and time.
    const QString path = dir.filePath(QStringLiteral("%1/Luftikon.conf").arg(round++));
    QDir().mkpath(QFileInfo(path).absolutePath());
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    luftikon::ConfigStore store(path, [](luftikon::MessageKind, const QString& text) {
        if (text.isEmpty())
            std::abort(); // a report must say something
    });
    for (const QString& name : names) {
        (void)store.Lies_String_aus_Registry(name);
        (void)store.Lies_Integer_aus_Registry(name);
    }
    store.Schreib_String_in_Registry(QStringLiteral("TabellenDateiName"), QStringLiteral("/a/b.tab"));
    store.Schreib_Integer_in_Registry(QStringLiteral("LinieBeiNullUnterbrechen"), QStringLiteral("0"));
    const QString back = store.Lies_String_aus_Registry(QStringLiteral("TabellenDateiName"));
    if (back != QStringLiteral("/a/b.tab"))
        std::abort(); // a damaged file must still take new values
    store.deleteAll();
    QDir().rmdir(QFileInfo(path).absolutePath());
    return 0;
}
