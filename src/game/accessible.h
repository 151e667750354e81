#pragma once
// How the board reaches assistive technology: its two rows hold the tiles
// in slot order, each tile says its letter and place, and the clock its
// name and time without announcing every tick.

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
