// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two searches of the finder over a word list: every word that a part
// of the letters spells, and every anagram that uses all of them.

#include "finder/rules/wordlist.h"

#include <QStringList>
#include <atomic>
#include <functional>
#include <optional>
#include <vector>

namespace finder {

struct Query
{
    QString letters;     // only the game's letters count
    QString contain;     // words the anagrams must hold, their letters taken first; anything else parts them
    int maxWords = 3;    // the must-contain words among them
    int minLength = 1;   // of a word found
    QString starting;     // the starting expression: its words are left out of anagrams
    bool allowStarting = false;
    Relax relax = Relax::Exact; // which letters count as alike
};

// A tile standing for another letter, as a relaxed search allows: the Ó
// tile for the o of "kor". Letters by their index (alphabet.h).
struct Swap
{
    int8_t tile;
    int8_t letter;
    bool operator==(const Swap &) const = default;
};

// An anagram: words of the list, the must-contain words not among them,
// and the tiles that stand for other letters in them.
struct Anagram
{
    std::vector<int32_t> words;
    std::vector<Swap> swaps;
};

// A single word, and the tiles that stand for other letters in it.
struct FoundWord
{
    int32_t word;
    std::vector<Swap> swaps;
};

class Search
{
public:
    Search(const WordList &list, const Query &query);

    // Whether the letters hold the must-contain text.
    bool containFits() const { return fits_; }
    const QStringList &contained() const { return contained_; }

    // Every word of the letters left once the must-contain text has its own,
    // the best first.
    std::vector<FoundWord> words() const;

    // Every anagram, each once whatever the order of its words, fewest words
    // first. They come in batches: the first at once, then every `batchSize`
    // or so. Setting `cancel` stops the search within a moment.
    using Batch = std::function<void(std::vector<Anagram> &&)>;
    void anagrams(const Batch &deliver, const std::atomic<bool> &cancel, size_t batchSize = 512) const;

    // Which tiles stand for which letters when `words` spell (all or, when
    // `partial`, a part of) the letters: none when they need a letter no
    // tile stands for at the search's level.
    std::optional<std::vector<Swap>> swapsFor(const Counts &words, bool partial) const;

private:
    struct Walk;
    const WordList &list_;
    const LetterIndex &index_;        // the exact classes, or the folded ones
    Query query_;
    QStringList contained_;
    bool fits_ = false;
    Counts tiles_;                    // the letters as they are
    Counts containedLetters_;         // the must-contain words' own
    Counts rest_;                     // the letters left for the search, folded when relaxed
    std::vector<int32_t> candidates_; // classes that fit, the longest first
    Block excludedBlock_;
    std::span<uint8_t> excluded_;     // per word of the list
};

// The order a Hungarian player would pick from. Single words: the longest
// first, then the commonest. Anagrams: by a score, the lowest first, that
// adds each word's cost (how uncommon it is) and a cost for each word
// beyond the first, less what the words earn by reading as a phrase (an
// article before its noun, an adjective before its noun, a verb with its
// subject or object); then fewer words, then the text.
struct Rank
{
    int score = 0;
    int words = 0;
    QString text; // the words in the phrase's order
    bool operator<(const Rank &other) const;
};

struct Ranked
{
    Rank rank;
    QStringList words;   // in the phrase's order
    QString relaxed;     // the tiles standing for other letters: "ó→o, 2 y→i"
    std::vector<Swap> swaps;
    // The text a list shows and a screen reader says: the words, then the
    // relaxed letters in brackets.
    QString shown() const { return relaxed.isEmpty() ? rank.text : rank.text + QStringLiteral(" (") + relaxed + u')'; }
};

// What each relaxed letter costs in the ranking: an exact anagram comes
// before a relaxed one as good, and fewer relaxed letters before more.
inline constexpr int RelaxCost = 25;

Ranked rankWord(const WordList &list, const FoundWord &word);
Ranked rankAnagram(const WordList &list, const Anagram &anagram, const QStringList &contained);
// The swaps as the player reads them.
QString describe(const std::vector<Swap> &swaps);

} // namespace finder
