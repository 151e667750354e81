// The window registry: one instance per window, its load handler run once,
// unloading by name, and a fresh window on the next use.

#include "app/forms.h"
#include "game/board.h"
#include "game/seged.h"
#include "puzzles/betolt.h"
#include "support/testsupport.h"

#include <QPointer>
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

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
