// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The words the finder knows, grouped by their letters: the words of one
// group (an anagram class) spell the same multiset, so a search works on the
// groups and names their words only for what it finds.

#include "finder/rules/alphabet.h"
#include "finder/rules/block.h"

#include <QByteArray>
#include <QFile>
#include <memory>
#include <mutex>
#include <QString>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace finder {

// What the player is told when the list cannot be used.
inline QString damagedListMessage() { return QStringLiteral("A szólista sérült vagy hiányos"); }
inline QString unreadableListMessage() { return QStringLiteral("A szólista (szavak.txt) nem olvasható."); }

// What the list marks a form as, beside its readings: shown only when the
// player asks for such words.
enum Mark : uint8_t {
    Rude = 1, // R: vulgar or offensive
    Rare = 2, // X: foreign, an interjection, or a form no reader knows
};

// Multisets of letters and the words that spell each: the list's exact
// classes (an anagram class: its words spell the same letters), or the
// classes its words fall into when some letters are taken as alike.
class LetterIndex
{
public:
    int classCount() const { return classCount_; }
    // A class's letters, kept as a byte a letter: a third of a multiset's room.
    Counts letters(int c) const
    {
        Counts counts;
        const uint8_t *p = pool_.data() + start_[size_t(c)], *const end = pool_.data() + start_[size_t(c) + 1];
        counts.n[Counts::Total] = uint8_t(end - p);
        for (; p < end; ++p) {
            ++counts.n[*p];
            counts.mask |= uint64_t(1) << *p;
        }
        return counts;
    }
    int length(int c) const { return int(start_[size_t(c) + 1] - start_[size_t(c)]); }
    // Whether a class's letters are among `letters`, without making its multiset.
    bool fitsIn(int c, const Counts &letters) const
    {
        const uint8_t *p = pool_.data() + start_[size_t(c)], *const end = pool_.data() + start_[size_t(c) + 1];
        if (end - p > letters.total())
            return false;
        // Its letters come sorted: each run's length against the count, with
        // no branch for the processor to guess but the loop's own.
        int run = 0;
        unsigned previous = 255;
        bool fits = true;
        for (; p < end; ++p) {
            run = *p == previous ? run + 1 : 1;
            previous = *p;
            fits &= run <= letters.n[*p];
        }
        return fits;
    }
    // The letters present in each class, apart from their counts: a search
    // scans these first, eight bytes a class rather than a whole multiset.
    std::span<const uint64_t> masks() const { return masks_; }
    std::span<const int32_t> wordsOf(int c) const
    {
        return {byClass_.data() + firstWord_[size_t(c)], size_t(firstWord_[size_t(c) + 1] - firstWord_[size_t(c)])};
    }
    // The class spelling exactly these letters, or -1; `key` is theirs.
    int find(const Counts &letters) const;
    int find(const Counts &letters, uint64_t key) const;
    // Of the relaxed classes: the i-th word's own count of each folded-away
    // letter, five bits each, in the order of FoldedAway (the words of one
    // exact class stand together in wordsOf(c)).
    static constexpr std::array<int, 11> FoldedAway{26, 27, 28, 29, 30, 31, 32, 33, 34, 22, 24}; // á é í ó ö ő ú ü ű w y
    uint64_t accentsOf(int c, size_t i) const { return accents_[size_t(firstWord_[size_t(c)]) + i]; }

private:
    friend class WordList;
    friend struct IndexFile;
    // A class under the high half of its key; the low half picks the slot.
    // All zero is an empty slot, as fresh memory reads, so that the table
    // is not written before it is filled.
    struct Slot
    {
        uint32_t tag;
        int32_t next; // the class, plus one
        int32_t cls() const { return next - 1; }
    };
    size_t slotOf(uint64_t key, const Counts &letters) const;
    // Room for at most `most` classes of `letters` letters in all.
    void reserve(size_t most, size_t letters);
    // The class of these letters, made when new.
    int32_t classOf(const Counts &letters, uint64_t key);
    // The words of each class, from each word's class (`classOf(w)` of the
    // `count` words), each class's words in the order `order` gives (all
    // words, once each), or in their own order when it is empty.
    template <class ClassOf> void listWords(size_t count, ClassOf classOf, std::span<const int32_t> order);

    Block poolBlock_, startBlock_, maskBlock_, tableBlock_, firstBlock_, byClassBlock_, accentBlock_;
    int classCount_ = 0;
    std::span<uint8_t> pool_;      // each class's letters, in the letters' order
    std::span<uint32_t> start_;    // class c's: pool_[start_[c] .. start_[c + 1])
    std::span<uint64_t> masks_;
    std::span<int32_t> firstWord_; // class c's words: byClass_[firstWord_[c] .. firstWord_[c + 1])
    std::span<int32_t> byClass_;
    std::span<uint64_t> accents_; // relaxed classes only: five bits for each folded-away letter
    std::span<Slot> table_;
};

class WordList
{
public:
    // Why a list could not be had.
    enum class Fault { None, Unreadable, Damaged };

    // The list's text: a first line "#<TAB>count", then one line a form as
    // "form<TAB>cost<TAB>marks<TAB>readings<TAB>stem" in UTF-8, sorted by
    // bytes, each form once. The cost says how uncommon the form is (0 the
    // commonest); the marks are "-" or the letters of Mark; the readings,
    // one to four apart by commas, what it can be in a phrase (reading.h);
    // the stem, "=" for the form itself, the lemma it is a form of. A letter
    // outside the game's lower-case ones, a line of any other shape, a form
    // out of order or a count that does not match makes the list damaged,
    // and no list is made of it.
    static std::optional<WordList> parse(QByteArray bytes, Fault *fault = nullptr);
    // The file is mapped, not read: its pages are the words' texts. Its
    // index, made ahead beside it (indexPath), is mapped too where it is
    // whole and made of this very text; else the index is made here.
    static std::optional<WordList> load(const QString &path, Fault *fault = nullptr, QString *error = nullptr);
    // Where a list's index lies: "szavak.idx" beside "szavak.txt".
    static QString indexPath(const QString &listPath);
    // Writes this list's index, its relaxed classes too, for load() to map:
    // the same bytes for the same list on every machine that reads it.
    bool saveIndex(const QString &path) const;
    // Whether the index was mapped rather than made at loading.
    bool indexMapped() const { return mapping_ != nullptr; }

    int wordCount() const { return int(words_.size()); }
    QString word(int w) const;
    // A word's text as the list holds it, in UTF-8.
    QByteArrayView bytes(int w) const { return {text_ + words_[size_t(w)].offset, words_[size_t(w)].bytes}; }
    // Whether a word begins with a vowel, as an article before it must know.
    bool startsWithVowel(int w) const { return words_[size_t(w)].function & 0x80; }
    // The first word whose text sorts at or after `utf8`, or wordCount().
    int lowerBound(QByteArrayView utf8) const;
    int cost(int w) const { return words_[size_t(w)].cost; }
    // Asks for a word's record ahead of its use, where words are met at random.
    void prefetch(int w) const { __builtin_prefetch(&words_[size_t(w)]); }
    uint8_t marks(int w) const { return words_[size_t(w)].marks; }
    // Which function word it is, if any (phrase.h's Function).
    uint8_t function(int w) const { return words_[size_t(w)].function & 0x7F; }
    // Its set of readings by number: words of one set read alike.
    uint16_t readingSet(int w) const { return words_[size_t(w)].readings; }
    // What the word can be in a phrase, packed (Reading::unpack).
    std::span<const uint32_t> readings(int w) const
    {
        const uint32_t *set = readingSets_.data() + size_t(words_[size_t(w)].readings) * ReadingSet;
        return {set + 1, set[0]};
    }
    // The lemma's number: the word's own where the list has the lemma,
    // else one past them; words of one lemma share it.
    uint32_t stem(int w) const { return words_[size_t(w)].stem; }
    int length(int w) const { return words_[size_t(w)].letters; }
    // A word's own letters.
    Counts lettersOf(int w) const { return exact_.letters(words_[size_t(w)].cls); }
    // Whether word a's text sorts before word b's, by their bytes.
    bool textBefore(int a, int b) const { return a < b; }

    // The exact classes.
    const LetterIndex &exact() const { return exact_; }
    // The classes with every relaxed letter folded (see alphabet.h): made on
    // first asking, once, whichever thread asks.
    const LetterIndex &relaxed() const;

    // The exact index's, for short.
    int classCount() const { return exact_.classCount(); }
    Counts letters(int c) const { return exact_.letters(c); }
    std::span<const uint64_t> masks() const { return exact_.masks(); }
    std::span<const int32_t> wordsOf(int c) const { return exact_.wordsOf(c); }
    int find(const Counts &letters) const { return exact_.find(letters); }
    int find(const Counts &letters, uint64_t key) const { return exact_.find(letters, key); }

    // A key of a multiset that adds up: the key of a difference is the
    // difference of the keys, so a search keeps its remainder's key as it goes.
    static uint64_t key(const Counts &letters);

private:
    struct Word
    {
        uint32_t offset;
        int32_t cls;
        uint32_t stem;
        uint16_t readings; // its set's place in readingSets_
        uint8_t bytes;
        uint8_t cost;
        uint8_t marks;
        uint8_t letters;
        uint8_t function; // the grammar's Function, from its text; the top bit: it begins with a vowel
        uint8_t spare = 0; // named, so that the index's bytes hold no stray padding
    };
    // A set of readings: its count, then up to four.
    static constexpr size_t ReadingSet = 5;
    bool index(const char *begin, const char *end);
    bool mapIndex(const QString &path, QByteArrayView text);
    struct Lazy;
    struct Mapping;

    Block wordBlock_, readingBlock_;
    std::span<uint32_t> readingSets_;
    // The text is one or the other.
    QByteArray bytes_;
    std::unique_ptr<QFile> file_;
    const char *text_ = nullptr;
    std::span<Word> words_; // in the file's order, which is the bytes' order
    LetterIndex exact_;
    std::shared_ptr<Lazy> relaxed_;
    std::unique_ptr<Mapping, void (*)(Mapping *)> mapping_{nullptr, nullptr};
};

// The relaxed classes, made or checked once, at first asking.
struct WordList::Lazy
{
    std::once_flag once;
    LetterIndex index;
    // Where the index was mapped: whether its relaxed classes, already in
    // `index`, are whole; when not, they are made.
    std::function<bool()> mapped;
};

} // namespace finder
