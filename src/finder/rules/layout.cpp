#include "finder/rules/layout.h"

#include <algorithm>

namespace finder {

Layout layOut(const QStringList &words, std::vector<UpperTile> upper, std::vector<bool> lowerTaken)
{
    Layout layout;
    // Each letter from the leftmost tile bearing it.
    std::sort(upper.begin(), upper.end(), [](const UpperTile &a, const UpperTile &b) { return a.slot < b.slot; });
    std::vector<bool> used(upper.size(), false);
    const int usable = int(lowerTaken.size());
    for (const QString &word : words) {
        const QString letters = word.toUpper();
        std::vector<int> tiles;
        for (const QChar ch : letters) {
            size_t i = 0;
            while (i < upper.size() && (used[i] || upper[i].letter != QString(ch)))
                ++i;
            if (i == upper.size())
                return {{}, QStringLiteral("Nincs elég %1 betű a felső sorban.").arg(ch)};
            used[i] = true;
            tiles.push_back(upper[i].tile);
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
            layout.moves.push_back({tiles[size_t(k)], start + k});
        }
    }
    return layout;
}

} // namespace finder
