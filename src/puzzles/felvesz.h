// SPDX-License-Identifier: GPL-3.0-or-later
// The add-to-vocabulary window: adds the starting expression or the one
// built in the lower row to the player's own list.
#pragma once

#include "app/forms.h"

#include <functional>

class QFrame;
class QPushButton;
class QRadioButton;

class felvesz : public Form
{
    Q_OBJECT
public:
    static constexpr FormId Id = FormId::felvesz;
    felvesz();

    void Command1_Click(); // "Mehet"

    // The starting expression as the player gave it, asked when "Mehet" adds it.
    std::function<QString()> startingText;

    QFrame *Frame1;
    QRadioButton *Option1; // "Induló kifejezést"
    QRadioButton *Option2; // "Kész kifejezést"
    QPushButton *Command1;
};
