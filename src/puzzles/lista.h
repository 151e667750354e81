// SPDX-License-Identifier: GPL-3.0-or-later
// The puzzle list window: pick a starting expression from the famous people
// or from the player's own list, or delete an entry of the own list.
#pragma once

#include "app/forms.h"

class QFrame;
class QPushButton;
class QRadioButton;
class SortedCombo;

class lista : public Form
{
    Q_OBJECT
public:
    static constexpr FormId Id = FormId::lista;
    lista();

    void Form_Load() override;
    void Form_Activate();
    void Option1_Click();
    void Option2_Click();
    void Combo1_Click();
    void Command1_Click(); // "Mehet"
    void Command2_Click(); // "Mégsem"
    void Command3_Click(); // "Törlés"
    // Selects entry 0, if there is one, as a click on it would.
    void selectFirstEntry();

    QFrame *Frame1;
    QRadioButton *Option1; // "Híres emberek"
    QRadioButton *Option2; // "Saját lista"
    SortedCombo *Combo1;
    QPushButton *Command1;
    QPushButton *Command2;
    QPushButton *Command3;

    // What Combo1 holds, so that only a wholly read own list is ever saved.
    enum class Holding { Nothing, Famous, Own, OwnUnreadable };
    Holding holding = Holding::Nothing;

signals:
    // What the list window asks for; the program answers.
    void entryChosen(const QString &text); // "Mehet": the entry window takes the text
    void done();                           // left with "Mehet" or "Mégsem": the entry window again

protected:
    void changeEvent(QEvent *event) override;
    void Form_FrameClose() override;

};
