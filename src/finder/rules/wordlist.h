#pragma once
// The words the finder knows, grouped by their letters: the words of one
// group (an anagram class) spell the same multiset, so a search works on the
// groups and names their words only for what it finds.

#include "finder/rules/alphabet.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <ranges>
#include <vector>

namespace finder {

class WordList
{
public:
    // Lines of "form<TAB>family" in UTF-8, the family being how many forms
    // of the list share a stem with this one: the stand-in for how common
    // the word is. A form with a letter outside the game's is left out.
    static WordList parse(QByteArray bytes);
    static std::optional<WordList> load(const QString &path, QString *error);

    int wordCount() const { return int(words_.size()); }
    int classCount() const { return int(classes_.size()); }

    QString word(int w) const;
    int family(int w) const { return words_[size_t(w)].family; }
    int length(int w) const { return classes_[size_t(words_[size_t(w)].cls)].total(); }
    int classOf(int w) const { return words_[size_t(w)].cls; }
    // Whether word a's text sorts before word b's, by their bytes.
    bool textBefore(int a, int b) const;

    const Counts &letters(int c) const { return classes_[size_t(c)]; }
    // The words of a class: their numbers follow each other.
    auto wordsOf(int c) const { return std::views::iota(firstWord_[size_t(c)], firstWord_[size_t(c) + 1]); }
    // The class spelling exactly these letters, or -1; `key` is theirs.
    int find(const Counts &letters) const { return find(letters, key(letters)); }
    int find(const Counts &letters, uint64_t key) const;

    // A key of a multiset that adds up: the key of a difference is the
    // difference of the keys, so a search keeps its remainder's key as it goes.
    static uint64_t key(const Counts &letters);
    uint64_t key(int c) const { return keys_[size_t(c)]; }

private:
    struct Word
    {
        uint32_t offset;
        int32_t cls;
        uint16_t family;
        uint8_t bytes;
    };
    // A class under the high half of its key; the low half picks the slot.
    struct Slot
    {
        uint32_t tag;
        int32_t cls = -1;
    };
    size_t slotOf(uint64_t key, const Counts &letters) const;

    QByteArray text_;
    std::vector<Word> words_; // class by class
    std::vector<Counts> classes_;
    std::vector<uint64_t> keys_;
    std::vector<int32_t> firstWord_; // class c's words: firstWord_[c] .. firstWord_[c + 1] - 1
    std::vector<Slot> table_;
};

} // namespace finder
