// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A one-line text box as a screen reader hears it. Qt 6.4 lets Orca down
// twice: Tab into an empty box says nothing (the box reports its caret
// before its focus, and Orca follows the caret silently), and the line Orca
// reads lacks its last letter (each letter is told as a run of text
// attributes of its own that ends where it starts, and Orca cuts the line
// where the runs end).

class QLineEdit;

namespace textaccess {

// Gives the box an interface that tells its text as one run, and has it
// report its caret before anyone can Tab into it. Call right after making
// the box, before it is shown.
void install(QLineEdit *box);

} // namespace textaccess
