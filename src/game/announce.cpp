// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/announce.h"

#include "app/assistive.h"
#include "app/twips.h"
#include "game/rules/geometry.h"
#include "game/rules/spoken.h"
#include "game/tile.h"

namespace {

using assistive::send;

// A slot of a row as the target of a lifted tile: it exists for assistive
// technology only, and has the screen reader's focus while it is the target.
class PlaceInterface : public assistive::Widgetless
{
public:
    PlaceInterface(TileRow *row, int slot) : Widgetless(row), slot_(slot) {}

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !row())
            return {};
        return isTarget() ? row()->targetName() : spoken::place({row()->which(), slot_});
    }
    QRect rect() const override
    {
        return row() ? row()->slotRect(slot_) : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::Indicator; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focusable = true;
        s.focused = isTarget();
        s.invisible = !isTarget();
        return s;
    }

private:
    TileRow *row() const { return static_cast<TileRow *>(owner()); }
    bool isTarget() const { return row() && row()->targetSlot() == slot_; }

    int slot_;
};

} // namespace

TileRow::TileRow(QWidget *board, const QString &name, geometry::Row which) : QWidget(board), which_(which)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleName(name);
    const int right = geometry::slotLeft(geometry::MaxTiles);
    setGeometry(twips::toPx(geometry::FirstSlotLeft), twips::toPx(geometry::rowTop(which)),
                twips::toPx(right - geometry::FirstSlotLeft), twips::toPx(geometry::TileWidth));
    lower();
}

TileRow::~TileRow()
{
    for (const auto &[slot, id] : places_)
        QAccessible::deleteAccessibleInterface(id);
}

QRect TileRow::slotRect(int slot) const
{
    const int side = twips::toPx(geometry::TileWidth);
    return QRect(mapToGlobal(QPoint(slot * side, 0)), QSize(side, side));
}

void TileRow::setTarget(int slot, const QString &name)
{
    targetSlot_ = slot;
    targetName_ = name;
}

QAccessibleInterface *TileRow::place(int slot)
{
    auto found = places_.find(slot);
    if (found == places_.end())
        found = places_.emplace(slot, QAccessible::registerAccessibleInterface(new PlaceInterface(this, slot))).first;
    return QAccessible::accessibleInterface(found->second);
}

QList<TileRow *> TileRow::of(const QWidget *board) { return board->findChildren<TileRow *>(Qt::FindDirectChildrenOnly); }

TileRow *TileRow::of(const QWidget *board, geometry::Row which)
{
    for (TileRow *row : of(board))
        if (row->which() == which)
            return row;
    return nullptr;
}

namespace boardaccess {

void noTarget(QWidget *board)
{
    for (TileRow *row : TileRow::of(board)) {
        if (row->targetSlot() < 0)
            continue;
        // Gone from the row's children.
        send(row->place(row->targetSlot()), QAccessible::ObjectDestroyed);
        row->setTarget(-1, {});
    }
}

void target(TileRow *row, int slot, const QString &name)
{
    noTarget(row->parentWidget());
    row->setTarget(slot, name);
    QAccessibleInterface *place = row->place(slot);
    // Whatever a screen reader kept of the place's name is stale now.
    send(place, QAccessible::NameChanged);
    send(place, QAccessible::ObjectCreated);
    send(place, QAccessible::Focus);
}

void focus(Tile *tile)
{
    if (tile->hasFocus())
        send(tile, QAccessible::Focus);
    else
        tile->setFocus(Qt::OtherFocusReason);
}

void leavingRow(Tile *tile)
{
    if (!QAccessible::isActive())
        return;
    send(tile, QAccessible::ObjectDestroyed);
    if (QAccessibleInterface *old = QAccessible::queryAccessibleInterface(tile))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(old));
}

void joinedRow(Tile *tile)
{
    if (QAccessible::isActive())
        send(tile, QAccessible::ObjectCreated);
}

void described(Tile *tile)
{
    // The description is the interface's own, so Qt sends no change of it.
    send(tile, QAccessible::DescriptionChanged);
}

} // namespace boardaccess
