#include "game/tile.h"

#include "app/twips.h"
#include "game/rules/geometry.h"

#include <QCoreApplication>
#include <QPainter>

Tile::Tile(QWidget *parent) : QPushButton(parent)
{
    setAutoDefault(false);
    setFocusPolicy(Qt::TabFocus);
    resize(twips::toPx(geometry::TileWidth), twips::toPx(geometry::TileWidth));
}

void Tile::Move(int left, int top)
{
    left_ = left;
    top_ = top;
    move(twips::toPx(left), twips::toPx(top));
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
