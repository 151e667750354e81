// The game clock: one tick a second, shown as "mm : ss".

#include "game/rules/clock.h"

#include <QtTest>

class TestClock : public QObject
{
    Q_OBJECT
private slots:
    void text_data();
    void text();
    void tick_data();
    void tick();
    void sixtyTicksMakeAMinute();
};

void TestClock::text_data()
{
    QTest::addColumn<double>("minutes");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("shown");
    QTest::newRow("0:01") << 0.0 << 1.0 << "00 : 01";
    QTest::newRow("0:00") << 0.0 << 0.0 << "00 : 00";
    QTest::newRow("9:05") << 9.0 << 5.0 << "09 : 05";
    QTest::newRow("9:59") << 9.0 << 59.0 << "09 : 59";
    QTest::newRow("10:00") << 10.0 << 0.0 << "10 : 00";
    QTest::newRow("45:30") << 45.0 << 30.0 << "45 : 30";
    QTest::newRow("100:00") << 100.0 << 0.0 << "100 : 00";
    QTest::newRow("123:07") << 123.0 << 7.0 << "123 : 07";
}

void TestClock::text()
{
    QFETCH(double, minutes);
    QFETCH(double, seconds);
    QFETCH(QString, shown);
    QCOMPARE(gameclock::text(minutes, seconds), shown);
}

void TestClock::tick_data()
{
    QTest::addColumn<double>("minutes");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("after");
    QTest::newRow("first tick after a reset") << 0.0 << 0.0 << "00 : 01";
    QTest::newRow("0:58") << 0.0 << 58.0 << "00 : 59";
    QTest::newRow("0:59 carries") << 0.0 << 59.0 << "01 : 00";
    QTest::newRow("9:59 carries to two digits") << 9.0 << 59.0 << "10 : 00";
    QTest::newRow("99:59 carries to three digits") << 99.0 << 59.0 << "100 : 00";
}

void TestClock::tick()
{
    QFETCH(double, minutes);
    QFETCH(double, seconds);
    QFETCH(QString, after);
    gameclock::tick(minutes, seconds);
    QCOMPARE(gameclock::text(minutes, seconds), after);
    QVERIFY(seconds >= 0 && seconds <= 59);
}

void TestClock::sixtyTicksMakeAMinute()
{
    double minutes = 0, seconds = 0;
    for (int i = 0; i < 3 * 60 + 5; ++i)
        gameclock::tick(minutes, seconds);
    QCOMPARE(minutes, 3.0);
    QCOMPARE(seconds, 5.0);
}

QTEST_APPLESS_MAIN(TestClock)
#include "tst_clock.moc"
