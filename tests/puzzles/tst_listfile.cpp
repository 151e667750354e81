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

    // Long enough to be sorted in parts at once, the collator's own order: entries equal but for case keep their order
    // across the parts, and the quick comparison of first different letters never goes against the collator, for letters
    // of two or three characters (cs, dzs, ccs), long and short vowels, case, spaces, digits and other characters.
    void longListSortsStably_data() {
        QTest::addColumn<bool>("letters"); // every entry begins with a letter of the alphabet
        QTest::newRow("letters") << true;
        QTest::newRow("anything") << false;
    }
    void longListSortsStably() {
        QFETCH(bool, letters);
        const QStringList pieces{"a", "á", "A", "c", "cs", "Cs", "ccs", "d", "dz", "dzs", "ddzs", "g", "gy", "ggy", "l", "ly",
                                 "n", "ny", "o", "ó", "ö", "ő", "Ő", "s", "sz", "ssz", "t", "ty", "u", "ü", "ű", "v", "w",
                                 "y", "z", "zs", "Zs", "e", "é", " ", "1", "-", "ä", "x"};
        QStringList list;
        QRandomGenerator random(7);
        for (int i = 0; i < 6000; ++i) {
            QString entry;
            for (int n = 1 + int(random.bounded(5)); n > 0; --n)
                entry += pieces[int(random.bounded(letters && entry.isEmpty() ? 37 : pieces.size()))];
            list << entry;
        }
        QStringList expected = list;
        std::stable_sort(expected.begin(), expected.end(),
                         [](const QString &a, const QString &b) { return ordering::collator().compare(a, b) < 0; });
        QCOMPARE(ordering::sorted(list), expected);
    }
};

QTEST_APPLESS_MAIN(TestListFile)
#include "tst_listfile.moc"
