// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzles/betolt.h"

#include "app/colours.h"
#include "app/controls.h"
#include "app/fonts.h"
#include "app/program.h"
#include "app/syscolour.h"
#include "app/twips.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

betolt::betolt() : Form(Id)
{
    setWindowTitle(QStringLiteral("Betöltés"));
    setFixedClientTw(4215, 1695);

    Label1 = controls::label(this, QStringLiteral("Írd be a kiindulási szöveget!"), 120, 240, 2775, 255);
    Label1->setFont(fonts::msSansSerif(8.25));
    controls::setForeColor(Label1, syscolour::highlightText());

    Text1 = new QLineEdit(this);
    Text1->setGeometry(twips::toPx(120, 600, 3975, 375));
    Text1->setFont(fonts::timesCE(12));
    // No length limit of its own: over-long texts are refused with a message.
    Text1->setMaxLength(std::numeric_limits<int>::max());
    // A screen reader names the text box by its label.
    Label1->setBuddy(Text1);

    Command1 = controls::button(this, QStringLiteral("Mehet"), 3120, 1200, 975, 375);
    Command2 = controls::button(this, QStringLiteral("Törlés"), 120, 1200, 975, 375);
    Command3 = controls::button(this, QStringLiteral("Listából"), 1500, 1200, 1215, 375);
    setTabOrder({Text1, Command1, Command2, Command3});

    connect(Command1, &QPushButton::clicked, this, &betolt::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &betolt::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &betolt::Command3_Click);
}

void betolt::Form_Load()
{
    centreOnScreen();
    controls::setBackColor(this, colours::Board);
    controls::setBackColor(Label1, colours::Board);
}

void betolt::Form_Activate() { Text1->setFocus(); }

void betolt::changeEvent(QEvent *event)
{
    Form::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void betolt::Command1_Click()
{
    if (Text1->text().isEmpty()) {
        program::warn(QStringLiteral("Nem adtál meg kiindulási szöveget!"));
        emit playRefused();
        Text1->setFocus();
        return;
    }
    emit playWanted(Text1->text());
}

void betolt::Command2_Click()
{
    Text1->clear();
    Text1->setFocus();
}

void betolt::Command3_Click() { emit listWanted(); }
