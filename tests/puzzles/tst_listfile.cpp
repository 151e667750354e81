// SPDX-License-Identifier: GPL-3.0-or-later
// A list file is Windows-1250 lines each ending in CR LF, read at any line end; an entry it cannot hold is refused; a long list
// in no order sorts as one stable sort would.

#include "puzzles/rules/listfile.h"
#include "puzzles/rules/ordering.h"

#include <QRandomGenerator>
#include <QtTest>

struct Lines { QByteArray file; QStringList entries; QByteArray saved; };

class TestListFile : public QObject {
    Q_OBJECT
private slots:
    void lineEnds_data() {
        QTest::addColumn<Lines>("l");
        QTest::newRow("empty file, empty list") << Lines{};
        QTest::newRow("CR LF") << Lines{"b\xf5r\r\n\r\n", {"bőr", ""}, "b\xf5r\r\n\r\n"};
        QTest::newRow("lone CR") << Lines{"a\rb\r", {"a", "b"}, "a\r\nb\r\n"};
        QTest::newRow("lone LF") << Lines{"a\nb\n", {"a", "b"}, "a\r\nb\r\n"};
        QTest::newRow("LF CR is two line ends") << Lines{"a\n\rb\r\n", {"a", "", "b"}, "a\r\n\r\nb\r\n"};
        QTest::newRow("last line unended") << Lines{"a\r\nb", {"a", "b"}, "a\r\nb\r\n"};
        QTest::newRow("undefined bytes") << Lines{"\x81\x83\x88\x90\x98\r\n", {"\u0081\u0083\u0088\u0090\u0098"}, "\x81\x83\x88\x90\x98\r\n"};
    }
    void lineEnds() {
        QFETCH(Lines, l);
        QCOMPARE(listfile::decode(l.file), l.entries);
        QCOMPARE(listfile::encode(l.entries).value_or("<refused>"), l.saved);
    }

    void unstorableEntryIsRefused_data() {
        QTest::addColumn<QString>("entry");
        QTest::newRow("o with tilde") << "Kovács õ";
        QTest::newRow("line break") << "a\nb";
    }
    void unstorableEntryIsRefused() {
        QFETCH(QString, entry);
        QVERIFY(!listfile::encode({"alma", entry}));
        QVERIFY(!listfile::representable(entry));
    }

    // Long enough to be sorted in two halves at once: entries equal but for case keep their order across the halves.
    void longListSortsStably() {
        const QStringList words{"alma", "Alma", "ALMA", "cica", "csiga", "Csaba", "dzsem", "nyúl", "Ödön", "őz", "Őz", "zsák", "szó"};
        QStringList list;
        QRandomGenerator random(7);
        for (int i = 0; i < 6000; ++i)
            list << words[int(random.bounded(words.size()))] + QString::number(i % 3 ? 0 : i % 2);
        QStringList expected = list;
        std::stable_sort(expected.begin(), expected.end(),
                         [](const QString &a, const QString &b) { return ordering::collator().compare(a, b) < 0; });
        QCOMPARE(ordering::sorted(list), expected);
    }
};

QTEST_APPLESS_MAIN(TestListFile)
#include "tst_listfile.moc"
