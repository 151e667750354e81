// Cursor files: the hotspot comes from the file, and a missing or broken
// file gives no cursor rather than a failure.

#include "app/handcursor.h"

#include <QtTest>

static QByteArray curHeader(quint16 type, quint16 count, quint16 hotX, quint16 hotY)
{
    QByteArray b(22, '\0');
    auto put16 = [&b](int at, quint16 v) {
        b[at] = char(v & 0xff);
        b[at + 1] = char(v >> 8);
    };
    put16(2, type);
    put16(4, count);
    b[6] = 32;
    b[7] = 32;
    put16(10, hotX);
    put16(12, hotY);
    return b;
}

class TestHandCursor : public QObject
{
    Q_OBJECT
private slots:
    void hotspot_data();
    void hotspot();
    void shippedCursorLoadsWithItsHotspot();
    void missingOrBrokenFileGivesNoCursor_data();
    void missingOrBrokenFileGivesNoCursor();
};

void TestHandCursor::hotspot_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QPoint>("spot");
    QTest::newRow("cursor 7,0") << curHeader(2, 1, 7, 0) << true << QPoint(7, 0);
    QTest::newRow("little-endian 300,2") << curHeader(2, 1, 300, 2) << true << QPoint(300, 2);
    QTest::newRow("icon, not a cursor") << curHeader(1, 1, 7, 0) << false << QPoint();
    QTest::newRow("no images") << curHeader(2, 0, 7, 0) << false << QPoint();
    QTest::newRow("truncated") << curHeader(2, 1, 7, 0).left(12) << false << QPoint();
    QTest::newRow("empty") << QByteArray() << false << QPoint();
}

void TestHandCursor::hotspot()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    const auto spot = handcursor::hotspot(bytes);
    QCOMPARE(spot.has_value(), valid);
    if (valid) {
        QFETCH(QPoint, spot);
        QCOMPARE(*handcursor::hotspot(bytes), spot);
    }
}

void TestHandCursor::shippedCursorLoadsWithItsHotspot()
{
    const QString path = QStringLiteral(MORVALIN_SOURCE_ASSETS "/hand.cur");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const auto spot = handcursor::hotspot(file.readAll());
    QVERIFY(spot);
    const auto cursor = handcursor::load(path);
    QVERIFY(cursor);
    QCOMPARE(cursor->shape(), Qt::BitmapCursor);
    QCOMPARE(cursor->hotSpot(), *spot);
    QCOMPARE(cursor->pixmap().size(), QSize(32, 32));
    // A pointing hand points from near its top, not from its centre.
    QVERIFY(spot->y() < 8);
}

void TestHandCursor::missingOrBrokenFileGivesNoCursor_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("create");
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("text") << QByteArray("not a cursor\r\n") << true;
    QTest::newRow("header without picture") << curHeader(2, 1, 7, 0) << true;
}

void TestHandCursor::missingOrBrokenFileGivesNoCursor()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, create);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hand.cur"));
    if (create) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QVERIFY(!handcursor::load(path));
}

QTEST_MAIN(TestHandCursor)
#include "tst_handcursor.moc"
