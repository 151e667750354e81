// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How an anagram reads as Hungarian: the best reading of its words, each
// word taking one of its analyses, put in the reading's word order.
//
// A reading joins words into phrases: an article, adjectives and numerals,
// a possessor before a noun ("a kis fiú kabátja"); a noun phrase before its
// postposition ("a ház után"); a subject that agrees with its verb in
// person and number, an object whose definiteness the verb's conjugation
// matches, and the adverbials, prefixes and negation around the verb ("a
// kutya nem eszi az almát"); a subject with an adjective or noun for its
// predicate ("a leves forró"); a conjunction between two phrases ("só és
// bors"). Words left over stand as fragments of their own.
//
// What a reading costs (never less than nothing, so that a search can bound
// an anagram by its words alone): each fragment beyond the first, each
// error a reader sees at once (the article "a" before a vowel or "az"
// before a consonant, a verb whose person or number its subject does not
// share, a verb whose conjugation does not match its object's
// definiteness), and a definite verb with no object at all.

#include "finder/rules/reading.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace finder {

inline constexpr int MostWords = 5; // in an anagram, the must-contain words among them

// What a word is to the grammar apart from its readings: the few function
// words it knows by their text.
enum class Function : uint8_t {
    None,
    ArticleA,    // "a": before a consonant
    ArticleAz,   // "az": before a vowel
    ArticleEgy,  // "egy": before either
    Coordinator, // és, s, de, vagy, meg, sőt: between two phrases
    Subordinator, // hogy, mert, ha, mint, ahogy: between two clauses
    Particle,    // is, sem, se, csak, még, már: beside any word
};

struct PhraseWord
{
    int32_t order;   // the word's place in the byte order of texts: ties go by it
    uint8_t length;  // letters
    bool vowel;      // begins with a vowel
    Function function = Function::None;
    std::array<Reading, 4> readings{};
    uint8_t readingCount = 0;
    // All that arrange() reads of it, in 24 bits (its set of readings, its
    // function, its first letter), or Unique: words alike in it read alike.
    uint32_t kind = Unique;
    static constexpr uint32_t Unique = 0xFFFFFFFF;
};

struct Phrase
{
    std::array<int8_t, MostWords> order{}; // the words' indexes in the reading's order
    int fragments = 0;                     // phrases that stand apart
    int errors = 0;
    int cost = 0;                          // what the reading adds to the anagram's score
};

// The best reading of the words: the fewest fragments and errors; between
// readings as good, the first found.
Phrase arrange(std::span<const PhraseWord> words);

// The readings already made for a search: many anagrams are words of the
// same kinds in the same order, and their best reading is made once.
class PhraseMemo
{
public:
    PhraseMemo();
    Phrase arrange(std::span<const PhraseWord> words);

private:
    struct Entry
    {
        uint64_t key[2];
        Phrase phrase;
    };
    std::vector<Entry> table_;
};

// What a reading costs, for the ranking and its tests.
struct PhraseScore
{
    static constexpr int PerWord = 30;     // each word beyond the first
    static constexpr int Fragment = 120;   // each fragment beyond the first
    static constexpr int Error = 1000;     // each error a reader sees at once: these come last
    static constexpr int Objectless = 15;  // a definite verb with no object
};

// The function a word of this text has, if any.
Function functionOf(std::string_view utf8);

} // namespace finder
