// SPDX-License-Identifier: GPL-3.0-or-later
// The finder opens on the board's letters, follows them, searches off the user-interface thread, and lays a chosen
// word or anagram out exactly as the player's own drops would.

#include "finder/foundlist.h"
#include "finder/kereso.h"
#include "finder/listtext.h"
#include "finder/searchrun.h"
#include "game/seged.h"
#include "support/testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QListView>
#include <QSpinBox>
#include <QThreadPool>

using namespace testsupport;

// The board as the player sees it and the game keeps it: each tile "letter left,top colour", then the taken slots.
static QString boardState(board &b)
{
    QStringList seen;
    for (const Tile *t : b.Command1)
        if (t)
            seen << QString("%1 %2,%3 %4").arg(t->Caption()).arg(t->Left()).arg(t->Top()).arg(t->BackColor().name());
    QString taken;
    for (int k = 0; k < 8; ++k) {
        const SlotRecord &r = seged::state.SlotTable[size_t(k)];
        taken += r.UpperTaken ? (r.LowerTaken ? '!' : 'x') : r.LowerTaken ? QChar(seged::state.FinishedLetters[size_t(k)]) : QChar('.');
    }
    return seen.join("; ") + " | " + taken;
}

class TestKereso : public GuiTest {
    Q_OBJECT

    // The finder opened from the board of `text`, its list `words`, its first search done.
    kereso &open(const QString &text, const QStringList &words) {
        writeFile(session->folder() + "/szavak.txt", listText(words));
        board &b = play(text);
        b.openFinder();
        kereso &k = forms::load<kereso>();
        [&] { QTRY_VERIFY(!k.isSearching()); }();
        return k;
    }
    static QStringList shown(const FoundList *list) {
        QStringList rows;
        for (int i = 0; i < list->rowCount(); ++i)
            rows << list->data(list->index(i), Qt::DisplayRole).toString();
        return rows;
    }
    static void take(QListView *view, const QString &entry) {
        const QModelIndexList at = view->model()->match(view->model()->index(0, 0), Qt::DisplayRole, entry, 1, Qt::MatchExactly);
        QVERIFY2(!at.isEmpty(), qPrintable(entry));
        view->setCurrentIndex(at.first());
        QTest::keyClick(view, Qt::Key_Return);
    }

private slots:
    void opensOnTheBoardsLettersAndFollowsThem() {
        kereso &k = open("Alma", {"alma", "lama", "ma", "la", "mal"});
        board &b = forms::load<board>();
        QCOMPARE(b.contextMenuPolicy(), Qt::ActionsContextMenu);
        QStringList menu;
        for (const QAction *a : b.actions())
            menu << a->text() + " " + a->shortcut().toString();
        QCOMPARE(menu, QStringList({"Anagrammakereső Ctrl+F", "Betűk keverése Ctrl+K"}));
        QCOMPARE(k.windowTitle(), QStringLiteral("Anagrammakereső"));
        QCOMPARE(k.letters->text(), QStringLiteral("ALMA"));
        QCOMPARE(shown(k.foundWords()), QStringList({"alma", "lama", "mal", "la", "ma"}));
        // Not "alma": it is the starting expression.
        QCOMPARE(shown(k.foundAnagrams()), QStringList({"lama", "la ma"}));
        QCOMPARE(k.wordsLabel->text(), QStringLiteral("Szavak: 5"));
        QCOMPARE(k.anagrams->accessibleName(), QStringLiteral("Anagrammák, 2"));
        // A tile taken down by hand: the box follows, and so do the results.
        QVERIFY(sendTileDrop(&b, 2, pxAt(500, 2500)));
        QCOMPARE(k.letters->text(), QStringLiteral("ALA"));
        QTRY_COMPARE(shown(k.foundWords()), QStringList({"la"}));
        // Once the player writes the box, it is his.
        k.letters->setFocus();
        QTest::keyClicks(k.letters, "m");
        QVERIFY(sendTileDrop(&b, 1, pxAt(1000, 2500)));
        QCOMPARE(k.letters->text(), QStringLiteral("ALAm"));
    }

    void takenLikeTheDropsByHand_data() {
        QTest::addColumn<QString>("list"); // "words" or "anagrams"
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QList<QPoint>>("drops"); // the same by hand: tile, lower slot
        QTest::addColumn<int>("relax");
        QTest::newRow("a word") << "words" << "lama" << QList<QPoint>{{1, 0}, {0, 1}, {2, 2}, {3, 3}} << 0;
        QTest::newRow("an anagram, its words apart") << "anagrams" << "la ma" << QList<QPoint>{{1, 0}, {0, 1}, {2, 3}, {3, 4}}
                                                     << 0;
        // The A that no word bears as it is stands for the á of "lám"; the lower row shows it as it is.
        QTest::newRow("a relaxed anagram") << "anagrams" << "lám a (a\u2192á)" << QList<QPoint>{{1, 0}, {3, 1}, {2, 2}, {0, 4}}
                                           << 1;
    }
    void takenLikeTheDropsByHand() {
        QFETCH(QString, list);
        QFETCH(QString, entry);
        QFETCH(QList<QPoint>, drops);
        QFETCH(int, relax);
        kereso &k = open("alma", {"alma", "lama", "ma", "la", "lám", "a"});
        k.relax->button(relax)->click();
        QTRY_VERIFY(!k.isSearching());
        board &b = forms::load<board>();
        QTest::keyClick(b.Command1[2], Qt::Key_Space); // a tile lifted from the keyboard is put back first
        take(list == "words" ? k.words : k.anagrams, entry);
        QVERIFY(!b.Command1[2]->isLifted());
        const QString taken = boardState(b);
        b.Command5->click(); // "Ismét": the same game again, moved by hand
        for (const QPoint &d : drops)
            QVERIFY(sendTileDrop(&b, d.x(), pxAt(d.y() * 495 + 250, 2500)));
        QCOMPARE(taken, boardState(b));
        if (relax)
            QCOMPARE(k.status->text(), QString("Lerakva: lám a; á helyett A"));
    }

    // A list that is not whole says so, and nothing is listed from it; the game goes on.
    void aDamagedListSaysSo() {
        const QByteArray whole = listText({"alma", "lama", "mal"});
        writeFile(session->folder() + "/szavak.txt", whole.left(whole.lastIndexOf('\n', whole.size() - 2) + 1)); // a line lost
        board &b = play("alma");
        b.openFinder();
        kereso &k = forms::load<kereso>();
        QTRY_COMPARE(k.status->text(), QStringLiteral("A szólista sérült vagy hiányos"));
        QCOMPARE(k.foundWords()->rowCount() + k.foundAnagrams()->rowCount(), 0);
        QVERIFY(b.isVisible());
    }

    // The count says how many were found; where the search stopped at its bound, that there are at least as many.
    void countsAndItsBound_data() {
        QTest::addColumn<int>("bound");
        QTest::addColumn<QString>("label");
        QTest::newRow("every anagram") << 100 << "Anagrammák: 13";
        QTest::newRow("exactly as many as the bound") << 13 << "Anagrammák: 13";
        QTest::newRow("more than the bound") << 5 << "Anagrammák: legalább 5";
    }
    void countsAndItsBound() {
        QFETCH(int, bound);
        QFETCH(QString, label);
        SearchRun::setBound(size_t(bound));
        kereso &k = open("Kalap", {"kalap", "lap", "kal", "pal", "ka", "la", "pa", "ap", "a", "k", "l", "p"});
        k.withStarting->click(); // "kalap" and its parts too
        QTRY_VERIFY(!k.isSearching());
        SearchRun::setBound(finder::MostAnagrams);
        QCOMPARE(k.anagramsLabel->text(), label);
        QCOMPARE(k.anagrams->accessibleName(), QString(label).replace(": ", ", "));
        QCOMPARE(k.foundAnagrams()->rowCount(), std::min(bound, 13));
    }

    // Rude and rare words, and the parts of a compound starting word, are left out until the player asks for them.
    void hiddenUntilAsked_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QStringList>("asked"); // the anagrams once the box is ticked; none before
        QTest::newRow("a rude word") << "Dcba" << QStringList{"ab\t50\tR\tNns3---\t=", "cd"} << "rude" << QStringList{"ab cd"};
        QTest::newRow("a rare word") << "Dcba" << QStringList{"ab\t50\tX\tNns3---\t=", "cd"} << "rare" << QStringList{"ab cd"};
        QTest::newRow("the parts of a compound") << "Abcd" << QStringList{"abcd", "ab", "cd"} << "withStarting"
                                                 << QStringList{"abcd", "ab cd"};
    }
    void hiddenUntilAsked() {
        QFETCH(QString, start);
        QFETCH(QStringList, words);
        QFETCH(QString, box);
        QFETCH(QStringList, asked);
        kereso &k = open(start, words);
        QCOMPARE(shown(k.foundAnagrams()), QStringList());
        (box == "rude" ? k.rude : box == "rare" ? k.rare : k.withStarting)->click();
        QTRY_VERIFY(!k.isSearching());
        QCOMPARE(shown(k.foundAnagrams()), asked);
    }

    // The deepest search the window takes, on the shipped list: the best come at once, the board's clock ticks
    // meanwhile, and a change of an option stops it and brings the new search's results.
    void aDeepSearchAnswersAndStops() {
        session->copyAsset("szavak.txt");
        board &b = play("Széchenyi István gróf urak");
        b.openFinder();
        kereso &k = forms::load<kereso>();
        k.maxWords->setValue(5);
        k.relax->button(3)->click();
        QTRY_VERIFY_WITH_TIMEOUT(k.foundAnagrams()->rowCount() >= 20, 20000);
        const QString clock = b.Label3->text();
        QTRY_VERIFY_WITH_TIMEOUT(b.Label3->text() != clock, 3000);
        QVERIFY(k.isSearching());
        QVERIFY(k.anagramsLabel->text().endsWith(QStringLiteral("keresés…")));
        k.maxWords->setValue(1);
        QTRY_VERIFY_WITH_TIMEOUT(!k.isSearching(), 3000);
        QTRY_COMPARE_WITH_TIMEOUT(QThreadPool::globalInstance()->activeThreadCount(), 0, 1000); // the deep one stopped
        for (int row = 0; row < k.foundAnagrams()->rowCount(); ++row)
            QVERIFY(!k.foundAnagrams()->at(row).text.contains(u' '));
        QVERIFY(!k.anagramsLabel->text().contains(QStringLiteral("legalább")));
    }
};

QTEST_MAIN(TestKereso)
#include "tst_kereso.moc"
