// The drop rule: which slot and row a release point in board twips names,
// where the tile lands, and what the move records.

#include "game/rules/drop.h"

#include <QtTest>

using geometry::Row;
using geometry::WindowState;

Q_DECLARE_METATYPE(Row)
Q_DECLARE_METATYPE(WindowState)

class TestDrop : public QObject
{
    Q_OBJECT
private slots:
    void target_data();
    void target();
    void tileLeftGivesItsOwnSlot();
    void fourKindsOfMove_data();
    void fourKindsOfMove();
    void tileWithoutLetterRecordsASpace();
    void aTileMovedOnInTheLowerRowCountsOnlyWhereItLies();
};

void TestDrop::target_data()
{
    QTest::addColumn<WindowState>("window");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<Row>("row");
    QTest::addColumn<int>("slot");
    const auto N = WindowState::Normal, M = WindowState::Maximised, m = WindowState::Minimised;
    // Upper slots 0..3 hold tiles; lower slot 5 holds one.
    QTest::newRow("upper free slot") << N << 2500.0 << 960.0 << true << Row::Upper << 5;
    QTest::newRow("x 700 names slot 1, taken") << N << 700.0 << 800.0 << false << Row::None << 0;
    QTest::newRow("lower free slot") << N << 0.0 << 2520.0 << true << Row::Lower << 0;
    QTest::newRow("lower taken slot") << N << 2600.0 << 2520.0 << false << Row::None << 0;
    QTest::newRow("normal 8414 -> slot 16") << N << 8414.0 << 2500.0 << true << Row::Lower << 16;
    QTest::newRow("normal 8415 refused") << N << 8415.0 << 2500.0 << false << Row::None << 0;
    QTest::newRow("maximised 8415 -> slot 17") << M << 8415.0 << 2500.0 << true << Row::Lower << 17;
    QTest::newRow("maximised 11384 -> slot 22") << M << 11384.0 << 2500.0 << true << Row::Lower << 22;
    QTest::newRow("maximised 11385 refused") << M << 11385.0 << 2500.0 << false << Row::None << 0;
    QTest::newRow("minimised refuses everything") << m << 2500.0 << 2500.0 << false << Row::None << 0;
    QTest::newRow("y 499") << N << 3000.0 << 499.0 << false << Row::None << 0;
    QTest::newRow("y 500") << N << 3000.0 << 500.0 << true << Row::Upper << 6;
    QTest::newRow("y 1400") << N << 3000.0 << 1400.0 << true << Row::Upper << 6;
    QTest::newRow("y 1401") << N << 3000.0 << 1401.0 << false << Row::None << 0;
    QTest::newRow("y 1999") << N << 3000.0 << 1999.0 << false << Row::None << 0;
    QTest::newRow("y 2000") << N << 3000.0 << 2000.0 << true << Row::Lower << 6;
    QTest::newRow("y 3000") << N << 3000.0 << 3000.0 << true << Row::Lower << 6;
    QTest::newRow("y 3001") << N << 3000.0 << 3001.0 << false << Row::None << 0;
    QTest::newRow("negative x") << N << -600.0 << 960.0 << false << Row::None << 0;
    // X is rounded first, halves to the even neighbour, then divided.
    QTest::newRow("494.5 -> 494, slot 0") << N << 494.5 << 2500.0 << true << Row::Lower << 0;
    QTest::newRow("494.6 -> 495, slot 1") << N << 494.6 << 2500.0 << true << Row::Lower << 1;
    QTest::newRow("989.5 -> 990, slot 2") << N << 989.5 << 2500.0 << true << Row::Lower << 2;
    QTest::newRow("1484.5 -> 1484, slot 2") << N << 1484.5 << 2500.0 << true << Row::Lower << 2;
    QTest::newRow("absurd x") << M << 1e300 << 2500.0 << false << Row::None << 0;
}

void TestDrop::target()
{
    QFETCH(WindowState, window);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(bool, accepted);
    GameState s;
    for (int k = 0; k < 4; ++k)
        s.SlotTable[k].UpperTaken = true;
    s.SlotTable[5].LowerTaken = true;
    const auto to = drop::target(s, window, x, y);
    QCOMPARE(to.has_value(), accepted);
    if (accepted) {
        QFETCH(Row, row);
        QFETCH(int, slot);
        QCOMPARE(to->row, row);
        QCOMPARE(to->slot, slot);
    }
}

void TestDrop::tileLeftGivesItsOwnSlot()
{
    for (int k = 0; k < geometry::SlotCount; ++k)
        QCOMPARE(geometry::slotOf(geometry::slotLeft(k)), (long long)k);
}

void TestDrop::fourKindsOfMove_data()
{
    QTest::addColumn<Row>("fromRow");
    QTest::addColumn<int>("fromSlot");
    QTest::addColumn<Row>("toRow");
    QTest::addColumn<int>("toSlot");
    QTest::newRow("upper 3 -> upper 8") << Row::Upper << 3 << Row::Upper << 8;
    QTest::newRow("upper 3 -> lower 5") << Row::Upper << 3 << Row::Lower << 5;
    QTest::newRow("lower 5 -> upper 0") << Row::Lower << 5 << Row::Upper << 0;
    QTest::newRow("lower 2 -> lower 6") << Row::Lower << 2 << Row::Lower << 6;
    QTest::newRow("upper 22 -> lower 22") << Row::Upper << 22 << Row::Lower << 22;
}

void TestDrop::fourKindsOfMove()
{
    QFETCH(Row, fromRow);
    QFETCH(int, fromSlot);
    QFETCH(Row, toRow);
    QFETCH(int, toSlot);

    GameState s;
    // The moving tile, and a bystander in each row whose flags must stay.
    (fromRow == Row::Upper ? s.SlotTable[fromSlot].UpperTaken : s.SlotTable[fromSlot].LowerTaken) = true;
    s.SlotTable[10].UpperTaken = true;
    s.SlotTable[11].LowerTaken = true;
    s.FinishedLetters[11] = u'B';
    if (fromRow == Row::Lower)
        s.FinishedLetters[fromSlot] = u'Q';

    GameState expected = s;
    (fromRow == Row::Upper ? expected.SlotTable[fromSlot].UpperTaken : expected.SlotTable[fromSlot].LowerTaken) = false;
    (toRow == Row::Upper ? expected.SlotTable[toSlot].UpperTaken : expected.SlotTable[toSlot].LowerTaken) = true;
    if (toRow == Row::Lower)
        expected.FinishedLetters[toSlot] = u'Q';

    const int sourceLeft = geometry::slotLeft(fromSlot);
    const int sourceTop = geometry::rowTop(fromRow);
    const drop::Placement at = drop::move(s, drop::Target{toRow, toSlot}, sourceLeft, sourceTop, QStringLiteral("Q"));

    QCOMPARE(at.left, 240 + 495 * toSlot);
    QCOMPARE(at.top, toRow == Row::Upper ? 960 : 2520);
    QCOMPARE(at.row, toRow);
    QCOMPARE(s.DropLeft, int16_t(at.left));
    QCOMPARE(s.DragFromSlot, int16_t(fromSlot));
    QCOMPARE(s.DragFromTop, int16_t(sourceTop));
    for (int k = 0; k < geometry::SlotCount; ++k) {
        QCOMPARE(s.SlotTable[k].UpperTaken.raw(), expected.SlotTable[k].UpperTaken.raw());
        QCOMPARE(s.SlotTable[k].LowerTaken.raw(), expected.SlotTable[k].LowerTaken.raw());
        QCOMPARE(s.FinishedLetters[k], expected.FinishedLetters[k]);
    }
    // The flags are the game's 16-bit booleans.
    QCOMPARE((toRow == Row::Upper ? s.SlotTable[toSlot].UpperTaken : s.SlotTable[toSlot].LowerTaken).raw(), int16_t(-1));
}

void TestDrop::tileWithoutLetterRecordsASpace()
{
    GameState s;
    s.SlotTable[0].UpperTaken = true;
    drop::move(s, drop::Target{Row::Lower, 4}, 240, 960, QString());
    QCOMPARE(s.FinishedLetters[4], QChar(u' '));
    QVERIFY(s.SlotTable[4].LowerTaken);
    QVERIFY(!s.SlotTable[0].UpperTaken);
}

void TestDrop::aTileMovedOnInTheLowerRowCountsOnlyWhereItLies()
{
    GameState s;
    s.SlotTable[3].UpperTaken = true;
    auto at = drop::move(s, drop::Target{Row::Lower, 5}, geometry::slotLeft(3), 960, QStringLiteral("M"));
    QCOMPARE(QPoint(at.left, at.top), QPoint(2715, 2520));
    at = drop::move(s, drop::Target{Row::Upper, 0}, at.left, at.top, QStringLiteral("M"));
    QCOMPARE(QPoint(at.left, at.top), QPoint(240, 960));
    QVERIFY(!s.SlotTable[5].LowerTaken);
    QVERIFY(s.SlotTable[0].UpperTaken);
    // The letter stays behind but no longer counts.
    QCOMPARE(s.FinishedLetters[5], QChar(u'M'));
}

QTEST_APPLESS_MAIN(TestDrop)
#include "tst_drop.moc"
