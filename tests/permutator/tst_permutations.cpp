// The permutation generator: the order of arrangements, repeats kept,
// spaces as empty elements, no case folding, the count.

#include "permutator/rules/permutations.h"

#include <QSet>
#include <QtTest>

using namespace permutations;

class TestPermutations : public QObject
{
    Q_OBJECT
private slots:
    void arrangements_data();
    void arrangements();
    void sevenCharactersGive5040DistinctLines();
    void listIsHandedBackUnchanged();
    void factorial_data();
    void factorial();
    void elementsAreCharactersNotHalves();
};

void TestPermutations::arrangements_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << "" << "" << 0;
    QTest::newRow("A") << "A" << "A\r\n" << 1;
    QTest::newRow("AB") << "AB" << "AB\r\nBA\r\n" << 2;
    QTest::newRow("ABC") << "ABC" << "ABC\r\nACB\r\nBAC\r\nBCA\r\nCAB\r\nCBA\r\n" << 6;
    QTest::newRow("AAB repeats kept") << "AAB" << "AAB\r\nABA\r\nAAB\r\nABA\r\nBAA\r\nBAA\r\n" << 6;
    QTest::newRow("A B space prints as nothing") << "A B" << "AB\r\nAB\r\nAB\r\nBA\r\nBA\r\nBA\r\n" << 6;
    QTest::newRow("single space") << " " << "\r\n" << 1;
    QTest::newRow("Ab no case folding") << "Ab" << "Ab\r\nbA\r\n" << 2;
    QTest::newRow("accented") << "ŐÉ" << "ŐÉ\r\nÉŐ\r\n" << 2;
}

void TestPermutations::arrangements()
{
    QFETCH(QString, text);
    QFETCH(QString, output);
    QFETCH(int, count);
    QList<Element> list = elementsOf(text);
    QCOMPARE(lines(Permutations(list)), output);
    QCOMPARE(Factorial(int32_t(list.size())), count);
}

void TestPermutations::sevenCharactersGive5040DistinctLines()
{
    QList<Element> list = elementsOf(QStringLiteral("ABCDEFG"));
    const QList<Arrangement> all = Permutations(list);
    QCOMPARE(all.size(), 5040);
    const QString text = lines(all);
    QCOMPARE(text.size(), 5040 * 9);
    QVERIFY(text.startsWith(QStringLiteral("ABCDEFG\r\nABCDEGF\r\nABCDFEG\r\n")));
    QVERIFY(text.endsWith(QStringLiteral("GFEDCBA\r\n")));
    QStringList split = text.split(QStringLiteral("\r\n"));
    QCOMPARE(split.takeLast(), QString());
    QCOMPARE(QSet<QString>(split.begin(), split.end()).size(), 5040);
    QCOMPARE(Factorial(7), 5040);
}

void TestPermutations::listIsHandedBackUnchanged()
{
    QList<Element> list = elementsOf(QStringLiteral("ABCD"));
    const QList<Element> before = list;
    const QString first = lines(Permutations(list));
    QCOMPARE(list, before);
    QCOMPARE(lines(Permutations(list)), first);
    QVERIFY(first.startsWith(QStringLiteral("ABCD\r\nABDC\r\nACBD\r\nACDB\r\nADBC\r\nADCB\r\nBACD\r\n")));
}

void TestPermutations::factorial_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("value");
    QTest::newRow("0 is 0, not 1") << 0 << 0;
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("2") << 2 << 2;
    QTest::newRow("3") << 3 << 6;
    QTest::newRow("7") << 7 << 5040;
    QTest::newRow("12") << 12 << 479001600;
}

void TestPermutations::factorial()
{
    QFETCH(int, n);
    QFETCH(int, value);
    QCOMPARE(Factorial(n), value);
}

void TestPermutations::elementsAreCharactersNotHalves()
{
    // Splitting a character outside the BMP would print broken halves.
    const QList<Element> e = elementsOf(QStringLiteral("a\U0001F600 "));
    QCOMPARE(e, (QList<Element>{"a", QStringLiteral("\U0001F600"), ""}));
}

QTEST_APPLESS_MAIN(TestPermutations)
#include "tst_permutations.moc"
