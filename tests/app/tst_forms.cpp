// The window registry: one instance per window, its load handler run once,
// unloading by name, and a fresh window on the next use.

#include "app/forms.h"
#include "game/board.h"
#include "game/seged.h"
#include "permutator/permut.h"
#include "puzzles/betolt.h"
#include "puzzles/felvesz.h"
#include "puzzles/lista.h"
#include "support/testsupport.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class TestForms : public testsupport::GuiTest
{
    Q_OBJECT
private slots:

    void loadCreatesOnceAndRunsFormLoadOnce();
    void unloadForgetsAndStopsTimers();
    void unloadOfAWindowNotLoadedDoesNothing();
    void frameCloseEndsOnlyWhenNothingIsLeftOnScreen();
    void programEndsWithItsLastWindow_data();
    void programEndsWithItsLastWindow();

private:
};

void TestForms::loadCreatesOnceAndRunsFormLoadOnce()
{
    QVERIFY(!forms::loaded<board>());
    board &first = forms::load<board>();
    QVERIFY(seged::state.LayoutSuspended); // Form_Load ran
    seged::state.LayoutSuspended = false;
    board &again = forms::load<board>();
    QCOMPARE(&again, &first);
    QVERIFY(!seged::state.LayoutSuspended); // ... and only once
    QCOMPARE(forms::loaded<board>(), &first);
    QVERIFY(!first.isVisible()); // loading does not show
}

void TestForms::unloadForgetsAndStopsTimers()
{
    QPointer<board> old = &forms::load<board>();
    old->show();
    QVERIFY(old->Timer1->isActive());
    forms::unload<board>();
    QVERIFY(!forms::loaded<board>());
    QVERIFY(old); // deleted only once back in the event loop
    QVERIFY(!old->isVisible());
    QVERIFY(!old->Timer1->isActive());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!old);
    seged::state.LayoutSuspended = false;
    board &fresh = forms::load<board>();
    QVERIFY(seged::state.LayoutSuspended); // a new window, a new Form_Load
    QVERIFY(fresh.Timer1->isActive());
}

void TestForms::unloadOfAWindowNotLoadedDoesNothing()
{
    forms::unload<betolt>();
    QVERIFY(!forms::loaded<betolt>());
    QVERIFY(session->ends.isEmpty());
}

void TestForms::frameCloseEndsOnlyWhenNothingIsLeftOnScreen()
{
    betolt &entry = forms::load<betolt>();
    board &b = forms::load<board>();
    entry.show();
    b.show();
    entry.close();
    QVERIFY(!entry.isVisible());
    QVERIFY(session->ends.isEmpty());
    b.close();
    QCOMPARE(session->ends, QList<int>{0});
}

enum class Path { PermutClosed, VocabularyMehet, ListaMehet, ListaMegsem, GameStarted, FrameClosed };
Q_DECLARE_METATYPE(Path)

void TestForms::programEndsWithItsLastWindow_data()
{
    QTest::addColumn<bool>("boardClosed");
    QTest::addColumn<Path>("path");
    QTest::addColumn<bool>("ends");
    QTest::newRow("Bezárás, board on screen") << false << Path::PermutClosed << false;
    QTest::newRow("Bezárás, board closed") << true << Path::PermutClosed << true;
    QTest::newRow("vocabulary Mehet, board on screen") << false << Path::VocabularyMehet << false;
    QTest::newRow("vocabulary Mehet, board closed") << true << Path::VocabularyMehet << true;
    QTest::newRow("list Mehet shows the entry window") << true << Path::ListaMehet << false;
    QTest::newRow("list Mégsem shows the entry window") << true << Path::ListaMegsem << false;
    QTest::newRow("Mehet hides the entry window, shows the board") << true << Path::GameStarted << false;
    QTest::newRow("the permutator closed from its frame") << true << Path::FrameClosed << true;
}

void TestForms::programEndsWithItsLastWindow()
{
    QFETCH(bool, boardClosed);
    QFETCH(Path, path);
    QFETCH(bool, ends);
    board &b = testsupport::play(QStringLiteral("alma"));
    b.Timer1->stop();
    b.Command6->click(); // the permutator
    b.Command4->click(); // the vocabulary window
    if (path == Path::ListaMehet || path == Path::ListaMegsem || path == Path::GameStarted) {
        b.Command3->click(); // "Új játék": the entry window
        forms::unload<felvesz>();
        forms::unload<permut>();
        forms::load<betolt>().Command3->click(); // "Listából"
        if (path == Path::GameStarted)
            forms::load<lista>().Command1->click();
    } else if (path != Path::VocabularyMehet) {
        forms::load<felvesz>().close();
    } else {
        forms::unload<permut>();
    }
    if (boardClosed)
        b.close();
    QCoreApplication::processEvents();
    QVERIFY(session->ends.isEmpty());

    switch (path) {
    case Path::PermutClosed: forms::load<permut>().Command1->click(); break;
    case Path::FrameClosed: forms::load<permut>().close(); break;
    case Path::VocabularyMehet: forms::load<felvesz>().Command1->click(); break;
    case Path::ListaMehet: forms::load<lista>().Command1->click(); break;
    case Path::ListaMegsem: forms::load<lista>().Command2->click(); break;
    case Path::GameStarted: forms::load<betolt>().Command1->click(); break;
    }
    // The check runs once the handler is done.
    QCoreApplication::processEvents();
    QCOMPARE(session->ends, ends ? QList<int>{0} : QList<int>{});
}

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
