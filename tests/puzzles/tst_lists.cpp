// The own and famous lists between their files and Combo1: file cases, and
// every way a file can fail without the player losing the own list.

#include "app/forms.h"
#include "app/testhooks.h"
#include "app/program.h"
#include "puzzles/lista.h"
#include "puzzles/lists.h"
#include "puzzles/sortedcombo.h"
#include "support/testsupport.h"

#include <QDir>
#include <QtTest>

using testsupport::readFile;
using testsupport::writeFile;

using testsupport::cp1250;

class TestLists : public testsupport::GuiTest
{
    Q_OBJECT
private slots:

    void ownFileCases_data();
    void ownFileCases();
    void missingOwnFileIsAnEmptyList();
    void longListLoadsAndSavesWhole();
    void saveKeepsTheSelection();

    void ownFileFailures_data();
    void ownFileFailures();
    void unreadableOwnFileIsNeverOverwritten_data();
    void unreadableOwnFileIsNeverOverwritten();
    void famousListFailures_data();
    void famousListFailures();
    void famousListIsNeverSavedAsTheOwnList();

private:
    QString own() const { return session->folder() + "/sajat.txt"; }
    QStringList combo() const { return forms::load<lista>().Combo1->entries(); }
};

void TestLists::ownFileCases_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("empty file") << QByteArray() << QStringList() << QByteArray();
    QTest::newRow("last line without CR LF") << QByteArray("alma\r\nbab") << QStringList{"alma", "bab"}
                                             << QByteArray("alma\r\nbab\r\n");
    QTest::newRow("duplicates kept") << QByteArray("a\r\na\r\n") << QStringList{"a", "a"} << QByteArray("a\r\na\r\n");
    QTest::newRow("out of order comes back sorted")
        << cp1250("Őz\r\nOszkár\r\ncsak\r\nÖdön\r\ncz\r\nóra\r\n")
        << QStringList{"cz", "csak", "óra", "Oszkár", "Ödön", "Őz"}
        << cp1250("cz\r\ncsak\r\nóra\r\nOszkár\r\nÖdön\r\nŐz\r\n");
    const QByteArray undefined("\x81x\r\n\x83y\r\n\x88z\x90\x98\r\n");
    QTest::newRow("undefined bytes round-trip") << undefined
                                                << QStringList{"\u0081x", "\u0083y", "\u0088z\u0090\u0098"} << undefined;
}

void TestLists::ownFileCases()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, entries);
    QFETCH(QByteArray, saved);
    writeFile(own(), file);
    QVERIFY(seged::LoadOwnList());
    QVERIFY(seged::LoadOwnList()); // a second load does not add the entries twice
    QCOMPARE(combo(), entries);
    QCOMPARE(forms::load<lista>().Combo1->currentIndex(), -1);
    QVERIFY(!forms::load<lista>().isVisible()); // loading does not show the window
    QVERIFY(seged::SaveOwnList());
    QCOMPARE(readFile(own()), saved);
    QVERIFY(session->warnings.isEmpty());
}

void TestLists::missingOwnFileIsAnEmptyList()
{
    QVERIFY(seged::LoadOwnList());
    QCOMPARE(combo(), QStringList());
    QVERIFY(session->warnings.isEmpty());
    QVERIFY(!QFile::exists(own()));
    QVERIFY(seged::SaveOwnList());
    QCOMPARE(readFile(own()), QByteArray()); // an empty list is an empty file
}

void TestLists::longListLoadsAndSavesWhole()
{
    // More lines than a 16-bit index can count.
    QStringList names;
    for (int i = 0; i < 40000; ++i)
        names << QStringLiteral("Név %1").arg(i, 5, 10, QChar(u'0'));
    QByteArray file;
    for (const QString &n : names)
        file += cp1250(n) + "\r\n";
    writeFile(own(), file);
    QVERIFY(seged::LoadOwnList());
    QCOMPARE(combo().size(), 40000);
    QCOMPARE(forms::load<lista>().Combo1->count(), 40000);
    QVERIFY(seged::SaveOwnList());
    QCOMPARE(readFile(own()), file);
}

void TestLists::saveKeepsTheSelection()
{
    writeFile(own(), "a\r\nb\r\nc\r\n");
    QVERIFY(seged::LoadOwnList());
    forms::load<lista>().Combo1->setCurrentIndex(2);
    QVERIFY(seged::SaveOwnList());
    QCOMPARE(forms::load<lista>().Combo1->currentIndex(), 2);
}

void TestLists::ownFileFailures_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("write fails part-way (disk full)") << "disk full";
    QTest::newRow("no new file can be made in the folder") << "no new file";
    QTest::newRow("the list's folder cannot be made") << "no folder";
}

void TestLists::ownFileFailures()
{
    QFETCH(QString, failure);
    const QByteArray old = cp1250("alma\r\nkörte\r\nszilva\r\n");
    writeFile(own(), old);
    QVERIFY(seged::LoadOwnList());
    forms::load<lista>().Combo1->addEntry(QStringLiteral("barack"));

    bool saved = true;
    if (failure == "disk full") {
        testsupport::FileSizeLimit limit(8);
        saved = seged::SaveOwnList();
    } else if (failure == "no new file") {
        testsupport::NoNewFiles limit;
        saved = seged::SaveOwnList();
    } else {
        // A file stands where the player's data folder should be.
        QTemporaryDir elsewhere;
        writeFile(elsewhere.filePath("data"), "");
        program::setLocations({session->folder(), elsewhere.filePath("data/morvalin/sajat.txt")});
        saved = seged::SaveOwnList();
        program::setFolder(session->folder());
    }

    QVERIFY(!saved);
    QCOMPARE(session->warnings.size(), 1);
    QVERIFY(session->warnings[0].contains("sajat.txt"));
    QCOMPARE(readFile(own()), old);
    QCOMPARE(combo(), (QStringList{"alma", "barack", "körte", "szilva"}));
    QCOMPARE(QDir(session->folder()).entryList(QDir::Files), QStringList{"sajat.txt"}); // no temporary left

    // Once the trouble is over, the same list saves.
    QVERIFY(seged::SaveOwnList());
    QCOMPARE(readFile(own()), cp1250("alma\r\nbarack\r\nkörte\r\nszilva\r\n"));
}

void TestLists::unreadableOwnFileIsNeverOverwritten_data()
{
    QTest::addColumn<bool>("installed");
    QTest::newRow("beside the program") << false;
    QTest::newRow("in the player's data folder") << true;
}

void TestLists::unreadableOwnFileIsNeverOverwritten()
{
    QFETCH(bool, installed);
    QTemporaryDir xdg;
    const QString path = installed ? xdg.filePath("morvalin/sajat.txt") : own();
    if (installed)
        program::setLocations({session->folder(), path});
    // A folder where the file should be: it exists but cannot be read.
    QVERIFY(QDir().mkpath(path));
    QVERIFY(!seged::LoadOwnList());
    QCOMPARE(session->warnings.size(), 1);
    QVERIFY(session->warnings[0].contains("sajat.txt"));
    QCOMPARE(combo(), QStringList());
    forms::load<lista>().Combo1->addEntry("alma");
    QVERIFY(!seged::SaveOwnList());
    QCOMPARE(session->warnings.size(), 2);
    QVERIFY(QFileInfo(path).isDir());

    // Readable again: loading clears the block.
    QVERIFY(QDir().rmdir(path));
    writeFile(path, "b\r\n");
    QVERIFY(seged::LoadOwnList());
    QVERIFY(seged::SaveOwnList());
    QCOMPARE(readFile(path), QByteArray("b\r\n"));
}

void TestLists::famousListFailures_data()
{
    QTest::addColumn<bool>("asFolder");
    QTest::newRow("missing") << false;
    QTest::newRow("a folder, unreadable") << true;
}

void TestLists::famousListFailures()
{
    QFETCH(bool, asFolder);
    writeFile(own(), "a\r\n");
    QVERIFY(seged::LoadOwnList()); // something in the list before
    if (asFolder)
        QVERIFY(QDir(session->folder()).mkdir("hires.txt"));
    QVERIFY(!seged::LoadFamousList());
    QCOMPARE(session->warnings.size(), 1);
    QVERIFY(session->warnings[0].contains("hires.txt"));
    QCOMPARE(combo(), QStringList());
}

void TestLists::famousListIsNeverSavedAsTheOwnList()
{
    session->copyAsset("hires.txt");
    writeFile(own(), "mine\r\n");
    QVERIFY(seged::LoadFamousList());
    QVERIFY(combo().size() >= 300);
    QVERIFY(!seged::SaveOwnList());
    QCOMPARE(readFile(own()), QByteArray("mine\r\n"));
}

QTEST_MAIN(TestLists)
#include "tst_lists.moc"
