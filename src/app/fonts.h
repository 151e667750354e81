#pragma once
// The game's fonts. The design names Windows fonts; Debian has their
// metric-compatible Liberation twins, which also carry Ő and Ű.

#include <QFont>

namespace fonts {

// Must run before the first widget resolves a font.
void installSubstitutes();

QFont timesCE(double pointSize);     // "Times New Roman CE", bold
QFont msSansSerif(double pointSize); // "MS Sans Serif", bold
QFont arial(double pointSize);       // "Arial", bold

} // namespace fonts
