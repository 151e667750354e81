// SPDX-License-Identifier: GPL-3.0-or-later
// Where the windows meet. No window knows another: each asks for what it
// needs through its signals, and here those requests are connected to the
// windows that answer them, each window as it is loaded.
#pragma once

namespace wiring {

// Connects every window loaded from now on. The program calls it once
// before its first window, and the window suites before theirs, so that
// both play through the same connections.
void install();

} // namespace wiring
