// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two searches of the finder over a word list: every word that a part
// of the letters spells, and the anagrams that use them all, the best first.

#include "finder/rules/phrase.h"
#include "finder/rules/wordlist.h"

#include <QStringList>
#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <vector>

namespace finder {

// The most anagrams one search gives: more than anyone reads, and few
// enough that a window holds them in a few tens of megabytes. A search
// with more gives these, the best, and says that it stopped.
inline constexpr size_t MostAnagrams = 1'000'000;

struct Query
{
    QString letters;     // only the game's letters count
    QString contain;     // words the anagrams must hold, their letters taken first; anything else parts them
    int maxWords = 3;    // the must-contain words among them; at most MostWords
    int minLength = 1;   // of a word found
    QString starting;     // the starting expression: its words, and the parts of its compounds, are left out of anagrams
    bool allowStarting = false;
    Relax relax = Relax::Exact; // which letters count as alike
    bool rude = false;    // vulgar and offensive words too
    bool rare = false;    // foreign words, interjections and forms few know too
};

// A tile standing for another letter, as a relaxed search allows: the Ó
// tile for the o of "kor". Letters by their index (alphabet.h).
struct Swap
{
    int8_t tile;
    int8_t letter;
    bool operator==(const Swap &) const = default;
};

// An anagram as a search keeps it, small, since a window may hold a million:
// its score (what the order ranks by, the lowest first) and its words in
// the order of its reading, each a word of the list or, as -1 - i, the i-th
// must-contain word.
struct Anagram
{
    int32_t score = 0;
    int8_t count = 0;
    std::array<int32_t, MostWords> words{};
    std::span<const int32_t> read() const { return {words.data(), size_t(count)}; }
};

// A single word, and how many tiles stand for other letters in it.
struct FoundWord
{
    int32_t word;
    int32_t relaxed;
};

// What a list shows of a result, and what the board lays out.
struct Ranked
{
    QString text;        // the words in the phrase's order
    QStringList words;   // the same, one by one
    QString relaxed;     // the tiles standing for other letters: "ó→o, 2 y→i"
    std::vector<Swap> swaps;
    // The text a list shows and a screen reader says: the words, then the
    // relaxed letters in brackets.
    QString shown() const { return relaxed.isEmpty() ? text : text + QStringLiteral(" (") + relaxed + u')'; }
};

// How a search of anagrams ended.
enum class Ending {
    Whole,     // every anagram was given
    Cancelled, // asked to stop
    Bounded,   // more anagrams than it may give: the best were given
};

// What each relaxed letter costs in the ranking: an exact anagram comes
// before a relaxed one as good, and fewer relaxed letters before more.
inline constexpr int RelaxCost = 25;

class Search
{
public:
    Search(const WordList &list, const Query &query);
    ~Search();

    // Whether the letters hold the must-contain text.
    bool containFits() const { return fits_; }
    const QStringList &contained() const { return contained_; }

    // Every word of the letters left once the must-contain text has its own:
    // the plain ones before the rare ones, then the longest first, then the
    // commonest.
    std::vector<FoundWord> words() const;

    // The anagrams, the best first in their final order, each once whatever
    // the order of its words: in runs, the best screenful at once, then
    // larger runs behind it, each run found without holding more than it.
    // At most `most` of them. After the first run the rest is tried in one
    // run for `restTime`: a shallow search is whole in it, a deep one goes
    // on in growing runs. Setting `cancel` stops the search within a moment
    // and nothing more is delivered.
    using Deliver = std::function<void(std::span<const Anagram>)>;
    static constexpr std::chrono::milliseconds RestTime{150};
    Ending anagrams(const Deliver &deliver, const std::atomic<bool> &cancel, size_t most = MostAnagrams,
                    std::chrono::milliseconds restTime = RestTime) const;

    // Whether a word of the list is shown: not a rude or rare one unless asked.
    bool shown(int32_t word) const;
    // Whether it may stand in an anagram: shown, and not a starting word
    // nor a part of one's compound unless asked.
    bool usable(int32_t word) const;
    // The order of anagrams: by score, then fewer words, then the text.
    bool before(const Anagram &a, const Anagram &b) const;
    // Any words of the list, with the must-contain words, as one anagram:
    // its score and reading, what the search ranks each anagram by; none
    // when they do not spell the letters at the search's level.
    std::optional<Anagram> weigh(std::span<const int32_t> words) const;

    // What the window and the command line show.
    Ranked ranked(const Anagram &anagram) const;
    Ranked ranked(const FoundWord &word) const;
    // Which tiles stand for which letters when `words` spell (all or, when
    // `partial`, a part of) the letters: none when they need a letter no
    // tile stands for at the search's level.
    std::optional<std::vector<Swap>> swapsFor(const Counts &words, bool partial) const;

private:
    struct Walk;
    struct Candidates;
    PhraseWord phraseWord(int32_t word) const;
    // The same, with each word's reading made ahead.
    std::optional<Anagram> weigh(std::span<const int32_t> words, std::span<const PhraseWord> phrases,
                                 PhraseMemo *memo) const;
    // Leaves out the stems of the parts `word` (UTF-8) splits into.
    void excludeParts(QByteArrayView word, int depth);
    // How many more of the letters that have others alike these hold than
    // the tiles bear: each needs a tile standing for it.
    int excess(const Counts &letters) const;
    // The same for the i-th word of relaxed class c with the letters `with`
    // beside it, or -1 where the search's level does not allow them.
    int standIns(int c, size_t i, const Counts &with) const;
    Counts lettersOf(int32_t word) const;
    QString textOf(int32_t word) const;

    const WordList &list_;
    const LetterIndex &index_;        // the exact classes, or the folded ones
    Query query_;
    QStringList contained_;
    bool fits_ = false;
    Counts tiles_;                    // the letters as they are
    Counts foldedTiles_;              // the same at the search's level
    std::array<int8_t, Letters> levelGroup_{}; // the letter each counts as at the level
    Counts containedLetters_;         // the must-contain words' own
    Counts rest_;                     // the letters left for the search, folded when relaxed
    std::vector<int32_t> candidates_; // classes that fit, in the index's order
    std::vector<int32_t> excluded_;   // the starting words the list has
    std::vector<uint32_t> excludedStems_; // the stems of their compounds' parts
    // The must-contain words as the list knows them: cost, classes and
    // place in the order of texts (between the list's words when it lacks one).
    struct ContainedWord
    {
        PhraseWord phrase;
        int cost;
    };
    std::vector<ContainedWord> containedWords_;
};

// The swaps as the player reads them.
QString describe(const std::vector<Swap> &swaps);

} // namespace finder
