#include "puzzles/rules/ordering.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace ordering {

const QCollator &collator()
{
    static const QCollator hungarian = [] {
        QCollator c{QLocale(QLocale::Hungarian, QLocale::Hungary)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return hungarian;
}

QStringList sorted(const QStringList &entries)
{
    // One sort key per entry is far cheaper than collating every comparison.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(size_t(entries.size()));
    for (const QString &e : entries)
        keys.push_back(collator().sortKey(e));
    std::vector<qsizetype> order(size_t(entries.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&keys](qsizetype a, qsizetype b) { return keys[size_t(a)].compare(keys[size_t(b)]) < 0; });
    QStringList result;
    result.reserve(entries.size());
    for (qsizetype i : order)
        result << entries[i];
    return result;
}

qsizetype insertionIndex(const QStringList &sortedEntries, const QString &entry)
{
    const auto at = std::upper_bound(sortedEntries.begin(), sortedEntries.end(), entry,
                                     [](const QString &a, const QString &b) { return collator().compare(a, b) < 0; });
    return at - sortedEntries.begin();
}

} // namespace ordering
