// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/accessible.h"

#include "app/notice.h"
#include "game/announce.h"
#include "game/board.h"
#include "game/rules/geometry.h"
#include "game/rules/spoken.h"
#include "game/tile.h"

#include <QAccessibleWidget>
#include <algorithm>

namespace {

// A widget's interface whose children are a list it makes when asked.
class ListedChildren : public QAccessibleWidget
{
public:
    using QAccessibleWidget::QAccessibleWidget;

    int childCount() const override { return int(children().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QAccessibleInterface *> all = children();
        return index >= 0 && index < all.size() ? all[index] : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return int(children().indexOf(const_cast<QAccessibleInterface *>(child)));
    }

protected:
    virtual QList<QAccessibleInterface *> children() const = 0;
};

// A widget's text that a screen reader may read but not change, select or
// move in.
template <class Widget>
class ReadOnlyText : public Widget, public QAccessibleTextInterface
{
public:
    using Widget::Widget;
    virtual QString shownText() const = 0;

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return Widget::interface_cast(t);
    }

    using Widget::text;

    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override
    {
        const QString all = shownText();
        start = std::clamp(start, 0, int(all.size()));
        end = end < 0 ? int(all.size()) : std::clamp(end, start, int(all.size()));
        return all.mid(start, end - start);
    }
    int characterCount() const override { return int(shownText().size()); }
    int offsetAtPoint(const QPoint &point) const override
    {
        for (int i = 0; i < characterCount(); ++i)
            if (characterRect(i).contains(point))
                return i;
        return -1;
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *start, int *end) const override
    {
        *start = *end = offset;
        return {};
    }
};

// The tiles, the marker and the places live in the rows, not in the window.
bool standsInRow(const QObject *o) { return qobject_cast<const Tile *>(o) || qobject_cast<const TargetMarker *>(o); }

class BoardInterface : public ListedChildren
{
public:
    explicit BoardInterface(QWidget *board) : ListedChildren(board, QAccessible::Window) {}

private:
    QList<QAccessibleInterface *> children() const override
    {
        QList<QWidget *> widgets;
        for (QWidget *w : widget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (!w->isWindow() && !standsInRow(w))
                widgets << w;
        // In reading order, not in the order of stacking.
        std::stable_sort(widgets.begin(), widgets.end(), [](const QWidget *a, const QWidget *b) {
            return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
        });
        QList<QAccessibleInterface *> all;
        for (QWidget *w : widgets)
            all << QAccessible::queryAccessibleInterface(w);
        // A message, while it is up, after everything else.
        if (QAccessibleInterface *notice = Notice::shownIn(widget()))
            all << notice;
        return all;
    }
};

class RowInterface : public ReadOnlyText<ListedChildren>
{
public:
    explicit RowInterface(QWidget *row) : ReadOnlyText(row, QAccessible::Grouping) {}

    // The row read as the expression it holds.
    QString shownText() const override
    {
        std::vector<keyboard::TileView> views;
        for (const Tile *t : tiles())
            views.push_back(t->view());
        return spoken::rowText(views, row()->which());
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? shownText() : QAccessibleWidget::text(t);
    }
    using ReadOnlyText::text;
    // Character k stands in slot k.
    QRect characterRect(int offset) const override { return row()->slotRect(offset); }

private:
    TileRow *row() const { return static_cast<TileRow *>(widget()); }

    // The board's shown tiles in this row, left to right; none once the
    // board is being destroyed.
    std::vector<Tile *> tiles() const
    {
        const auto *b = qobject_cast<const board *>(widget()->parentWidget());
        return b ? b->tilesIn(row()->which()) : std::vector<Tile *>();
    }
    // Its tiles, then the target if it lies here.
    QList<QAccessibleInterface *> children() const override
    {
        QList<QAccessibleInterface *> all;
        for (Tile *t : tiles())
            all << QAccessible::queryAccessibleInterface(t);
        if (row()->targetSlot() >= 0)
            all << row()->place(row()->targetSlot());
        return all;
    }
};

class TileInterface : public QAccessibleWidget
{
public:
    explicit TileInterface(QWidget *tile) : QAccessibleWidget(tile, QAccessible::Button) {}

    // Its letter and its place.
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return tile()->Caption();
        if (t == QAccessible::Description)
            return spoken::place(tile()->place());
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        // While lifted, the screen reader's focus is on the target.
        s.pressed = tile()->isLifted();
        s.focused = s.focused && !tile()->isLifted();
        return s;
    }
    QAccessibleInterface *parent() const override
    {
        if (TileRow *row = TileRow::of(widget()->parentWidget(), geometry::rowOfTop(tile()->Top())))
            return QAccessible::queryAccessibleInterface(row);
        return QAccessibleWidget::parent();
    }

private:
    Tile *tile() const { return static_cast<Tile *>(widget()); }
};

class ClockInterface : public ReadOnlyText<QAccessibleWidget>
{
public:
    explicit ClockInterface(QWidget *clock) : ReadOnlyText(clock, QAccessible::StaticText) {}

    // Read when asked, never announced: the label sends no change, as its
    // name is set. A screen reader keeps a name it has read but not a text,
    // so the text says the same to be heard with the current time.
    QString shownText() const override
    {
        const QString time = static_cast<QLabel *>(widget())->text();
        return time.isEmpty() ? widget()->accessibleName() : widget()->accessibleName() + u' ' + time;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return shownText();
        if (t == QAccessible::Value)
            return static_cast<QLabel *>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    using ReadOnlyText::text;
    // Laid out from the label's top left corner, as the time is drawn.
    QRect characterRect(int offset) const override
    {
        const QFontMetrics metrics(widget()->font());
        const QString all = shownText();
        const QRect r(metrics.horizontalAdvance(all.left(offset)), 0, metrics.horizontalAdvance(all.mid(offset, 1)),
                      metrics.height());
        return r.translated(widget()->mapToGlobal(QPoint(0, 0)));
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

namespace boardaccess {

void install()
{
    static const bool installed = (QAccessible::installFactory(factory), true);
    Q_UNUSED(installed);
}

} // namespace boardaccess
