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

// The folder the program runs from, where its files lie.
QString folder();
// folder() + "/" + name
QString filePath(const QString &name);

// A modal warning: title "Figyelem!", the warning icon and one OK button.
void warn(const QString &text);

// Ends the program at once with the given exit status.
void end(int status = 0);
// Whether end() has been called.
bool ending();

} // namespace program
