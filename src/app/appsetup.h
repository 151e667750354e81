// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every run of the game's windows needs, the program's own and those
// of the tests and benchmarks alike.

namespace appsetup {

// Call once the application object exists, before the first window: the
// style, the fonts the design names, and windows that decide themselves
// when closing one ends the program.
void init();

} // namespace appsetup
