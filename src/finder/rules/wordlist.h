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
#include <optional>
#include <span>
#include <vector>

namespace finder {

// What the player is told when the list cannot be used.
inline QString damagedListMessage() { return QStringLiteral("A szólista sérült vagy hiányos"); }
inline QString unreadableListMessage() { return QStringLiteral("A szólista (szavak.txt) nem olvasható."); }

// What a word can be in a phrase, as the list's last column says.
enum WordClass : uint8_t {
    Article = 1,     // D: a, az, egy
    Nominative = 2,  // N: a noun in the nominative
    Accusative = 4,  // O: a noun or pronoun in the accusative
    OtherCase = 8,   // C: a noun in another case
    Adjective = 16,  // A: an adjective or numeral in the nominative
    Verb = 32,       // V: a finite verb
    Interjection = 64, // I
    Other = 128,     // F: any other word
};

// Multisets of letters and the words that spell each: the list's exact
// classes (an anagram class: its words spell the same letters), or the
// classes its words fall into when some letters are taken as alike.
class LetterIndex
{
public:
    int classCount() const { return int(classes_.size()); }
    const Counts &letters(int c) const { return classes_[size_t(c)]; }
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
    // Of the relaxed classes: the exact letters of the i-th word wordsOf(c)
    // gives, made from the class's folded letters and the word's own count
    // of each folded-away letter, kept beside it in the same order (the words
    // of one exact class stand together there).
    Counts exactLetters(int c, size_t i) const;
    uint64_t accentsOf(int c, size_t i) const { return accents_[size_t(firstWord_[size_t(c)]) + i]; }

private:
    friend class WordList;
    // A class under the high half of its key; the low half picks the slot.
    struct Slot
    {
        uint32_t tag;
        int32_t cls = -1;
    };
    size_t slotOf(uint64_t key, const Counts &letters) const;
    // Room for at most `most` classes.
    void reserve(size_t most);
    // The class of these letters, made when new.
    int32_t classOf(const Counts &letters, uint64_t key);
    // The words of each class, from each word's class (`classOf(w)` of the
    // `count` words), each class's words in the order `order` gives (all
    // words, once each), or in their own order when it is empty.
    template <class ClassOf> void listWords(size_t count, ClassOf classOf, std::span<const int32_t> order);

    Block classBlock_, maskBlock_, tableBlock_, firstBlock_, byClassBlock_, accentBlock_;
    std::span<Counts> classes_;
    std::span<Counts> room_;
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
    // "form<TAB>cost<TAB>classes" in UTF-8, sorted by bytes, each form once.
    // The cost says how uncommon the form is (0 the commonest), the classes
    // what it can be in a phrase (letters of WordClass). A letter outside
    // the game's lower-case ones, a line of any other shape, a form out of
    // order or a count that does not match makes the list damaged, and no
    // list is made of it.
    static std::optional<WordList> parse(QByteArray bytes, Fault *fault = nullptr);
    // The file is mapped, not read: its pages are the words' texts.
    static std::optional<WordList> load(const QString &path, Fault *fault = nullptr, QString *error = nullptr);

    int wordCount() const { return int(words_.size()); }
    QString word(int w) const;
    // A word's text as the list holds it, in UTF-8.
    QByteArrayView bytes(int w) const { return {text_ + words_[size_t(w)].offset, words_[size_t(w)].bytes}; }
    // Whether a word begins with a vowel, as an article before it must know.
    bool startsWithVowel(int w) const;
    // The first word whose text sorts at or after `utf8`, or wordCount().
    int lowerBound(QByteArrayView utf8) const;
    int cost(int w) const { return words_[size_t(w)].cost; }
    uint8_t classes(int w) const { return words_[size_t(w)].classes; }
    int length(int w) const { return exact_.classes_[size_t(words_[size_t(w)].cls)].total(); }
    // A word's own letters.
    const Counts &lettersOf(int w) const { return exact_.classes_[size_t(words_[size_t(w)].cls)]; }
    // Whether word a's text sorts before word b's, by their bytes.
    bool textBefore(int a, int b) const { return a < b; }

    // The exact classes.
    const LetterIndex &exact() const { return exact_; }
    // The classes with every relaxed letter folded (see alphabet.h): made on
    // first asking, once, whichever thread asks.
    const LetterIndex &relaxed() const;

    // The exact index's, for short.
    int classCount() const { return exact_.classCount(); }
    const Counts &letters(int c) const { return exact_.letters(c); }
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
        uint8_t bytes;
        uint8_t cost;
        uint8_t classes;
    };
    bool index(const char *begin, const char *end);
    struct Lazy;

    Block wordBlock_;
    // The text is one or the other.
    QByteArray bytes_;
    std::unique_ptr<QFile> file_;
    const char *text_ = nullptr;
    std::span<Word> words_; // in the file's order, which is the bytes' order
    LetterIndex exact_;
    std::shared_ptr<Lazy> relaxed_;
};

} // namespace finder
