// SPDX-License-Identifier: GPL-3.0-or-later
#include "finder/rules/alphabet.h"

#include <QList>
#include <QString>
#include <array>

namespace finder {

static constexpr char32_t Accented[] = {U'á', U'é', U'í', U'ó', U'ö', U'ő', U'ú', U'ü', U'ű'};

int letterIndex(char32_t ch)
{
    if (ch >= U'a' && ch <= U'z')
        return int(ch - U'a');
    if (ch >= U'A' && ch <= U'Z')
        return int(ch - U'A');
    const char32_t lower = QChar::toLower(ch);
    for (int i = 0; i < 9; ++i)
        if (Accented[i] == lower)
            return 26 + i;
    return -1;
}

char32_t letterAt(int index) { return index < 26 ? U'a' + char32_t(index) : Accented[index - 26]; }

Counts countLetters(QStringView text)
{
    Counts counts;
    for (const char32_t ch : text.toString().normalized(QString::NormalizationForm_C).toUcs4())
        if (const int k = letterIndex(ch); k >= 0)
            counts.add(k);
    return counts;
}

int foldLetter(int letter, Relax level)
{
    // Indexes: a–z 0–25, then á 26, é 27, í 28, ó 29, ö 30, ő 31, ú 32, ü 33, ű 34.
    static constexpr std::array<std::array<int8_t, Letters>, RelaxLevels> Folds = [] {
        std::array<std::array<int8_t, Letters>, RelaxLevels> folds{};
        for (auto &f : folds)
            for (int k = 0; k < Letters; ++k)
                f[size_t(k)] = int8_t(k);
        const auto alike = [&](int from, int level, int to) {
            for (int l = level; l < RelaxLevels; ++l)
                folds[size_t(l)][size_t(from)] = int8_t(to);
        };
        constexpr int a = 0, e = 4, i = 8, o = 14, u = 20, v = 21, w = 22, y = 24;
        constexpr int aa = 26, ee = 27, ii = 28, oo = 29, oe = 30, ooe = 31, uu = 32, ue = 33, uue = 34;
        alike(aa, 1, a);
        alike(ee, 1, e);
        alike(ii, 1, i);
        alike(oo, 1, o);
        alike(uu, 1, u);
        alike(ooe, 1, oe); // ő as ö, then as o with every accent off
        alike(uue, 1, ue);
        alike(oe, 2, o);
        alike(ooe, 2, o);
        alike(ue, 2, u);
        alike(uue, 2, u);
        alike(y, 3, i);
        alike(w, 3, v);
        return folds;
    }();
    return Folds[size_t(level)][size_t(letter)];
}

Counts fold(const Counts &letters, Relax level)
{
    if (level == Relax::Exact)
        return letters;
    Counts folded;
    for (uint64_t m = letters.mask; m; m &= m - 1) {
        const int k = std::countr_zero(m);
        const int to = foldLetter(k, level);
        folded.n[size_t(to)] = uint8_t(folded.n[size_t(to)] + letters.n[size_t(k)]);
        folded.mask |= uint64_t(1) << to;
    }
    folded.n[Counts::Total] = letters.n[Counts::Total];
    return folded;
}

} // namespace finder
