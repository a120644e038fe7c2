// Arbitrary bytes as an archive to restore from, and its manifest: the reader either refuses the
// archive with a message or gives files that are all safe to place and match the manifest, so
// writing them back gives the same manifest.
#include "archive/archivefile.h"
#include "archive/datafolderarchive.h"

#include <cstdint>
#include <cstdlib>

using namespace luftikon;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ArchiveContent content = readArchive(bytes);
    if (!content.ok) {
        if (content.error.isEmpty() || !content.files.isEmpty())
            std::abort();
        return 0;
    }
    for (const ArchivedFile& file : content.files) {
        if (!archivePathProblem(file.path).isEmpty() || file.path == ManifestName)
            std::abort();
    }
    const auto again = composeArchive(content.files, ArchiveFormat::Zip, nullptr);
    if (!again)
        std::abort();
    const ArchiveContent reread = readArchive(*again);
    if (!reread.ok || composeManifest(reread.files) != composeManifest(content.files))
        std::abort();
    // Planning never places a file outside the folders it is given.
    const RestorePlan plan = planRestore(content.files, {QStringLiteral("/nirgends/G/"), QStringLiteral("/nirgends/B/"),
                                                         QStringLiteral("/nirgends/c.conf")});
    for (const PlannedFile& planned : plan.files) {
        if (!planned.target.startsWith(QStringLiteral("/nirgends/")) || planned.target.contains(QStringLiteral("/../")))
            std::abort();
    }
    return 0;
}
