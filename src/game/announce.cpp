#include "game/announce.h"

#include "app/twips.h"
#include "game/rules/geometry.h"
#include "game/rules/spoken.h"
#include "game/tile.h"

#include <QPointer>

namespace {

void send(QAccessibleInterface *iface, QAccessible::Event type)
{
    if (!iface)
        return;
    QAccessibleEvent event(iface, type);
    QAccessible::updateAccessibility(&event);
}

void send(QObject *object, QAccessible::Event type)
{
    QAccessibleEvent event(object, type);
    QAccessible::updateAccessibility(&event);
}

// A slot of a row as the target of a lifted tile: it exists for assistive
// technology only, and has the screen reader's focus while it is the target.
class PlaceInterface : public QAccessibleInterface
{
public:
    PlaceInterface(TileRow *row, int slot) : row_(row), slot_(slot) {}

    bool isValid() const override { return row_; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return row_ ? row_->window()->windowHandle() : nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(row_.data()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !row_)
            return {};
        return isTarget() ? row_->targetName() : spoken::place({rowOf(), slot_});
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!row_)
            return {};
        const int side = twips::toPx(geometry::TileWidth);
        return QRect(row_->mapToGlobal(QPoint(slot_ * side, 0)), QSize(side, side));
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
    bool isTarget() const { return row_ && row_->targetSlot() == slot_; }
    geometry::Row rowOf() const
    {
        return row_->y() == twips::toPx(geometry::LowerRowTop) ? geometry::Row::Lower : geometry::Row::Upper;
    }

    QPointer<TileRow> row_;
    int slot_;
};

} // namespace

TileRow::TileRow(QWidget *board, const QString &name, int top) : QWidget(board)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleName(name);
    const int right = geometry::slotLeft(geometry::MaxTiles);
    setGeometry(twips::toPx(geometry::FirstSlotLeft), twips::toPx(top),
                twips::toPx(right - geometry::FirstSlotLeft), twips::toPx(geometry::TileWidth));
    lower();
}

TileRow::~TileRow()
{
    for (const auto &[slot, id] : places_)
        QAccessible::deleteAccessibleInterface(id);
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
