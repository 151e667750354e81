// SPDX-License-Identifier: GPL-3.0-or-later
// The board turns the entry text into tiles, moves them on real drop events, and lays long games out maximised.

#include "app/twips.h"
#include "game/board.h"
#include "game/announce.h"
#include "game/seged.h"
#include "support/testsupport.h"

#include <QAccessible>
#include <QDrag>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using testsupport::play;

static const QColor Upper(255, 255, 224), Lower(255, 128, 128);

static bool dropAt(int tile, double x, double y)
{
    return testsupport::sendTileDrop(&forms::load<board>(), tile, testsupport::pxAt(x, y));
}

// A tile as the player sees it: "letter left,top" in twips and the row whose colour it wears.
static QString seen(const Tile *t)
{
    const QString colour = t->BackColor() == Upper ? "upper" : t->BackColor() == Lower ? "lower" : "?";
    return QString("%1 %2,%3 %4").arg(t->Caption()).arg(t->Left()).arg(t->Top()).arg(colour);
}

// Slots 0..7 as "upper/lower": 'x' or the recorded letter for a taken slot.
static QString taken()
{
    QString upper, lower;
    for (int k = 0; k < 8; ++k) {
        upper += seged::state.SlotTable[k].UpperTaken ? u'x' : u'.';
        lower += seged::state.SlotTable[k].LowerTaken ? seged::state.FinishedLetters[k] : u'.';
    }
    return upper + u'/' + lower;
}

// What the focus rests on: a tile as seen (and whether lifted), then as a screen reader reads it, or a command's caption.
static QString focused(board &b)
{
    QWidget *w = b.focusWidget();
    if (auto *t = qobject_cast<Tile *>(w))
        return seen(t) + (t->isLifted() ? " lifted" : "") + " | " +
               QAccessible::queryAccessibleInterface(t)->text(QAccessible::Description);
    return w ? static_cast<QPushButton *>(w)->text() : "nothing";
}

// The rows as a screen reader reads their text, "upper|lower", with "+place" after a row whose last child is a target place.
static QString rowsRead(board &b)
{
    QStringList rows;
    for (const char *name : {"Induló kifejezés", "Kész kifejezés"})
        for (TileRow *row : b.findChildren<TileRow *>())
            if (row->accessibleName() == name) {
                QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(row);
                const QString text = iface->textInterface()->text(0, iface->textInterface()->characterCount());
                QAccessibleInterface *last = iface->child(iface->childCount() - 1);
                rows << (text == iface->text(QAccessible::Value) ? text : "text '" + text + "' but value '" + iface->text(QAccessible::Value) + "'") +
                            (last && !last->object() ? "+place" : "");
            }
    return rows.join('|');
}

// Plays KEYS, words apart: named keys (a star: its auto-repeat), "min" to minimise, "im:TEXT" an input-method commit, else typed text.
static void press(board &b, const QString &keys)
{
    static const QHash<QString, Qt::Key> named{{"Space", Qt::Key_Space}, {"Enter", Qt::Key_Return}, {"Esc", Qt::Key_Escape},
        {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right}, {"Up", Qt::Key_Up}, {"Down", Qt::Key_Down},
        {"Bksp", Qt::Key_Backspace}, {"Tab", Qt::Key_Tab}};
    for (const QString &k : keys.split(' ', Qt::SkipEmptyParts)) {
        QWidget *w = b.focusWidget();
        if (k == "min") {
            b.showMinimized();
        } else if (k.startsWith("im:")) {
            QInputMethodEvent commit;
            commit.setCommitString(k.mid(3));
            QApplication::sendEvent(w, &commit);
        } else if (named.contains(k)) {
            QTest::keyClick(w, named[k]);
        } else if (k.endsWith('*') && named.contains(k.chopped(1))) { // a held key's repeat
            QKeyEvent again(QEvent::KeyPress, named[k.chopped(1)], Qt::NoModifier, QString(), true);
            QApplication::sendEvent(w, &again);
        } else {
            QKeyEvent down(QEvent::KeyPress, 0, Qt::NoModifier, k);
            QApplication::sendEvent(w, &down);
        }
    }
}

class TestBoard : public testsupport::GuiTest
{
    Q_OBJECT
private slots:
    void setUp_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("letters");
        QTest::addColumn<QStringList>("warnings");
        QTest::addColumn<QString>("shows"); // "normal", "maximised", "too many" letters or "not shown"
        const QString R = QStringLiteral("Csak betűket adhatsz meg!");
        const QString tooMany = QStringLiteral("A megadott kifejezés legfeljebb 23 betűből állhat!");
        const QString tooLong = QStringLiteral("A kiindulási szöveg legfeljebb 32767 karakterből állhat!");
        const QString a17(17, u'a'), a18 = "abcdefghijklmnopqr", a23 = "ÁrvíztűrőTükörfúrógépXY", a24 = a23 + 'z';
        QTest::newRow("accents kept, one warning each") << "Szép áíóöőúüű õ1" << "SZÉPÁÍÓÖŐÚÜŰ" << QStringList{R, R} << "normal";
        QTest::newRow("decomposed ő, an emoji") << "o\u030B\U0001F600" << "Ő" << QStringList{R} << "normal";
        QTest::newRow("17 letters") << a17 << a17.toUpper() << QStringList() << "normal";
        QTest::newRow("18 letters") << a18 << a18.toUpper() << QStringList() << "maximised";
        QTest::newRow("23 letters") << a23 << a23.toUpper() << QStringList() << "maximised";
        QTest::newRow("24 letters") << a24 << a24.toUpper() << QStringList{tooMany} << "too many";
        QTest::newRow("32767 letters") << QString(32767, u'a') << QString(32767, u'A') << QStringList{tooMany} << "too many";
        QTest::newRow("32768 characters") << QString(32768, u'a') << "" << QStringList{tooLong} << "not shown";
    }
    void setUp()
    {
        QFETCH(QString, text);
        QFETCH(QString, letters);
        QFETCH(QStringList, warnings);
        QFETCH(QString, shows);
        session->copyAsset(QStringLiteral("hand.cur"));
        board &b = play(text);
        QCOMPARE(session->warnings, warnings);
        QCOMPARE(seged::state.PuzzleLetters, letters);
        for (int k = 0; k < geometry::SlotCount; ++k)
            QCOMPARE(bool(seged::state.SlotTable[k].UpperTaken), k < letters.size());
        QCOMPARE(b.isVisible(), shows != "not shown");
        if (!b.isVisible())
            return;
        QCOMPARE(b.isMaximized(), shows == "maximised");
        for (QPushButton *command : {b.Command4, b.Command5, b.Command6})
            QCOMPARE(command->isEnabled(), shows != "too many");
        const int tiles = shows == "too many" ? 1 : int(letters.size());
        for (int i = 0; i < geometry::MaxTiles; ++i) {
            const QString expected = i < tiles ? QString("%1 %2,960 upper").arg(letters[i]).arg(240 + 495 * i) : "none";
            QCOMPARE(b.Command1[i] ? seen(b.Command1[i]) : "none", expected);
        }
        QVERIFY(b.Command1[tiles - 1]->isVisible() && b.Command1[tiles - 1]->cursor().shape() == Qt::BitmapCursor);
    }

    void drops_data()
    {
        QTest::addColumn<int>("tile");
        QTest::addColumn<QPointF>("at"); // twips
        QTest::addColumn<QString>("tileAfter");
        QTest::addColumn<QString>("after");
        // ALMA, its tile 3 already moved to lower slot 5; x 700 lies over lower slot 0 but names slot 1.
        QTest::newRow("upper to upper") << 0 << QPointF(3475, 1000) << "A 3705,960 upper" << ".xx....x/.....A..";
        QTest::newRow("upper to lower") << 2 << QPointF(700, 2100) << "M 735,2520 lower" << "xx....../.M...A..";
        QTest::newRow("lower to lower") << 3 << QPointF(3270, 2600) << "A 3210,2520 lower" << "xxx...../......A.";
        QTest::newRow("lower to upper") << 3 << QPointF(3475, 600) << "A 3705,960 upper" << "xxx....x/........";
        // Refused: x 1600 names upper slot 3, free, but lies over tile 2.
        QTest::newRow("over another tile") << 0 << QPointF(1600, 1000) << "A 240,960 upper" << "xxx...../.....A..";
    }
    void drops()
    {
        QFETCH(int, tile);
        QFETCH(QPointF, at);
        QFETCH(QString, tileAfter);
        QFETCH(QString, after);
        board &b = play(QStringLiteral("alma"));
        QVERIFY(dropAt(3, 2485, 2600));
        dropAt(tile, at.x(), at.y());
        QCOMPARE(seen(b.Command1[tile]), tileAfter);
        QCOMPARE(taken(), after);
        b.Timer1_Timer();
        b.Command5->click(); // "Ismét" puts every tile back and restarts the clock, whatever the move
        QCOMPARE(seen(b.Command1[tile]), QString("%1 %2,960 upper").arg(QString("ALMA")[tile]).arg(240 + 495 * tile));
        QCOMPARE(taken(), QStringLiteral("xxxx..../........"));
        b.Timer1_Timer();
        QCOMPARE(b.Label3->text(), QStringLiteral("00 : 01"));
    }

    // "Ismét" sets up what the entry window holds at that moment: the same text, or one written there after "Új játék".
    void again_data()
    {
        QTest::addColumn<QString>("written"); // into the entry window after "Új játék"; empty: "Ismét" straight away
        QTest::addColumn<QString>("letters");
        QTest::newRow("the same game again") << "" << "ALMA";
        QTest::newRow("the text written after Új játék") << "kút" << "KÚT";
    }
    void again()
    {
        QFETCH(QString, written);
        QFETCH(QString, letters);
        board &b = play(QStringLiteral("alma"));
        betolt &entry = forms::load<betolt>();
        if (!written.isEmpty()) {
            b.Command3->click();
            QVERIFY(entry.isVisible());
            entry.Text1->setText(written);
        }
        b.Timer1_Timer();
        b.Command5->click();
        QStringList tiles;
        for (const Tile *t : b.Command1)
            if (t && t->isVisible())
                tiles << seen(t);
        QStringList expected;
        for (int i = 0; i < letters.size(); ++i)
            expected << QString("%1 %2,960 upper").arg(letters[i]).arg(240 + 495 * i);
        QCOMPARE(tiles, expected);
        QVERIFY(b.isVisible() && !entry.isVisible());
        b.Timer1_Timer();
        QCOMPARE(b.Label3->text(), QStringLiteral("00 : 01"));
    }

    void keyboardPlay_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("focus");
        QTest::newRow("a letter no tile bears, accents typed and composed")
            << "Szép idő" << "x é im:o\u030B" << "xx.xxx../ÉŐ......" << "Ő 735,2520 lower | alsó sor, 2. hely";
        QTest::newRow("a held Enter only lifts") << "alma" << "Enter Enter* Down Enter*" << "xxxx..../........"
                                                 << "A 240,960 upper lifted | felső sor, 1. hely";
        QTest::newRow("minimised refused") << "alma" << "Space Down min Enter" << "xxxx..../........"
                                           << "A 240,960 upper lifted | felső sor, 1. hely";
        QTest::newRow("Tab after the tiles") << "alma" << "Tab Tab Tab Tab" << "xxxx..../........" << "Kilépés";
    }
    void keyboardPlay()
    {
        QFETCH(QString, text);
        QFETCH(QString, keys);
        QFETCH(QString, after);
        QFETCH(QString, focus);
        board &b = play(text);
        QTRY_VERIFY(!b.isMaximized() || b.size() == QSize(1280, 1024));
        press(b, keys);
        QCOMPARE(taken(), after);
        QCOMPARE(focused(b), focus);
        QCOMPARE(b.findChild<TargetMarker *>()->isVisible(), focus.contains("lifted"));
    }

    void heard_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QString>("rows"); // the rows' text afterwards, "upper|lower"
        const QString I = "Induló kifejezés > ", K = "Kész kifejezés > ";
        QTest::newRow("own place, twice; no target past the row's start")
            << "alma" << "Space Left Space Space"
            << QStringList{I + "A felemelve, cél: felső sor, 1. hely | ", "notice: A sor széle.", "notice: Saját helye, A felemelve marad.",
                           "notice: Saját helye, A felemelve marad."}
            << "ALMA+place|";
        QTest::newRow("keys that move nothing are answered; a letter not there keeps the lift")
            << "alma" << "Esc Left Up Down Space Up x"
            << QStringList{"notice: Nincs felemelt betű.", "notice: A sor széle.", "notice: Már a felső sorban.", "notice: Az alsó sor üres.",
                           I + "A felemelve, cél: felső sor, 1. hely | ", "notice: Már a felső sorban.",
                           "notice: Nincs X betű a felső sorban."}
            << "ALMA+place|";
        QTest::newRow("the target leaves the row and comes back")
            << "alma" << "Space Down Right Up Right"
            << QStringList{I + "A felemelve, cél: felső sor, 1. hely | ", K + "alsó sor, 1. hely, szabad | ", K + "alsó sor, 2. hely, szabad | ",
                           I + "felső sor, 2. hely, foglalt: L | ", I + "felső sor, 3. hely, foglalt: M | "}
            << "ALMA+place|";
        QTest::newRow("typed, a gap left") << "alma" << "l a Bksp Space Down Right Right Space"
                                           << QStringList{K + "L | alsó sor, 1. hely", K + "A | alsó sor, 2. hely", I + "A | felső sor, 1. hely",
                                                          I + "A felemelve, cél: felső sor, 1. hely | ", K + "alsó sor, 1. hely, foglalt: L | ",
                                                          K + "alsó sor, 2. hely, szabad | ", K + "alsó sor, 3. hely, szabad | ",
                                                          K + "A | alsó sor, 3. hely"}
                                           << "  MA|L A";
        QTest::newRow("Backspace on an empty row") << "alma" << "Bksp" << QStringList{"notice: Az alsó sor üres."} << "ALMA|";
        QTest::newRow("minimised, a letter") << "alma" << "min a" << QStringList{"notice: Nincs szabad hely az alsó sorban."} << "ALMA|";
    }
    // What a screen reader is told for each key, once: the focus on a tile or the target's place, or a notice.
    void heard()
    {
        if (!testsupport::A11yLog::available())
            QSKIP("needs Qt's private platform headers");
        QFETCH(QString, text);
        QFETCH(QString, keys);
        QFETCH(QStringList, said);
        QFETCH(QString, rows);
        board &b = play(text);
        b.activateWindow(); // a screen reader follows the focus of the active window only
        QVERIFY(QTest::qWaitForWindowActive(&b));
        testsupport::A11yLog log;
        QStringList heard;
        for (const QString &key : keys.split(' ')) {
            log.clear();
            press(b, key);
            for (const QString &event : log.events)
                QVERIFY2(log.events.count(event) == 1, qPrintable(key + " sent twice: " + event));
            heard << log.said;
        }
        QCOMPARE(heard, said);
        QCOMPARE(rowsRead(b), rows);
    }

    // "Betűk keverése" (Ctrl+K): the upper row's tiles trade the slots they stand in, a gap stays a gap, the lower
    // row stays, and the new order is said.
    void shuffle()
    {
        board &b = play(QStringLiteral("abcdefg"));
        b.activateWindow(); // its keys work in the active window
        QVERIFY(QTest::qWaitForWindowActive(&b));
        QVERIFY(dropAt(3, 250, 2500));
        const QString before = rowsRead(b);
        std::optional<testsupport::A11yLog> log;
        if (testsupport::A11yLog::available())
            log.emplace();
        QTest::keyClick(b.Command1[0], Qt::Key_K, Qt::ControlModifier);
        const QString after = rowsRead(b);
        QCOMPARE(after.section('|', 1), QStringLiteral("D"));
        QString upper = after.section('|', 0, 0);
        QVERIFY2(upper != before.section('|', 0, 0), qPrintable(upper));
        QCOMPARE(upper.indexOf(u' '), 3);
        if (log)
            QCOMPARE(log->said, QStringList{"notice: Összekeverve: " + upper});
        std::sort(upper.begin(), upper.end());
        QCOMPARE(upper, QStringLiteral(" ABCEFG"));
    }

    void onlyAnEnabledBoardStartsDrags_data()
    {
        QTest::addColumn<QString>("next"); // the text of the next "Mehet"
        QTest::newRow("a new game") << "alma";
        QTest::newRow("an empty Mehet disables the board") << "";
    }
    void onlyAnEnabledBoardStartsDrags()
    {
        QFETCH(QString, next);
        board &b = play(QStringLiteral("alma"));
        b.Command3->click();
        play(next);
        QTest::mousePress(b.Command1[0], Qt::LeftButton, {}, QPoint(5, 5));
        // A started drag lives on as the tile's child until the event loop deletes it.
        QCOMPARE(b.Command1[0]->findChild<QDrag *>() != nullptr, !next.isEmpty());
        QTest::mouseRelease(b.Command1[0], Qt::LeftButton, {}, QPoint(5, 5));
    }

    // A long game fills the screen: the commands keep clear of the lower row from the first pass on, before the
    // maximised size arrives, then stand inside the window with the clock, none over another; the last slot takes a tile.
    void longGameLayout()
    {
        board &b = play(QStringLiteral("abcdefghijklmnopqrstuvw"));
        const QList<QWidget *> commands{b.Command2, b.Command3, b.Command4, b.Command5, b.Command6};
        const int lowerRowBottom = twips::toPx(geometry::LowerRowTop + geometry::TileWidth);
        const auto apart = [](const QList<QWidget *> &controls) {
            for (const QWidget *c : controls)
                for (const QWidget *d : controls)
                    if (c != d && c->geometry().intersects(d->geometry()))
                        return c->property("text").toString() + " over " + d->property("text").toString();
            return QString();
        };
        for (const QWidget *command : commands)
            QVERIFY2(command->y() >= lowerRowBottom, qPrintable(command->property("text").toString()));
        QCOMPARE(apart(commands), QString());
        QTRY_COMPARE(b.size(), QSize(1280, 1024));
        for (const QWidget *control : commands + QList<QWidget *>{b.Label3})
            QVERIFY2(b.rect().contains(control->geometry()), qPrintable(control->property("text").toString()));
        QCOMPARE(apart(commands + QList<QWidget *>{b.Label3}), QString());
        QVERIFY(dropAt(22, 11384, 2500));
    }
};

QTEST_MAIN(TestBoard)
#include "tst_board.moc"
