// SPDX-License-Identifier: GPL-3.0-or-later
// Every arrangement of the characters of a short text, in the order of the
// positions in the text, repeats kept.
#pragma once

#include <QList>
#include <QString>
#include <cstdint>

namespace permutations {

// An element is one character of the text, or nothing for a space.
using Element = QString;
using Arrangement = QList<Element>;

// Longer texts are refused: 8! arrangements would not fit the counters.
inline constexpr int MaxLength = 7;

// The elements of a text, one per character (a character outside the
// Basic Multilingual Plane is one character, not two halves).
QList<Element> elementsOf(const QString &text);

// All arrangements of the list. The list is worked on in place and handed
// back exactly as it came.
QList<Arrangement> Permutations(QList<Element> &list);

// n for n <= 2 (so 0 for 0), else n × Factorial(n - 1).
int32_t Factorial(int32_t n);

// Each arrangement joined into a line, every line followed by CR LF.
QString lines(const QList<Arrangement> &arrangements);

} // namespace permutations
