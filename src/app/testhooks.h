// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where tests and benchmarks take the place of the player's world: a
// temporary program folder, warnings recorded instead of shown, and the end of
// the program recorded instead of carried out.

#include "app/forms.h"
#include "app/program.h"

#include <QString>
#include <functional>

namespace program {

// A portable program in `path`; an empty path restores the program's own
// locations.
void setFolder(const QString &path);
void setLocations(const Locations &where);

using WarnHandler = std::function<void(const QString &)>;
// Returns the previous handler; an empty handler restores the message box.
WarnHandler setWarnHandler(WarnHandler handler);

// Also clears ending().
using EndHandler = std::function<void(int)>;
EndHandler setEndHandler(EndHandler handler);

} // namespace program
