// SPDX-License-Identifier: GPL-3.0-or-later
// The permutator lists every arrangement of up to seven characters in order, and forgets them once closed.

#include "game/board.h"
#include "permutator/permut.h"
#include "support/testsupport.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

class TestPermut : public testsupport::GuiTest
{
    Q_OBJECT
private slots:
    void tabLeavesTheResultsBox()
    {
        permut &p = forms::load<permut>();
        p.show();
        p.txtResults->setFocus();
        QTest::keyClick(p.txtResults, Qt::Key_Tab);
        QCOMPARE(p.focusWidget(), p.txtCombinations);
    }

    void run_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("count"); // empty: refused
        QTest::newRow("nothing counts 0") << "" << "" << "0";
        QTest::newRow("ABC") << "ABC" << "ABC\nACB\nBAC\nBCA\nCAB\nCBA\n" << "6";
        QTest::newRow("AAB repeats kept") << "AAB" << "AAB\nABA\nAAB\nABA\nBAA\nBAA\n" << "6";
        QTest::newRow("A B, a space prints as nothing") << "A B" << "AB\nAB\nAB\nBA\nBA\nBA\n" << "6";
        QTest::newRow("an emoji is one character") << "a\U0001F600" << "a\U0001F600\n\U0001F600a\n" << "2";
        QTest::newRow("seven characters") << "AAAAAAA" << QStringLiteral("AAAAAAA\n").repeated(5040) << "5040";
        QTest::newRow("eight refused before it gets busy") << "AAAAAAAA" << "" << "";
    }
    void run()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(QString, count);
        permut &p = forms::load<permut>();
        testsupport::CursorLog pointer(&p);
        p.Text1->setText(text);
        p.cmdGo->click();
        QCOMPARE(session->warnings, count.isEmpty() ? QStringList{permut::TooLongMessage} : QStringList());
        QCOMPARE(pointer.shapes, (count.isEmpty() ? QList<Qt::CursorShape>() : QList{Qt::WaitCursor, Qt::ArrowCursor}));
        QVERIFY(p.cmdGo->isEnabled() && p.Command1->isEnabled() && p.Text1->isEnabled());
        QCOMPARE(p.txtResults->toPlainText(), shown);
        QCOMPARE(p.txtCombinations->text(), count);
    }

    void reopen_data()
    {
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("shown");
        QTest::newRow("opened twice keeps the results") << false << "6" << "ABC\nACB\nBAC\nBCA\nCAB\nCBA\n";
        QTest::newRow("Bezárás, then opened: empty") << true << "" << "";
    }
    void reopen()
    {
        QFETCH(bool, closed);
        QFETCH(QString, count);
        QFETCH(QString, shown);
        board &b = testsupport::play(QStringLiteral("abc"));
        b.Command6->click();
        forms::load<permut>().cmdGo->click();
        if (closed)
            forms::load<permut>().Command1->click();
        QCOMPARE(forms::loaded<permut>() && forms::loaded<permut>()->isVisible(), !closed);
        b.Command6->click();
        permut &p = forms::load<permut>();
        QCOMPARE(p.Text1->text(), QStringLiteral("ABC"));
        QCOMPARE(p.txtResults->toPlainText(), shown);
        QCOMPARE(p.txtCombinations->text(), count);
    }
};

QTEST_MAIN(TestPermut)
#include "tst_permut.moc"
