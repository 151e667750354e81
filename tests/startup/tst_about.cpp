// The about window, and the way out: "Kilépés" unloads the windows in
// order and shows the about window; "OK" ends the program.

#include "app/forms.h"
#include "app/testhooks.h"
#include "app/twips.h"
#include "game/board.h"
#include "permutator/permut.h"
#include "puzzles/betolt.h"
#include "puzzles/felvesz.h"
#include "puzzles/lista.h"
#include "startup/about.h"
#include "startup/indit.h"
#include "support/testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

Q_DECLARE_METATYPE(QList<FormId>)

class TestAbout : public testsupport::GuiTest
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        forms::setUnloadObserver({});
        GuiTest::cleanup();
    }

    void design();
    void okEndsTheProgram();
    void closingFromTheFrameEndsTheProgram();
    void exitUnloadsInOrder_data();
    void exitUnloadsInOrder();
    void okEndsEvenWithTheVocabularyWindowOpen();

private:
};

void TestAbout::design()
{
    about &a = forms::load<about>();
    QCOMPARE(a.windowTitle(), QStringLiteral("Morvalin-program"));
    QCOMPARE(a.minimumSize(), a.maximumSize());
    QCOMPARE(a.pos(), QPoint(qRound((800 - a.width()) / 2.0), qRound((800 - a.height()) / 2.0)));
    QCOMPARE(a.Command1->text(), QStringLiteral("OK"));
    QCOMPARE(a.Picture1->pixmap().size(), QSize(50, 50));
    QCOMPARE(a.Picture2->pixmap().size(), QSize(160, 100));
    QCOMPARE(QFontInfo(a.Label2->font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(a.Label2->font().pointSizeF(), 9.0);
    QVERIFY(a.Label2->font().bold());
    QVERIFY(a.Label1->wordWrap());
    QVERIFY(a.Label1->text().contains("másolható"));
    // Both notices fit their places.
    QVERIFY(QFontMetrics(a.Label2->font()).horizontalAdvance(a.Label2->text()) <= a.Label2->width());
    const QRect legal = QFontMetrics(a.Label1->font()).boundingRect(QRect(0, 0, a.Label1->width(), 1000),
                                                                      Qt::TextWordWrap, a.Label1->text());
    QVERIFY(legal.height() <= a.Label1->height());
    // The separator: a dark line above a light one.
    const QImage shot = a.grab().toImage();
    auto at = [&](int x, int y) { return QColor(shot.pixel(a.Frame1->mapTo(&a, QPoint(twips::toPx(x), twips::toPx(y))))); };
    QCOMPARE(at(3000, 2100), QColor(Qt::black));
    QCOMPARE(at(3000, 2160), QColor(Qt::white));
}

void TestAbout::okEndsTheProgram()
{
    about &a = forms::load<about>();
    a.show();
    a.Command1->click();
    QCOMPARE(session->ends, QList<int>{0});
    QVERIFY(!forms::loaded<about>());
}

void TestAbout::closingFromTheFrameEndsTheProgram()
{
    about &a = forms::load<about>();
    a.show();
    a.close();
    QCOMPARE(session->ends, QList<int>{0});
}

void TestAbout::exitUnloadsInOrder_data()
{
    QTest::addColumn<bool>("splash");
    QTest::addColumn<bool>("permutator");
    QTest::addColumn<bool>("list");
    QTest::addColumn<QList<FormId>>("order");
    QTest::newRow("entry and board only") << false << false << false << QList<FormId>{FormId::betolt, FormId::board};
    QTest::newRow("with permutator") << false << true << false
                                     << QList<FormId>{FormId::betolt, FormId::permut, FormId::board};
    QTest::newRow("every window")
        << true << true << true << QList<FormId>{FormId::indit, FormId::betolt, FormId::permut, FormId::lista, FormId::board};
}

void TestAbout::exitUnloadsInOrder()
{
    QFETCH(bool, splash);
    QFETCH(bool, permutator);
    QFETCH(bool, list);
    QFETCH(QList<FormId>, order);
    session->copyAsset("hires.txt");
    if (splash)
        forms::load<indit>().Timer1->stop();
    betolt &entry = forms::load<betolt>();
    entry.show();
    if (list) {
        entry.Command3->click();
        forms::load<lista>().Command2->click();
    }
    entry.Text1->setText("alma");
    entry.Command1->click();
    board &b = forms::load<board>();
    if (permutator)
        b.Command6->click();
    QTimer *clock = b.Timer1;
    QVERIFY(clock->isActive());

    QList<FormId> unloaded;
    forms::setUnloadObserver([&unloaded](FormId id) { unloaded << id; });
    b.Command2->click();

    QCOMPARE(unloaded, order);
    QVERIFY(!clock->isActive()); // the clock stops with the board
    for (FormId id : {FormId::indit, FormId::betolt, FormId::permut, FormId::lista, FormId::board})
        QVERIFY(!forms::find(id));
    about *a = forms::loaded<about>();
    QVERIFY(a && a->isVisible());
    QVERIFY(session->ends.isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(a->isVisible());
}

void TestAbout::okEndsEvenWithTheVocabularyWindowOpen()
{
    betolt &entry = forms::load<betolt>();
    entry.show();
    entry.Text1->setText("alma");
    entry.Command1->click();
    board &b = forms::load<board>();
    b.Command4->click();
    felvesz *add = forms::loaded<felvesz>();
    b.Command2->click();
    // The vocabulary window stays beside the about window.
    QVERIFY(add && add->isVisible());
    QCOMPARE(forms::loaded<felvesz>(), add);
    forms::load<about>().Command1->click();
    QCOMPARE(session->ends, QList<int>{0});
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
