// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzles/rules/ordering.h"

#include <algorithm>
#include <thread>

namespace ordering {

static QCollator hungarian()
{
    QCollator c{QLocale(QLocale::Hungarian, QLocale::Hungary)};
    c.setCaseSensitivity(Qt::CaseInsensitive);
    return c;
}

const QCollator &collator()
{
    static const QCollator shared = hungarian();
    return shared;
}

static bool less(const QString &a, const QString &b) { return collator().compare(a, b) < 0; }

QStringList sorted(const QStringList &entries)
{
    // The game writes its lists sorted, so one pass of neighbour comparisons
    // usually finds nothing to do. For a list in no order, comparing
    // directly beats making a sort key per entry: ICU builds keys slowly.
    if (std::is_sorted(entries.begin(), entries.end(), less))
        return entries;
    QStringList result = entries;
    // A long list in no order: its halves sorted side by side, each with a
    // collator of its own (one collator is not to be shared between
    // threads), then merged, equal entries keeping their order.
    const auto half = result.begin() + result.size() / 2;
    if (result.size() < 4096 || std::thread::hardware_concurrency() < 2) {
        std::stable_sort(result.begin(), result.end(), less);
        return result;
    }
    std::thread second([&] {
        const QCollator own = hungarian();
        std::stable_sort(half, result.end(), [&](const QString &a, const QString &b) { return own.compare(a, b) < 0; });
    });
    std::stable_sort(result.begin(), half, less);
    second.join();
    std::inplace_merge(result.begin(), half, result.end(), less);
    return result;
}

qsizetype insertionIndex(const QStringList &sortedEntries, const QString &entry)
{
    const auto at = std::upper_bound(sortedEntries.begin(), sortedEntries.end(), entry, less);
    return at - sortedEntries.begin();
}

} // namespace ordering
