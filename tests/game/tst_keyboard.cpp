// SPDX-License-Identifier: GPL-3.0-or-later
// What the keys of keyboard play choose: where the lift's target goes, which tile the focus goes to, which tile a
// typed letter or Backspace takes and the free slot it lands in, and a release point that names the chosen slot.

#include "game/rules/drop.h"
#include "game/rules/keyboard.h"

#include <QtTest>

Q_DECLARE_METATYPE(geometry::WindowState)
Q_DECLARE_METATYPE(keyboard::Step)
Q_DECLARE_METATYPE(geometry::Row)

using geometry::Row;
using keyboard::Slot;
using keyboard::Step;
using keyboard::TileView;

static QString said(Slot at) { return QString("%1 %2").arg(at.row == Row::Lower ? "lower" : "upper").arg(at.slot); }
static QString said(std::optional<Slot> at) { return at ? said(*at) : "none"; }

// A board drawn as "upper|lower", a letter for a tile in slot k of its row and a dot for an empty slot. The tiles are
// listed row by row, left to right, or the other way round: the keys choose by place, whatever the tiles' numbers.
struct Board
{
    Board(const QString &picture, bool reversed)
    {
        const QStringList rows = picture.split('|');
        for (int r = 0; r < 2; ++r)
            for (int k = 0; k < rows[r].size(); ++k) {
                if (rows[r][k] == u'.')
                    continue;
                const Row row = r == 0 ? Row::Upper : Row::Lower;
                tiles.push_back({geometry::slotLeft(k), geometry::rowTop(row), QString(rows[r][k])});
                SlotRecord &rec = state.SlotTable[size_t(k)];
                (row == Row::Upper ? rec.UpperTaken : rec.LowerTaken) = true;
            }
        if (reversed)
            std::reverse(tiles.begin(), tiles.end());
    }
    std::optional<Slot> placeOf(std::optional<int> tile) const
    {
        return tile ? std::optional(keyboard::placeOf(tiles[size_t(*tile)])) : std::nullopt;
    }
    int tileAt(const QString &place) const
    {
        for (int i = 0; i < int(tiles.size()); ++i)
            if (said(keyboard::placeOf(tiles[size_t(i)])) == place)
                return i;
        qFatal("no tile at %s", qPrintable(place));
    }
    std::vector<TileView> tiles;
    GameState state;
};

class TestKeyboard : public QObject
{
    Q_OBJECT
private slots:
    void target_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<Step>("step");
        QTest::addColumn<geometry::WindowState>("window");
        QTest::addColumn<QString>("to");
        const auto N = geometry::WindowState::Normal, M = geometry::WindowState::Maximised;
        QTest::newRow("Left at the row's start stays") << "upper 0" << Step::Left << N << "upper 0";
        QTest::newRow("Right stops at a normal board's last slot") << "upper 16" << Step::Right << N << "upper 16";
        QTest::newRow("Right past slot 16 on a maximised board") << "lower 16" << Step::Right << M << "lower 17";
        QTest::newRow("Right stops at a maximised board's last slot") << "lower 22" << Step::Right << M << "lower 22";
        QTest::newRow("Left from past a normal board's end: its last slot") << "lower 22" << Step::Left << N << "lower 16";
        QTest::newRow("minimised, Left stays") << "upper 3" << Step::Left << geometry::WindowState::Minimised << "upper 3";
        QTest::newRow("Down keeps the slot") << "upper 7" << Step::Down << N << "lower 7";
        QTest::newRow("Up keeps the slot") << "lower 20" << Step::Up << M << "upper 20";
    }
    void target()
    {
        QFETCH(QString, from);
        QFETCH(Step, step);
        QFETCH(geometry::WindowState, window);
        QFETCH(QString, to);
        const Slot marker{from.startsWith("lower") ? Row::Lower : Row::Upper, from.section(' ', 1).toInt()};
        QCOMPARE(said(keyboard::moveMarker(marker, step, window)), to);
    }

    void focus_data()
    {
        QTest::addColumn<QString>("board");
        QTest::addColumn<QString>("from");
        QTest::addColumn<Step>("step");
        QTest::addColumn<QString>("to");
        QTest::newRow("Right skips empty slots") << "A..L.M|" << "upper 0" << Step::Right << "upper 3";
        QTest::newRow("Right at the row's last tile") << "A..L.M|B" << "upper 5" << Step::Right << "none";
        QTest::newRow("Left at the row's first tile") << ".A.L|B" << "upper 1" << Step::Left << "none";
        QTest::newRow("Right along the lower row") << "ALMA|.B..C" << "lower 1" << Step::Right << "lower 4";
        QTest::newRow("Down to the nearest tile, on the left") << "ALMA|.B...C" << "upper 3" << Step::Down << "lower 1";
        QTest::newRow("Down to the nearest tile, on the right") << "ALMA|B...C" << "upper 3" << Step::Down << "lower 4";
        QTest::newRow("Up, two as near: the left one") << "A...L|..B" << "lower 2" << Step::Up << "upper 0";
        QTest::newRow("Down to an empty row") << "ALMA|" << "upper 1" << Step::Down << "none";
        QTest::newRow("Up in the upper row") << "ALMA|B" << "upper 1" << Step::Up << "none";
    }
    void focus()
    {
        QFETCH(QString, board);
        QFETCH(QString, from);
        QFETCH(Step, step);
        QFETCH(QString, to);
        for (const bool reversed : {false, true}) {
            const Board b(board, reversed);
            QCOMPARE(said(b.placeOf(keyboard::neighbour(b.tiles, b.tileAt(from), step))), to);
        }
    }

    void tileTaken_data()
    {
        QTest::addColumn<QString>("board");
        QTest::addColumn<QString>("key"); // a letter typed, or "Bksp"
        QTest::addColumn<QString>("tile");
        QTest::newRow("a letter: the leftmost bearing it") << "ALMA|" << "a" << "upper 0";
        QTest::newRow("in either case") << ".LMA|" << "A" << "upper 3";
        QTest::newRow("an accent is another letter") << "ÁLMA|" << "a" << "upper 3";
        QTest::newRow("ő, not ö") << "ÖŐ|" << "ő" << "upper 1";
        QTest::newRow("from the upper row only") << "LM|A" << "a" << "none";
        QTest::newRow("a letter no tile bears") << "ALMA|" << "x" << "none";
        QTest::newRow("Backspace: the lower row's rightmost") << "A|L.MA" << "Bksp" << "lower 3";
        QTest::newRow("Backspace on an empty lower row") << "ALMA|" << "Bksp" << "none";
    }
    void tileTaken()
    {
        QFETCH(QString, board);
        QFETCH(QString, key);
        QFETCH(QString, tile);
        for (const bool reversed : {false, true}) {
            const Board b(board, reversed);
            const auto taken = key == "Bksp" ? keyboard::rightmostLower(b.tiles) : keyboard::tileForLetter(b.tiles, key.toUcs4()[0]);
            QCOMPARE(said(b.placeOf(taken)), tile);
        }
    }

    void freeSlot_data()
    {
        QTest::addColumn<QString>("board");
        QTest::addColumn<Row>("row");
        QTest::addColumn<geometry::WindowState>("window");
        QTest::addColumn<int>("slot"); // -1: none
        const auto N = geometry::WindowState::Normal, M = geometry::WindowState::Maximised;
        const QString full17(17, u'A');
        QTest::newRow("an empty row's first") << "ALMA|" << Row::Lower << N << 0;
        QTest::newRow("the first gap") << "ALMA|LM.A" << Row::Lower << N << 2;
        QTest::newRow("the upper row's first gap") << ".LMA|A" << Row::Upper << N << 0;
        QTest::newRow("a normal board full at 17") << "|" + full17 << Row::Lower << N << -1;
        QTest::newRow("a maximised board has slot 17") << "|" + full17 << Row::Lower << M << 17;
        QTest::newRow("minimised, none") << "ALMA|" << Row::Lower << geometry::WindowState::Minimised << -1;
    }
    void freeSlot()
    {
        QFETCH(QString, board);
        QFETCH(Row, row);
        QFETCH(geometry::WindowState, window);
        QFETCH(int, slot);
        QCOMPARE(keyboard::leftmostFree(Board(board, false).state, row, window).value_or(-1), slot);
    }

    // Every move of the keys is a release at a point the drop rule must read as the chosen slot.
    void releasePointNamesItsSlot_data()
    {
        QTest::addColumn<Row>("row");
        QTest::newRow("upper") << Row::Upper;
        QTest::newRow("lower") << Row::Lower;
    }
    void releasePointNamesItsSlot()
    {
        QFETCH(Row, row);
        const GameState empty;
        for (int k = 0; k < geometry::MaxTiles; ++k) {
            const keyboard::Point at = keyboard::dropPoint({row, k});
            const auto to = drop::target(empty, geometry::WindowState::Maximised, at.x, at.y);
            QVERIFY2(to, qPrintable(said(Slot{row, k})));
            QCOMPARE(said(Slot{to->row, to->slot}), said(Slot{row, k}));
        }
    }
};

QTEST_APPLESS_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
