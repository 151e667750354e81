// SPDX-License-Identifier: GPL-3.0-or-later
// A release point in board twips names a slot and a row band; only a free slot the window can use takes the tile.

#include "game/rules/drop.h"

#include <QtTest>

Q_DECLARE_METATYPE(geometry::WindowState)

class TestDrop : public QObject
{
    Q_OBJECT
private slots:
    void target_data()
    {
        QTest::addColumn<geometry::WindowState>("window");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<QString>("target");
        const auto N = geometry::WindowState::Normal, M = geometry::WindowState::Maximised;
        QTest::newRow("x 700 names upper slot 1, taken") << N << 700.0 << 800.0 << "refused";
        QTest::newRow("lower slot 5 taken") << N << 2600.0 << 2520.0 << "refused";
        QTest::newRow("y 499") << N << 3000.0 << 499.0 << "refused";
        QTest::newRow("y 500") << N << 3000.0 << 500.0 << "upper 6";
        QTest::newRow("y 1400") << N << 3000.0 << 1400.0 << "upper 6";
        QTest::newRow("y 1401") << N << 3000.0 << 1401.0 << "refused";
        QTest::newRow("y 1999") << N << 3000.0 << 1999.0 << "refused";
        QTest::newRow("y 2000") << N << 3000.0 << 2000.0 << "lower 6";
        QTest::newRow("y 3000") << N << 3000.0 << 3000.0 << "lower 6";
        QTest::newRow("y 3001") << N << 3000.0 << 3001.0 << "refused";
        // X is rounded first, halves to the even neighbour, then divided.
        QTest::newRow("494.5 rounds down to even") << N << 494.5 << 2500.0 << "lower 0";
        QTest::newRow("494.6 rounds up") << N << 494.6 << 2500.0 << "lower 1";
        QTest::newRow("989.5 rounds up to even") << N << 989.5 << 2500.0 << "lower 2";
        QTest::newRow("normal, last slot") << N << 8414.0 << 2500.0 << "lower 16";
        QTest::newRow("normal, slot 17") << N << 8415.0 << 2500.0 << "refused";
        QTest::newRow("maximised, last slot") << M << 11384.0 << 2500.0 << "lower 22";
        QTest::newRow("maximised, slot 23") << M << 11385.0 << 2500.0 << "refused";
        QTest::newRow("minimised") << geometry::WindowState::Minimised << 3000.0 << 2500.0 << "refused";
        QTest::newRow("negative x") << N << -600.0 << 960.0 << "refused";
    }
    void target()
    {
        QFETCH(geometry::WindowState, window);
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(QString, target);
        GameState s;
        s.SlotTable[1].UpperTaken = s.SlotTable[5].LowerTaken = true;
        const auto to = drop::target(s, window, x, y);
        QCOMPARE(to ? QString("%1 %2").arg(to->row == geometry::Row::Upper ? "upper" : "lower").arg(to->slot) : "refused", target);
    }
};

QTEST_APPLESS_MAIN(TestDrop)
#include "tst_drop.moc"
