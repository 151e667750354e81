// SPDX-License-Identifier: GPL-3.0-or-later
// Setting a game up from the starting expression, and laying the board out
// for long games.

#include "app/colours.h"
#include "app/program.h"
#include "app/twips.h"
#include "game/board.h"
#include "game/rules/letters.h"
#include "game/seged.h"

#include <QPushButton>
#include <algorithm>

namespace seged {

static const QString TooLongText = QStringLiteral("A kiindulási szöveg legfeljebb 32767 karakterből állhat!");

static void createFurtherTiles(board &b)
{
    for (int i = 1; i < state.LetterCount; ++i) {
        Tile *tile = b.loadTile(i);
        Tile *previous = b.Command1[i - 1];
        tile->Move(previous->Left() + geometry::TileWidth, previous->Top());
        tile->setCaption(state.PuzzleLetters.mid(i, 1));
        tile->setBackColor(colours::UpperTile);
        tile->show();
        // Tab visits the tiles in their order, then the commands.
        QWidget::setTabOrder(previous, tile);
    }
}

static void enableGameCommands(board &b, bool enabled)
{
    b.Command4->setEnabled(enabled);
    b.Command5->setEnabled(enabled);
    b.Command6->setEnabled(enabled);
}

void SetUpGame(const QString &raw, QWidget &entry)
{
    // A pasted accented letter may come as base letter + combining accent;
    // it is still the one letter it shows.
    const QString text = raw.normalized(QString::NormalizationForm_C);
    if (raw.size() > MaxStartTextLength || text.size() > MaxStartTextLength) {
        program::warn(TooLongText);
        return;
    }

    state.LetterCount = int16_t(text.size());
    for (const char32_t ch : text.toUcs4()) {
        const letters::Kind kind = letters::classify(ch);
        state.CharAccepted = kind != letters::Kind::Refused;
        if (kind == letters::Kind::Letter) {
            const char32_t up = letters::upper(ch);
            state.PuzzleLetters += QString::fromUcs4(&up, 1);
        }
        if (!state.CharAccepted)
            program::warn(letters::RefusedMessage);
    }
    state.PuzzleLetters = state.PuzzleLetters.toUpper();
    state.LetterCount = int16_t(state.PuzzleLetters.size());

    // Never past the last slot of the table, however long the text.
    const int marked = std::min<int>(state.LetterCount, geometry::SlotCount);
    for (int slot = 0; slot < marked; ++slot)
        state.SlotTable[slot].UpperTaken = true;

    entry.hide();
    board &b = forms::load<board>();
    b.showInFront();

    Tile *tile0 = b.Command1[0];
    tile0->setCaption(state.PuzzleLetters.left(1));
    tile0->Move(geometry::FirstSlotLeft, geometry::UpperRowTop);
    tile0->setBackColor(colours::UpperTile);

    if (state.LetterCount <= geometry::NormalSlots) {
        createFurtherTiles(b);
        enableGameCommands(b, true);
    } else if (state.LetterCount <= geometry::MaxTiles) {
        LayOutBoard();
        createFurtherTiles(b);
        enableGameCommands(b, true);
    } else {
        program::warn(letters::TooManyMessage);
        enableGameCommands(b, false);
    }
    tile0->setFocus(Qt::OtherFocusReason);
    emit b.tilesChanged();
}

void LayOutBoard() { forms::load<board>().LayOut(); }

} // namespace seged
