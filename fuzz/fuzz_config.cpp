// Arbitrary bytes as the settings file: the start's repair, every accessor on every value
// name, then writes, which must land even in a damaged file.
#include "config/configstore.h"
#include "config/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // QSettings reads only from a path: the file lives in memory-backed /dev/shm where there is one.
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/fuzz_config-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/fuzz_config-XXXXXX"));
    static const QStringList names = luftikon::ConfigStore::valueNames() << QStringLiteral("Unbekannt");
    static unsigned round = 0;
    // A new name each round: Qt keeps parsed settings files in memory, keyed by name, size and time.
    const QString path = dir.filePath(QStringLiteral("Luftikon-%1.conf").arg(round++));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    int reports = 0;
    luftikon::ConfigStore store(path, [&](luftikon::MessageKind, const QString& text) {
        ++reports;
        if (text.isEmpty())
            std::abort(); // a report must say something
    });
    const luftikon::SettingsRepair repair = store.repairAtStart(dir.path() + u'/', dir.path() + u'/');
    if (!repair.keptCopy.isEmpty() && repair.message.isEmpty())
        std::abort(); // a damaged file is never mended silently
    // A mended file reads cleanly, each value with its own type, and gives the typed settings.
    luftikon::Settings settings = luftikon::Settings::load(store);
    if (!repair.keptCopy.isEmpty() && reports > 0)
        std::abort();
    for (const QString& name : names) {
        (void)store.text(name);
        (void)store.integerText(name);
    }
    settings.setLastDiaryFile(QStringLiteral("/a/b.tab"));
    settings.setBreakLineAtZero(false);
    const QString back = store.text(QStringLiteral("TabellenDateiName"));
    if (back != QStringLiteral("/a/b.tab"))
        std::abort(); // a damaged file must still take new values
    store.deleteAll();
    if (!repair.keptCopy.isEmpty())
        QFile::remove(repair.keptCopy);
    return 0;
}
