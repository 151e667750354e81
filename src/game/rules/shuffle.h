// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Betűk keverése": the upper row's tiles change places among the slots they
// stand in, the classic aid for seeing new words.

#include <QRandomGenerator>
#include <QStringList>
#include <vector>

namespace shuffle {

// The new order of letters standing in a row: the letter at position i goes
// to position order[i]. It reads differently from the old one whenever the
// letters are not all the same.
std::vector<int> order(const QStringList &letters, QRandomGenerator &random);

} // namespace shuffle
