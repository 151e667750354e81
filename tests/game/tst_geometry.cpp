// Slots and row bands: which slot and row a point in board twips names.

#include "game/geometry.h"

#include <QtTest>

using namespace geometry;

class TestGeometry : public QObject
{
    Q_OBJECT
private slots:
    void slotOfCoordinate_data();
    void slotOfCoordinate();
    void tileLeftGivesItsOwnSlot();
    void rowOfY_data();
    void rowOfY();
    void usableSlotsByWindowState_data();
    void usableSlotsByWindowState();
};

void TestGeometry::slotOfCoordinate_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<long long>("slot");
    QTest::newRow("0") << 0.0 << 0LL;
    QTest::newRow("494 last of slot 0") << 494.0 << 0LL;
    QTest::newRow("495 first of slot 1") << 495.0 << 1LL;
    QTest::newRow("700 over drawn slot 0 names slot 1") << 700.0 << 1LL;
    QTest::newRow("8414 last of slot 16") << 8414.0 << 16LL;
    QTest::newRow("8415 first of slot 17") << 8415.0 << 17LL;
    QTest::newRow("11384 last of slot 22") << 11384.0 << 22LL;
    QTest::newRow("11385 first of slot 23") << 11385.0 << 23LL;
    // Rounding comes first, halves to the even neighbour.
    QTest::newRow("494.4 rounds down") << 494.4 << 0LL;
    QTest::newRow("494.6 rounds up into slot 1") << 494.6 << 1LL;
    QTest::newRow("494.5 half to even 494") << 494.5 << 0LL;
    QTest::newRow("989.5 half to even 990") << 989.5 << 2LL;
    QTest::newRow("1484.5 half to even 1484") << 1484.5 << 2LL;
    QTest::newRow("-0.5 half to even 0") << -0.5 << 0LL;
    QTest::newRow("-600 truncates toward zero") << -600.0 << -1LL;
    QTest::newRow("huge does not overflow") << 1e300 << 1000000000000000LL / TileWidth;
}

void TestGeometry::slotOfCoordinate()
{
    QFETCH(double, x);
    QFETCH(long long, slot);
    QCOMPARE(slotOf(x), slot);
}

void TestGeometry::tileLeftGivesItsOwnSlot()
{
    for (int k = 0; k < SlotCount; ++k)
        QCOMPARE(slotOf(slotLeft(k)), (long long)k);
    QCOMPARE(slotLeft(22), 11130);
}

void TestGeometry::rowOfY_data()
{
    QTest::addColumn<double>("y");
    QTest::addColumn<int>("row");
    const int none = int(Row::None), upper = int(Row::Upper), lower = int(Row::Lower);
    QTest::newRow("499") << 499.0 << none;
    QTest::newRow("499.9") << 499.9 << none;
    QTest::newRow("500") << 500.0 << upper;
    QTest::newRow("960 tile top") << 960.0 << upper;
    QTest::newRow("1400") << 1400.0 << upper;
    QTest::newRow("1400.5") << 1400.5 << none;
    QTest::newRow("1401") << 1401.0 << none;
    QTest::newRow("1999") << 1999.0 << none;
    QTest::newRow("2000") << 2000.0 << lower;
    QTest::newRow("3000") << 3000.0 << lower;
    QTest::newRow("3001") << 3001.0 << none;
}

void TestGeometry::rowOfY()
{
    QFETCH(double, y);
    QFETCH(int, row);
    QCOMPARE(int(rowAt(y)), row);
}

void TestGeometry::usableSlotsByWindowState_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("usable");
    QTest::newRow("normal") << int(WindowState::Normal) << 17;
    QTest::newRow("maximised") << int(WindowState::Maximised) << 23;
    QTest::newRow("minimised") << int(WindowState::Minimised) << 0;
}

void TestGeometry::usableSlotsByWindowState()
{
    QFETCH(int, state);
    QFETCH(int, usable);
    QCOMPARE(usableSlots(WindowState(state)), usable);
}

QTEST_APPLESS_MAIN(TestGeometry)
#include "tst_geometry.moc"
