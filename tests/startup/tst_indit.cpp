// The start-up window: the frame files read in order, one every two ticks,
// the entry window after tick 54 or at a click, missing files and cursor.

#include "app/forms.h"
#include "app/twips.h"
#include "puzzles/betolt.h"
#include "startup/indit.h"
#include "support/testsupport.h"

#include <QLabel>
#include <QTimer>
#include <QtTest>

class TestIndit : public testsupport::GuiTest
{
    Q_OBJECT
private slots:
    void init();

    void design();
    void wholeAnimationReadsTwentyFramesInOrder();
    void clickBeforeTheFirstTick();
    void clickWhileHolding();
    void frameFilesAreNamedWithoutLeadingZeros_data();
    void frameFilesAreNamedWithoutLeadingZeros();
    void missingFrameKeepsThePictureAndTheCount();
    void missingCursorLeavesTheOrdinaryPointer();
    void realTimerHandsOverByItself();

private:
    indit &load();
    QStringList reads;
};

void TestIndit::init()
{
    GuiTest::init();
    reads.clear();
}

indit &TestIndit::load()
{
    indit &w = forms::load<indit>();
    w.Timer1->stop(); // ticks are driven by hand
    w.loadFrame = [this](const QString &path) -> std::optional<QPixmap> {
        reads << QFileInfo(path).fileName();
        QPixmap p(374, 240);
        p.fill(QColor(reads.size(), 0, 0));
        return p;
    };
    w.show();
    return w;
}

void TestIndit::design()
{
    session->copyAsset("hand.cur");
    indit &w = forms::load<indit>();
    QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(w.size(), QSize(twips::toPx(5655), twips::toPx(3615)));
    QCOMPARE(w.Picture1->geometry(), QRect(QPoint(0, 0), w.size()));
    // Frame 1 is stored with the program.
    QCOMPARE(w.Picture1->pixmap().size(), QSize(374, 240));
    QCOMPARE(w.pos(), QPoint(qRound((800 - w.width()) / 2.0), qRound((800 - w.height()) / 2.0)));
    QCOMPARE(w.Timer1->interval(), 150);
    QVERIFY(w.Timer1->isActive());
    QCOMPARE(w.TickCount, int16_t(1));
    QCOMPARE(w.FrameNumber, int16_t(1));
    QCOMPARE(w.Picture1->cursor().shape(), Qt::BitmapCursor);
    QVERIFY(w.Picture1->cursor().hotSpot() != QPoint(16, 16));
}

void TestIndit::wholeAnimationReadsTwentyFramesInOrder()
{
    indit &w = load();
    betolt *entry = nullptr;
    for (int tick = 1; tick <= 54; ++tick) {
        w.Timer1_Timer();
        entry = forms::loaded<betolt>();
        if (tick < 54)
            QVERIFY2(!entry || !entry->isVisible(), qPrintable(QString("entry window at tick %1").arg(tick)));
        if (tick % 2 == 0 && tick <= 40)
            QCOMPARE(w.FrameNumber, int16_t(tick / 2 + 1));
    }
    QStringList expected;
    for (int frame = 2; frame <= 21; ++frame)
        expected << QStringLiteral("splash%1.gif").arg(frame);
    QCOMPARE(reads, expected);
    QVERIFY(entry && entry->isVisible());
    QVERIFY(!forms::loaded<indit>());
    QVERIFY(!w.isVisible());
    QVERIFY(!w.Timer1->isActive());
    QVERIFY(session->ends.isEmpty());
}

void TestIndit::clickBeforeTheFirstTick()
{
    indit &w = load();
    QTest::mouseClick(w.Picture1, Qt::LeftButton, {}, QPoint(100, 100));
    QVERIFY(forms::load<betolt>().isVisible());
    QVERIFY(!forms::loaded<indit>());
    QVERIFY(reads.isEmpty());
}

void TestIndit::clickWhileHolding()
{
    indit &w = load();
    for (int tick = 1; tick <= 45; ++tick)
        w.Timer1_Timer();
    QCOMPARE(w.FrameNumber, int16_t(21));
    QVERIFY(!forms::loaded<betolt>());
    QTest::mouseClick(w.Picture1, Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(forms::load<betolt>().isVisible());
    QVERIFY(!forms::loaded<indit>());
    // The unloaded window takes no further ticks.
    w.Timer1_Timer();
    QCOMPARE(reads.size(), 20);
}

void TestIndit::frameFilesAreNamedWithoutLeadingZeros_data()
{
    QTest::addColumn<int>("frame");
    QTest::addColumn<QString>("name");
    QTest::newRow("2") << 2 << "splash2.gif";
    QTest::newRow("9") << 9 << "splash9.gif";
    QTest::newRow("10") << 10 << "splash10.gif";
    QTest::newRow("21") << 21 << "splash21.gif";
}

void TestIndit::frameFilesAreNamedWithoutLeadingZeros()
{
    QFETCH(int, frame);
    QFETCH(QString, name);
    QCOMPARE(indit::framePath(frame), session->folder() + "/" + name);
}

void TestIndit::missingFrameKeepsThePictureAndTheCount()
{
    // The real reader, with the shipped frames 2..4 and no frame 5.
    for (int frame = 2; frame <= 4; ++frame)
        session->copyAsset(QStringLiteral("splash%1.gif").arg(frame));
    indit &w = forms::load<indit>();
    w.Timer1->stop();
    for (int tick = 1; tick <= 4; ++tick)
        w.Timer1_Timer();
    QCOMPARE(w.FrameNumber, int16_t(3));
    const QImage frame3 = w.Picture1->pixmap().toImage();
    QCOMPARE(frame3, QImage(session->folder() + "/splash3.gif").convertToFormat(frame3.format()));
    for (int tick = 5; tick <= 8; ++tick)
        w.Timer1_Timer();
    QCOMPARE(w.FrameNumber, int16_t(5));
    QCOMPARE(w.Picture1->pixmap().toImage(), QImage(session->folder() + "/splash4.gif").convertToFormat(frame3.format()));
    for (int tick = 9; tick <= 54; ++tick)
        w.Timer1_Timer();
    QVERIFY(forms::load<betolt>().isVisible());
    QVERIFY(session->warnings.isEmpty());
}

void TestIndit::missingCursorLeavesTheOrdinaryPointer()
{
    indit &w = forms::load<indit>();
    QCOMPARE(w.Picture1->cursor().shape(), Qt::ArrowCursor);
}

void TestIndit::realTimerHandsOverByItself()
{
    indit &w = forms::load<indit>();
    w.loadFrame = [](const QString &) { return std::nullopt; };
    w.Timer1->setInterval(1);
    w.show();
    QTRY_VERIFY(forms::loaded<betolt>() && forms::loaded<betolt>()->isVisible());
    QVERIFY(!forms::loaded<indit>());
}

QTEST_MAIN(TestIndit)
#include "tst_indit.moc"
