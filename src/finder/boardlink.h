// SPDX-License-Identifier: GPL-3.0-or-later
// What the finder asks of the board, in the game's own terms. The finder
// knows no board window: the program hands it one of these.
#pragma once

#include "finder/rules/placement.h"

#include <QObject>
#include <vector>

class BoardLink : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // A game on screen to lay tiles out on.
    virtual bool inPlay() const = 0;
    // The upper row's tiles, by slot.
    virtual std::vector<finder::UpperTile> upperTiles() const = 0;
    // One entry per usable slot of the lower row: whether a tile lies there.
    virtual std::vector<bool> lowerTaken() const = 0;
    // Moves the tile to a slot of the lower row by the board's drop rule, as
    // a mouse drop would; returns whether the rule took it.
    virtual bool moveToLowerSlot(int tile, int slot) = 0;
    // Puts a tile lifted from the keyboard back, before a move from here.
    virtual void endLift() = 0;

signals:
    // A tile moved, or a game was set up or cleared.
    void changed();
};
