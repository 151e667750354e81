// Setting a game up: which letters become tiles, where they stand, which
// messages the player sees, and when the board is maximised.

#include "app/forms.h"
#include "game/board.h"
#include "game/seged.h"
#include "puzzles/betolt.h"
#include "support/testsupport.h"

#include <QLineEdit>
#include <QtTest>

static const QString Refused = QStringLiteral("Csak betűket adhatsz meg!");
static const QString TooMany = QStringLiteral("A megadott kifejezés legfeljebb 23 betűből állhat!");
static const QString TooLong = QStringLiteral("A kiindulási szöveg legfeljebb 32767 karakterből állhat!");

// Records, for each control created (only tiles are created after load), whether the board was maximised by then.
class TileCreationWatcher : public QObject
{
public:
    QList<bool> maximisedAtCreation;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The child is still being constructed here: only its widget part exists.
        if (event->type() == QEvent::ChildAdded && static_cast<QChildEvent *>(event)->child()->isWidgetType())
            maximisedAtCreation << static_cast<QWidget *>(watched)->isMaximized();
        return false;
    }
};

class TestSetUp : public testsupport::GuiTest
{
    Q_OBJECT
private slots:

    void setUp_data();
    void setUp();
    void longGameMaximisesBeforeTheSecondTile();
    void overlongTextIsRefusedBeforeAnythingHappens();
    void manyLettersNeverMarkPastTheLastSlot();
    void emptyTextIsRefusedByTheEntryWindow();

private:
    void start(const QString &text) { testsupport::play(text); }
};

void TestSetUp::setUp_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("letters");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<bool>("maximised");
    QTest::addColumn<bool>("playable");

    const QString a17(17, u'a'), a18 = QStringLiteral("abcdefghijklmnopqr"), a23 = QStringLiteral("ÁrvíztűrőTükörfúrógépXY");
    QTest::newRow("alma") << "alma" << "ALMA" << QStringList() << false << true;
    QTest::newRow("Szép idő") << "Szép idő" << "SZÉPIDŐ" << QStringList() << false << true;
    QTest::newRow("a1-b") << "a1-b" << "AB" << QStringList{Refused, Refused} << false << true;
    QTest::newRow("tilde, circumflex, umlaut a, sharp s")
        << "õûäß" << "" << QStringList{Refused, Refused, Refused, Refused} << false << true;
    QTest::newRow("all Hungarian accents, lower case")
        << "áéíóöőúüű" << "ÁÉÍÓÖŐÚÜŰ" << QStringList() << false << true;
    QTest::newRow("decomposed ő is one letter") << QStringLiteral("o\u030B") << "Ő" << QStringList() << false << true;
    QTest::newRow("decomposed É inside a word")
        << QStringLiteral("Be\u0301la") << "BÉLA" << QStringList() << false << true;
    QTest::newRow("decomposed a-tilde is refused once")
        << QStringLiteral("a\u0303b") << "B" << QStringList{Refused} << false << true;
    QTest::newRow("emoji is one refused character")
        << QStringLiteral("a\U0001F600b") << "AB" << QStringList{Refused} << false << true;
    QTest::newRow("tab and newline are refused") << "a\tb\nc" << "ABC" << QStringList{Refused, Refused} << false << true;
    QTest::newRow("spaces only") << "   " << "" << QStringList() << false << true;
    QTest::newRow("17 letters") << a17 << a17.toUpper() << QStringList() << false << true;
    QTest::newRow("18 letters") << a18 << a18.toUpper() << QStringList() << true << true;
    QTest::newRow("23 letters") << a23 << a23.toUpper() << QStringList() << true << true;
    QTest::newRow("24 letters") << a23 + "z" << (a23 + "z").toUpper() << QStringList{TooMany} << false << false;
    QTest::newRow("60 letters") << QString(60, u'b') << QString(60, u'B') << QStringList{TooMany} << false << false;
}

void TestSetUp::setUp()
{
    QFETCH(QString, text);
    QFETCH(QString, letters);
    QFETCH(QStringList, warnings);
    QFETCH(bool, maximised);
    QFETCH(bool, playable);

    start(text);
    const GameState &s = seged::state;
    board &b = forms::load<board>();

    QCOMPARE(session->warnings, warnings);
    QCOMPARE(s.PuzzleLetters, letters);
    QCOMPARE(int(s.LetterCount), int(letters.size()));
    QVERIFY(!forms::load<betolt>().isVisible());
    QVERIFY(b.isVisible());
    QVERIFY(b.isEnabled());
    QCOMPARE(b.isMaximized(), maximised);
    QCOMPARE(b.Command4->isEnabled(), playable);
    QCOMPARE(b.Command5->isEnabled(), playable);
    QCOMPARE(b.Command6->isEnabled(), playable);
    QCOMPARE(b.Command2->isEnabled(), true);
    QCOMPARE(b.Command3->isEnabled(), true);

    // Tile 0 always shows the first letter (nothing for a text without letters).
    QCOMPARE(b.Command1[0]->Caption(), letters.left(1));
    const int tiles = playable ? std::max<int>(1, int(letters.size())) : 1;
    for (int i = 0; i < geometry::MaxTiles; ++i) {
        Tile *tile = b.Command1[i];
        QCOMPARE(tile != nullptr, i < tiles);
        if (!tile)
            continue;
        QVERIFY(tile->isVisible());
        QCOMPARE(tile->Left(), 240 + 495 * i);
        QCOMPARE(tile->Top(), 960);
        QCOMPARE(tile->BackColor(), QColor(255, 255, 224));
        if (i > 0)
            QCOMPARE(tile->Caption(), letters.mid(i, 1));
    }
    for (int k = 0; k < geometry::SlotCount; ++k) {
        QCOMPARE(bool(s.SlotTable[k].UpperTaken), k < letters.size());
        QVERIFY(!s.SlotTable[k].LowerTaken);
    }
    QCOMPARE(s.ElapsedSeconds, 0.0);
    QCOMPARE(s.ElapsedMinutes, 0.0);
}

void TestSetUp::longGameMaximisesBeforeTheSecondTile()
{
    board &b = forms::load<board>();
    TileCreationWatcher watcher;
    b.installEventFilter(&watcher);
    start(QStringLiteral("Csontváry Kosztka Tivadar"));
    QCOMPARE(seged::state.LetterCount, int16_t(23));
    QCOMPARE(watcher.maximisedAtCreation, QList<bool>(22, true));
    QCOMPARE(b.Command1[22]->Left(), 11130);
}

void TestSetUp::overlongTextIsRefusedBeforeAnythingHappens()
{
    start(QString(seged::MaxStartTextLength + 1, u'a'));
    QCOMPARE(session->warnings, QStringList{TooLong});
    QCOMPARE(seged::state.PuzzleLetters, QString());
    QCOMPARE(seged::state.LetterCount, int16_t(0));
    QVERIFY(!seged::state.SlotTable[0].UpperTaken);
    QVERIFY(forms::load<betolt>().isVisible());
    QVERIFY(!forms::load<board>().isVisible());

    // Exactly at the limit the text is taken, and refused as too many letters.
    session->warnings.clear();
    start(QString(seged::MaxStartTextLength, u'a'));
    QCOMPARE(session->warnings, QStringList{TooMany});
    QCOMPARE(seged::state.LetterCount, int16_t(seged::MaxStartTextLength));
}

void TestSetUp::manyLettersNeverMarkPastTheLastSlot()
{
    // 200 letters: far more than the 51 slots of the table.
    start(QString(200, u'z'));
    for (int k = 0; k < geometry::SlotCount; ++k)
        QVERIFY(seged::state.SlotTable[k].UpperTaken);
    QCOMPARE(session->warnings, QStringList{TooMany});
}

void TestSetUp::emptyTextIsRefusedByTheEntryWindow()
{
    start(QString());
    QCOMPARE(session->warnings, QStringList{QStringLiteral("Nem adtál meg kiindulási szöveget!")});
    QVERIFY(forms::load<betolt>().isVisible());
    QVERIFY(!forms::load<board>().isVisible());
    QVERIFY(!forms::load<board>().isEnabled());
    QCOMPARE(seged::state.LetterCount, int16_t(0));

    // A text of spaces is not empty: it gives a game without letters.
    start(QStringLiteral("  "));
    QCOMPARE(session->warnings.size(), 1);
    QVERIFY(forms::load<board>().isEnabled());
    QVERIFY(forms::load<board>().isVisible());
    QCOMPARE(forms::load<board>().Command1[0]->Caption(), QString());
}

QTEST_MAIN(TestSetUp)
#include "tst_setup.moc"
