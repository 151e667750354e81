#pragma once
// Program-wide services: the program's folder, warnings to the player and
// ending the program. Tests replace the last two so that nothing modal
// opens and the test process is never ended.

#include <QString>
#include <functional>

namespace program {

// Makes the character type of the C locale UTF-8 for the whole process,
// keeping the language of the environment where it has a UTF-8 form. Xlib
// converts window titles from that encoding while Qt hands it UTF-8, so in
// the POSIX locale a window list would show "BetÃ¶ltés". Call before the
// application object exists: Qt reads the environment's locale then.
void useUtf8Locale();

// The folder the program runs from, where its files lie.
QString folder();
// Tests point this at a temporary folder; an empty string restores the default.
void setFolder(const QString &path);
// folder() + "/" + name
QString filePath(const QString &name);

// A modal warning: title "Figyelem!", the warning icon and one OK button.
void warn(const QString &text);
using WarnHandler = std::function<void(const QString &)>;
// Returns the previous handler; an empty handler restores the message box.
WarnHandler setWarnHandler(WarnHandler handler);

// Ends the program at once with the given exit status.
void end(int status = 0);
// Whether end() has been called (setEndHandler clears it).
bool ending();
using EndHandler = std::function<void(int)>;
EndHandler setEndHandler(EndHandler handler);

} // namespace program
