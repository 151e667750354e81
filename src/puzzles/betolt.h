// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The entry window: where the player gives the starting expression.

#include "app/forms.h"

class QLabel;
class QLineEdit;
class QPushButton;

class betolt : public Form
{
    Q_OBJECT
public:
    static constexpr FormId Id = FormId::betolt;
    betolt();

    void Form_Load() override;
    void Form_Activate();
    void Command1_Click(); // "Mehet"
    void Command2_Click(); // "Törlés"
    void Command3_Click(); // "Listából"

    QLabel *Label1;
    QLineEdit *Text1;
    QPushButton *Command1;
    QPushButton *Command2;
    QPushButton *Command3; // "Listából"

signals:
    // What the entry window asks for; the program answers.
    void playWanted(const QString &text); // "Mehet" with a text
    void playRefused();                   // "Mehet" with none: the board stays off until a text comes
    void listWanted();                    // "Listából"

protected:
    void changeEvent(QEvent *event) override;
};
