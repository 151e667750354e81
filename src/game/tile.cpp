// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/tile.h"

#include "app/twips.h"
#include "game/announce.h"
#include "game/rules/geometry.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QPainter>

Tile::Tile(QWidget *parent) : QPushButton(parent)
{
    setAutoDefault(false);
    setFocusPolicy(Qt::TabFocus);
    // Dead keys and compose sequences reach a widget only as input-method
    // commits, and only if it takes them.
    setAttribute(Qt::WA_InputMethodEnabled);
    resize(twips::toPx(geometry::TileWidth), twips::toPx(geometry::TileWidth));
}

void Tile::Move(int left, int top)
{
    // Only a shown tile standing in a row is in the accessible tree.
    const bool inRow = !isHidden() && (top_ == geometry::UpperRowTop || top_ == geometry::LowerRowTop);
    const bool changesRow = inRow && top != top_;
    if (changesRow)
        boardaccess::leavingRow(this);
    const bool newPlace = left != left_ || top != top_;
    left_ = left;
    top_ = top;
    move(twips::toPx(left), twips::toPx(top));
    // Its place is its description.
    if (changesRow)
        boardaccess::joinedRow(this);
    else if (inRow && newPlace)
        boardaccess::described(this);
}

void Tile::setLifted(bool lifted)
{
    lifted_ = lifted;
    update();
}

void Tile::setBackColor(const QColor &colour)
{
    back_ = colour;
    update();
}

void Tile::paintEvent(QPaintEvent *)
{
    // A raised button in its back colour, as a graphical-style command
    // button draws itself; the letter centred on it.
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, back_.isValid() ? back_ : palette().color(QPalette::Button));
    const bool sunken = isDown();
    const QColor light = sunken ? Qt::black : Qt::white;
    const QColor dark = sunken ? Qt::white : Qt::black;
    const QColor shade = palette().color(QPalette::Mid);
    p.setPen(light);
    p.drawLine(r.topLeft(), r.topRight() - QPoint(1, 0));
    p.drawLine(r.topLeft(), r.bottomLeft() - QPoint(0, 1));
    p.setPen(dark);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(shade);
    p.drawLine(r.bottomLeft() + QPoint(1, -1), r.bottomRight() - QPoint(1, 1));
    p.drawLine(r.topRight() + QPoint(-1, 1), r.bottomRight() - QPoint(1, 1));
    p.setPen(palette().color(QPalette::ButtonText));
    p.setFont(font());
    p.drawText(r.adjusted(1, 1, -2, -2), Qt::AlignCenter, text());
    // Told apart by line, not by colour: the focus a dotted square inside
    // the bevel, a lifted tile a heavy solid frame along its edge.
    if (hasFocus()) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(r.adjusted(4, 4, -5, -5));
    }
    if (lifted_) {
        p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.drawRect(r.adjusted(1, 1, -2, -2));
    }
}

TargetMarker::TargetMarker(QWidget *board) : QWidget(board)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void TargetMarker::frame(int left, int top)
{
    // Three pixels round the tile place, so that the frame shows on a tile
    // as well as on the bare board.
    constexpr int Margin = 3;
    const int side = twips::toPx(geometry::TileWidth) + 2 * Margin;
    setGeometry(twips::toPx(left) - Margin, twips::toPx(top) - Margin, side, side);
    raise();
    show();
}

void TargetMarker::paintEvent(QPaintEvent *)
{
    // White under black dashes: seen on the blue board and on either tile colour.
    QPainter p(this);
    const QRect r = rect().adjusted(1, 1, -2, -2);
    p.setPen(QPen(Qt::white, 3));
    p.drawRect(r);
    p.setPen(QPen(Qt::black, 3, Qt::DashLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawRect(r);
}

namespace tilemime {

static const QString Type = QStringLiteral("application/x-morvalin-tile");

QMimeData *make(int index)
{
    auto *data = new QMimeData;
    data->setData(Type, QByteArray::number(QCoreApplication::applicationPid()) + ':' + QByteArray::number(index));
    return data;
}

std::optional<int> index(const QMimeData *data)
{
    if (!data || !data->hasFormat(Type))
        return std::nullopt;
    const QList<QByteArray> parts = data->data(Type).split(':');
    bool pidOk = false, indexOk = false;
    if (parts.size() != 2 || parts[0].toLongLong(&pidOk) != QCoreApplication::applicationPid())
        return std::nullopt;
    const int i = parts[1].toInt(&indexOk);
    if (!pidOk || !indexOk || i < 0 || i >= geometry::MaxTiles)
        return std::nullopt;
    return i;
}

} // namespace tilemime
