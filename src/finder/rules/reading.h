// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a word can be in a phrase: one analysis of it, as the word list's
// readings column writes it, seven letters: the part of speech, the case,
// the number, the person, the definiteness, the possessor's person and
// number, '-' where the word has none ("Nas3---" a noun in the accusative,
// "V-p1d--" a verb, first person plural, definite).

#include <cstdint>
#include <optional>
#include <string_view>

namespace finder {

struct Reading
{
    enum class Pos : uint8_t {
        Noun,         // N
        Adjective,    // A
        Numeral,      // M
        Pronoun,      // P
        Verb,         // V: finite
        Infinitive,   // I
        Adverb,       // D
        Postposition, // U
        Conjunction,  // C
        Article,      // T
        Prefix,       // K: a verb prefix standing apart (ki, be, meg)
        Negation,     // G
        Interjection, // J
        Other,        // O
    };
    enum class Case : uint8_t { None, Nominative, Accusative, Dative, Oblique };
    enum class Definite : uint8_t { None, Definite, Indefinite, SecondObject }; // SecondObject: -lak, -lek

    Pos pos = Pos::Other;
    Case grammaticalCase = Case::None;
    uint8_t plural = 0;      // 0 none or singular, 1 plural
    uint8_t person = 0;      // 1–3, 0 none
    Definite definite = Definite::None;
    uint8_t possessor = 0;   // the possessor's person, 1–3, 0 none
    uint8_t possessorPlural = 0;

    // From the list's seven letters; none for any other text.
    static std::optional<Reading> parse(std::string_view code);
    // In 32 bits, for the list's index.
    uint32_t pack() const;
    static Reading unpack(uint32_t packed);
    bool operator==(const Reading &) const = default;
};

} // namespace finder
