// SPDX-License-Identifier: GPL-3.0-or-later
// A text box is heard whole: Tab into it tells its focus before any move of its caret, and its text reads as one
// run, as Orca reads a line.

#include "app/textaccess.h"
#include "support/testsupport.h"

#include <QAccessible>
#include <QLabel>
#include <QVBoxLayout>

using namespace testsupport;

// The line as Orca 43 makes it: the attribute runs from the start, joined, and the text up to where they end.
static QString readAsOrca(QAccessibleTextInterface *text)
{
    int end = 0;
    for (int offset = 0; offset < text->characterCount(); offset = std::max(end, offset + 1)) {
        int start = 0;
        text->attributes(offset, &start, &end);
    }
    return text->text(0, end);
}

class TestTextAccess : public GuiTest {
    Q_OBJECT
    std::unique_ptr<QWidget> window;
    QLineEdit *letters = nullptr, *contain = nullptr; // the second named by its label

private slots:
    void init() {
        GuiTest::init();
        window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(window.get());
        auto *label = new QLabel(QStringLiteral("Tartalmazza:"));
        for (QWidget *w : std::initializer_list<QWidget *>{letters = new QLineEdit, label, contain = new QLineEdit})
            layout->addWidget(w);
        label->setBuddy(contain);
    }
    void cleanup() {
        window.reset();
        GuiTest::cleanup();
    }

    void tabTellsTheFocusBeforeTheCaret_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("key");
        QTest::newRow("Tab into an empty box") << "" << int(Qt::Key_Tab);
        QTest::newRow("Shift+Tab into an empty box") << "" << int(Qt::Key_Backtab);
        QTest::newRow("Tab into a box with text, which Qt selects") << "ALMA" << int(Qt::Key_Tab);
    }
    void tabTellsTheFocusBeforeTheCaret() {
        if (!A11yLog::available()) QSKIP("needs Qt's private headers to turn accessibility on offscreen");
        QFETCH(QString, text);
        QFETCH(int, key);
        textaccess::install(contain);
        if (!text.isEmpty()) contain->setText(text); // even an empty setText() reports the caret
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        letters->setFocus();
        A11yLog log;
        QTest::keyClick(letters, Qt::Key(key));
        QVERIFY(contain->hasFocus());
        const QStringList told = log.events.filter("'Tartalmazza:'");
        const qsizetype focus = told.indexOf("Focus EditableText 'Tartalmazza:'");
        QVERIFY2(focus >= 0, qPrintable(told.join("; ")));
        QVERIFY2(!told.mid(0, focus).contains("TextCaretMoved EditableText 'Tartalmazza:'"), qPrintable(told.join("; ")));
    }

    void theLineReadsWhole_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("askedBefore"); // a screen reader asked about the box before the mend
        QTest::newRow("accented capitals") << "PETŐFISÁNDOR" << false;
        QTest::newRow("a phrase") << "la ma" << false;
        QTest::newRow("one letter") << "a" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("Qt's own interface made first") << "PETŐFISÁNDOR" << true;
    }
    void theLineReadsWhole() {
        QFETCH(QString, text);
        QFETCH(bool, askedBefore);
        if (askedBefore) QVERIFY(QAccessible::queryAccessibleInterface(contain)->textInterface());
        textaccess::install(contain);
        contain->setText(text);
        QAccessibleTextInterface *line = QAccessible::queryAccessibleInterface(contain)->textInterface();
        QCOMPARE(line->characterCount(), text.size());
        QCOMPARE(readAsOrca(line), text);
        int start = -1, end = -1;
        QCOMPARE(line->textAtOffset(std::max(0, int(text.size()) - 1), QAccessible::LineBoundary, &start, &end), text);
    }

    void theBoxIsStillWhatQtTold() {
        contain->setText("ALMA");
        textaccess::install(contain);
        QAccessibleInterface *box = QAccessible::queryAccessibleInterface(contain);
        QCOMPARE(box->role(), QAccessible::EditableText);
        QCOMPARE(box->text(QAccessible::Name), QStringLiteral("Tartalmazza:"));
        QCOMPARE(box->text(QAccessible::Value), QStringLiteral("ALMA"));
        QVERIFY(box->state().editable && !box->state().readOnly);
        box->editableTextInterface()->insertText(4, "FA");
        box->textInterface()->setSelection(0, 1, 3);
        QCOMPARE(contain->text(), QStringLiteral("ALMAFA"));
        QCOMPARE(contain->selectedText(), QStringLiteral("LM"));
    }
};

QTEST_MAIN(TestTextAccess)
#include "tst_textaccess.moc"
