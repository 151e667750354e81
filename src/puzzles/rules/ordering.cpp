#include "puzzles/rules/ordering.h"

#include <algorithm>

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

static bool less(const QString &a, const QString &b) { return collator().compare(a, b) < 0; }

QStringList sorted(const QStringList &entries)
{
    // The game writes its lists sorted, so one pass of neighbour comparisons
    // usually finds nothing to do. For a list in no order, comparing
    // directly beats making a sort key per entry: ICU builds keys slowly.
    if (std::is_sorted(entries.begin(), entries.end(), less))
        return entries;
    QStringList result = entries;
    std::stable_sort(result.begin(), result.end(), less);
    return result;
}

qsizetype insertionIndex(const QStringList &sortedEntries, const QString &entry)
{
    const auto at = std::upper_bound(sortedEntries.begin(), sortedEntries.end(), entry, less);
    return at - sortedEntries.begin();
}

} // namespace ordering
