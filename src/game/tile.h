// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A letter tile: a square button that keeps its place in twips and shows
// its back colour (the colour of its row). Tiles are passive; the board
// starts their drags, moves them from the keyboard and decides every drop.

#include "game/rules/keyboard.h"

#include <QMimeData>
#include <QPushButton>
#include <optional>

class Tile : public QPushButton
{
    Q_OBJECT
public:
    explicit Tile(QWidget *parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    // Moves the tile in one call; width and height stay.
    void Move(int left, int top);

    QString Caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }

    // The tile as the rules of keyboard play see it, and its place.
    keyboard::TileView view() const { return {left_, top_, Caption()}; }
    keyboard::Slot place() const { return keyboard::placeOf(view()); }

    QColor BackColor() const { return back_; }
    void setBackColor(const QColor &colour);

    // Picked up from the keyboard.
    bool isLifted() const { return lifted_; }
    void setLifted(bool lifted);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int left_ = 0;
    int top_ = 0;
    QColor back_;
    bool lifted_ = false;
};

// The frame that shows where a lifted tile would go. It lies above the
// tiles, draws only its dashed outline and lets every mouse event through.
class TargetMarker : public QWidget
{
    Q_OBJECT
public:
    explicit TargetMarker(QWidget *board);
    // Frames the tile place at (left, top) twips.
    void frame(int left, int top);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// What a dragged tile carries: its index in the board's tile array, tied to
// this process so that a drag from another copy of the game is not taken.
namespace tilemime {
QMimeData *make(int index);
std::optional<int> index(const QMimeData *data);
} // namespace tilemime
