// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Program-wide services: the program's folder, warnings to the player and
// ending the program. Tests and benchmarks replace them through
// app/testhooks.h.

#include <QString>

namespace program {

// Makes the character type of the C locale UTF-8 for the whole process,
// keeping the language of the environment where it has a UTF-8 form. Xlib
// converts window titles from that encoding while Qt hands it UTF-8, so in
// the POSIX locale a window list would show "BetÃ¶ltés". Call before the
// application object exists: Qt reads the environment's locale then.
void useUtf8Locale();

// When no platform was chosen, a Wayland session runs the game through
// XWayland: the game places its own windows, which Wayland forbids.
void preferXcbOnWayland();

// Where the program's files lie, told apart once at start. Portable: the
// binary's folder holds hires.txt, and every file, the own list too, is read
// and written there. Installed: the read-only files come from the install's
// share folder (or the XDG data folders), the own list from the player's
// data folder, and nothing is written into the install.
struct Locations
{
    QString dataFolder; // hires.txt, hand.cur, the animation frames
    QString ownList;    // sajat.txt
};
Locations locate(const QString &binaryFolder);

// A read-only file of the program, by name.
QString filePath(const QString &name);
// The player's own list.
QString ownListPath();

// A modal warning: title "Figyelem!", the warning icon and one OK button.
void warn(const QString &text);

// Ends the program at once with the given exit status.
void end(int status = 0);
// Whether end() has been called.
bool ending();

} // namespace program
