// Adding to the own list: the finished expression read slot by slot, the
// starting text unchanged, the sorted place, and text the file cannot hold.

#include "app/forms.h"
#include "app/twips.h"
#include "game/board.h"
#include "puzzles/betolt.h"
#include "puzzles/felvesz.h"
#include "puzzles/lista.h"
#include "puzzles/sortedcombo.h"
#include "puzzles/rules/vocabulary.h"
#include "support/testsupport.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using testsupport::cp1250;
using testsupport::pxAt;
using testsupport::readFile;
using testsupport::writeFile;

// A move: tile index to slot of a row ('U' upper, 'L' lower).
struct Move
{
    int tile;
    char row;
    int slot;
};
Q_DECLARE_METATYPE(QList<Move>)

class TestFelvesz : public testsupport::GuiTest
{
    Q_OBJECT
private slots:

    void design();
    void finishedExpression_data();
    void finishedExpression();
    void startingTextIsAddedUnchanged();
    void sameEntryTwiceGivesTwoLines();
    void unstorableTextIsRefused_data();
    void unstorableTextIsRefused();
    void unreadableOwnListStopsTheAddition();
    void boardCommandShowsTheOneWindow();
    void closingFromTheFrameHidesIt();

private:
    board &play(const QString &text) { return testsupport::play(text); }
    QString own() const { return session->folder() + "/sajat.txt"; }
};

void TestFelvesz::design()
{
    felvesz &f = forms::load<felvesz>();
    QCOMPARE(f.windowTitle(), QStringLiteral("Felvétel a szójegyzékbe"));
    QCOMPARE(f.minimumSize(), f.maximumSize());
    QCOMPARE(f.Option1->text(), QStringLiteral("Induló kifejezést"));
    QCOMPARE(f.Option2->text(), QStringLiteral("Kész kifejezést"));
    QVERIFY(f.Option2->isChecked() && !f.Option1->isChecked()); // the first opening
    QVERIFY(!f.isVisible());
}

void TestFelvesz::finishedExpression_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QList<Move>>("moves");
    QTest::addColumn<QString>("added");
    QTest::newRow("ALMA in slots 0-3") << "alma" << QList<Move>{{0, 'L', 0}, {1, 'L', 1}, {2, 'L', 2}, {3, 'L', 3}}
                                       << "ALMA" + QString(27, u' ');
    QTest::newRow("one empty slot between words")
        << "abcd" << QList<Move>{{0, 'L', 0}, {1, 'L', 1}, {2, 'L', 3}, {3, 'L', 4}} << "AB CD" + QString(26, u' ');
    QTest::newRow("two empty slots, leading space")
        << "abcd" << QList<Move>{{0, 'L', 1}, {1, 'L', 2}, {2, 'L', 5}, {3, 'L', 6}} << " AB  CD" + QString(24, u' ');
    QTest::newRow("tile moved on within the lower row")
        << "alma" << QList<Move>{{0, 'L', 2}, {0, 'L', 6}} << QString(6, u' ') + "A" + QString(24, u' ');
    QTest::newRow("tile moved back to the upper row")
        << "alma" << QList<Move>{{0, 'L', 2}, {1, 'L', 3}, {0, 'U', 10}} << "   L" + QString(27, u' ');
    QTest::newRow("empty lower row") << "alma" << QList<Move>{} << QString(31, u' ');
    QTest::newRow("accented letters") << "Szép idő" << QList<Move>{{6, 'L', 0}, {2, 'L', 1}} << "ŐÉ" + QString(29, u' ');
}

void TestFelvesz::finishedExpression()
{
    QFETCH(QString, start);
    QFETCH(QList<Move>, moves);
    QFETCH(QString, added);
    writeFile(own(), cp1250("zzz\r\n"));
    board &b = play(start);
    // Released right of the previous slot's tile: the band of a slot starts
    // 240 twips left of its tile.
    for (const Move &m : moves)
        QVERIFY(testsupport::sendTileDrop(&b, m.tile, pxAt(495 * m.slot + 300, m.row == 'U' ? 1000 : 2600)));
    QCOMPARE(vocabulary::finishedExpression(seged::state), added);

    b.Command4->click();
    felvesz &f = forms::load<felvesz>();
    QVERIFY(f.isVisible());
    f.Command1->click();
    QVERIFY(!f.isVisible());
    QCOMPARE(added.size(), 31);
    // Sorted in: every test text sorts before "zzz".
    QCOMPARE(readFile(own()), cp1250(added + "\r\nzzz\r\n"));
    QVERIFY(session->warnings.isEmpty());
}

void TestFelvesz::startingTextIsAddedUnchanged()
{
    writeFile(own(), cp1250("alma\r\nzsák\r\n"));
    board &b = play(QStringLiteral("  kis  Pál, 2 "));
    session->warnings.clear(); // the refused comma and digit
    b.Command4->click();
    felvesz &f = forms::load<felvesz>();
    f.Option1->click();
    f.Command1->click();
    // At its alphabetical place, not at the end; case and spacing as typed.
    QCOMPARE(readFile(own()), cp1250("  kis  Pál, 2 \r\nalma\r\nzsák\r\n"));
    // The option chosen last stays for the next opening.
    b.Command4->click();
    QVERIFY(f.Option1->isChecked());
}

void TestFelvesz::sameEntryTwiceGivesTwoLines()
{
    board &b = play(QStringLiteral("kék"));
    for (int i = 0; i < 2; ++i) {
        b.Command4->click();
        forms::load<felvesz>().Option1->click();
        forms::load<felvesz>().Command1->click();
    }
    QCOMPARE(readFile(own()), cp1250("kék\r\nkék\r\n"));
    // The list window now holds the own list.
    QCOMPARE(forms::load<lista>().Combo1->entries(), (QStringList{"kék", "kék"}));
}

void TestFelvesz::unstorableTextIsRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("o with tilde") << "Gonçalves õ";
    QTest::newRow("CJK") << "中文";
    QTest::newRow("emoji") << QStringLiteral("alma \U0001F34E");
}

void TestFelvesz::unstorableTextIsRefused()
{
    QFETCH(QString, text);
    const QByteArray old = cp1250("alma\r\nkörte\r\n");
    writeFile(own(), old);
    board &b = play(text);
    session->warnings.clear();
    b.Command4->click();
    felvesz &f = forms::load<felvesz>();
    f.Option1->click();
    f.Command1->click();
    QCOMPARE(session->warnings.size(), 1);
    QVERIFY(session->warnings[0].contains("nem menthető"));
    QCOMPARE(readFile(own()), old);
    QCOMPARE(forms::load<lista>().Combo1->entries(), (QStringList{"alma", "körte"}));
    QVERIFY(f.isVisible());
}

void TestFelvesz::unreadableOwnListStopsTheAddition()
{
    QVERIFY(QDir(session->folder()).mkdir("sajat.txt"));
    board &b = play(QStringLiteral("alma"));
    b.Command4->click();
    forms::load<felvesz>().Command1->click();
    QCOMPARE(session->warnings.size(), 1);
    QVERIFY(QFileInfo(own()).isDir());
    QCOMPARE(forms::load<lista>().Combo1->count(), 0);
}

void TestFelvesz::boardCommandShowsTheOneWindow()
{
    board &b = play(QStringLiteral("alma"));
    b.Command4->click();
    felvesz *first = forms::loaded<felvesz>();
    QVERIFY(first && first->isVisible());
    b.Command4->click();
    QCOMPARE(forms::loaded<felvesz>(), first);
    QVERIFY(b.isVisible()); // modeless: the board stays usable
}

void TestFelvesz::closingFromTheFrameHidesIt()
{
    board &b = play(QStringLiteral("alma"));
    b.Command4->click();
    felvesz &f = forms::load<felvesz>();
    f.close();
    QVERIFY(!f.isVisible());
    QCOMPARE(forms::loaded<felvesz>(), &f);
    QVERIFY(session->ends.isEmpty());
}

QTEST_MAIN(TestFelvesz)
#include "tst_felvesz.moc"
