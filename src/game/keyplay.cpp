// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/keyplay.h"

#include "app/notice.h"
#include "game/announce.h"
#include "game/board.h"
#include "game/rules/spoken.h"
#include "game/seged.h"
#include "game/tile.h"

#include <QKeyEvent>
#include <optional>

using namespace geometry;
using keyboard::Slot;
using keyboard::Step;

KeyPlay::KeyPlay(board *b)
    : QObject(b), board_(b), targetMarker_(new TargetMarker(b)), notice_(new Notice(b))
{
}

// Keys with Ctrl, Alt or Meta belong to the board's commands.
static bool plain(const QKeyEvent *key)
{
    return !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

static std::optional<Step> stepOf(int key)
{
    switch (key) {
    case Qt::Key_Left:
        return Step::Left;
    case Qt::Key_Right:
        return Step::Right;
    case Qt::Key_Up:
        return Step::Up;
    case Qt::Key_Down:
        return Step::Down;
    default:
        return std::nullopt;
    }
}

bool KeyPlay::tileKey(Tile *tile, const QKeyEvent *key)
{
    if (!plain(key))
        return false;
    switch (key->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A held key would put the tile down and lift it again in turn.
        if (!key->isAutoRepeat())
            liftOrPutDown(tile);
        return true;
    case Qt::Key_Escape:
        escape();
        return true;
    default:
        if (const auto step = stepOf(key->key())) {
            arrow(tile, *step);
            return true;
        }
        return false;
    }
}

void KeyPlay::liftOrPutDown(Tile *tile)
{
    notice_->hide();
    if (tile == lifted_)
        putDown();
    else
        lift(tile);
}

void KeyPlay::escape()
{
    notice_->hide();
    if (Tile *back = lifted_) {
        putBack();
        boardaccess::focus(back); // heard back in its place
    } else {
        say(spoken::nothingLifted());
    }
}

// A lifted tile's arrow moves its target; any other tile's moves the focus.
void KeyPlay::arrow(Tile *tile, Step step)
{
    notice_->hide();
    if (tile == lifted_)
        moveMarker(step);
    else
        focusNeighbour(tile, step);
}

void KeyPlay::focusNeighbour(Tile *tile, Step step)
{
    if (const auto next = keyboard::neighbour(tileViews(), board_->indexOf(tile), step)) {
        board_->Command1[*next]->setFocus(Qt::OtherFocusReason);
        return;
    }
    // Nowhere to go: said, as the key would otherwise go unanswered.
    const Row here = tile->place().row;
    if (step == Step::Left || step == Step::Right)
        say(spoken::rowEdge());
    else if ((step == Step::Up) == (here == Row::Upper))
        say(spoken::alreadyIn(here));
    else
        say(spoken::rowEmpty(here == Row::Upper ? Row::Lower : Row::Upper));
}

bool KeyPlay::boardKey(const QKeyEvent *key)
{
    if (!plain(key))
        return false;
    if (key->key() == Qt::Key_Backspace) {
        takeBackLast();
        return true;
    }
    if (!key->text().isEmpty() && key->text().front().isPrint()) {
        typeText(key->text());
        return true;
    }
    return false;
}

void KeyPlay::committed(const QString &text) { typeText(text); }

void KeyPlay::focusLeft(Tile *tile, Qt::FocusReason why)
{
    if (tile == lifted_ && why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason)
        putBack();
}

void KeyPlay::lift(Tile *tile)
{
    putBack();
    lifted_ = tile;
    tile->setLifted(true);
    // The marker starts on the tile's own slot.
    marker_ = tile->place();
    showTarget();
}

void KeyPlay::putDown()
{
    Tile *tile = lifted_;
    const Slot own = tile->place();
    if (moveByKey(tile, marker_)) {
        putBack();
        boardaccess::focus(tile);
        return;
    }
    using spoken::Refusal;
    const Refusal why = marker_.slot >= usableSlots(board_->dropWindowState()) ? Refusal::NotUsable
                        : marker_ == own                                            ? Refusal::OwnPlace
                                                                                    : Refusal::Taken;
    say(spoken::refused(why, tile->Caption()));
}

void KeyPlay::moveMarker(Step step)
{
    const Slot moved = keyboard::moveMarker(marker_, step, board_->dropWindowState());
    if (moved == marker_) {
        // The target stays: the row ends there, or the target is in that row.
        say(step == Step::Left || step == Step::Right ? spoken::rowEdge() : spoken::alreadyIn(marker_.row));
        return;
    }
    marker_ = moved;
    showTarget();
}

void KeyPlay::showTarget()
{
    targetMarker_->frame(slotLeft(marker_.slot), rowTop(marker_.row));
    const Tile *tile = lifted_;
    const Slot own = tile->place();
    boardaccess::target(TileRow::of(board_, marker_.row), marker_.slot, spoken::target(tile->Caption(), own, marker_, tileViews()));
}

void KeyPlay::putBack()
{
    targetMarker_->hide();
    boardaccess::noTarget(board_);
    if (Tile *tile = std::exchange(lifted_, nullptr))
        tile->setLifted(false);
}

bool KeyPlay::moveByKey(Tile *tile, Slot to)
{
    const keyboard::Point at = keyboard::dropPoint(to);
    return board_->Form_DragDrop(tile, at.x, at.y);
}

void KeyPlay::say(const QString &text) { notice_->say(text); }

QString KeyPlay::upperRowText() const { return spoken::rowText(tileViews(), Row::Upper); }

// A lifted tile stays lifted when a key moves nothing, so that the
// screen reader's focus stays on its target; a move ends the lift.
void KeyPlay::typeText(const QString &text)
{
    notice_->hide();
    // A composed letter may come as base letter and combining accent.
    for (const char32_t ch : text.normalized(QString::NormalizationForm_C).toUcs4()) {
        if (const auto tile = keyboard::tileForLetter(tileViews(), ch))
            moveToFree(*tile, Row::Lower);
        else
            say(spoken::noTileFor(ch));
    }
}

void KeyPlay::takeBackLast()
{
    notice_->hide();
    if (const auto tile = keyboard::rightmostLower(tileViews()))
        moveToFree(*tile, Row::Upper);
    else
        say(spoken::rowEmpty(Row::Lower));
}

void KeyPlay::moveToFree(int index, Row row)
{
    const auto slot = keyboard::leftmostFree(seged::state, row, board_->dropWindowState());
    if (!slot) {
        say(spoken::noFreeSlot(row));
        return;
    }
    putBack();
    Tile *tile = board_->Command1[size_t(index)];
    if (moveByKey(tile, {row, *slot}))
        boardaccess::focus(tile);
}

std::vector<keyboard::TileView> KeyPlay::tileViews() const
{
    std::vector<keyboard::TileView> views;
    for (const Tile *t : board_->Command1) {
        if (!t)
            break;
        views.push_back(t->view());
    }
    return views;
}

