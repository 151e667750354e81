#pragma once
// The two searches of the finder over a word list: every word that a part
// of the letters spells, and every anagram that uses all of them.

#include "finder/rules/wordlist.h"

#include <QStringList>
#include <atomic>
#include <functional>
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
};

// An anagram: words of the list, the must-contain words not among them.
struct Anagram
{
    std::vector<int32_t> words;
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
    std::vector<int32_t> words() const;

    // Every anagram, each once whatever the order of its words, fewest words
    // first. They come in batches: the first at once, then every `batchSize`
    // or so. Setting `cancel` stops the search within a moment.
    using Batch = std::function<void(std::vector<Anagram> &&)>;
    void anagrams(const Batch &deliver, const std::atomic<bool> &cancel, size_t batchSize = 512) const;

private:
    struct Walk;
    const WordList &list_;
    Query query_;
    QStringList contained_;
    bool fits_ = false;
    Counts rest_;                     // the letters left for the search
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
    QStringList words; // in the phrase's order
};

Ranked rankWord(const WordList &list, int32_t word);
Ranked rankAnagram(const WordList &list, const Anagram &anagram, const QStringList &contained);

} // namespace finder
