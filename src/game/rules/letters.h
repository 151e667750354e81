// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which characters of a start text become letter tiles.

#include <QString>

namespace letters {

enum class Kind {
    Letter,  // A–Z and the Hungarian accented capitals: becomes a tile
    Space,   // left out without a word
    Refused, // anything else: left out with a warning
};

// Classifies one character (a Unicode code point) after upper-casing it.
Kind classify(char32_t ch);

// The upper-case form of one code point.
char32_t upper(char32_t ch);

// The message for each refused character.
inline const QString RefusedMessage = QStringLiteral("Csak betűket adhatsz meg!");

// The most letters a starting expression has, a tile each; the finder
// takes no more either.
inline constexpr int MostLetters = 23;
inline const QString TooManyMessage = QStringLiteral("A megadott kifejezés legfeljebb 23 betűből állhat!");

// How many of a text's characters become tiles.
int count(const QString &text);

} // namespace letters
