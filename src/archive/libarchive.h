#pragma once
// libarchive, loaded when the first archive is written or read. Most sessions never touch an
// archive, and the library with the libraries it pulls in would otherwise sit in memory from the
// start.

#include <QString>
#include <optional>

#include <archive.h>
#include <archive_entry.h>

namespace luftikon {

#define LUFTIKON_LIBARCHIVE_FUNCTIONS(F)                                                                               \
    F(archive_error_string)                                                                                            \
    F(archive_write_new)                                                                                               \
    F(archive_write_free)                                                                                              \
    F(archive_write_set_format_zip)                                                                                    \
    F(archive_write_set_format_pax_restricted)                                                                         \
    F(archive_write_add_filter_gzip)                                                                                   \
    F(archive_write_open)                                                                                              \
    F(archive_write_header)                                                                                            \
    F(archive_write_data)                                                                                              \
    F(archive_write_close)                                                                                             \
    F(archive_read_new)                                                                                                \
    F(archive_read_free)                                                                                               \
    F(archive_read_support_filter_gzip)                                                                                \
    F(archive_read_support_format_zip)                                                                                 \
    F(archive_read_support_format_tar)                                                                                 \
    F(archive_read_open_memory)                                                                                        \
    F(archive_read_next_header)                                                                                        \
    F(archive_read_data)                                                                                               \
    F(archive_entry_new)                                                                                               \
    F(archive_entry_free)                                                                                              \
    F(archive_entry_set_pathname_utf8)                                                                                 \
    F(archive_entry_set_filetype)                                                                                      \
    F(archive_entry_set_perm)                                                                                          \
    F(archive_entry_set_size)                                                                                          \
    F(archive_entry_set_mtime)                                                                                         \
    F(archive_entry_pathname_utf8)                                                                                     \
    F(archive_entry_pathname)                                                                                          \
    F(archive_entry_filetype)                                                                                          \
    F(archive_entry_hardlink)                                                                                          \
    F(archive_entry_symlink)

// The functions this program uses, under their own names.
struct LibArchive {
#define LUFTIKON_LIBARCHIVE_MEMBER(name) decltype(&::name) name = nullptr;
    LUFTIKON_LIBARCHIVE_FUNCTIONS(LUFTIKON_LIBARCHIVE_MEMBER)
#undef LUFTIKON_LIBARCHIVE_MEMBER
};

// The library in `file` (a name the dynamic loader looks up, or a path) with every function
// resolved; none when it cannot be loaded or lacks one, with a German reason in `error`. A
// library once loaded stays loaded.
std::optional<LibArchive> loadLibArchive(const QString& file, QString* error);

// The system's libarchive, loaded at the first call; later calls give the same. Null when it
// cannot be loaded, with the German reason in `error`.
const LibArchive* libArchive(QString* error);

// Whether libArchive() has been called successfully in this process.
bool libArchiveLoaded();

} // namespace luftikon
