#include "game/accessible.h"

#include "game/tile.h"

#include <QAccessibleWidget>
#include <algorithm>

namespace boardaccess {

namespace {

// The tiles are the rows' children, and the marker is only a picture.
bool standsInRow(const QObject *o) { return qobject_cast<const Tile *>(o) || qobject_cast<const TargetMarker *>(o); }

class BoardInterface : public QAccessibleWidget
{
public:
    explicit BoardInterface(QWidget *board) : QAccessibleWidget(board, QAccessible::Window) {}

    int childCount() const override { return int(children().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> all = children();
        return index >= 0 && index < all.size() ? QAccessible::queryAccessibleInterface(all[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(children().indexOf(child->object())) : -1;
    }

private:
    QList<QWidget *> children() const
    {
        QList<QWidget *> all;
        for (QWidget *w : widget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (!w->isWindow() && !standsInRow(w))
                all << w;
        // In reading order, not in the order of stacking.
        std::stable_sort(all.begin(), all.end(), [](const QWidget *a, const QWidget *b) {
            return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
        });
        return all;
    }
};

class RowInterface : public QAccessibleWidget
{
public:
    explicit RowInterface(QWidget *row) : QAccessibleWidget(row, QAccessible::Grouping) {}

    int childCount() const override { return int(tiles().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<Tile *> all = tiles();
        return index >= 0 && index < all.size() ? QAccessible::queryAccessibleInterface(all[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(tiles().indexOf(qobject_cast<Tile *>(child->object()))) : -1;
    }

private:
    // The shown tiles standing at this row's top, left to right.
    QList<Tile *> tiles() const
    {
        QList<Tile *> all;
        for (Tile *t : widget()->parentWidget()->findChildren<Tile *>(Qt::FindDirectChildrenOnly))
            if (!t->isHidden() && t->y() == widget()->y())
                all << t;
        std::sort(all.begin(), all.end(), [](Tile *a, Tile *b) { return a->Left() < b->Left(); });
        return all;
    }
};

class TileInterface : public QAccessibleWidget
{
public:
    explicit TileInterface(QWidget *tile) : QAccessibleWidget(tile, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return tile()->Caption();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = tile()->isLifted();
        return s;
    }
    QAccessibleInterface *parent() const override
    {
        for (TileRow *row : widget()->parentWidget()->findChildren<TileRow *>(Qt::FindDirectChildrenOnly))
            if (row->y() == widget()->y())
                return QAccessible::queryAccessibleInterface(row);
        return QAccessibleWidget::parent();
    }

private:
    Tile *tile() const { return static_cast<Tile *>(widget()); }
};

class ClockInterface : public QAccessibleWidget
{
public:
    explicit ClockInterface(QWidget *clock) : QAccessibleWidget(clock, QAccessible::StaticText) {}

    // Read when asked; the label sends no change, as its name is set.
    QString text(QAccessible::Text t) const override
    {
        const QString time = static_cast<QLabel *>(widget())->text();
        if (t == QAccessible::Name)
            return time.isEmpty() ? widget()->accessibleName() : widget()->accessibleName() + u' ' + time;
        if (t == QAccessible::Value)
            return time;
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    auto *w = qobject_cast<QWidget *>(object);
    if (!w)
        return nullptr;
    if (className == QLatin1String("board"))
        return new BoardInterface(w);
    if (className == QLatin1String("TileRow"))
        return new RowInterface(w);
    if (className == QLatin1String("Tile"))
        return new TileInterface(w);
    if (className == QLatin1String("ClockLabel"))
        return new ClockInterface(w);
    return nullptr;
}

} // namespace

void install()
{
    static const bool installed = (QAccessible::installFactory(factory), true);
    Q_UNUSED(installed);
}

} // namespace boardaccess
