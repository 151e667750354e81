// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/board.h"

#include "app/colours.h"
#include "app/controls.h"
#include "app/fonts.h"
#include "app/handcursor.h"
#include "app/program.h"
#include "app/syscolour.h"
#include "app/twips.h"
#include "app/windowmanager.h"
#include "game/accessible.h"
#include "game/announce.h"
#include "game/keyplay.h"
#include "game/rules/clock.h"
#include "game/rules/drop.h"
#include "game/rules/shuffle.h"
#include "game/rules/spoken.h"
#include "game/seged.h"

#include <QAction>
#include <QDrag>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTimer>
#include <algorithm>

using namespace geometry;

board::board() : Form(Id)
{
    setWindowTitle(QStringLiteral("Morvalin"));
    // Fixed border, no minimise or maximise button.
    setFixedClientTw(8775, 4455);
    setAcceptDrops(true);
    boardaccess::install();
    // Made in this order, each above the one before: the rows beneath the
    // tiles, the lift's marker above everything.
    makeRowsAndFirstTile();
    makeCommands();
    makeHeadingsAndClock();
    keys_ = new KeyPlay(this);
    startClock();
    addMenuCommands();
}

void board::makeRowsAndFirstTile()
{
    new TileRow(this, QStringLiteral("Induló kifejezés"), Row::Upper);
    new TileRow(this, QStringLiteral("Kész kifejezés"), Row::Lower);

    auto *tile0 = new Tile(this);
    tile0->setCaption(QStringLiteral("A"));
    tile0->setFont(fonts::timesCE(14.25));
    tile0->Move(FirstSlotLeft, UpperRowTop);
    tile0->installEventFilter(this);
    Command1[0] = tile0;
}

void board::makeCommands()
{
    Command2 = controls::button(this, QStringLiteral("Kilépés"), 7560, 3840, 1095, 375);
    Command3 = controls::button(this, QStringLiteral("Új játék"), 120, 3840, 1095, 375);
    Command4 = controls::button(this, QStringLiteral("Szójegyzékbe felvesz"), 5520, 3840, 1815, 375);
    Command5 = controls::button(this, QStringLiteral("Ismét"), 1440, 3840, 1215, 375);
    Command6 = controls::button(this, QStringLiteral("Permutátor"), 3600, 3840, 1215, 375);
    setTabOrder({Command1[0], Command2, Command3, Command4, Command5, Command6});

    connect(Command2, &QPushButton::clicked, this, &board::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &board::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &board::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &board::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &board::Command6_Click);
}

void board::makeHeadingsAndClock()
{
    Label1 = controls::label(this, QStringLiteral("Induló kifejezés:"), 240, 240, 1815, 255);
    Label2 = controls::label(this, QStringLiteral("Kész kifejezés:"), 240, 1800, 1815, 255);
    for (QLabel *heading : {Label1, Label2}) {
        heading->setFont(fonts::timesCE(12));
        controls::setForeColor(heading, syscolour::highlightText());
    }
    Label3 = new ClockLabel(this);
    Label3->setGeometry(twips::toPx(7440, 240, 1095, 375));
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A set name keeps the label from announcing every tick.
    Label3->setAccessibleName(QStringLiteral("Játékidő"));
    Label3->setFont(fonts::msSansSerif(12));
    Label3->setToolTip(QStringLiteral("Játékidő"));
    controls::setBackColor(Label3, QColor(192, 192, 0));
    controls::setForeColor(Label3, syscolour::menuText());
}

void board::startClock()
{
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &board::Timer1_Timer);
    Timer1->start();
}

// The finder and the shuffle: on the context menu (right click, the Menu
// key) and on keys of their own.
void board::addMenuCommands()
{
    setContextMenuPolicy(Qt::ActionsContextMenu);
    auto *find = new QAction(QStringLiteral("Anagrammakereső"), this);
    find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(find, &QAction::triggered, this, &board::openFinder);
    auto *mix = new QAction(QStringLiteral("Betűk keverése"), this);
    mix->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    connect(mix, &QAction::triggered, this, &board::shuffleUpperRow);
    addActions({find, mix});
}

void board::Form_Load()
{
    centreOnScreen();
    controls::setBackColor(this, colours::Board);
    controls::setBackColor(Label1, colours::Board);
    controls::setBackColor(Label2, colours::Board);
    seged::state.LayoutSuspended = true;
    seged::state.ElapsedSeconds = 0;
    seged::state.ElapsedMinutes = 0;
    // Later tiles take the cursor from tile 0; without a usable cursor file
    // the tiles keep the ordinary pointer.
    if (const auto hand = handcursor::load(program::filePath(QStringLiteral("hand.cur"))))
        Command1[0]->setCursor(*hand);
}

Tile *board::loadTile(int index)
{
    if (index <= 0 || index >= MaxTiles)
        return nullptr;
    if (Command1[index])
        return Command1[index];
    const Tile *model = Command1[0];
    auto *tile = new Tile(this);
    tile->hide();
    tile->resize(model->size());
    tile->setFont(model->font());
    if (model->testAttribute(Qt::WA_SetCursor))
        tile->setCursor(model->cursor());
    tile->setCaption(model->Caption());
    tile->setBackColor(model->BackColor());
    tile->Move(model->Left(), model->Top());
    tile->installEventFilter(this);
    Command1[index] = tile;
    return tile;
}

void board::unloadTile(int index)
{
    if (index <= 0 || index >= MaxTiles || !Command1[index])
        return;
    delete std::exchange(Command1[index], nullptr);
}

std::vector<Tile *> board::tilesIn(Row row) const
{
    std::vector<Tile *> tiles;
    for (Tile *t : Command1)
        if (t && !t->isHidden() && t->Top() == rowTop(row))
            tiles.push_back(t);
    std::stable_sort(tiles.begin(), tiles.end(), [](const Tile *a, const Tile *b) { return a->Left() < b->Left(); });
    return tiles;
}

int board::indexOf(const Tile *tile) const
{
    return int(std::find(Command1.begin(), Command1.end(), tile) - Command1.begin());
}

WindowState board::dropWindowState() const
{
    if (isMinimized())
        return WindowState::Minimised;
    if (isMaximized())
        return WindowState::Maximised;
    return WindowState::Normal;
}

// The client area of the board once maximised: as the window manager gives
// it, else the screen's work area less the frame.
static QSize maximisedClientSize(board &b)
{
    if (const auto size = windowmanager::awaitMaximised(&b))
        return *size;
    return b.screen()->availableGeometry().size().shrunkBy(windowmanager::frame(&b));
}

void board::LayOut()
{
    // Maximising raises resize events, which call back here once the
    // layout flag is down: they must not start a second layout meanwhile.
    if (layingOut_)
        return;
    QScopedValueRollback guard(layingOut_, true);

    // 1. A sizable border: lift the fixed size.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // 2. Maximised. Under a window manager the new size arrives later as a
    // resize event, which lays the board out again with the real size.
    const bool requested = !isMaximized() || isMinimized();
    if (requested)
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);

    const QRect whole = screen()->geometry();
    // The window system applies the new state later; until then the client
    // area is still the design size, so take the one it is about to get.
    const QSize client = requested && isVisible() ? maximisedClientSize(*this) : size();

    // 3. Frame lines to the edges of the screen.
    stretchFrameLines(whole.width() * twips::PerPixel, whole.height() * twips::PerPixel);
    // 4. Buttons and clock to the edges of the client area.
    moveCommandsToEdges(client.width() * twips::PerPixel, client.height() * twips::PerPixel);
    update();

    // 5. The border would be fixed again here; fixing the size of a window
    // the window manager is still maximising would stop it, and a
    // maximised window cannot be resized by the player anyway.

    // 6.
    seged::state.LayoutSuspended = false;
}

void board::stretchFrameLines(int SW, int SH)
{
    Line1.X2 = Line2.X2 = Line3.X2 = Line4.X2 = SW - 150;
    Line5.X2 = Line6.X2 = SW - 50;
    Line8.X2 = SW - 150;
    Line7.X1 = Line7.X2 = SW - 50;
    Line7.Y2 = SH - 50;
    Line8.Y1 = Line8.Y2 = SH - 50;
    Line10.Y2 = SH - 150;
}

void board::moveCommandsToEdges(int W, int H)
{
    twips::setLeft(Command2, W - 1250);
    twips::setLeft(Command4, W - 3250);
    constexpr int Command6Width = 1215;
    twips::setLeft(Command6, W / 2 - Command6Width / 2);
    twips::setLeft(Label3, W - 1400);
    for (QPushButton *button : {Command2, Command3, Command4, Command5, Command6})
        twips::setTop(button, H - 1500);
}

void board::Form_Resize()
{
    if (!seged::state.LayoutSuspended)
        seged::LayOutBoard();
}

bool board::Form_DragDrop(Tile *source, double X, double Y)
{
    const auto to = drop::target(seged::state, dropWindowState(), X, Y);
    if (!to)
        return false;
    const drop::Placement at = drop::move(seged::state, *to, source->Left(), source->Top(), source->Caption());
    source->Move(at.left, at.top);
    source->setBackColor(at.row == Row::Upper ? colours::UpperTile : colours::LowerTile);
    emit tilesChanged();
    return true;
}

void board::Timer1_Timer()
{
    gameclock::tick(seged::state.ElapsedMinutes, seged::state.ElapsedSeconds);
    Label3->setText(gameclock::text(seged::state.ElapsedMinutes, seged::state.ElapsedSeconds));
}

void board::clearGame(bool removeTiles)
{
    keys_->putBack();
    GameState &s = seged::state;
    if (removeTiles)
        for (int i = 1; i < s.LetterCount && i < MaxTiles; ++i)
            unloadTile(i);
    seged::clearSlots(s);
    emit tilesChanged();
}

void board::Command2_Click() { emit exitWanted(); }

void board::Command3_Click()
{
    const int count = seged::state.LetterCount;
    // After a refused text only tile 0 exists.
    clearGame(count >= 2 && count <= MaxTiles);
    emit newGameWanted();
}

void board::Command4_Click() { emit addToListWanted(); }

void board::Command5_Click()
{
    clearGame(true);
    emit againWanted();
}

void board::Command6_Click() { emit permutatorWanted(seged::state.PuzzleLetters); }

void board::openFinder() { emit finderWanted(); }

void board::shuffleUpperRow()
{
    if (!isEnabled())
        return;
    keys_->putBack();
    // The upper row's tiles trade places; the same slots stay taken.
    const std::vector<Tile *> upper = tilesIn(Row::Upper);
    QStringList letters;
    std::vector<int> lefts;
    for (const Tile *t : upper) {
        letters << t->Caption();
        lefts.push_back(t->Left());
    }
    static QRandomGenerator random = QRandomGenerator::securelySeeded();
    const std::vector<int> order = shuffle::order(letters, random);
    for (size_t i = 0; i < upper.size(); ++i)
        upper[i]->Move(lefts[size_t(order[i])], UpperRowTop);
    keys_->say(spoken::shuffled(keys_->upperRowText()));
    emit tilesChanged();
}

void board::putBackLifted() { keys_->putBack(); }

void board::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    framelines::paint(p, {&Line1, &Line2, &Line3, &Line4, &Line5, &Line6, &Line7, &Line8, &Line10});
}

void board::resizeEvent(QResizeEvent *event)
{
    Form::resizeEvent(event);
    Form_Resize();
}

bool board::eventFilter(QObject *watched, QEvent *event)
{
    auto *tile = qobject_cast<Tile *>(watched);
    if (!tile)
        return Form::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        // Tiles are dragged as soon as the mouse goes down on them.
        auto *press = static_cast<QMouseEvent *>(event);
        // The filter sees the press before Qt drops it for a disabled board.
        if (press->button() == Qt::LeftButton && isEnabled()) {
            keys_->putBack();
            startDrag(tile, press->position().toPoint());
            return true;
        }
        break;
    }
    case QEvent::KeyPress:
        if (keys_->tileKey(tile, static_cast<QKeyEvent *>(event)))
            return true;
        break;
    case QEvent::InputMethod: {
        // What comes before the commit is only shown while composing.
        const QString committed = static_cast<QInputMethodEvent *>(event)->commitString();
        if (!committed.isEmpty())
            keys_->committed(committed);
        return true;
    }
    case QEvent::FocusOut:
        keys_->focusLeft(tile, static_cast<QFocusEvent *>(event)->reason());
        break;
    default:
        break;
    }
    return Form::eventFilter(watched, event);
}

void board::keyPressEvent(QKeyEvent *event)
{
    if (!keys_->boardKey(event))
        Form::keyPressEvent(event);
}

void board::startDrag(Tile *tile, const QPoint &hotSpot)
{
    const int index = indexOf(tile);
    if (index >= MaxTiles)
        return;
    auto *drag = new QDrag(tile);
    drag->setMimeData(tilemime::make(index));
    // grab() renders at the screen's device pixel ratio, so the picture
    // stays crisp on a scaled screen.
    drag->setPixmap(tile->grab());
    drag->setHotSpot(hotSpot);
    drag->exec(Qt::MoveAction);
}

Tile *board::draggedTile(const QDropEvent *event) const
{
    const auto index = tilemime::index(event->mimeData());
    if (!index)
        return nullptr;
    Tile *tile = Command1[*index];
    if (!tile || (event->source() && event->source() != tile))
        return nullptr;
    return tile;
}

void board::dragEnterEvent(QDragEnterEvent *event)
{
    if (draggedTile(event))
        event->acceptProposedAction();
}

void board::dragMoveEvent(QDragMoveEvent *event)
{
    if (draggedTile(event))
        event->acceptProposedAction();
}

void board::dropEvent(QDropEvent *event)
{
    Tile *tile = draggedTile(event);
    // Qt hands a drop over a child that takes no drops to its parent; a
    // release over any control (a tile, a button, a label) is no move.
    if (!tile || childAt(event->position().toPoint())) {
        event->ignore();
        return;
    }
    const QPointF at = twips::fromPx(event->position());
    if (Form_DragDrop(tile, at.x(), at.y())) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}
