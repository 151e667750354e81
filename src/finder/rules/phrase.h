// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How an anagram reads as Hungarian: its words put in the order of a phrase
// (the article before its noun, the adjective before the noun, the subject,
// the verb, the object), and how much it reads as one, which the ranking
// uses.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <span>
#include <vector>

namespace finder {

struct PhraseWord
{
    QString text;
    uint8_t classes; // WordClass bits: what the word can be
    int cost;        // how uncommon it is
};

struct Phrase
{
    std::vector<int> order; // the words' indexes in the phrase's order
    int bonus = 0;          // how much it reads as a phrase; negative for a dangling article
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

} // namespace finder
