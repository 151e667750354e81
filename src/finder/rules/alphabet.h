// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's 35 letters, counted exactly: Á is never A, and Ő is never Ö or O.

#include <QStringView>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace finder {

inline constexpr int Letters = 35; // A–Z, then Á É Í Ó Ö Ő Ú Ü Ű

// The letter of a code point in either case, or -1 for anything else.
int letterIndex(char32_t ch);
// The lower-case letter of an index.
char32_t letterAt(int index);

// How many of each letter, in bytes padded to five 64-bit words so that a
// whole multiset is compared and subtracted a word at a time; the last byte
// holds the total, which then comes along. No count reaches 128, which the
// comparison needs.
struct alignas(8) Counts
{
    static constexpr int Total = 39;
    std::array<uint8_t, 40> n{};
    uint64_t mask = 0; // the letters present

    int total() const { return n[Total]; }
    uint64_t word(int i) const
    {
        uint64_t w;
        std::memcpy(&w, n.data() + 8 * i, 8);
        return w;
    }
    void setWord(int i, uint64_t w) { std::memcpy(n.data() + 8 * i, &w, 8); }
    // Adds a letter, unless that would count past the limit.
    bool add(int letter)
    {
        if (n[Total] == 127)
            return false;
        ++n[size_t(letter)];
        ++n[Total];
        mask |= uint64_t(1) << letter;
        return true;
    }
    // Whether `part` is a sub-multiset of this one.
    bool holds(const Counts &part) const
    {
        if (part.mask & ~mask)
            return false;
        // Each byte of (this | 0x80) - part keeps its top bit unless it borrowed.
        constexpr uint64_t High = 0x8080808080808080ull;
        for (int i = 0; i < 5; ++i)
            if ((((word(i) | High) - part.word(i)) & High) != High)
                return false;
        return true;
    }
    // This one less `part`, which it must hold.
    Counts minus(const Counts &part) const
    {
        Counts rest;
        // No byte borrows from its neighbour, as this one holds `part`.
        for (int i = 0; i < 5; ++i)
            rest.setWord(i, word(i) - part.word(i));
        rest.mask = mask;
        for (uint64_t m = part.mask; m; m &= m - 1) {
            const int k = std::countr_zero(m);
            if (!rest.n[size_t(k)])
                rest.mask &= ~(uint64_t(1) << k);
        }
        return rest;
    }
    // This one and `more` together; no count reaches 128.
    Counts plus(const Counts &more) const
    {
        Counts sum;
        for (int i = 0; i < 5; ++i)
            sum.setWord(i, word(i) + more.word(i));
        sum.mask = mask | more.mask;
        return sum;
    }
    bool operator==(const Counts &other) const { return n == other.n; }
};

// The letters of a text; spaces, punctuation and letters outside the game's
// are left out.
Counts countLetters(QStringView text);

// How far letters are taken as alike, as Hungarian anagram makers have
// always allowed: exactly; a long vowel as its short pair (á a, é e, í i,
// ó o, ő ö, ú u, ű ü); every accent off (ö o, ü u too); and the old
// spelling of names too, one letter for one (y i, w v). Spellings that
// change the number of letters (cz, th, ch, eö) stay out: every tile is used.
enum class Relax { Exact, LongShort, Accents, OldNames, Loosest = OldNames };
inline constexpr int RelaxLevels = 4;

// The letter a letter counts as at a level.
int foldLetter(int letter, Relax level);
// The letters with each one counted as its folded letter.
Counts fold(const Counts &letters, Relax level);

} // namespace finder
