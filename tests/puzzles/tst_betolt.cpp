// The entry window: its design, "Mehet" with and without a text, "Törlés",
// and the caret in the text box whenever the window becomes active.

#include "app/forms.h"
#include "app/twips.h"
#include "game/board.h"
#include "game/seged.h"
#include "puzzles/betolt.h"
#include "support/testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestBetolt : public testsupport::GuiTest
{
    Q_OBJECT
private slots:

    void design();
    void emptyMehetWarnsAndDisablesTheBoard();
    void mehetStartsAGameWithTheClockAtZero();
    void torlesEmptiesTheText();
    void activationPutsTheCaretIntoTheText();
    void textHasNoLengthLimitOfItsOwn();
    void closingItAloneEndsTheProgram();

private:
};

void TestBetolt::design()
{
    betolt &w = forms::load<betolt>();
    QCOMPARE(w.windowTitle(), QStringLiteral("Betöltés"));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    // Centred on the 800 x 800 offscreen screen.
    QCOMPARE(w.pos(), QPoint(qRound((800 - w.width()) / 2.0), qRound((800 - w.height()) / 2.0)));
    QCOMPARE(QFontInfo(w.Text1->font()).family(), QStringLiteral("Liberation Serif"));
    QCOMPARE(QFontInfo(w.Label1->font()).family(), QStringLiteral("Liberation Sans"));
    // Enter starts nothing by itself: no default button.
    QVERIFY(!w.Command1->isDefault() && !w.Command1->autoDefault());
    const QImage shot = w.grab().toImage();
    QCOMPARE(QColor(shot.pixel(w.width() - 3, 3)), QColor(104, 136, 224));
    QCOMPARE(QColor(shot.pixel(w.Label1->geometry().right() - 2, w.Label1->y() + 2)), QColor(104, 136, 224));
}

void TestBetolt::emptyMehetWarnsAndDisablesTheBoard()
{
    betolt &w = forms::load<betolt>();
    w.show();
    w.Command1->click();
    QCOMPARE(session->warnings, QStringList{QStringLiteral("Nem adtál meg kiindulási szöveget!")});
    QVERIFY(forms::loaded<board>());
    QVERIFY(!forms::load<board>().isEnabled());
    QVERIFY(!forms::load<board>().isVisible());
    QVERIFY(w.isVisible());
    QCOMPARE(seged::state.PuzzleLetters, QString());
}

void TestBetolt::mehetStartsAGameWithTheClockAtZero()
{
    betolt &w = forms::load<betolt>();
    w.show();
    w.Command1->click(); // empty: board disabled
    seged::state.ElapsedMinutes = 3;
    seged::state.ElapsedSeconds = 12;
    w.Text1->setText(QStringLiteral("alma"));
    w.Command1->click();
    QVERIFY(forms::load<board>().isEnabled());
    QVERIFY(forms::load<board>().isVisible());
    QVERIFY(!w.isVisible());
    QCOMPARE(seged::state.ElapsedMinutes, 0.0);
    QCOMPARE(seged::state.ElapsedSeconds, 0.0);
    // The text stays for the next game.
    QCOMPARE(w.Text1->text(), QStringLiteral("alma"));
}

void TestBetolt::torlesEmptiesTheText()
{
    betolt &w = forms::load<betolt>();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.Text1->setText(QStringLiteral("alma"));
    w.Command2->setFocus();
    w.Command2->click();
    QCOMPARE(w.Text1->text(), QString());
    QVERIFY(w.Text1->hasFocus());
}

void TestBetolt::activationPutsTheCaretIntoTheText()
{
    betolt &w = forms::load<betolt>();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(w.Text1->hasFocus());
    w.Text1->setText(QStringLiteral("alma"));
    w.Command1->click(); // the board takes over
    board &b = forms::load<board>();
    QVERIFY(QTest::qWaitForWindowActive(&b));
    b.Command3->click(); // "Új játék": back to the entry window
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTRY_VERIFY(w.Text1->hasFocus());
}

void TestBetolt::textHasNoLengthLimitOfItsOwn()
{
    betolt &w = forms::load<betolt>();
    const QString longText(40000, u'a');
    w.Text1->setText(longText);
    QCOMPARE(w.Text1->text().size(), longText.size());
}

void TestBetolt::closingItAloneEndsTheProgram()
{
    betolt &w = forms::load<betolt>();
    w.show();
    w.close();
    QCOMPARE(session->ends, QList<int>{0});
}

QTEST_MAIN(TestBetolt)
#include "tst_betolt.moc"
