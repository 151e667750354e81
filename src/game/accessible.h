// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the board reaches assistive technology. Its two rows hold the tiles in
// slot order and read as the expression they hold; each tile says its letter
// and place; the clock its name and time without announcing every tick.

#include <QLabel>

// The clock label; a class of its own so that its accessible interface is
// the game's.
class ClockLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;
};

namespace boardaccess {

// Registers the board's interfaces once.
void install();

} // namespace boardaccess
