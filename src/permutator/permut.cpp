// SPDX-License-Identifier: GPL-3.0-or-later
#include "permutator/permut.h"

#include "app/colours.h"
#include "app/controls.h"
#include "app/fonts.h"
#include "app/program.h"
#include "app/syscolour.h"
#include "app/twips.h"
#include "permutator/rules/permutations.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <limits>

const QString permut::TooLongMessage = QStringLiteral("A permutálandó szöveg legfeljebb 7 karakterből állhat!");

permut::permut() : Form(Id)
{
    setWindowTitle(QStringLiteral("Permutátor"));
    setFixedClientTw(4500, 4515);

    cmdGo = controls::button(this, QStringLiteral("Mehet"), 1200, 3960, 975, 375);

    txtResults = new QPlainTextEdit(this);
    txtResults->setGeometry(twips::toPx(2400, 840, 1935, 3495));
    txtResults->setFont(fonts::timesCE(12));
    txtResults->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtResults->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab moves on through the window, as in every other box.
    txtResults->setTabChangesFocus(true);
    controls::setForeColor(txtResults, syscolour::menuText());

    txtCombinations = new QLineEdit(this);
    txtCombinations->setGeometry(twips::toPx(1200, 840, 855, 345));
    txtCombinations->setFont(fonts::timesCE(14.25));
    controls::setForeColor(txtCombinations, QColor(255, 255, 0));

    Label1[1] = controls::label(this, QStringLiteral("Darabszám:"), 120, 840, 975, 255);

    Text1 = new QLineEdit(this);
    Text1->setGeometry(twips::toPx(2400, 240, 1935, 405));
    Text1->setFont(fonts::timesCE(12));
    // All the puzzle's letters go in; the player shortens them.
    Text1->setMaxLength(std::numeric_limits<int>::max());
    controls::setForeColor(Text1, syscolour::window());

    Command1 = controls::button(this, QStringLiteral("Bezárás"), 120, 3960, 975, 375);
    Label2 = controls::label(this, QStringLiteral("Permutálandó szöveg:"), 120, 240, 2055, 255);
    for (QLabel *label : {Label1[1], Label2}) {
        label->setFont(fonts::msSansSerif(8.25));
        controls::setForeColor(label, syscolour::highlightText());
    }

    setTabOrder({cmdGo, txtResults, txtCombinations, Text1, Command1});

    connect(cmdGo, &QPushButton::clicked, this, &permut::cmdGo_Click);
    connect(Command1, &QPushButton::clicked, this, &permut::Command1_Click);
}

void permut::Form_Load()
{
    controls::setBackColor(this, colours::Deep);
    centreOnScreen();
    controls::setBackColor(Label1[1], colours::Deep);
    controls::setBackColor(Label2, colours::Deep);
    for (QWidget *box : {static_cast<QWidget *>(txtResults), static_cast<QWidget *>(txtCombinations),
                         static_cast<QWidget *>(Text1)}) {
        QPalette pal = box->palette();
        pal.setColor(QPalette::Base, colours::Board);
        box->setPalette(pal);
    }
}

void permut::setResults(const QString &text)
{
    results_ = text;
    // The box would take each CR and each LF for a line end of its own.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    txtResults->setPlainText(shown);
}

void permut::setBusy(bool busy)
{
    cmdGo->setEnabled(!busy);
    Command1->setEnabled(!busy);
    Text1->setEnabled(!busy);
}

void permut::cmdGo_Click()
{
    setResults(QString());
    txtCombinations->clear();
    // Let the cleared boxes repaint before the work.
    QCoreApplication::processEvents();

    QList<permutations::Element> list = permutations::elementsOf(Text1->text());
    const int n = int(list.size());
    if (n > permutations::MaxLength) {
        program::warn(TooLongMessage);
        return;
    }

    setBusy(true);
    const controls::Hourglass hourglass(this);
    const QList<permutations::Arrangement> all = permutations::Permutations(list);
    setResults(permutations::lines(all));
    txtCombinations->setText(QString::number(permutations::Factorial(n)));
    setBusy(false);
}

void permut::Command1_Click() { forms::unload<permut>(); }

void permut::Form_FrameClose() { Command1_Click(); }
