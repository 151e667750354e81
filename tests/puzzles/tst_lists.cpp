// SPDX-License-Identifier: GPL-3.0-or-later
// The own list changes only as the player chooses, is saved in Hungarian order, and no failed load or save costs its file.

#include "puzzles/felvesz.h"
#include "puzzles/lista.h"
#include "puzzles/puzzlelists.h"
#include "puzzles/sortedcombo.h"
#include "support/testsupport.h"

#include <QRadioButton>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace testsupport;

struct Choice { bool ownList; QString typed, button, entryText; QStringList savedFile; };
struct Addition { QString start; QList<int> lowerSlotOfTile; bool finished; QStringList savedFile; QString writtenLater{}; };
static const QStringList AsFound{"Őz", "d", "csak", "B", "Oszkár", "b", "Ödön", "D", "cz", "óra"};

class TestLists : public GuiTest {
    Q_OBJECT
    QString own() const { return session->folder() + "/sajat.txt"; }
    static QByteArray lines(const QStringList &entries) { return cp1250(entries.join("\r\n") + "\r\n"); }

private slots:
    void listWindow_data() {
        QTest::addColumn<Choice>("c");
        const QStringList sorted{"B", "b", "cz", "csak", "d", "D", "óra", "Oszkár", "Ödön", "Őz"};
        QTest::newRow("famous, a typed prefix stays as typed") << Choice{false, "Ady", "Mehet", "Ady", AsFound};
        QTest::newRow("own, Mehet on the chosen entry") << Choice{true, "", "Mehet", "B", sorted};
        QTest::newRow("own, Mégsem saves it sorted") << Choice{true, "", "Mégsem", "régi", sorted};
        QTest::newRow("own, Törlés of the chosen entry") << Choice{true, "", "Törlés", "régi", sorted.mid(1)};
        QTest::newRow("own, Törlés with nothing chosen") << Choice{true, "x", "Törlés", "régi", sorted};
    }
    void listWindow() {
        QFETCH(Choice, c);
        writeFile(session->folder() + "/hires.txt", cp1250("Petőfi Sándor\r\nAdy Endre\r\n"));
        writeFile(own(), lines(AsFound));
        betolt &entry = forms::load<betolt>();
        entry.Text1->setText("régi");
        entry.Command3->click();
        lista &l = forms::load<lista>();
        if (c.ownList) l.Option2->click();
        QCOMPARE(l.Combo1->currentText(), c.ownList ? "B" : "Ady Endre"); // the first in Hungarian order is chosen
        if (!c.typed.isEmpty()) {
            QApplication::setActiveWindow(&l);
            l.Combo1->lineEdit()->setFocus();
            l.Combo1->lineEdit()->selectAll();
            QTest::keyClicks(l.Combo1->lineEdit(), c.typed); // taken as typed: no completion, no popup of matches
            QVERIFY(!QApplication::activePopupWidget());
        }
        for (QPushButton *button : {l.Command1, l.Command2, l.Command3})
            if (button->text() == c.button) button->click();
        QCOMPARE(entry.Text1->text(), c.entryText);
        QCOMPARE(readFile(own()), lines(c.savedFile));
    }

    void addition_data() {
        QTest::addColumn<Addition>("a");
        QTest::newRow("finished, ALMA") << Addition{"alma", {0, 1, 2, 3}, true, {"alma", "ALMA" + QString(27, ' '), "zsák"}};
        QTest::newRow("finished, two words apart") << Addition{"abcd", {1, 2, 5, 6}, true, {" AB  CD" + QString(24, ' '), "alma", "zsák"}};
        QTest::newRow("starting text as typed") << Addition{"kis  Pál, 2 ", {}, false, {"alma", "kis  Pál, 2 ", "zsák"}};
        QTest::newRow("starting text that cannot be stored") << Addition{"Gonçalves õ", {}, false, {"alma", "zsák"}};
        // Written into the entry window after "Új játék", with the vocabulary window still open: taken as it is at "Mehet".
        QTest::newRow("starting text written later") << Addition{"alma", {}, false, {"alma", "kút", "zsák"}, "kút"};
    }
    void addition() {
        QFETCH(Addition, a);
        writeFile(own(), lines({"alma", "zsák"}));
        board &b = play(a.start);
        for (int tile = 0; tile < a.lowerSlotOfTile.size(); ++tile) // right of the slot's tile: a slot's band starts 240 twips left of it
            QVERIFY(sendTileDrop(&b, tile, pxAt(495 * a.lowerSlotOfTile[tile] + 300, 2600)));
        session->warnings.clear(); // characters the board refused
        b.Command4->click();
        if (!a.writtenLater.isEmpty()) {
            b.Command3->click();
            forms::load<betolt>().Text1->setText(a.writtenLater);
        }
        felvesz &f = forms::load<felvesz>();
        (a.finished ? f.Option2 : f.Option1)->click();
        f.Command1->click();
        QCOMPARE(readFile(own()), lines(a.savedFile));
        QCOMPARE(forms::load<lista>().Combo1->entries(), a.savedFile); // the list holds what the file holds
        QCOMPARE(session->warnings.size(), a.savedFile.size() == 2 ? 1 : 0); // nothing added: the player is told why
    }

    void ownFileOutlivesAFailedSave_data() {
        QTest::addColumn<QString>("trouble");
        QTest::newRow("FileSizeLimit: the disk fills part-way") << "disk full";
        QTest::newRow("NoNewFiles: no new file can be opened") << "no new file";
        QTest::newRow("the list's folder cannot be made") << "no folder";
        QTest::newRow("unreadable beside the program") << "unreadable";
        QTest::newRow("unreadable in the player's data folder") << "unreadable, installed";
    }
    void ownFileOutlivesAFailedSave() {
        QFETCH(QString, trouble);
        const bool unreadable = trouble.startsWith("unreadable");
        QTemporaryDir elsewhere;
        writeFile(elsewhere.filePath("data"), ""); // a file where the player's data folder should be
        if (trouble == "no folder") program::setLocations({session->folder(), elsewhere.filePath("data/morvalin/sajat.txt")});
        if (trouble == "unreadable, installed") program::setLocations({session->folder(), elsewhere.filePath("xdg/sajat.txt")});
        if (unreadable) QVERIFY(QDir().mkpath(program::ownListPath())); // there, but it cannot be read
        else writeFile(own(), lines({"alma", "körte"}));
        QCOMPARE(seged::LoadOwnList(), !unreadable);
        forms::load<lista>().Combo1->addEntry("barack");

        const int lowestFree = dup(0); // the descriptor the next file opened would take
        close(lowestFree);
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of ending the process
        const auto resource = trouble == "disk full" ? RLIMIT_FSIZE : RLIMIT_NOFILE;
        rlimit old{}, lowered{};
        getrlimit(resource, &old);
        lowered = {trouble == "disk full" ? 8 : trouble == "no new file" ? rlim_t(lowestFree) : old.rlim_cur, old.rlim_max};
        setrlimit(resource, &lowered); // limits bind root too, unlike permission bits
        const bool saved = seged::SaveOwnList();
        setrlimit(resource, &old);

        QVERIFY(!saved);
        QCOMPARE(session->warnings.size(), unreadable ? 2 : 1);
        if (unreadable) QCOMPARE(session->warnings[1], session->warnings[0]); // refused as unreadable, not tried
        else QCOMPARE(readFile(own()), lines({"alma", "körte"}));
    }
};

QTEST_MAIN(TestLists)
#include "tst_lists.moc"
