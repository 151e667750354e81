// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How an anagram reads as Hungarian: its words put in the order of a phrase
// (the article before its noun, the adjective before the noun, the subject,
// the verb, the object), and how much it reads as one, which the ranking
// uses. It works on what the list says of each word, never on texts, as it
// runs for every anagram a search weighs.

#include <array>
#include <cstdint>
#include <span>

namespace finder {

inline constexpr int MostWords = 5; // in an anagram, the must-contain words among them

// Which article a word is, for the agreement with what follows it.
enum class ArticleKind : uint8_t { None, A, Az };

struct PhraseWord
{
    int32_t order;   // the word's place in the byte order of texts: ties of a reading go by it
    uint8_t classes; // WordClass bits: what the word can be
    uint8_t length;  // letters
    bool vowel;      // starts with a vowel
    ArticleKind article;
};

struct Phrase
{
    std::array<int8_t, MostWords> order{}; // the words' indexes in the phrase's order
    int bonus = 0;                         // how much it reads as a phrase; negative for a dangling article
};

// The best reading of the words: each word takes one of its classes; an
// article before a noun phrase it agrees with ("a" before a consonant, "az"
// before a vowel), an adjective before its noun, a finite verb with its
// subject or object each earn a bonus, an article with no noun phrase and
// a second finite verb a penalty.
Phrase arrange(std::span<const PhraseWord> words);

// What a reading earns and costs, for the ranking and its tests.
struct PhraseScore
{
    static constexpr int PerWord = 30;      // each word beyond the first
    static constexpr int Article = 25;      // an article before its noun phrase
    static constexpr int Attribute = 20;    // an adjective before its noun
    static constexpr int Predicate = 20;    // a finite verb with its subject or object
    static constexpr int Dangling = 30;     // an article before no noun phrase
    static constexpr int SecondVerb = 15;   // each finite verb beyond the first
};

// The most a word of these classes can earn in any reading: each bonus is
// earned by one word (the article, the adjective, the verb), so a reading
// never earns more than its words' best cases together. The search's
// bounds rest on it.
int bestEarning(uint8_t classes);

} // namespace finder
