// The puzzle list window: opening it from the entry window, switching
// lists, taking an entry or typed text, cancelling and deleting.

#include "app/forms.h"
#include "app/twips.h"
#include "puzzles/betolt.h"
#include "puzzles/lista.h"
#include "puzzles/sortedcombo.h"
#include "support/testsupport.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using testsupport::readFile;
using testsupport::cp1250;
using testsupport::writeFile;

using testsupport::CursorLog;

class TestLista : public testsupport::GuiTest
{
    Q_OBJECT
private slots:
    void init();

    void design();
    void firstOpeningShowsTheFamousList();
    void switchingToTheOwnList();
    void emptyOwnListHasNothingToDelete();
    void laterOpeningsKeepTheOwnList();
    void mehetTakesTheSelectedOrTypedText_data();
    void mehetTakesTheSelectedOrTypedText();
    void mehetWithoutTextDoesNothing();
    void megsemRewritesTheOwnListSorted();
    void deleteSelectedEntry();
    void deleteWithNothingSelected();
    void deletingTheLastEntry();
    void pickingAFamousEntryKeepsDeleteDisabled();
    void closingFromTheFrameActsAsMegsem();

private:
    lista &openFromEntryWindow();
    QString own() const { return session->folder() + "/sajat.txt"; }
};

void TestLista::init()
{
    GuiTest::init();
    writeFile(session->folder() + "/hires.txt", cp1250("Petőfi Sándor\r\nAdy Endre\r\nBartók Béla\r\n"));
}

lista &TestLista::openFromEntryWindow()
{
    betolt &entry = forms::load<betolt>();
    entry.show();
    entry.Command3->click();
    return forms::load<lista>();
}

void TestLista::design()
{
    lista &l = forms::load<lista>();
    QCOMPARE(l.windowTitle(), QStringLiteral("Feladvány listából"));
    QCOMPARE(l.minimumSize(), l.maximumSize());
    QVERIFY(l.Option1->isChecked());
    QVERIFY(!l.Command3->isEnabled());
    QVERIFY(l.Combo1->isEditable());
    QCOMPARE(QFontInfo(l.Option2->font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(l.Option1->palette().color(QPalette::WindowText), QColor(Qt::white));
    // What is painted: the blue behind and beside the option captions.
    const QImage shot = l.grab().toImage();
    QCOMPARE(QColor(shot.pixel(3, l.height() - 3)), QColor(104, 136, 224));
    for (QRadioButton *option : {l.Option1, l.Option2}) {
        const QPoint inside = option->mapTo(&l, QPoint(option->width() - 2, option->height() / 2));
        QCOMPARE(QColor(shot.pixel(inside)), QColor(104, 136, 224));
    }
}

void TestLista::firstOpeningShowsTheFamousList()
{
    betolt &entry = forms::load<betolt>();
    CursorLog pointer(&entry);
    lista &l = openFromEntryWindow();
    QVERIFY(l.isVisible());
    QVERIFY(!entry.isVisible());
    QVERIFY(l.Option1->isChecked());
    QCOMPARE(l.Combo1->entries(), (QStringList{"Ady Endre", "Bartók Béla", "Petőfi Sándor"}));
    QCOMPARE(l.Combo1->currentIndex(), 0);
    QCOMPARE(l.Combo1->currentText(), QStringLiteral("Ady Endre"));
    QVERIFY(!l.Command3->isEnabled());
    // The hourglass while the famous list loads, then the ordinary pointer.
    QCOMPARE(pointer.shapes, (QList<Qt::CursorShape>{Qt::WaitCursor, Qt::ArrowCursor}));
    QVERIFY(session->warnings.isEmpty());
}

void TestLista::switchingToTheOwnList()
{
    writeFile(own(), cp1250("zsák\r\nalma\r\n"));
    lista &l = openFromEntryWindow();
    CursorLog pointer(&l);
    l.Option2->click();
    QCOMPARE(l.Combo1->entries(), (QStringList{"alma", "zsák"}));
    QCOMPARE(l.Combo1->currentIndex(), 0);
    QVERIFY(l.Command3->isEnabled());
    QVERIFY(pointer.shapes.contains(Qt::WaitCursor));
    QCOMPARE(pointer.shapes.last(), Qt::ArrowCursor);
    l.Option1->click();
    QCOMPARE(l.Combo1->count(), 3);
    QVERIFY(!l.Command3->isEnabled());
    QCOMPARE(readFile(own()), cp1250("zsák\r\nalma\r\n")); // switching writes nothing
}

void TestLista::emptyOwnListHasNothingToDelete()
{
    writeFile(own(), QByteArray());
    lista &l = openFromEntryWindow();
    l.Option2->click();
    QCOMPARE(l.Combo1->count(), 0);
    QCOMPARE(l.Combo1->currentIndex(), -1);
    QVERIFY(!l.Command3->isEnabled());
}

void TestLista::laterOpeningsKeepTheOwnList()
{
    writeFile(own(), cp1250("körte\r\n"));
    lista &l = openFromEntryWindow();
    l.Option2->click();
    l.Command2->click(); // Mégsem
    betolt &entry = forms::load<betolt>();
    QVERIFY(entry.isVisible());
    CursorLog pointer(&entry);
    entry.Command3->click();
    QVERIFY(l.Option2->isChecked());
    QCOMPARE(l.Combo1->entries(), QStringList{"körte"});
    QVERIFY(!pointer.shapes.contains(Qt::WaitCursor)); // no hourglass for the own list
    QVERIFY(l.Command3->isEnabled());
}

void TestLista::mehetTakesTheSelectedOrTypedText_data()
{
    QTest::addColumn<bool>("ownList");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("taken");
    QTest::newRow("famous, selected entry") << false << QString() << "Ady Endre";
    // Typed text is never completed to an entry ("Ady Endre" ships too).
    QTest::newRow("famous, prefix of an entry") << false << "Ady" << "Ady";
    QTest::newRow("famous, typed text") << false << "Kodaly Zoltan" << "Kodaly Zoltan";
    QTest::newRow("own, selected entry") << true << QString() << "alma";
    QTest::newRow("own, typed text") << true << "szilva" << "szilva";
}

void TestLista::mehetTakesTheSelectedOrTypedText()
{
    QFETCH(bool, ownList);
    QFETCH(QString, typed);
    QFETCH(QString, taken);
    writeFile(own(), cp1250("zsák\r\nalma\r\n"));
    betolt &entry = forms::load<betolt>();
    entry.Text1->setText("régi");
    lista &l = openFromEntryWindow();
    if (ownList)
        l.Option2->click();
    if (!typed.isEmpty()) {
        QApplication::setActiveWindow(&l);
        l.Combo1->lineEdit()->setFocus();
        l.Combo1->lineEdit()->selectAll();
        QTest::keyClicks(l.Combo1->lineEdit(), typed);
        QCOMPARE(l.Combo1->currentText(), typed);
        QCOMPARE(l.Combo1->currentIndex(), -1);
        QVERIFY(!QApplication::activePopupWidget()); // no list of matches either
    }
    l.Command1->click();
    QCOMPARE(entry.Text1->text(), taken);
    QVERIFY(!l.isVisible());
    QVERIFY(entry.isVisible());
    // The own list is rewritten, sorted; the typed text is not added to it.
    QCOMPARE(readFile(own()), ownList ? cp1250("alma\r\nzsák\r\n") : cp1250("zsák\r\nalma\r\n"));
}

void TestLista::mehetWithoutTextDoesNothing()
{
    lista &l = openFromEntryWindow();
    l.Combo1->setCurrentIndex(-1);
    l.Combo1->setEditText(QString());
    l.Command1->click();
    QVERIFY(l.isVisible());
    QVERIFY(!forms::load<betolt>().isVisible());
    QVERIFY(session->warnings.isEmpty());
}

void TestLista::megsemRewritesTheOwnListSorted()
{
    writeFile(own(), cp1250("Őz\r\nOszkár\r\nÖdön\r\nóra\r\n"));
    betolt &entry = forms::load<betolt>();
    entry.Text1->setText("marad");
    lista &l = openFromEntryWindow();
    l.Option2->click();
    l.Command2->click();
    QCOMPARE(readFile(own()), cp1250("óra\r\nOszkár\r\nÖdön\r\nŐz\r\n"));
    QCOMPARE(entry.Text1->text(), QStringLiteral("marad"));
    QVERIFY(entry.isVisible());
    QVERIFY(!l.isVisible());
}

void TestLista::deleteSelectedEntry()
{
    writeFile(own(), cp1250("a\r\nb\r\nc\r\n"));
    lista &l = openFromEntryWindow();
    l.Option2->click();
    l.Combo1->setCurrentIndex(1);
    l.Combo1_Click();
    l.Command3->click();
    QCOMPARE(l.Combo1->entries(), (QStringList{"a", "c"}));
    QCOMPARE(readFile(own()), QByteArray("a\r\nc\r\n")); // at once
    QCOMPARE(l.Combo1->currentIndex(), 0);
    QVERIFY(l.Command3->isEnabled());
}

void TestLista::deleteWithNothingSelected()
{
    writeFile(own(), cp1250("a\r\nb\r\n"));
    lista &l = openFromEntryWindow();
    l.Option2->click();
    // Typing into the text field leaves no entry selected.
    l.Combo1->lineEdit()->selectAll();
    QTest::keyClicks(l.Combo1->lineEdit(), "x");
    QCOMPARE(l.Combo1->currentIndex(), -1);
    QCOMPARE(l.Combo1->currentText(), QStringLiteral("x"));
    l.Command3->click();
    QCOMPARE(l.Combo1->entries(), (QStringList{"a", "b"}));
    QCOMPARE(readFile(own()), QByteArray("a\r\nb\r\n"));
    // Entry 0 is selected again, and with it deleting.
    QCOMPARE(l.Combo1->currentIndex(), 0);
    QVERIFY(l.Command3->isEnabled());
}

void TestLista::deletingTheLastEntry()
{
    writeFile(own(), cp1250("egyetlen\r\n"));
    lista &l = openFromEntryWindow();
    l.Option2->click();
    l.Command3->click();
    QCOMPARE(l.Combo1->count(), 0);
    QCOMPARE(l.Combo1->currentIndex(), -1);
    QCOMPARE(readFile(own()), QByteArray());
    l.Command3->click(); // nothing left: disables itself
    QVERIFY(!l.Command3->isEnabled());
}

void TestLista::pickingAFamousEntryKeepsDeleteDisabled()
{
    lista &l = openFromEntryWindow();
    l.Combo1->setCurrentIndex(2);
    emit l.Combo1->activated(2);
    QVERIFY(!l.Command3->isEnabled());
}

void TestLista::closingFromTheFrameActsAsMegsem()
{
    writeFile(own(), cp1250("b\r\na\r\n"));
    lista &l = openFromEntryWindow();
    l.Option2->click();
    l.close();
    QVERIFY(!l.isVisible());
    QVERIFY(forms::load<betolt>().isVisible());
    QCOMPARE(readFile(own()), QByteArray("a\r\nb\r\n"));
    QVERIFY(session->ends.isEmpty());
}

QTEST_MAIN(TestLista)
#include "tst_lista.moc"
