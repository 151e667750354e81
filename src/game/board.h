// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game board: two rows of letter tiles, the clock and five commands.

#include "app/forms.h"
#include "app/frameline.h"
#include "game/rules/geometry.h"
#include "game/tile.h"

#include <array>
#include <vector>

class KeyPlay;
class QLabel;
class QPushButton;
class QTimer;

class board : public Form
{
    Q_OBJECT
public:
    static constexpr FormId Id = FormId::board;
    board();

    void Form_Load() override;

    // The tile array; element 0 always exists, the others while a game has them.
    std::array<Tile *, geometry::MaxTiles> Command1{};
    QPushButton *Command2; // "Kilépés"
    QPushButton *Command3; // "Új játék"
    QPushButton *Command4; // "Szójegyzékbe felvesz"
    QPushButton *Command5; // "Ismét"
    QPushButton *Command6; // "Permutátor"
    QLabel *Label1;        // heading of the upper row
    QLabel *Label2;        // heading of the lower row
    QLabel *Label3;        // the clock
    QTimer *Timer1;

    FrameLine Line1{120, 1560, 8640, 1560, false};
    FrameLine Line2{120, 1455, 8640, 1455, true};
    FrameLine Line3{120, 3015, 8640, 3015, true};
    FrameLine Line4{120, 3120, 8640, 3120, false};
    FrameLine Line5{0, 0, 8760, 0, true};
    FrameLine Line6{0, 45, 8760, 45, false};
    FrameLine Line7{8760, 45, 8760, 4440, true};
    FrameLine Line8{0, 4440, 8760, 4440, true};
    FrameLine Line10{0, 50, 0, 4440, false};

    // Creates tile `index` with the properties of tile 0, invisible.
    Tile *loadTile(int index);
    // Removes tile `index` (never tile 0) if it exists.
    void unloadTile(int index);

    // The shown tiles standing in a row, left to right.
    std::vector<Tile *> tilesIn(geometry::Row row) const;
    // The tile's index in Command1; MaxTiles for a tile not there.
    int indexOf(const Tile *tile) const;

    // The window state as the drop rule sees it.
    geometry::WindowState dropWindowState() const;

    // The widget work of seged::LayOutBoard().
    void LayOut();

    void Form_Resize();
    // A tile released at (X, Y) twips over the bare board. Returns whether
    // the move was taken.
    bool Form_DragDrop(Tile *source, double X, double Y);
    void Timer1_Timer();
    void Command2_Click(); // "Kilépés"
    void Command3_Click(); // "Új játék"
    void Command4_Click(); // "Szójegyzékbe felvesz"
    void Command5_Click(); // "Ismét"
    void Command6_Click(); // "Permutátor"

    // From the board's context menu, or Ctrl+F and Ctrl+K.
    void openFinder();      // "Anagrammakereső": asks for the finder
    void shuffleUpperRow(); // "Betűk keverése"
    // Ends a keyboard lift, for a move made from elsewhere.
    void putBackLifted();

signals:
    // A tile moved, or a game was set up or cleared.
    void tilesChanged();

    // What the board asks of the other windows; the program answers.
    void exitWanted();                             // "Kilépés"
    void newGameWanted();                          // "Új játék", the game cleared
    void againWanted();                            // "Ismét", the game cleared: the same text set up again
    void addToListWanted();                        // "Szójegyzékbe felvesz"
    void permutatorWanted(const QString &letters); // "Permutátor", with the puzzle's letters
    void finderWanted();                           // "Anagrammakereső"

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The pieces of the window, made by the constructor in this order.
    void makeRowsAndFirstTile();
    void makeCommands();
    void makeHeadingsAndClock();
    void startClock();
    void addMenuCommands();

    // The pieces of LayOut: the frame lines to the edges of a screen of
    // SW x SH, the commands and the clock to those of a client area of
    // W x H, all in twips.
    void stretchFrameLines(int SW, int SH);
    void moveCommandsToEdges(int W, int H);

    void startDrag(Tile *tile, const QPoint &hotSpot);
    // The tile a drag carries, if it is one of this board's.
    Tile *draggedTile(const QDropEvent *event) const;
    // Clears the game for "Új játék" and "Ismét".
    void clearGame(bool removeTiles);

    bool layingOut_ = false;
    KeyPlay *keys_;
};
