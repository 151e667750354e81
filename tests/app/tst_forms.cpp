// SPDX-License-Identifier: GPL-3.0-or-later
// Windows leave as the player expects: the splash at tick 54 or a click, the game with "Kilépés", the program with its last window.

#include "finder/kereso.h"
#include "permutator/permut.h"
#include "puzzles/felvesz.h"
#include "puzzles/lista.h"
#include "startup/about.h"
#include "startup/indit.h"
#include "support/testsupport.h"

#include <QLabel>

using Step = std::function<void()>;
template <class F> Step press(QPushButton *F::*button) { return [button] { (forms::load<F>().*button)->click(); }; }
struct Way { QList<Step> fromTheBoard; bool boardClosed; Step last; bool programEnds; };

class TestForms : public testsupport::GuiTest {
    Q_OBJECT
private slots:
    void splash_data() {
        QTest::addColumn<int>("clickAt"); // the tick of the player's click, 0 for none
        QTest::addColumn<int>("ticks");
        QTest::newRow("twenty frames, one per two ticks, then the entry window") << 0 << 54;
        QTest::newRow("a click skips the rest") << 5 << 5;
    }
    void splash() {
        QFETCH(int, clickAt);
        QFETCH(int, ticks);
        session->copyAsset("hand.cur");
        indit &w = forms::load<indit>();
        const QByteArray cur = testsupport::readFile(session->folder() + "/hand.cur");
        QCOMPARE(w.Picture1->cursor().hotSpot(), QPoint(quint8(cur[10]), quint8(cur[12]))); // Qt alone takes the centre
        QStringList reads, frames;
        w.loadFrame = [&reads](const QString &path) { reads << QFileInfo(path).fileName(); return std::optional<QPixmap>(); };
        int tick = 0;
        connect(w.Timer1, &QTimer::timeout, w.Timer1, [&] { if (++tick == clickAt) QTest::mouseClick(w.Picture1, Qt::LeftButton); });
        w.Timer1->setInterval(1);
        w.show();
        QTRY_VERIFY(forms::loaded<betolt>() && forms::loaded<betolt>()->isVisible() && !forms::loaded<indit>());
        QCOMPARE(tick, ticks);
        for (int frame = 2; frame <= ticks / 2 + 1 && frame <= 21; ++frame) frames << QStringLiteral("splash%1.gif").arg(frame);
        QCOMPARE(reads, frames);
    }

    void programEndsWithItsLastWindow_data() {
        QTest::addColumn<Way>("way");
        const Step permutator = press(&board::Command6), vocabulary = press(&board::Command4), newGame = press(&board::Command3);
        const Step bezaras = press(&permut::Command1), addMehet = press(&felvesz::Command1), kilepes = press(&board::Command2);
        const QList<Step> list{newGame, press(&betolt::Command3)};
        QTest::newRow("Bezárás, board on screen") << Way{{permutator}, false, bezaras, false};
        QTest::newRow("Bezárás, board closed") << Way{{permutator}, true, bezaras, true};
        QTest::newRow("the permutator closed from its frame") << Way{{permutator}, true, [] { forms::load<permut>().close(); }, true};
        QTest::newRow("vocabulary Mehet, board on screen") << Way{{vocabulary}, false, addMehet, false};
        QTest::newRow("vocabulary Mehet, board closed") << Way{{vocabulary}, true, addMehet, true};
        QTest::newRow("list Mehet shows the entry window") << Way{list, true, press(&lista::Command1), false};
        QTest::newRow("list Mégsem shows the entry window") << Way{list, true, press(&lista::Command2), false};
        QTest::newRow("Mehet hides the entry window, shows the board") << Way{{newGame}, true, press(&betolt::Command1), false};
        QTest::newRow("Kilépés shows the about window") << Way{{}, false, kilepes, false};
        QTest::newRow("OK in the about window") << Way{{kilepes}, false, press(&about::Command1), true};
    }
    void programEndsWithItsLastWindow() {
        QFETCH(Way, way);
        session->copyAsset("hires.txt"); // something for the list's "Mehet" to take
        board &b = testsupport::play("alma");
        for (const Step &step : way.fromTheBoard) step();
        if (way.boardClosed) b.close();
        QCoreApplication::processEvents();
        QVERIFY(session->ends.isEmpty());
        way.last();
        QCoreApplication::processEvents(); // the check runs once the handler is done
        QCOMPARE(session->ends, way.programEnds ? QList<int>{0} : QList<int>{});
    }

    void kilepesLeavesTheAboutAndTheVocabularyWindow() {
        forms::load<indit>();
        forms::load<lista>();
        board &b = testsupport::play("alma");
        for (QPushButton *button : {b.Command6, b.Command4}) button->click(); // the permutator and the vocabulary window
        b.openFinder();
        b.Command2->click();
        QVERIFY(!forms::loaded<indit>() && !forms::loaded<betolt>() && !forms::loaded<permut>());
        QVERIFY(!forms::loaded<kereso>() && !forms::loaded<lista>() && !forms::loaded<board>());
        QVERIFY(forms::loaded<about>()->isVisible() && forms::loaded<felvesz>()->isVisible());
    }
};

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
