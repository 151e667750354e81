// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's fonts. The design names Windows fonts; Debian has their
// metric-compatible Liberation twins, which also carry Ő and Ű.

#include <QFont>

namespace fonts {

// Must run before the first widget resolves a font. Also makes "MS Sans
// Serif" 8.25 pt the application's default font, as the windows were
// designed with it.
void installSubstitutes();

QFont systemDefault(); // "MS Sans Serif", 8.25 pt, regular

QFont timesCE(double pointSize);     // "Times New Roman CE", bold
QFont msSansSerif(double pointSize); // "MS Sans Serif", bold
QFont arial(double pointSize);       // "Arial", bold

} // namespace fonts
