// The board window: its design, real drop events for every kind of move and
// every refusal, the clock, "Új játék", "Ismét" and the long-game layout.
// Runs on a 1280 x 1024 offscreen screen.

#include "app/forms.h"
#include "app/twips.h"
#include "game/board.h"
#include "game/clock.h"
#include "game/seged.h"
#include "puzzles/betolt.h"
#include "support/testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using testsupport::pxAt;
using testsupport::sendTileDrop;

static const QColor Upper(255, 255, 224), Lower(255, 128, 128), Blue(104, 136, 224);

class TestBoard : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::initGui(); }
    void init() { session = std::make_unique<testsupport::Session>(); }
    void cleanup() { session.reset(); }

    void designLayout_data();
    void designLayout();
    void windowAndLabels();
    void frameLinesAndColoursArePainted();
    void tabOrder();
    void everyTileHasTheHandCursor();
    void missingCursorFileLeavesTheOrdinaryPointer();

    void movesByDropEvents_data();
    void movesByDropEvents();
    void refusedDrops_data();
    void refusedDrops();
    void dropWhileMinimisedIsRefused();
    void dropOfAForeignPayloadIsRefused();

    void clockTicksIntoTheLabel();
    void restartAfterMoves();
    void newGameTwice();
    void newGameAfterRefusedText();
    void restartWhileEntryWindowIsOpen();

    void longGameLayout();
    void shortGameAfterLongKeepsTheLayout();
    void maximisedBoardTakesSlot22();

    void closingTheLastWindowEndsTheProgram();

private:
    board &play(const QString &text);
    // Drops tile i at a point in board twips through a real drop event.
    bool dropAt(int tile, double x, double y) { return sendTileDrop(&forms::load<board>(), tile, pxAt(x, y)); }
    std::unique_ptr<testsupport::Session> session;
};

board &TestBoard::play(const QString &text)
{
    betolt &entry = forms::load<betolt>();
    entry.show();
    entry.Text1->setText(text);
    entry.Command1->click();
    board &b = forms::load<board>();
    b.Timer1->stop(); // ticks are driven by hand where they matter
    return b;
}

void TestBoard::designLayout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twipsRect");
    QTest::newRow("tile 0") << "Command1" << "A" << QRect(240, 960, 495, 495);
    QTest::newRow("Kilépés") << "Command2" << "Kilépés" << QRect(7560, 3840, 1095, 375);
    QTest::newRow("Új játék") << "Command3" << "Új játék" << QRect(120, 3840, 1095, 375);
    QTest::newRow("Szójegyzékbe felvesz") << "Command4" << "Szójegyzékbe felvesz" << QRect(5520, 3840, 1815, 375);
    QTest::newRow("Ismét") << "Command5" << "Ismét" << QRect(1440, 3840, 1215, 375);
    QTest::newRow("Permutátor") << "Command6" << "Permutátor" << QRect(3600, 3840, 1215, 375);
    QTest::newRow("upper heading") << "Label1" << "Induló kifejezés:" << QRect(240, 240, 1815, 255);
    QTest::newRow("lower heading") << "Label2" << "Kész kifejezés:" << QRect(240, 1800, 1815, 255);
    QTest::newRow("clock") << "Label3" << "" << QRect(7440, 240, 1095, 375);
}

void TestBoard::designLayout()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, twipsRect);
    board &b = forms::load<board>();
    const std::map<QString, QWidget *> controls{
        {"Command1", b.Command1[0]}, {"Command2", b.Command2}, {"Command3", b.Command3},
        {"Command4", b.Command4},    {"Command5", b.Command5}, {"Command6", b.Command6},
        {"Label1", b.Label1},        {"Label2", b.Label2},     {"Label3", b.Label3}};
    QWidget *w = controls.at(name);
    QCOMPARE(w->geometry(), twips::toPx(twipsRect.x(), twipsRect.y(), twipsRect.width(), twipsRect.height()));
    if (auto *button = qobject_cast<QPushButton *>(w))
        QCOMPARE(button->text(), caption);
    else
        QCOMPARE(static_cast<QLabel *>(w)->text(), caption);
}

void TestBoard::windowAndLabels()
{
    board &b = forms::load<board>();
    QCOMPARE(b.windowTitle(), QStringLiteral("Morvalin"));
    QCOMPARE(b.size(), QSize(585, 297));
    QCOMPARE(b.minimumSize(), b.maximumSize()); // fixed border
    QVERIFY(!(b.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(b.windowFlags() & Qt::WindowMinimizeButtonHint));
    // Centred on the 1280 x 1024 screen.
    QCOMPARE(b.pos(), QPoint(qRound((1280 - 585) / 2.0), qRound((1024 - 297) / 2.0)));
    QVERIFY(!b.isVisible());

    QCOMPARE(b.Label3->toolTip(), QStringLiteral("Játékidő"));
    QCOMPARE(b.Label3->palette().color(QPalette::Window), QColor(192, 192, 0));
    QCOMPARE(QFontInfo(b.Label3->font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(b.Label3->font().pointSizeF(), 12.0);
    QVERIFY(b.Label3->font().bold());
    for (QLabel *heading : {b.Label1, b.Label2}) {
        QCOMPARE(QFontInfo(heading->font()).family(), QStringLiteral("Liberation Serif"));
        QCOMPARE(heading->palette().color(QPalette::Window), Blue);
        QCOMPARE(heading->palette().color(QPalette::WindowText), QColor(Qt::white));
    }
    const QFont tileFont = b.Command1[0]->font();
    QCOMPARE(QFontInfo(tileFont).family(), QStringLiteral("Liberation Serif"));
    QCOMPARE(tileFont.pointSizeF(), 14.25);
    // The double-acute letters must have glyphs of their own.
    QFontMetrics metrics(tileFont);
    QVERIFY(metrics.inFontUcs4(U'Ő'));
    QVERIFY(metrics.inFontUcs4(U'Ű'));
}

void TestBoard::frameLinesAndColoursArePainted()
{
    board &b = play(QStringLiteral("alma"));
    QVERIFY(dropAt(1, 2 * 495 + 10, 2520));
    const QImage shot = b.grab().toImage();
    auto at = [&shot](int xTw, int yTw) { return QColor(shot.pixel(twips::toPx(xTw), twips::toPx(yTw))); };
    QCOMPARE(at(4000, 2200), Blue);                      // bare board
    QCOMPARE(at(1230 + 100, 960 + 100), Upper);          // tile M, upper row
    QCOMPARE(at(240 + 2 * 495 + 100, 2520 + 100), Lower); // tile L, lower row
    QCOMPARE(at(4000, 1455), QColor(Qt::white));         // Line2, light
    QCOMPARE(at(4000, 1560), QColor(Qt::black));         // Line1, dark
    QCOMPARE(at(4000, 3015), QColor(Qt::white));         // Line3
    QCOMPARE(at(4000, 3120), QColor(Qt::black));         // Line4
    QCOMPARE(at(4000, 0), QColor(Qt::white));            // Line5, top outer
    QCOMPARE(at(0, 2200), QColor(Qt::black));            // Line10, left edge
}

void TestBoard::tabOrder()
{
    board &b = forms::load<board>();
    QList<QWidget *> chain{b.Command1[0]};
    for (int i = 0; i < 5; ++i)
        chain << chain.last()->nextInFocusChain();
    const QList<QWidget *> expected{b.Command1[0], b.Command2, b.Command3, b.Command4, b.Command5, b.Command6};
    QCOMPARE(chain, expected);
}

void TestBoard::everyTileHasTheHandCursor()
{
    session->copyAsset(QStringLiteral("hand.cur"));
    board &b = play(QStringLiteral("Szép idő"));
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(b.Command1[i]->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(b.Command1[i]->cursor().hotSpot(), b.Command1[0]->cursor().hotSpot());
    }
    QVERIFY(b.Command1[0]->cursor().hotSpot() != QPoint(16, 16));
}

void TestBoard::missingCursorFileLeavesTheOrdinaryPointer()
{
    board &b = play(QStringLiteral("alma"));
    QVERIFY(b.isVisible());
    for (int i = 0; i < 4; ++i)
        QCOMPARE(b.Command1[i]->cursor().shape(), Qt::ArrowCursor);
}

void TestBoard::movesByDropEvents_data()
{
    // ALMA lies in upper slots 0..3. Each row: tile, drop point (twips) and
    // where the tile must end up.
    QTest::addColumn<int>("tile");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<QPoint>("landsAt");
    QTest::addColumn<QString>("finishedRow");
    QTest::newRow("upper to upper") << 3 << QPointF(8414, 1000) << QPoint(8160, 960) << QString(31, u' ');
    QTest::newRow("upper to lower") << 0 << QPointF(0, 3000) << QPoint(240, 2520) << "A" + QString(30, u' ');
    QTest::newRow("x 700 fills slot 1 of the lower row")
        << 2 << QPointF(700, 2100) << QPoint(735, 2520) << " M" + QString(29, u' ');
}

void TestBoard::movesByDropEvents()
{
    QFETCH(int, tile);
    QFETCH(QPointF, point);
    QFETCH(QPoint, landsAt);
    QFETCH(QString, finishedRow);
    board &b = play(QStringLiteral("alma"));
    const int fromSlot = tile;
    QVERIFY(dropAt(tile, point.x(), point.y()));
    Tile *t = b.Command1[tile];
    QCOMPARE(QPoint(t->Left(), t->Top()), landsAt);
    QCOMPARE(t->pos(), QPoint(twips::toPx(landsAt.x()), twips::toPx(landsAt.y())));
    QCOMPARE(t->BackColor(), landsAt.y() == 960 ? Upper : Lower);
    const GameState &s = seged::state;
    QVERIFY(!s.SlotTable[fromSlot].UpperTaken);
    QString finished;
    for (int k = 0; k <= 30; ++k)
        finished += s.SlotTable[k].LowerTaken ? s.FinishedLetters[k] : QChar(u' ');
    QCOMPARE(finished, finishedRow);
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
    board &b = play(QStringLiteral("alma"));
    QVERIFY(dropAt(3, 495 * 5 + 10, 2600));
    const GameState before = seged::state;
    QList<QPoint> places;
    for (int i = 0; i < 4; ++i)
        places << QPoint(b.Command1[i]->Left(), b.Command1[i]->Top());

    QVERIFY(!dropAt(tile, point.x(), point.y()));

    for (int i = 0; i < 4; ++i) {
        QCOMPARE(QPoint(b.Command1[i]->Left(), b.Command1[i]->Top()), places[i]);
        QCOMPARE(b.Command1[i]->BackColor(), i == 3 ? Lower : Upper);
    }
    for (int k = 0; k < geometry::SlotCount; ++k) {
        QCOMPARE(seged::state.SlotTable[k].UpperTaken.raw(), before.SlotTable[k].UpperTaken.raw());
        QCOMPARE(seged::state.SlotTable[k].LowerTaken.raw(), before.SlotTable[k].LowerTaken.raw());
        QCOMPARE(seged::state.FinishedLetters[k], before.FinishedLetters[k]);
    }
    QCOMPARE(seged::state.DropLeft, before.DropLeft);
}

void TestBoard::dropWhileMinimisedIsRefused()
{
    board &b = play(QStringLiteral("alma"));
    b.showMinimized();
    QVERIFY(b.isMinimized());
    QVERIFY(!dropAt(0, 4000, 2500));
    QVERIFY(seged::state.SlotTable[0].UpperTaken);
    QVERIFY(!seged::state.SlotTable[8].LowerTaken);
}

void TestBoard::dropOfAForeignPayloadIsRefused()
{
    board &b = play(QStringLiteral("alma"));
    QMimeData text;
    text.setText(QStringLiteral("1"));
    QDropEvent drop(pxAt(4000, 2500), Qt::MoveAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&b, &drop);
    QVERIFY(!drop.isAccepted());
    // A tile index that no tile has.
    QVERIFY(!dropAt(9, 4000, 2500));
    QVERIFY(!seged::state.SlotTable[8].LowerTaken);
}

void TestBoard::clockTicksIntoTheLabel()
{
    board &b = play(QStringLiteral("alma"));
    QCOMPARE(b.Label3->text(), QString());
    QVERIFY(b.Timer1->interval() == 1000);
    b.Timer1_Timer();
    QCOMPARE(b.Label3->text(), QStringLiteral("00 : 01"));
    seged::state.ElapsedMinutes = 9;
    seged::state.ElapsedSeconds = 59;
    b.Timer1_Timer();
    QCOMPARE(b.Label3->text(), QStringLiteral("10 : 00"));
    // The real timer runs while the board is loaded, shown or not.
    b.hide();
    b.Timer1->start(5);
    QTRY_VERIFY(seged::state.ElapsedMinutes * 60 + seged::state.ElapsedSeconds >= 10 * 60 + 2);
    b.Timer1->stop();
    QCOMPARE(b.Label3->text(), gameclock::text(seged::state.ElapsedMinutes, seged::state.ElapsedSeconds));
}

void TestBoard::restartAfterMoves()
{
    board &b = play(QStringLiteral("Szép idő"));
    QVERIFY(dropAt(6, 0, 2500));      // Ő to lower 0
    QVERIFY(dropAt(0, 495 * 3, 2500)); // S to lower 3
    QVERIFY(dropAt(2, 495 * 9, 1000)); // É to upper 9
    QVERIFY(dropAt(0, 495 * 4, 2500)); // S on to lower 4
    b.Timer1_Timer();
    QCOMPARE(b.Label3->text(), QStringLiteral("00 : 01"));

    b.Command5->click();

    const GameState &s = seged::state;
    QCOMPARE(s.PuzzleLetters, QStringLiteral("SZÉPIDŐ"));
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(b.Command1[i]->Caption(), s.PuzzleLetters.mid(i, 1));
        QCOMPARE(QPoint(b.Command1[i]->Left(), b.Command1[i]->Top()), QPoint(240 + 495 * i, 960));
        QCOMPARE(b.Command1[i]->BackColor(), Upper);
    }
    QVERIFY(!b.Command1[7]);
    for (int k = 0; k <= 30; ++k) {
        QCOMPARE(bool(s.SlotTable[k].UpperTaken), k < 7);
        QVERIFY(!s.SlotTable[k].LowerTaken);
        QCOMPARE(s.FinishedLetters[k], QChar(u' '));
    }
    QCOMPARE(s.ElapsedSeconds, 0.0);
    // The label keeps the old time until the next tick.
    QCOMPARE(b.Label3->text(), QStringLiteral("00 : 01"));
    b.Timer1_Timer();
    QCOMPARE(b.Label3->text(), QStringLiteral("00 : 01"));
    QVERIFY(!forms::load<betolt>().isVisible());
}

void TestBoard::newGameTwice()
{
    board &b = play(QStringLiteral("Szép idő"));
    QVERIFY(dropAt(1, 495, 2500));
    seged::state.ElapsedSeconds = 42;
    betolt &entry = forms::load<betolt>();

    for (int round = 0; round < 2; ++round) {
        b.Command3->click();
        QVERIFY(b.Command1[0]);
        for (int i = 1; i < geometry::MaxTiles; ++i)
            QVERIFY(!b.Command1[i]);
        for (int k = 0; k <= 30; ++k) {
            QVERIFY(!seged::state.SlotTable[k].UpperTaken);
            QVERIFY(!seged::state.SlotTable[k].LowerTaken);
            QCOMPARE(seged::state.FinishedLetters[k], QChar(u' '));
        }
        QCOMPARE(seged::state.PuzzleLetters, QString());
        QCOMPARE(seged::state.LetterCount, int16_t(7)); // still counts the tiles that are gone
        QVERIFY(entry.isVisible());
        QCOMPARE(entry.Text1->text(), QStringLiteral("Szép idő"));
        QVERIFY(b.isVisible());
        QCOMPARE(b.Command1[0]->Caption(), QStringLiteral("S"));
    }
    // The clock goes on until the next game is set up.
    QCOMPARE(seged::state.ElapsedSeconds, 42.0);
    entry.Command1->click();
    QCOMPARE(seged::state.ElapsedSeconds, 0.0);
    QVERIFY(b.Command1[6]);
}

void TestBoard::newGameAfterRefusedText()
{
    board &b = play(QString(30, u'x'));
    QCOMPARE(session->warnings.size(), 1);
    b.Command3->click();
    QVERIFY(b.Command1[0]);
    for (int k = 0; k <= 30; ++k)
        QVERIFY(!seged::state.SlotTable[k].UpperTaken);
    QVERIFY(forms::load<betolt>().isVisible());
}

void TestBoard::restartWhileEntryWindowIsOpen()
{
    board &b = play(QStringLiteral("alma"));
    b.Command3->click();
    betolt &entry = forms::load<betolt>();
    entry.Text1->setText(QStringLiteral("körte"));
    seged::state.ElapsedSeconds = 30;
    b.Command5->click();
    QCOMPARE(seged::state.PuzzleLetters, QStringLiteral("KÖRTE"));
    QVERIFY(!entry.isVisible());
    QCOMPARE(seged::state.ElapsedSeconds, 0.0);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(b.Command1[i]->Caption(), QStringLiteral("KÖRTE").mid(i, 1));
}

void TestBoard::longGameLayout()
{
    board &b = play(QStringLiteral("abcdefghijklmnopqr"));
    QVERIFY(b.isMaximized());
    // The offscreen screen is 1280 x 1024 px without a frame.
    const int W = 1280 * 15, H = 1024 * 15, SW = W, SH = H;
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
    QCOMPARE(b.Label1->pos(), QPoint(16, 16));
    for (int i = 0; i < 18; ++i)
        QCOMPARE(b.Command1[i]->pos(), QPoint(twips::toPx(240 + 495 * i), 64));
    QCOMPARE(b.Line1.X2, SW - 150);
    QCOMPARE(b.Line4.X2, SW - 150);
    QCOMPARE(b.Line5.X2, SW - 50);
    QCOMPARE(b.Line7.X1, SW - 50);
    QCOMPARE(b.Line7.Y2, SH - 50);
    QCOMPARE(b.Line8.Y1, SH - 50);
    QCOMPARE(b.Line8.X2, SW - 150);
    QCOMPARE(b.Line10.Y2, SH - 150);
    QCOMPARE(b.Line1.Y1, 1560); // separators keep their height
    QCOMPARE(b.Line7.Y1, 45);
    QVERIFY(!seged::state.LayoutSuspended);
}

void TestBoard::shortGameAfterLongKeepsTheLayout()
{
    board &b = play(QStringLiteral("abcdefghijklmnopqrst"));
    QTRY_COMPARE(b.Command2->x(), twips::toPx(1280 * 15 - 1250));
    b.Command3->click();
    forms::load<betolt>().Text1->setText(QStringLiteral("hello"));
    forms::load<betolt>().Command1->click();
    QVERIFY(b.isMaximized());
    QCOMPARE(b.Command2->x(), twips::toPx(1280 * 15 - 1250));
    QCOMPARE(b.Command2->y(), twips::toPx(1024 * 15 - 1500));
    for (int i = 5; i < geometry::MaxTiles; ++i)
        QVERIFY(!b.Command1[i]);
    // A later resize lays the board out again, maximised.
    b.showNormal();
    QTRY_VERIFY(b.isMaximized());
}

void TestBoard::maximisedBoardTakesSlot22()
{
    board &b = play(QStringLiteral("abcdefghijklmnopqrstuvw"));
    QCOMPARE(seged::state.LetterCount, int16_t(23));
    QVERIFY(dropAt(22, 11384, 2500));
    QCOMPARE(b.Command1[22]->Left(), 11130);
    QCOMPARE(b.Command1[22]->Top(), 2520);
    QVERIFY(!dropAt(0, 11385, 2500));
    QVERIFY(dropAt(0, 8415, 2500));
    QCOMPARE(b.Command1[0]->Left(), 240 + 495 * 17);
}

void TestBoard::closingTheLastWindowEndsTheProgram()
{
    board &b = play(QStringLiteral("alma"));
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
