// Setting a game up from the entry window's text, and laying the board out
// for long games.

#include "app/windowmanager.h"
#include "app/program.h"
#include "app/twips.h"
#include "game/board.h"
#include "game/letters.h"
#include "game/seged.h"
#include "puzzles/betolt.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <algorithm>

namespace seged {

static const QString TooManyLetters = QStringLiteral("A megadott kifejezés legfeljebb 23 betűből állhat!");
static const QString TooLongText = QStringLiteral("A kiindulási szöveg legfeljebb 32767 karakterből állhat!");

static void createFurtherTiles(board &b)
{
    for (int i = 1; i < state.LetterCount; ++i) {
        Tile *tile = b.loadTile(i);
        const Tile *previous = b.Command1[i - 1];
        tile->Move(previous->Left() + geometry::TileWidth, previous->Top());
        tile->setCaption(state.PuzzleLetters.mid(i, 1));
        tile->setBackColor(geometry::UpperTileColour);
        tile->show();
    }
}

static void enableGameCommands(board &b, bool enabled)
{
    b.Command4->setEnabled(enabled);
    b.Command5->setEnabled(enabled);
    b.Command6->setEnabled(enabled);
}

void SetUpGame()
{
    betolt &entry = forms::load<betolt>();
    const QString raw = entry.Text1->text();
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
    tile0->setBackColor(geometry::UpperTileColour);

    if (state.LetterCount <= geometry::NormalSlots) {
        createFurtherTiles(b);
        enableGameCommands(b, true);
    } else if (state.LetterCount <= geometry::MaxTiles) {
        LayOutBoard();
        createFurtherTiles(b);
        enableGameCommands(b, true);
    } else {
        program::warn(TooManyLetters);
        enableGameCommands(b, false);
    }
}

// The client area of the board once maximised: as the window manager gives
// it, else the screen's work area less the frame.
static QSize maximisedClientSize(board &b)
{
    if (const auto size = windowmanager::awaitMaximised(&b))
        return *size;
    return b.screen()->availableGeometry().size().shrunkBy(windowmanager::frame(&b));
}

void LayOutBoard()
{
    // Maximising raises resize events, which call back here once the
    // layout flag is down: they must not start a second layout meanwhile.
    static bool running = false;
    if (running)
        return;
    QScopedValueRollback guard(running, true);

    board &b = forms::load<board>();
    // 1. A sizable border: lift the fixed size.
    b.setMinimumSize(0, 0);
    b.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // 2. Maximised. Under a window manager the new size arrives later as a
    // resize event, which lays the board out again with the real size.
    const bool requested = !b.isMaximized() || b.isMinimized();
    if (requested)
        b.setWindowState((b.windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);

    const QRect screen = b.screen()->geometry();
    const int SW = screen.width() * twips::PerPixel;
    const int SH = screen.height() * twips::PerPixel;
    // The window system applies the new state later; until then the client
    // area is still the design size, so take the one it is about to get.
    const QSize client = requested && b.isVisible() ? maximisedClientSize(b) : b.size();
    const int W = client.width() * twips::PerPixel;
    const int H = client.height() * twips::PerPixel;

    // 3. Frame lines to the edges of the screen.
    b.Line1.X2 = b.Line2.X2 = b.Line3.X2 = b.Line4.X2 = SW - 150;
    b.Line5.X2 = b.Line6.X2 = SW - 50;
    b.Line8.X2 = SW - 150;
    b.Line7.X1 = b.Line7.X2 = SW - 50;
    b.Line7.Y2 = SH - 50;
    b.Line8.Y1 = b.Line8.Y2 = SH - 50;
    b.Line10.Y2 = SH - 150;

    // 4. Buttons and clock to the edges of the client area.
    twips::setLeft(b.Command2, W - 1250);
    twips::setLeft(b.Command4, W - 3250);
    constexpr int Command6Width = 1215;
    twips::setLeft(b.Command6, W / 2 - Command6Width / 2);
    twips::setLeft(b.Label3, W - 1400);
    for (QPushButton *button : {b.Command2, b.Command3, b.Command4, b.Command5, b.Command6})
        twips::setTop(button, H - 1500);
    b.update();

    // 5. The border would be fixed again here; fixing the size of a window
    // the window manager is still maximising would stop it, and a
    // maximised window cannot be resized by the player anyway.

    // 6.
    state.LayoutSuspended = false;
}

} // namespace seged
