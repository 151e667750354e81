// The permutator window: a run fills both boxes in one step and gives the
// controls and pointer back; over-long texts are refused before anything
// changes; opening, reopening and closing.

#include "app/forms.h"
#include "app/twips.h"
#include "game/board.h"
#include "permutator/permut.h"
#include "puzzles/betolt.h"
#include "support/testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using testsupport::CursorLog;
using testsupport::play;

// The next control that the Tab key reaches.
static QWidget *nextTabStop(QWidget *w)
{
    do
        w = w->nextInFocusChain();
    while (!(w->focusPolicy() & Qt::TabFocus));
    return w;
}

class TestPermut : public testsupport::GuiTest
{
    Q_OBJECT
private slots:

    void design();
    void run_data();
    void run();
    void runGivesControlsAndPointerBack();
    void overlongTextIsRefusedBeforeAnythingChanges();
    void boardOpensItWithThePuzzleLetters();
    void reopeningKeepsTheResults();
    void closingUnloadsIt();
    void afterNewGameTheTextIsEmpty();

private:
};

void TestPermut::design()
{
    permut &p = forms::load<permut>();
    QCOMPARE(p.windowTitle(), QStringLiteral("Permutátor"));
    QCOMPARE(p.minimumSize(), p.maximumSize());
    QVERIFY(!p.Label1[0] && p.Label1[1]); // the label array has only element 1
    QCOMPARE(nextTabStop(p.cmdGo), p.txtResults);
    QCOMPARE(nextTabStop(p.txtResults), p.txtCombinations);
    QCOMPARE(nextTabStop(p.txtCombinations), p.Text1);
    QCOMPARE(nextTabStop(p.Text1), p.Command1);
    // Tab leaves the results box instead of typing into it.
    p.show();
    QApplication::setActiveWindow(&p);
    p.txtResults->setFocus();
    QTest::keyClick(p.txtResults, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), p.txtCombinations);
    QCOMPARE(p.txtResults->toPlainText(), QString());
    QCOMPARE(QFontInfo(p.Text1->font()).family(), QStringLiteral("Liberation Serif"));
    QCOMPARE(QFontInfo(p.Label2->font()).family(), QStringLiteral("Liberation Sans"));

    // What is painted: the window, a label and the boxes in their blues.
    p.txtCombinations->setText("6");
    const QImage shot = p.grab().toImage();
    auto at = [&shot](int x, int y) { return QColor(shot.pixel(twips::toPx(x), twips::toPx(y))); };
    QCOMPARE(at(60, 2000), QColor(24, 72, 184));
    QCOMPARE(at(1000, 1050), QColor(24, 72, 184)); // Label1(1), right of its text
    QCOMPARE(at(4000, 2000), QColor(104, 136, 224)); // results box
    QCOMPARE(at(4000, 440), QColor(104, 136, 224));  // Text1
    QCOMPARE(p.txtCombinations->palette().color(QPalette::Text), QColor(255, 255, 0));
    QCOMPARE(p.Label2->palette().color(QPalette::WindowText), QColor(Qt::white));
}

void TestPermut::run_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("results");
    QTest::addColumn<QString>("count");
    QTest::newRow("empty") << "" << "" << "0";
    QTest::newRow("ABC") << "ABC" << "ABC\r\nACB\r\nBAC\r\nBCA\r\nCAB\r\nCBA\r\n" << "6";
    QTest::newRow("A B") << "A B" << "AB\r\nAB\r\nAB\r\nBA\r\nBA\r\nBA\r\n" << "6";
    QTest::newRow("single space") << " " << "\r\n" << "1";
}

void TestPermut::run()
{
    QFETCH(QString, text);
    QFETCH(QString, results);
    QFETCH(QString, count);
    permut &p = forms::load<permut>();
    p.show();
    p.Text1->setText(text);
    p.cmdGo->click();
    QCOMPARE(p.results(), results);
    QCOMPARE(p.txtCombinations->text(), count);
    // On screen each line is one line: no empty lines from the CRs.
    QString shown = results;
    shown.replace("\r\n", "\n");
    QCOMPARE(p.txtResults->toPlainText(), shown);
    QVERIFY(session->warnings.isEmpty());
}

void TestPermut::runGivesControlsAndPointerBack()
{
    permut &p = forms::load<permut>();
    p.show();
    CursorLog pointer(&p);
    p.Text1->setText(QStringLiteral("MORVALI"));
    p.cmdGo->click();
    QCOMPARE(p.txtCombinations->text(), QStringLiteral("5040"));
    QCOMPARE(p.results().count(QStringLiteral("\r\n")), 5040);
    QCOMPARE(p.txtResults->blockCount(), 5041); // 5040 lines and the empty one after the last
    QCOMPARE(pointer.shapes, (QList<Qt::CursorShape>{Qt::WaitCursor, Qt::ArrowCursor}));
    QVERIFY(p.cmdGo->isEnabled() && p.Command1->isEnabled() && p.Text1->isEnabled());
    // A second run clears and fills again.
    p.Text1->setText(QStringLiteral("AB"));
    p.cmdGo->click();
    QCOMPARE(p.results(), QStringLiteral("AB\r\nBA\r\n"));
}

void TestPermut::overlongTextIsRefusedBeforeAnythingChanges()
{
    permut &p = forms::load<permut>();
    p.show();
    p.Text1->setText(QStringLiteral("ABC"));
    p.cmdGo->click();
    CursorLog pointer(&p);
    p.Text1->setText(QStringLiteral("ABCDEFGH"));
    p.cmdGo->click();
    QCOMPARE(session->warnings, QStringList{permut::TooLongMessage});
    QVERIFY(permut::TooLongMessage.contains(u'7'));
    QCOMPARE(p.results(), QString());
    QCOMPARE(p.txtResults->toPlainText(), QString());
    QCOMPARE(p.txtCombinations->text(), QString());
    QVERIFY(pointer.shapes.isEmpty());
    QVERIFY(p.cmdGo->isEnabled() && p.Command1->isEnabled() && p.Text1->isEnabled());
    QCOMPARE(p.Text1->text(), QStringLiteral("ABCDEFGH"));
}

void TestPermut::boardOpensItWithThePuzzleLetters()
{
    board &b = play(QStringLiteral("Szép idő"));
    b.Command6->click();
    permut &p = forms::load<permut>();
    QVERIFY(p.isVisible());
    QVERIFY(b.isVisible());
    QCOMPARE(p.Text1->text(), QStringLiteral("SZÉPIDŐ"));
    QCOMPARE(p.results(), QString());
    // All seven letters fit; the player may shorten them and run.
    p.Text1->setText(QStringLiteral("ABC"));
    p.cmdGo->click();
    QCOMPARE(p.txtCombinations->text(), QStringLiteral("6"));
}

void TestPermut::reopeningKeepsTheResults()
{
    board &b = play(QStringLiteral("Petőfi Sándor"));
    b.Command6->click();
    permut &p = forms::load<permut>();
    QCOMPARE(p.Text1->text(), QStringLiteral("PETŐFISÁNDOR"));
    p.cmdGo->click(); // 12 characters: refused
    QCOMPARE(session->warnings.size(), 1);
    p.Text1->setText(QStringLiteral("ABC"));
    p.cmdGo->click();
    b.Command6->click();
    QCOMPARE(forms::loaded<permut>(), &p);
    QCOMPARE(p.Text1->text(), QStringLiteral("PETŐFISÁNDOR"));
    QCOMPARE(p.txtCombinations->text(), QStringLiteral("6"));
    QCOMPARE(p.results().count(QStringLiteral("\r\n")), 6);
}

void TestPermut::closingUnloadsIt()
{
    board &b = play(QStringLiteral("abc"));
    b.Command6->click();
    permut *first = &forms::load<permut>();
    first->cmdGo->click();
    QCOMPARE(first->txtCombinations->text(), QStringLiteral("6"));
    first->Command1->click();
    QVERIFY(!forms::loaded<permut>());
    QVERIFY(!first->isVisible());
    b.Command6->click();
    permut &again = forms::load<permut>();
    QCOMPARE(again.txtCombinations->text(), QString());
    QCOMPARE(again.txtResults->toPlainText(), QString());
    QCOMPARE(again.Text1->text(), QStringLiteral("ABC"));
    // Closing from the frame unloads it too.
    again.close();
    QVERIFY(!forms::loaded<permut>());
    QVERIFY(session->ends.isEmpty());
}

void TestPermut::afterNewGameTheTextIsEmpty()
{
    board &b = play(QStringLiteral("abc"));
    b.Command3->click();
    b.Command6->click();
    QCOMPARE(forms::load<permut>().Text1->text(), QString());
}

QTEST_MAIN(TestPermut)
#include "tst_permut.moc"
