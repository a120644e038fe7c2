#include "archive/libarchive.h"

#include <QLibrary>
#include <atomic>
#include <mutex>

namespace luftikon {

namespace {

std::atomic<bool> loaded{false};

} // namespace

std::optional<LibArchive> loadLibArchive(const QString& file, QString* error)
{
    const auto cannot = [&](const QString& why) -> std::optional<LibArchive> {
        if (error)
            *error = QStringLiteral("Für Sicherungen wird die Programmbibliothek \"%1\" gebraucht (Paket "
                                    "libarchive13); sie kann nicht geladen werden. %2")
                         .arg(file, why);
        return std::nullopt;
    };
    // The library stays loaded when this object ends; the functions point into it.
    QLibrary library(file);
    if (!library.load())
        return cannot(library.errorString());
    LibArchive functions;
#define LUFTIKON_LIBARCHIVE_RESOLVE(name)                                                                              \
    functions.name = reinterpret_cast<decltype(&::name)>(library.resolve(#name));                                      \
    if (!functions.name)                                                                                               \
        return cannot(QStringLiteral("Ihr fehlt die Funktion %1.").arg(QLatin1String(#name)));
    LUFTIKON_LIBARCHIVE_FUNCTIONS(LUFTIKON_LIBARCHIVE_RESOLVE)
#undef LUFTIKON_LIBARCHIVE_RESOLVE
    return functions;
}

const LibArchive* libArchive(QString* error)
{
    static std::mutex mutex;
    static std::optional<LibArchive> functions;
    static QString reason;
    const std::lock_guard lock(mutex);
    // A library that failed once is tried again: it may have been installed in the meantime.
    if (!functions) {
        functions = loadLibArchive(QStringLiteral("libarchive.so.13"), &reason);
        loaded = functions.has_value();
    }
    if (!functions && error)
        *error = reason;
    return functions ? &*functions : nullptr;
}

bool libArchiveLoaded()
{
    return loaded;
}

} // namespace luftikon
