// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the tiles go when the player takes a word or an anagram from the
// finder: the tiles that spell it leave the upper row for the lower one,
// word by word, each word in the leftmost free slots with a free slot or the
// row's end on either side, so that the finished expression reads with spaces.

#include "finder/rules/search.h"

#include <QStringList>
#include <vector>

namespace finder {

struct UpperTile
{
    int tile;       // its number on the board
    QString letter; // its caption
    int slot;
};

struct TileMove
{
    int tile;
    int slot; // of the lower row
};

struct Placement
{
    std::vector<TileMove> moves; // none when refused
    QString refusal;             // why nothing moves, for the player
};

// `lowerTaken` has one entry per usable slot of the lower row. `swaps` are
// the tiles a relaxed result lets stand for other letters: a letter no tile
// bears takes a tile of one of them.
Placement place(const QStringList &words, std::vector<UpperTile> upper, std::vector<bool> lowerTaken,
                std::vector<Swap> swaps = {});

} // namespace finder
