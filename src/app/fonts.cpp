// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/fonts.h"

#include <QApplication>

namespace fonts {

void installSubstitutes()
{
    QFont::insertSubstitution(QStringLiteral("Times New Roman CE"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QApplication::setFont(systemDefault());
}

QFont systemDefault()
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSizeF(8.25);
    return f;
}

static QFont bold(const char *family, double pointSize)
{
    QFont f(QString::fromLatin1(family));
    f.setPointSizeF(pointSize);
    f.setBold(true);
    return f;
}

QFont timesCE(double pointSize) { return bold("Times New Roman CE", pointSize); }
QFont msSansSerif(double pointSize) { return bold("MS Sans Serif", pointSize); }
QFont arial(double pointSize) { return bold("Arial", pointSize); }

} // namespace fonts
