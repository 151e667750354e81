// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Playing the board from the keyboard. Every move is a drop at a point of the
// target slot, so the mouse's rule decides it and keeps the same bookkeeping;
// every key is followed by ear through the board's accessible places, focus
// and notice.

#include "game/rules/keyboard.h"

#include <QObject>
#include <QPointer>
#include <vector>

class board;
class Notice;
class QKeyEvent;
class TargetMarker;
class Tile;

class KeyPlay : public QObject
{
    Q_OBJECT
public:
    explicit KeyPlay(board *b);

    // A key that reached a tile: movement keys belong to the tiles whatever
    // happens. Returns whether it was taken.
    bool tileKey(Tile *tile, const QKeyEvent *key);
    // What the focused control left: typing, from any control of the board.
    bool boardKey(const QKeyEvent *key);
    // A dead key or compose sequence ends in a commit.
    void committed(const QString &text);
    // Leaving the lifted tile for another control puts it back; leaving the
    // window keeps it lifted for the player's return.
    void focusLeft(Tile *tile, Qt::FocusReason why);
    // Ends a lift without a word.
    void putBack();
    // Says something without moving the focus.
    void say(const QString &text);
    QString upperRowText() const;

private:
    // What the keys on a tile do.
    void liftOrPutDown(Tile *tile);
    void escape();
    void arrow(Tile *tile, keyboard::Step step);
    void focusNeighbour(Tile *tile, keyboard::Step step);

    void lift(Tile *tile);
    void putDown();
    void moveMarker(keyboard::Step step);
    void showTarget();
    // Each typed letter takes its leftmost upper tile down; Backspace
    // brings the rightmost lower tile back up.
    void typeText(const QString &text);
    void takeBackLast();
    // Moves tile `index` to the leftmost free slot of the row, or says why not.
    void moveToFree(int index, geometry::Row row);
    bool moveByKey(Tile *tile, keyboard::Slot to);
    std::vector<keyboard::TileView> tileViews() const;

    board *board_;
    QPointer<Tile> lifted_;
    keyboard::Slot marker_{geometry::Row::Upper, 0};
    TargetMarker *targetMarker_;
    Notice *notice_; // why a key moved nothing
};
