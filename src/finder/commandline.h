// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The anagram finder from the command line: the same engine, word list and
// order as the window, printed one result a line, with no window and no
// display.

#include <QStringList>

namespace commandline {

// Whether these arguments ask for the command line rather than the game.
bool wanted(const QStringList &arguments);

// Runs the command line; needs a QCoreApplication. Returns the exit status:
// 0 done, 1 no usable word list, 2 a wrong command line.
int run(const QStringList &arguments);

} // namespace commandline
