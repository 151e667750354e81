// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A word list's text as the finder reads it, for the suites that make their own lists.

#include <QByteArray>
#include <QStringList>

// Each entry is "form" (cost 50, a plain noun), "form<TAB>cost<TAB>readings" (plain, its own stem) or a whole line;
// the entries are sorted and counted.
inline QByteArray listText(QStringList entries)
{
    for (QString &e : entries) {
        if (!e.contains(u'\t'))
            e += QStringLiteral("\t50\tNns3---");
        if (e.count(u'\t') == 2)
            e = e.section(u'\t', 0, 1) + QStringLiteral("\t-\t") + e.section(u'\t', 2) + QStringLiteral("\t=");
    }
    entries.sort(); // code point order, which is the bytes' order
    QByteArray text = "#\t" + QByteArray::number(entries.size()) + "\n";
    for (const QString &e : entries)
        text += e.toUtf8() + "\n";
    return text;
}
