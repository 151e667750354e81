#pragma once
// The words the finder knows, grouped by their letters: the words of one
// group (an anagram class) spell the same multiset, so a search works on the
// groups and names their words only for what it finds.

#include "finder/rules/alphabet.h"
#include "finder/rules/block.h"

#include <QByteArray>
#include <QFile>
#include <memory>
#include <QString>
#include <optional>
#include <span>
#include <vector>

namespace finder {

class WordList
{
public:
    // Lines of "form<TAB>family" in UTF-8, the family being how many forms
    // of the list share a stem with this one: the stand-in for how common
    // the word is. A form with a letter outside the game's is left out.
    static WordList parse(QByteArray bytes);
    // The file is mapped, not read: its pages are the words' texts.
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
    std::span<const int32_t> wordsOf(int c) const
    {
        return {byClass_.data() + firstWord_[size_t(c)], size_t(firstWord_[size_t(c) + 1] - firstWord_[size_t(c)])};
    }
    // The class spelling exactly these letters, or -1; `key` is theirs.
    int find(const Counts &letters) const { return find(letters, key(letters)); }
    int find(const Counts &letters, uint64_t key) const;

    // A key of a multiset that adds up: the key of a difference is the
    // difference of the keys, so a search keeps its remainder's key as it goes.
    static uint64_t key(const Counts &letters);

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
    void index(const char *begin, const char *end);

    Block classBlock_, tableBlock_, wordBlock_, firstBlock_, byClassBlock_;

    // The text is one or the other.
    QByteArray bytes_;
    std::unique_ptr<QFile> file_;
    const char *text_ = nullptr;
    std::span<Word> words_; // in the file's order
    std::span<Counts> classes_;
    std::span<int32_t> firstWord_; // class c's words: byClass_[firstWord_[c] .. firstWord_[c + 1])
    std::span<int32_t> byClass_;
    std::span<Slot> table_;
};

} // namespace finder
