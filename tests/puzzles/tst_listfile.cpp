// The list file codec and the Hungarian order: lines, line ends, every
// byte value, characters that cannot be stored.

#include "puzzles/rules/listfile.h"
#include "puzzles/rules/ordering.h"

#include <QtTest>

static QByteArray cp1250(const QString &text)
{
    QStringEncoder e("windows-1250");
    return e.encode(text);
}

class TestListFile : public QObject
{
    Q_OBJECT
private slots:
    void decode_data();
    void decode();
    void encodeEndsEveryLineWithCrLf();
    void everyByteValueRoundTrips();
    void unstorableEntries_data();
    void unstorableEntries();
    void hungarianOrder_data();
    void hungarianOrder();
    void insertionGoesToTheSortedPlace();
    void readReportsMissingAndUnreadable();
};

void TestListFile::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("one line with CR LF") << QByteArray("alma\r\n") << QStringList{"alma"};
    QTest::newRow("last line without CR LF") << QByteArray("alma\r\nk\xf6rte") << QStringList{"alma", "körte"};
    QTest::newRow("blank lines") << QByteArray("\r\na\r\n\r\n") << QStringList{"", "a", ""};
    QTest::newRow("only a line end") << QByteArray("\r\n") << QStringList{""};
    QTest::newRow("spaces kept") << QByteArray("  a b  \r\n") << QStringList{"  a b  "};
    QTest::newRow("lone CR") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("lone LF") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("LF CR is two line ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("Hungarian letters") << cp1250("Petőfi Sándor\r\nŰrhajós\r\n")
                                       << QStringList{"Petőfi Sándor", "Űrhajós"};
}

void TestListFile::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(listfile::decode(bytes), lines);
}

void TestListFile::encodeEndsEveryLineWithCrLf()
{
    QCOMPARE(*listfile::encode({}), QByteArray());
    QCOMPARE(*listfile::encode({""}), QByteArray("\r\n"));
    QCOMPARE(*listfile::encode({"őz", "", " a "}), cp1250("őz\r\n\r\n a \r\n"));
    QCOMPARE(QByteArray("\xf5z"), cp1250("őz")); // ő is one byte, 0xF5
}

void TestListFile::everyByteValueRoundTrips()
{
    // Every byte but the line ends, the five undefined ones among them.
    QByteArray line;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n')
            line += char(b);
    const QByteArray file = line + "\r\n" + QByteArray("\x81\x83\x88\x90\x98\r\n");
    const QStringList entries = listfile::decode(file);
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[1], QStringLiteral("\u0081\u0083\u0088\u0090\u0098"));
    QCOMPARE(*listfile::encode(entries), file);
}

void TestListFile::unstorableEntries_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("culprit");
    QTest::newRow("o with tilde") << "Kovács õ" << "õ";
    QTest::newRow("CJK") << "a中b" << "中";
    QTest::newRow("emoji") << QStringLiteral("ab\U0001F600") << QStringLiteral("\U0001F600");
    QTest::newRow("line break inside") << "a\nb" << "\n";
    QTest::newRow("carriage return inside") << "a\rb" << "\r";
}

void TestListFile::unstorableEntries()
{
    QFETCH(QString, entry);
    QFETCH(QString, culprit);
    QCOMPARE(listfile::firstUnrepresentable(entry), std::optional<QString>(culprit));
    QVERIFY(!listfile::representable(entry));
    qsizetype bad = -2;
    QVERIFY(!listfile::encode({"alma", entry, "körte"}, &bad));
    QCOMPARE(bad, qsizetype(1));
    // Storable text passes, the characters of Central Europe included.
    QVERIFY(listfile::representable(QStringLiteral("Dvořák Škoda ŐŰőű")));
}

void TestListFile::hungarianOrder_data()
{
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("c, cs, o, ó, ö, ő") << QStringList{"Őz", "Oszkár", "csak", "Ödön", "cz", "óra"}
                                        << QStringList{"cz", "csak", "óra", "Oszkár", "Ödön", "Őz"};
    QTest::newRow("digraphs are letters")
        << QStringList{"zsák", "tyúk", "nyúl", "lyuk", "gyík", "dzsem", "Zoltán", "tüske", "nulla", "lusta", "dobos", "golyó"}
        << QStringList{"dobos", "dzsem", "golyó", "gyík", "lusta", "lyuk", "nulla", "nyúl", "tüske", "tyúk", "Zoltán", "zsák"};
    QTest::newRow("case is ignored, á with a") << QStringList{"Béla", "álmos", "Alma", "alma"}
                                                << QStringList{"Alma", "alma", "álmos", "Béla"};
    // A list that looks sorted to a plain comparison still gets sorted.
    QTest::newRow("in code point order only") << QStringList{"Csaba", "cz", "Ödön", "óra"}
                                               << QStringList{"cz", "Csaba", "óra", "Ödön"};
    QTest::newRow("only the last pair out of order") << QStringList{"alma", "cica", "béka"}
                                                      << QStringList{"alma", "béka", "cica"};
    QTest::newRow("equal entries in order stay") << QStringList{"B", "b"} << QStringList{"B", "b"};
    QTest::newRow("equal entries keep their order") << QStringList{"b", "a", "B", "a"}
                                                     << QStringList{"a", "a", "b", "B"};
    // Long enough that a sort which is not stable shows it.
    QStringList mixed, expected;
    for (int i = 0; i < 8; ++i) {
        mixed << "b" << "B" << "a" << "A";
        expected << "a" << "A";
    }
    for (int i = 0; i < 8; ++i)
        expected << "b" << "B";
    QTest::newRow("equal entries keep their order, long list") << mixed << expected;
}

void TestListFile::hungarianOrder()
{
    QFETCH(QStringList, input);
    QFETCH(QStringList, expected);
    QCOMPARE(ordering::sorted(input), expected);
}

void TestListFile::insertionGoesToTheSortedPlace()
{
    const QStringList list{"alma", "csiga", "Ödön", "zsák"};
    QCOMPARE(ordering::insertionIndex(list, "Álmos"), qsizetype(1));
    QCOMPARE(ordering::insertionIndex(list, "cukor"), qsizetype(1));
    QCOMPARE(ordering::insertionIndex(list, "Őz"), qsizetype(3));
    QCOMPARE(ordering::insertionIndex(list, "zsák"), qsizetype(4));
    QCOMPARE(ordering::insertionIndex(list, "    "), qsizetype(0));
    QCOMPARE(ordering::insertionIndex({}, "x"), qsizetype(0));
}

void TestListFile::readReportsMissingAndUnreadable()
{
    QTemporaryDir dir;
    QCOMPARE(listfile::read(dir.filePath("nincs.txt")).status, listfile::ReadStatus::Missing);
    QVERIFY(QDir(dir.path()).mkdir("mappa.txt"));
    QCOMPARE(listfile::read(dir.filePath("mappa.txt")).status, listfile::ReadStatus::Unreadable);
    QFile f(dir.filePath("lista.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("a\r\nb");
    f.close();
    const auto r = listfile::read(dir.filePath("lista.txt"));
    QCOMPARE(r.status, listfile::ReadStatus::Ok);
    QCOMPARE(r.entries, (QStringList{"a", "b"}));
}

QTEST_APPLESS_MAIN(TestListFile)
#include "tst_listfile.moc"
