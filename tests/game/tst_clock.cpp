// SPDX-License-Identifier: GPL-3.0-or-later
// The game clock ticks once a second, carries into the minutes at 60 and shows "mm : ss".

#include "game/rules/clock.h"

#include <QtTest>

class TestClock : public QObject
{
    Q_OBJECT
private slots:
    void tick_data()
    {
        QTest::addColumn<double>("minutes");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("after");
        QTest::newRow("0:08, a leading zero") << 0.0 << 8.0 << "00 : 09";
        QTest::newRow("0:58 stays in the minute") << 0.0 << 58.0 << "00 : 59";
        QTest::newRow("99:59 carries to three digits") << 99.0 << 59.0 << "100 : 00";
        QTest::newRow("123:06 keeps three digits") << 123.0 << 6.0 << "123 : 07";
    }
    void tick()
    {
        QFETCH(double, minutes);
        QFETCH(double, seconds);
        QFETCH(QString, after);
        gameclock::tick(minutes, seconds);
        QCOMPARE(gameclock::text(minutes, seconds), after);
    }
};

QTEST_APPLESS_MAIN(TestClock)
#include "tst_clock.moc"
