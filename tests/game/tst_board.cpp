// The board window: what it paints, real drop events for every kind of
// move and every refusal, the clock, "Új játék", "Ismét" and the layout of
// long games. Runs on a 1280 x 1024 offscreen screen.

#include "app/forms.h"
#include "app/twips.h"
#include "game/board.h"
#include "game/rules/clock.h"
#include "game/seged.h"
#include "puzzles/betolt.h"
#include "support/testsupport.h"

#include <QDrag>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using testsupport::play;
using testsupport::pxAt;

static const QColor Upper(255, 255, 224), Lower(255, 128, 128), Blue(104, 136, 224);

class TestBoard : public testsupport::GuiTest
{
    Q_OBJECT
private slots:

    void windowFontsAndCentring();
    void paintsLinesTilesAndColours();
    void handCursorOnEveryTileOrNone();

    void fourKindsOfMoveByDropEvents();
    void refusedDrops_data();
    void refusedDrops();
    void dropWhileMinimisedOrOfAForeignPayload();
    void onlyAnEnabledBoardStartsDrags_data();
    void onlyAnEnabledBoardStartsDrags();

    void clockTicksIntoTheLabel();
    void restartAfterMoves();
    void newGameTwice();
    void newGameAfterRefusedText();
    void restartWhileEntryWindowIsOpen();

    void longGameLayout();
    void shortGameAfterLongKeepsTheLayout();

    void closingTheLastWindowEndsTheProgram();

private:
    board &game(const QString &text)
    {
        board &b = play(text);
        b.Timer1->stop(); // ticks are driven by hand where they matter
        return b;
    }
    // Drops tile i at a point in board twips through a real drop event.
    bool dropAt(int tile, double x, double y) { return testsupport::sendTileDrop(&forms::load<board>(), tile, pxAt(x, y)); }
    QPoint placeOf(int tile) const
    {
        const Tile *t = forms::load<board>().Command1[tile];
        return QPoint(t->Left(), t->Top());
    }
};

void TestBoard::windowFontsAndCentring()
{
    board &b = forms::load<board>();
    QCOMPARE(b.windowTitle(), QStringLiteral("Morvalin"));
    QCOMPARE(b.size(), QSize(585, 297)); // 8775 x 4455 twips
    QCOMPARE(b.minimumSize(), b.maximumSize());
    QCOMPARE(b.pos(), QPoint(qRound((1280 - 585) / 2.0), qRound((1024 - 297) / 2.0)));
    QVERIFY(!b.isVisible());
    QCOMPARE(b.Label3->toolTip(), QStringLiteral("Játékidő"));
    // The design's Windows fonts must land on their metric twins.
    QCOMPARE(QFontInfo(b.Label3->font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(QFontInfo(b.Label1->font()).family(), QStringLiteral("Liberation Serif"));
    QCOMPARE(QFontInfo(b.Command1[0]->font()).family(), QStringLiteral("Liberation Serif"));
    QFontMetrics tileFont(b.Command1[0]->font());
    QVERIFY(tileFont.inFontUcs4(U'Ő') && tileFont.inFontUcs4(U'Ű'));
}

void TestBoard::paintsLinesTilesAndColours()
{
    board &b = game(QStringLiteral("alma"));
    QVERIFY(dropAt(1, 2 * 495 + 10, 2520));
    b.Timer1_Timer();
    const QImage shot = b.grab().toImage();
    auto at = [&shot](int xTw, int yTw) { return QColor(shot.pixel(twips::toPx(xTw), twips::toPx(yTw))); };
    QCOMPARE(at(4000, 2200), Blue);                       // bare board
    QCOMPARE(at(2040, 1830), Blue);                       // lower heading, right of its text
    QCOMPARE(at(1230 + 100, 960 + 100), Upper);           // tile M, upper row
    QCOMPARE(at(240 + 2 * 495 + 100, 2520 + 100), Lower); // tile L, lower row
    QCOMPARE(at(8500, 260), QColor(192, 192, 0));         // clock
    QCOMPARE(at(4000, 1455), QColor(Qt::white));          // Line2, light
    QCOMPARE(at(4000, 1560), QColor(Qt::black));          // Line1, dark
    QCOMPARE(at(4000, 3015), QColor(Qt::white));          // Line3
    QCOMPARE(at(4000, 3120), QColor(Qt::black));          // Line4
    QCOMPARE(at(4000, 0), QColor(Qt::white));             // Line5, top outer
    QCOMPARE(at(0, 2200), QColor(Qt::black));             // Line10, left edge
    QCOMPARE(b.Label1->palette().color(QPalette::WindowText), QColor(Qt::white));
}

void TestBoard::handCursorOnEveryTileOrNone()
{
    session->copyAsset(QStringLiteral("hand.cur"));
    board &b = game(QStringLiteral("Szép idő"));
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(b.Command1[i]->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(b.Command1[i]->cursor().hotSpot(), b.Command1[0]->cursor().hotSpot());
    }
    QVERIFY(b.Command1[0]->cursor().hotSpot() != QPoint(16, 16)); // not from the centre
    // Without the file the board still opens, with the ordinary pointer.
    session.reset();
    session = std::make_unique<testsupport::Session>();
    board &plain = game(QStringLiteral("alma"));
    QVERIFY(plain.isVisible());
    QCOMPARE(plain.Command1[3]->cursor().shape(), Qt::ArrowCursor);
}

void TestBoard::fourKindsOfMoveByDropEvents()
{
    board &b = game(QStringLiteral("alma"));
    const GameState &s = seged::state;
    // Upper to upper: slot 3 -> 16, the last of a normal board.
    QVERIFY(dropAt(3, 8414, 1000));
    QCOMPARE(placeOf(3), QPoint(8160, 960));
    QVERIFY(!s.SlotTable[3].UpperTaken && s.SlotTable[16].UpperTaken);
    // Upper to lower: x 700 lies over drawn slot 0 but names slot 1.
    QVERIFY(dropAt(2, 700, 2100));
    QCOMPARE(placeOf(2), QPoint(735, 2520));
    QCOMPARE(b.Command1[2]->BackColor(), Lower);
    QVERIFY(!s.SlotTable[2].UpperTaken && s.SlotTable[1].LowerTaken);
    QCOMPARE(s.FinishedLetters[1], QChar(u'M'));
    // Lower to lower.
    QVERIFY(dropAt(2, 495 * 6 + 300, 2600));
    QCOMPARE(placeOf(2), QPoint(3210, 2520));
    QVERIFY(!s.SlotTable[1].LowerTaken && s.SlotTable[6].LowerTaken);
    QCOMPARE(s.FinishedLetters[6], QChar(u'M'));
    // Lower to upper.
    QVERIFY(dropAt(2, 495 * 9 + 300, 600));
    QCOMPARE(placeOf(2), QPoint(4695, 960));
    QCOMPARE(b.Command1[2]->BackColor(), Upper);
    QVERIFY(!s.SlotTable[6].LowerTaken && s.SlotTable[9].UpperTaken);
    QCOMPARE(b.Command1[2]->pos(), QPoint(twips::toPx(4695), twips::toPx(960)));
}

void TestBoard::refusedDrops_data()
{
    // ALMA in upper slots 0..3; tile 3 (A) then moved to lower slot 5.
    QTest::addColumn<int>("tile");
    QTest::addColumn<QPointF>("point");
    QTest::newRow("taken upper slot") << 0 << QPointF(495 * 2 + 10, 800);
    QTest::newRow("own slot") << 1 << QPointF(495 + 10, 800);
    QTest::newRow("taken lower slot") << 0 << QPointF(495 * 5 + 10, 2600);
    // x 1600 names upper slot 3, freed by tile 3, but lies over tile 2.
    QTest::newRow("over another tile, free slot band") << 0 << QPointF(1600, 1000);
    QTest::newRow("over the dragged tile itself, free slot band") << 2 << QPointF(1600, 1000);
    QTest::newRow("over the lower heading") << 0 << QPointF(1000, 2010);
    QTest::newRow("over the clock") << 0 << QPointF(7600, 600);
    QTest::newRow("over a button") << 0 << QPointF(5600, 3900);
    QTest::newRow("between the bands") << 0 << QPointF(4000, 1700);
    QTest::newRow("above the upper band") << 0 << QPointF(4000, 499);
    QTest::newRow("below the lower band") << 0 << QPointF(4000, 3001);
    QTest::newRow("slot 17 on a normal board") << 0 << QPointF(8415, 2500);
}

void TestBoard::refusedDrops()
{
    QFETCH(int, tile);
    QFETCH(QPointF, point);
    board &b = game(QStringLiteral("alma"));
    QVERIFY(dropAt(3, 495 * 5 + 10, 2600));
    const GameState before = seged::state;
    QList<QPoint> places;
    for (int i = 0; i < 4; ++i)
        places << placeOf(i);

    QVERIFY(!dropAt(tile, point.x(), point.y()));

    for (int i = 0; i < 4; ++i) {
        QCOMPARE(placeOf(i), places[i]);
        QCOMPARE(b.Command1[i]->BackColor(), i == 3 ? Lower : Upper);
    }
    for (int k = 0; k < geometry::SlotCount; ++k) {
        QCOMPARE(seged::state.SlotTable[k].UpperTaken.raw(), before.SlotTable[k].UpperTaken.raw());
        QCOMPARE(seged::state.SlotTable[k].LowerTaken.raw(), before.SlotTable[k].LowerTaken.raw());
        QCOMPARE(seged::state.FinishedLetters[k], before.FinishedLetters[k]);
    }
    QCOMPARE(seged::state.DropLeft, before.DropLeft);
}

void TestBoard::dropWhileMinimisedOrOfAForeignPayload()
{
    board &b = game(QStringLiteral("alma"));
    QMimeData text;
    text.setText(QStringLiteral("1"));
    QDropEvent drop(pxAt(4000, 2500), Qt::MoveAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&b, &drop);
    QVERIFY(!drop.isAccepted());
    QVERIFY(!dropAt(9, 4000, 2500)); // no tile 9 in this game
    b.showMinimized();
    QVERIFY(!dropAt(0, 4000, 2500));
    QVERIFY(seged::state.SlotTable[0].UpperTaken);
    QVERIFY(!seged::state.SlotTable[8].LowerTaken);
}

void TestBoard::onlyAnEnabledBoardStartsDrags_data()
{
    QTest::addColumn<bool>("emptyMehet");
    QTest::newRow("board in play") << false;
    QTest::newRow("disabled by an empty Mehet") << true;
}

void TestBoard::onlyAnEnabledBoardStartsDrags()
{
    QFETCH(bool, emptyMehet);
    board &b = game(QStringLiteral("alma"));
    if (emptyMehet) {
        b.Command3->click();
        forms::load<betolt>().Text1->clear();
        forms::load<betolt>().Command1->click();
        QVERIFY(!b.isEnabled());
    }
    Tile *tile = b.Command1[0];
    QTest::mousePress(tile, Qt::LeftButton, {}, QPoint(5, 5));
    // A started drag lives on as the tile's child until the event loop
    // deletes it.
    QCOMPARE(tile->findChild<QDrag *>() != nullptr, !emptyMehet);
    QTest::mouseRelease(tile, Qt::LeftButton, {}, QPoint(5, 5));
}

void TestBoard::clockTicksIntoTheLabel()
{
    board &b = game(QStringLiteral("alma"));
    QCOMPARE(b.Label3->text(), QString());
    b.Timer1_Timer();
    QCOMPARE(b.Label3->text(), QStringLiteral("00 : 01"));
    seged::state.ElapsedMinutes = 99;
    seged::state.ElapsedSeconds = 59;
    b.Timer1_Timer();
    QCOMPARE(b.Label3->text(), QStringLiteral("100 : 00"));
    // The real timer runs while the board is loaded, shown or not.
    b.hide();
    b.Timer1->start(5);
    QTRY_VERIFY(seged::state.ElapsedSeconds >= 2);
    b.Timer1->stop();
    QCOMPARE(b.Label3->text(), gameclock::text(seged::state.ElapsedMinutes, seged::state.ElapsedSeconds));
}

void TestBoard::restartAfterMoves()
{
    board &b = game(QStringLiteral("Szép idő"));
    QVERIFY(dropAt(6, 0, 2500));       // Ő to lower 0
    QVERIFY(dropAt(0, 495 * 3, 2500)); // S to lower 3
    QVERIFY(dropAt(2, 495 * 9, 1000)); // É to upper 9
    QVERIFY(dropAt(0, 495 * 4, 2500)); // S on to lower 4
    b.Timer1_Timer();

    b.Command5->click();

    const GameState &s = seged::state;
    QCOMPARE(s.PuzzleLetters, QStringLiteral("SZÉPIDŐ"));
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(b.Command1[i]->Caption(), s.PuzzleLetters.mid(i, 1));
        QCOMPARE(placeOf(i), QPoint(240 + 495 * i, 960));
        QCOMPARE(b.Command1[i]->BackColor(), Upper);
    }
    QVERIFY(!b.Command1[7]);
    for (int k = 0; k <= 30; ++k) {
        QCOMPARE(bool(s.SlotTable[k].UpperTaken), k < 7);
        QVERIFY(!s.SlotTable[k].LowerTaken);
        QCOMPARE(s.FinishedLetters[k], QChar(u' '));
    }
    QCOMPARE(s.ElapsedSeconds, 0.0);
    // The label keeps the old time until the next tick, which shows 00 : 01.
    QCOMPARE(b.Label3->text(), QStringLiteral("00 : 01"));
    seged::state.ElapsedSeconds = 0;
    b.Timer1_Timer();
    QCOMPARE(b.Label3->text(), QStringLiteral("00 : 01"));
}

void TestBoard::newGameTwice()
{
    board &b = game(QStringLiteral("Szép idő"));
    QVERIFY(dropAt(1, 495, 2500));
    seged::state.ElapsedSeconds = 42;
    betolt &entry = forms::load<betolt>();
    for (int round = 0; round < 2; ++round) {
        b.Command3->click();
        for (int i = 1; i < geometry::MaxTiles; ++i)
            QVERIFY(!b.Command1[i]);
        for (int k = 0; k <= 30; ++k) {
            QVERIFY(!seged::state.SlotTable[k].UpperTaken && !seged::state.SlotTable[k].LowerTaken);
            QCOMPARE(seged::state.FinishedLetters[k], QChar(u' '));
        }
        QCOMPARE(seged::state.PuzzleLetters, QString());
        QCOMPARE(seged::state.LetterCount, int16_t(7)); // still counts the tiles that are gone
        QVERIFY(entry.isVisible() && b.isVisible());
        QCOMPARE(entry.Text1->text(), QStringLiteral("Szép idő"));
        QCOMPARE(b.Command1[0]->Caption(), QStringLiteral("S")); // tile 0 is left alone
    }
    // The clock goes on until the next game is set up.
    QCOMPARE(seged::state.ElapsedSeconds, 42.0);
    entry.Command1->click();
    QCOMPARE(seged::state.ElapsedSeconds, 0.0);
    QVERIFY(b.Command1[6]);
}

void TestBoard::newGameAfterRefusedText()
{
    board &b = game(QString(30, u'x'));
    QCOMPARE(session->warnings.size(), 1);
    QVERIFY(!b.Command5->isEnabled());
    b.Command3->click();
    for (int k = 0; k <= 30; ++k)
        QVERIFY(!seged::state.SlotTable[k].UpperTaken);
    QVERIFY(forms::load<betolt>().isVisible());
}

void TestBoard::restartWhileEntryWindowIsOpen()
{
    board &b = game(QStringLiteral("alma"));
    b.Command3->click();
    betolt &entry = forms::load<betolt>();
    entry.Text1->setText(QStringLiteral("körte"));
    seged::state.ElapsedSeconds = 30;
    b.Command5->click();
    QCOMPARE(seged::state.PuzzleLetters, QStringLiteral("KÖRTE"));
    QVERIFY(!entry.isVisible());
    QCOMPARE(seged::state.ElapsedSeconds, 0.0);
    QCOMPARE(b.Command1[4]->Caption(), QStringLiteral("E"));
}

void TestBoard::longGameLayout()
{
    board &b = game(QStringLiteral("abcdefghijklmnopqrstuvw"));
    QVERIFY(b.isMaximized());
    // The offscreen screen is 1280 x 1024 px without a frame.
    const int W = 1280 * 15, H = 1024 * 15, SW = W, SH = H;
    // Already the first pass, before the new size has arrived, places the
    // buttons for the maximised area, never inside the lower row's band.
    for (QPushButton *button : {b.Command2, b.Command3, b.Command4, b.Command5, b.Command6})
        QCOMPARE(button->y(), twips::toPx(H - 1500));
    QTRY_COMPARE(b.size(), QSize(1280, 1024));
    QTRY_COMPARE(b.Command2->x(), twips::toPx(W - 1250));
    QCOMPARE(b.Command4->x(), twips::toPx(W - 3250));
    QCOMPARE(b.Command6->x(), twips::toPx(W / 2 - 607));
    QCOMPARE(b.Label3->x(), twips::toPx(W - 1400));
    for (QPushButton *button : {b.Command2, b.Command3, b.Command4, b.Command5, b.Command6})
        QCOMPARE(button->y(), twips::toPx(H - 1500));
    QCOMPARE(b.Command3->x(), twips::toPx(120));
    QCOMPARE(b.Command5->x(), twips::toPx(1440));
    QCOMPARE(b.Label3->y(), twips::toPx(240));
    for (int i = 0; i < 23; ++i)
        QCOMPARE(b.Command1[i]->pos(), QPoint(twips::toPx(240 + 495 * i), 64));
    QCOMPARE(b.Line1.X2, SW - 150);
    QCOMPARE(b.Line5.X2, SW - 50);
    QCOMPARE(QLine(b.Line7.X1, b.Line7.Y1, b.Line7.X2, b.Line7.Y2), QLine(SW - 50, 45, SW - 50, SH - 50));
    QCOMPARE(QLine(b.Line8.X1, b.Line8.Y1, b.Line8.X2, b.Line8.Y2), QLine(0, SH - 50, SW - 150, SH - 50));
    QCOMPARE(b.Line10.Y2, SH - 150);
    QCOMPARE(b.Line4.Y1, 3120); // separators keep their height
    QVERIFY(!seged::state.LayoutSuspended);
    // All 23 slots take tiles now, and no more.
    QVERIFY(dropAt(22, 11384, 2500));
    QCOMPARE(placeOf(22), QPoint(11130, 2520));
    QVERIFY(!dropAt(0, 11385, 2500));
}

void TestBoard::shortGameAfterLongKeepsTheLayout()
{
    board &b = game(QStringLiteral("abcdefghijklmnopqrst"));
    QTRY_COMPARE(b.size(), QSize(1280, 1024));
    b.Command3->click();
    forms::load<betolt>().Text1->setText(QStringLiteral("hello"));
    forms::load<betolt>().Command1->click();
    QVERIFY(b.isMaximized());
    QCOMPARE(b.Command2->pos(), QPoint(twips::toPx(1280 * 15 - 1250), twips::toPx(1024 * 15 - 1500)));
    QVERIFY(!b.Command1[5]);
    // A later resize lays the board out again, maximised.
    b.showNormal();
    QTRY_VERIFY(b.isMaximized());
}

void TestBoard::closingTheLastWindowEndsTheProgram()
{
    board &b = game(QStringLiteral("alma"));
    betolt &entry = forms::load<betolt>();
    b.Command3->click(); // entry window and board both on screen
    b.close();
    QVERIFY(!b.isVisible());
    QVERIFY(session->ends.isEmpty());
    entry.close();
    QCOMPARE(session->ends, QList<int>{0});
}

QTEST_MAIN(TestBoard)
#include "tst_board.moc"
