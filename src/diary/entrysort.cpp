#include "diary/entrysort.h"

#include "diary/entryline.h"
#include "diary/slots.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <vector>

namespace luftikon {

QString entrySortKey(const QString& line)
{
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        const SlotInfo* info = slotInfo(slot);
        // The prefix without its last blank.
        if (line.contains(info->entryPrefix.chopped(1)))
            return dayTextOf(line) + QLatin1Char(info->sortLetter) + line;
    }
    return line;
}

QStringList sortEntries(const QStringList& lines)
{
    QCollator collator{QLocale(QLocale::German, QLocale::Germany)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);

    struct Item {
        QCollatorSortKey key;
        qsizetype index;
    };
    std::vector<Item> items;
    items.reserve(static_cast<std::size_t>(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i)
        items.push_back({collator.sortKey(entrySortKey(lines.at(i))), i});
    std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.key.compare(b.key) < 0; });

    QStringList sorted;
    sorted.reserve(lines.size());
    // Lines kept from the run of keys that compare equal to the current one.
    std::vector<qsizetype> keptInRun;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0 && items[i].key.compare(items[runStart].key) != 0) {
            runStart = i;
            keptInRun.clear();
        }
        const QString& line = lines.at(items[i].index);
        // The collation also treats some control characters as nothing; only a difference
        // in letter case may make two readings one.
        const bool duplicate = std::any_of(keptInRun.begin(), keptInRun.end(), [&](qsizetype kept) {
            return lines.at(kept).compare(line, Qt::CaseInsensitive) == 0;
        });
        if (!duplicate) {
            keptInRun.push_back(items[i].index);
            sorted << line;
        }
    }
    return sorted;
}

} // namespace luftikon
