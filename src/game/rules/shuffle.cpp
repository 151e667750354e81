// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/rules/shuffle.h"

#include <algorithm>
#include <numeric>

namespace shuffle {

std::vector<int> order(const QStringList &letters, QRandomGenerator &random)
{
    std::vector<int> order(size_t(letters.size()));
    std::iota(order.begin(), order.end(), 0);
    const bool canChange = std::any_of(letters.begin(), letters.end(), [&](const QString &l) { return l != letters.front(); });
    if (!canChange)
        return order;
    const auto reads = [&] {
        QStringList shuffled = letters;
        for (size_t i = 0; i < order.size(); ++i)
            shuffled[order[i]] = letters[qsizetype(i)];
        return shuffled;
    };
    // A random order reads as before only by chance, at worst one time in
    // two (two different letters), so a few draws settle it.
    do {
        for (size_t i = order.size() - 1; i > 0; --i)
            std::swap(order[i], order[size_t(random.bounded(quint32(i + 1)))]);
    } while (reads() == letters);
    return order;
}

} // namespace shuffle
