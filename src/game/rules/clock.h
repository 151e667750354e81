// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game clock: whole minutes and seconds, advanced one tick a second.

#include <QString>

namespace gameclock {

// One tick: a second more, carried into the minutes at 60.
void tick(double &minutes, double &seconds);

// "mm : ss", each part at least two digits ("123 : 07" past 99 minutes).
QString text(double minutes, double seconds);

} // namespace gameclock
