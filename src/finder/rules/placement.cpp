// SPDX-License-Identifier: GPL-3.0-or-later
#include "finder/rules/placement.h"

#include <algorithm>

namespace finder {

Placement place(const QStringList &words, std::vector<UpperTile> upper, std::vector<bool> lowerTaken,
                std::vector<Swap> swaps)
{
    Placement placement;
    // Each letter from the leftmost tile bearing it.
    std::sort(upper.begin(), upper.end(), [](const UpperTile &a, const UpperTile &b) { return a.slot < b.slot; });
    std::vector<bool> used(upper.size(), false);
    const auto take = [&](const auto &bears) {
        for (size_t i = 0; i < upper.size(); ++i)
            if (!used[i] && bears(upper[i].letter)) {
                used[i] = true;
                return int(i);
            }
        return -1;
    };
    // The letters every tile bears exactly go first, so that a stand-in
    // tile never takes the place of a tile bearing the letter itself.
    std::vector<std::vector<int>> tilesOf(size_t(words.size()));
    for (qsizetype w = 0; w < words.size(); ++w)
        for (const QChar ch : words[w].toUpper()) {
            const int i = take([&](const QString &letter) { return letter == QString(ch); });
            tilesOf[size_t(w)].push_back(i < 0 ? -1 : upper[size_t(i)].tile);
        }
    const int usable = int(lowerTaken.size());
    for (qsizetype w = 0; w < words.size(); ++w) {
        const QString letters = words[w].toUpper();
        std::vector<int> &tiles = tilesOf[size_t(w)];
        for (qsizetype k = 0; k < letters.size(); ++k) {
            if (tiles[size_t(k)] >= 0)
                continue;
            // A tile that stands for this letter, as the result allows.
            const int letter = letterIndex(letters[k].unicode());
            const auto swap = std::find_if(swaps.begin(), swaps.end(), [&](const Swap &s) { return s.letter == letter; });
            const int i = swap == swaps.end() ? -1 : take([&](const QString &tile) {
                return !tile.isEmpty() && letterIndex(tile.front().unicode()) == swap->tile;
            });
            if (i < 0)
                return {{}, QStringLiteral("Nincs elég %1 betű a felső sorban.").arg(letters[k])};
            swaps.erase(swap);
            tiles[size_t(k)] = upper[size_t(i)].tile;
        }
        const int length = int(tiles.size());
        const auto freeAt = [&](int k) { return k < 0 || k >= usable || !lowerTaken[size_t(k)]; };
        int start = -1;
        for (int s = 0; s + length <= usable && start < 0; ++s) {
            bool fits = freeAt(s - 1) && freeAt(s + length);
            for (int k = s; k < s + length && fits; ++k)
                fits = !lowerTaken[size_t(k)];
            if (fits)
                start = s;
        }
        if (start < 0)
            return {{}, QStringLiteral("Nem fér el az alsó sorban.")};
        for (int k = 0; k < length; ++k) {
            lowerTaken[size_t(start + k)] = true;
            placement.moves.push_back({tiles[size_t(k)], start + k});
        }
    }
    return placement;
}

} // namespace finder
