// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keyboard play followed by ear. A lifted tile's target is a place of a row
// that takes the screen reader's focus, so that every move of it is heard; a
// tile that changes rows is told as leaving the one and joining the other.

#include "game/rules/geometry.h"

#include <QAccessible>
#include <QWidget>
#include <map>

class Tile;

// One row of tiles: an empty, mouse-transparent band under the tiles, named
// as the row is. While a lifted tile's target lies in it, that place is one
// of its children.
class TileRow : public QWidget
{
    Q_OBJECT
public:
    TileRow(QWidget *board, const QString &name, geometry::Row which);
    ~TileRow() override;
    static QList<TileRow *> of(const QWidget *board);
    // The board's band of a row.
    static TileRow *of(const QWidget *board, geometry::Row which);

    geometry::Row which() const { return which_; }
    // Where slot `slot` of the row lies on the screen.
    QRect slotRect(int slot) const;

    int targetSlot() const { return targetSlot_; } // -1: none here
    QString targetName() const { return targetName_; }
    void setTarget(int slot, const QString &name);

    // The interface of a place of this row, made on first use and kept
    // while the row lives, so that a place is the same object each time.
    QAccessibleInterface *place(int slot);

private:
    geometry::Row which_;
    int targetSlot_ = -1;
    QString targetName_;
    std::map<int, QAccessible::Id> places_;
};

namespace boardaccess {

// The target of the lifted tile is now `slot` of `row`, said as `name`. The
// place takes the screen reader's focus; the tile keeps the keyboard's.
void target(TileRow *row, int slot, const QString &name);
// No target any more: the tile was put down or back.
void noTarget(QWidget *board);

// Gives the tile the focus and makes sure a screen reader hears of it, also
// when the keyboard focus was there already.
void focus(Tile *tile);

// A tile changing rows leaves the one row's children and joins the other's
// under a new identity, since a screen reader keeps what it learnt of a tile's
// parent. Called around the move.
void leavingRow(Tile *tile);
void joinedRow(Tile *tile);
// A tile's place changed within its row.
void described(Tile *tile);

} // namespace boardaccess
