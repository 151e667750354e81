// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzles/lista.h"

#include "app/colours.h"
#include "app/controls.h"
#include "app/fonts.h"
#include "app/syscolour.h"
#include "app/twips.h"
#include "puzzles/puzzlelists.h"
#include "puzzles/sortedcombo.h"

#include <QEvent>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>

lista::lista() : Form(Id)
{
    setWindowTitle(QStringLiteral("Feladvány listából"));
    setFixedClientTw(4035, 2355);

    Frame1 = controls::frame(this, 0, -60, 4035, 2415);

    Option1 = controls::option(Frame1, QStringLiteral("Híres emberek"), 360, 360, 1695, 375);
    Option2 = controls::option(Frame1, QStringLiteral("Saját lista"), 2400, 360, 1335, 375);
    for (QRadioButton *option : {Option1, Option2}) {
        option->setFont(fonts::msSansSerif(8.25));
        controls::setForeColor(option, syscolour::highlight3d());
    }
    Option1->setChecked(true);

    Combo1 = new SortedCombo(Frame1);
    Combo1->setGeometry(twips::toPx(330, 1080, 3375, 315));

    Command1 = controls::button(Frame1, QStringLiteral("Mehet"), 360, 1680, 975, 375);
    Command2 = controls::button(Frame1, QStringLiteral("Mégsem"), 1560, 1680, 975, 375);
    Command3 = controls::button(Frame1, QStringLiteral("Törlés"), 2760, 1680, 975, 375);
    Command3->setEnabled(false);

    setTabOrder({Option1, Option2, Combo1, Command1, Command2, Command3});

    connect(Option1, &QRadioButton::toggled, this, [this](bool on) { if (on) Option1_Click(); });
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) { if (on) Option2_Click(); });
    connect(Combo1, &QComboBox::activated, this, &lista::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &lista::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &lista::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &lista::Command3_Click);
}

void lista::Form_Load()
{
    for (QWidget *w : {static_cast<QWidget *>(Frame1), static_cast<QWidget *>(Option1), static_cast<QWidget *>(Option2)})
        controls::setBackColor(w, colours::Board);
    centreOnScreen();
}

void lista::changeEvent(QEvent *event)
{
    Form::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void lista::Form_Activate()
{
    if (Option1->isChecked())
        Command3->setEnabled(false);
}

void lista::selectFirstEntry()
{
    if (Combo1->count() > 0) {
        Combo1->setCurrentIndex(0);
        Combo1_Click();
    }
}

void lista::Option1_Click()
{
    {
        const controls::Hourglass busy(this);
        seged::LoadFamousList();
    }
    selectFirstEntry();
    Command3->setEnabled(false);
}

void lista::Option2_Click()
{
    Command3->setEnabled(true);
    {
        const controls::Hourglass busy(this);
        seged::LoadOwnList();
    }
    selectFirstEntry();
    Command3->setEnabled(Combo1->currentIndex() != -1);
}

void lista::Combo1_Click()
{
    Command3->setEnabled(!Option1->isChecked() && Combo1->currentIndex() != -1);
}

void lista::Command1_Click()
{
    const QString text = Combo1->currentText();
    if (text.isEmpty())
        return;
    emit entryChosen(text);
    hide();
    if (Option2->isChecked())
        seged::SaveOwnList();
    emit done();
}

void lista::Command2_Click()
{
    hide();
    if (Option2->isChecked())
        seged::SaveOwnList();
    emit done();
}

void lista::Command3_Click()
{
    const int selected = Combo1->currentIndex();
    if (selected == -1)
        Command3->setEnabled(false);
    else
        Combo1->removeItem(selected);
    if (Option2->isChecked())
        seged::SaveOwnList();
    selectFirstEntry();
}

// Closing the window from its frame is "Mégsem": the entry window comes back.
void lista::Form_FrameClose() { Command2_Click(); }
