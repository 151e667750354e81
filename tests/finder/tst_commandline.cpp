// SPDX-License-Identifier: GPL-3.0-or-later
// The finder from the command line prints the window's results in the window's order, without a display, and fails
// with a message and its own exit status on a wrong command line or a word list it cannot use.

#include "finder/listtext.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/resource.h>

// The program in a folder of its own, beside a word list of the test's making.
struct Installed
{
    QTemporaryDir dir;
    Installed(const QByteArray *list, const QString &index = {})
    {
        QVERIFY(QFile::copy(QStringLiteral(MORVALIN_BINARY), dir.filePath("morvalin")));
        QFile(dir.filePath("morvalin")).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QFile famous(dir.filePath("hires.txt")); // marks the folder as the program's own
        QVERIFY(famous.open(QIODevice::WriteOnly));
        if (list) {
            QFile f(dir.filePath("szavak.txt"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(*list);
        }
        if (!index.isEmpty())
            QVERIFY(QFile::copy(index, dir.filePath("szavak.idx")));
    }
    // Runs it with no display at all: no X, no Wayland, no platform chosen.
    int run(const QStringList &args, QString *out, QString *err, int timeoutMs = 30000)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        p.setProcessEnvironment(env);
        p.start(dir.filePath("morvalin"), args);
        if (!p.waitForFinished(timeoutMs))
            return -1;
        *out = QString::fromUtf8(p.readAllStandardOutput());
        *err = QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
};

// Costs that order the results: "máté áron" is the commonest reading of its letters; "mé" stands for a rude word.
static const QByteArray List = listText({"máté\t10\tNns3---", "áron\t10\tNns3---", "aron\t90\tNns3---", "ár\t30\tNns3---",
                                         "mátéon\t60\tNos3---", "on\t40\tO------", "mé\t90\tR\tNns3---\t=", "té\t90\tNns3---",
                                         "tá\t90\tO------"});

class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void results_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("out");
        // "Ámor Téná" has the letters of "máté áron" and none of the list's words.
        QTest::newRow("anagrams, the best first") << QStringList{"--anagram", "Ámor, Téná!"}
                                                  << "máté áron\nmátéon ár\nmáté on ár\n";
        QTest::newRow("a rude word asked for") << QStringList{"--anagram", "Ámor Téná", "--rude"}
                                               << "máté áron\nmátéon ár\nmáté on ár\náron mé tá\n";
        QTest::newRow("at most two words") << QStringList{"--anagram", "Ámor Téná", "--words", "2"}
                                           << "máté áron\nmátéon ár\n";
        QTest::newRow("the first line only") << QStringList{"--anagram=Ámor Téná", "--limit", "1"} << "máté áron\n";
        QTest::newRow("words of three letters or more") << QStringList{"--anagram", "Ámor Téná", "--min-length", "3"}
                                                        << "máté áron\n";
        QTest::newRow("must contain ár") << QStringList{"--anagram", "Ámor Téná", "--contain", "ár"}
                                         << "ár mátéon\nár máté on\n";
        QTest::newRow("contain what the letters lack: nothing") << QStringList{"--anagram", "Ámor Téná", "--contain", "árár"}
                                                                 << "";
        // "mátéon" is "máté" and "on" together: its parts are left out as well.
        QTest::newRow("the starting words and their parts left out") << QStringList{"--anagram", "mátéon ár", "--rude"}
                                                                      << "áron mé tá\n";
        QTest::newRow("the starting words asked for") << QStringList{"--anagram", "mátéon ár", "--with-starting"}
                                                      << "máté áron\nmátéon ár\nmáté on ár\n";
        // "Mate Aron": no accents at all; relaxed, its A and E tiles stand for á and é, said after a tab.
        QTest::newRow("exact: no anagram") << QStringList{"--anagram", "Mate Aron", "--relax", "0"} << "";
        const QString relaxed = "máté áron\t2 a→á, e→é\nmátéon ár\t2 a→á, e→é\nmáté on ár\t2 a→á, e→é\n";
        for (const char *level : {"1", "2", "3"})
            QTest::addRow("relaxed at level %s", level) << QStringList{"--anagram", "Mate Aron", "--relax", level} << relaxed;
        QTest::newRow("single words, the longest, then the commonest first")
            << QStringList{"--anagram", "Ámor Téná", "--single-words"} << "mátéon\nmáté\náron\nár\non\ntá\nté\n";
    }
    void results()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, out);
        Installed program(&List);
        QString seen, err;
        QCOMPARE(program.run(args, &seen, &err), 0);
        QCOMPARE(seen, out);
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("list"); // 0 the good one, 1 none, 2 random bytes, 3 a line lost, 4 empty, 5 cut in a line
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown option") << QStringList{"--anagram", "alma", "--fast"} << 0 << 2 << "fast";
        QTest::newRow("no text") << QStringList{"--words", "2"} << 0 << 2 << "--anagram";
        QTest::newRow("too many words") << QStringList{"--anagram", "alma", "--words", "6"} << 0 << 2 << "--words";
        QTest::newRow("not a number") << QStringList{"--anagram", "alma", "--limit", "sok"} << 0 << 2 << "--limit";
        QTest::newRow("no such level") << QStringList{"--anagram", "alma", "--relax", "4"} << 0 << 2 << "--relax";
        QTest::newRow("24 letters") << QStringList{"--anagram", "Széchenyi István gróf urait"} << 0 << 2
                                    << "A megadott kifejezés legfeljebb 23 betűből állhat!";
        QTest::newRow("no word list") << QStringList{"--anagram", "alma"} << 1 << 1 << "nem olvasható";
        QTest::newRow("random bytes") << QStringList{"--anagram", "alma"} << 2 << 1 << "A szólista sérült vagy hiányos";
        QTest::newRow("a list cut short") << QStringList{"--anagram", "alma"} << 3 << 1 << "A szólista sérült vagy hiányos";
        QTest::newRow("an empty list") << QStringList{"--anagram", "alma"} << 4 << 1 << "A szólista sérült vagy hiányos";
        QTest::newRow("a list cut in a line") << QStringList{"--anagram", "alma"} << 5 << 1 << "A szólista sérült vagy hiányos";
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(int, list);
        QFETCH(int, status);
        QFETCH(QString, message);
        QByteArray bytes = List;
        if (list == 2) {
            bytes.clear();
            for (int i = 0; i < 100000; ++i)
                bytes += char(quint8(i * 7919 % 251));
        } else if (list == 3) {
            bytes.truncate(bytes.lastIndexOf('\n', bytes.size() - 2) + 1); // the last line lost
        } else if (list == 4) {
            bytes.clear();
        } else if (list == 5) {
            bytes.chop(4);
        }
        Installed program(list == 1 ? nullptr : &bytes);
        QString out, err;
        QCOMPARE(program.run(args, &out, &err), status);
        QVERIFY2(err.contains(message), qPrintable(err));
        QCOMPARE(out, QString());
    }

    // The deepest search the command line takes keeps within its memory bound, however many anagrams it has: it
    // prints the best million and says on standard error that it stopped there.
    void deepestSearchBounded()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the sanitizers' own memory hides the search's");
#endif
        QFile shipped(QStringLiteral(MORVALIN_WORDLIST));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        const QByteArray list = shipped.readAll();
        Installed program(&list, QStringLiteral(MORVALIN_WORDLIST).replace(".txt", ".idx"));
        QString out, err;
        // The list and its relaxed classes, for a search of two letters: what a search stands on.
        QCOMPARE(program.run({"--anagram", "ab", "--relax", "3"}, &out, &err), 0);
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage);
        const long loadedKb = usage.ru_maxrss;
        QCOMPARE(program.run({"--anagram", "Széchenyi István gróf urak", "--words", "5", "--relax", "3"}, &out, &err, 300000), 0);
        getrusage(RUSAGE_CHILDREN, &usage); // the largest child's peak
        QVERIFY2(usage.ru_maxrss - loadedKb <= 300 * 1024, qPrintable(QString("%1 MB above the list").arg((usage.ru_maxrss - loadedKb) / 1024)));
        QCOMPARE(out.count(u'\n'), qsizetype(1000000));
        QVERIFY2(err.contains(QStringLiteral("az első 1\u00a0000\u00a0000 anagramma")), qPrintable(err));
    }

    void help()
    {
        Installed program(nullptr);
        QString out, err;
        QCOMPARE(program.run({"--help"}, &out, &err), 0);
        for (const char *option : {"--anagram", "--words", "--min-length", "--contain", "--with-starting", "--single-words",
                                   "--limit", "--relax", "--rude", "--rare", "Kilépési kód"})
            QVERIFY2(out.contains(QString::fromUtf8(option)), option);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
