// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/rules/letters.h"

#include <QList>

#include <QChar>

namespace letters {

char32_t upper(char32_t ch) { return QChar::toUpper(ch); }

Kind classify(char32_t ch)
{
    const char32_t u = upper(ch);
    if (u == U' ')
        return Kind::Space;
    if (u >= U'A' && u <= U'Z')
        return Kind::Letter;
    switch (u) {
    case U'Á': case U'É': case U'Í': case U'Ó': case U'Ö':
    case U'Ő': case U'Ú': case U'Ü': case U'Ű':
        return Kind::Letter;
    default:
        return Kind::Refused;
    }
}

int count(const QString &text)
{
    int n = 0;
    for (const char32_t ch : text.toUcs4())
        n += classify(upper(ch)) == Kind::Letter;
    return n;
}

} // namespace letters
