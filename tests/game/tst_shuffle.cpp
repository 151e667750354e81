// SPDX-License-Identifier: GPL-3.0-or-later
// "Betűk keverése" puts the same letters in another order whenever there is one, and any other order can come.

#include "game/rules/shuffle.h"

#include <QtTest>
#include <algorithm>
#include <numeric>

// The row as it reads after the shuffle: the letter at position i goes to position order[i]; a '?' where none went.
static QString readAfter(const QStringList &letters, const std::vector<int> &order)
{
    QString row(letters.size(), u'?');
    for (size_t i = 0; i < order.size(); ++i)
        if (order[i] >= 0 && order[i] < row.size())
            row[order[i]] = letters[qsizetype(i)].front();
    return row;
}

class TestShuffle : public QObject
{
    Q_OBJECT
private slots:
    void order_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("others"); // how many other readings the letters have
        QTest::newRow("no letters") << "" << 0;
        QTest::newRow("one letter") << "A" << 0;
        QTest::newRow("all the same") << "AAAA" << 0;
        QTest::newRow("two") << "AB" << 1;
        QTest::newRow("an accent makes another letter") << "AÁ" << 1;
        QTest::newRow("three different") << "ABC" << 5;
        QTest::newRow("two alike: swapping them is no change") << "AAB" << 2;
        QTest::newRow("ALMA") << "ALMA" << 11;
    }
    void order()
    {
        QFETCH(QString, row);
        QFETCH(int, others);
        QStringList letters;
        for (const QChar c : row)
            letters << QString(c);
        std::vector<int> each(size_t(letters.size()));
        std::iota(each.begin(), each.end(), 0);
        QSet<QString> seen;
        for (quint32 seed = 1; seed <= 300; ++seed) {
            QRandomGenerator random(seed);
            std::vector<int> order = shuffle::order(letters, random);
            const QString after = readAfter(letters, order);
            // Each tile to a slot of its own.
            std::sort(order.begin(), order.end());
            QCOMPARE(order, each);
            if (others > 0)
                QVERIFY2(after != row, qPrintable(QString("seed %1 left %2 as it was").arg(seed).arg(row)));
            seen.insert(after);
        }
        if (others == 0)
            QCOMPARE(seen, QSet<QString>{row});
        else
            QCOMPARE(int(seen.size()), others);
    }
};

QTEST_APPLESS_MAIN(TestShuffle)
#include "tst_shuffle.moc"
