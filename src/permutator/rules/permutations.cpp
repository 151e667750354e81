// SPDX-License-Identifier: GPL-3.0-or-later
#include "permutator/rules/permutations.h"

namespace permutations {

QList<Element> elementsOf(const QString &text)
{
    QList<Element> elements;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QString ch = text.mid(i, len);
        elements << (ch == u" " ? QString() : ch);
        i += len - 1;
    }
    return elements;
}

QList<Arrangement> Permutations(QList<Element> &list)
{
    if (list.size() == 1)
        return {Arrangement{list.front()}};
    const qsizetype n = list.size();
    QList<Arrangement> result;
    for (qsizetype c = 0; c < n; ++c) {
        const Element e = list.takeAt(c);
        const QList<Arrangement> sub = Permutations(list);
        if (c == 0)
            result.reserve(n * sub.size());
        for (const Arrangement &s : sub) {
            Arrangement a;
            a.reserve(s.size() + 1);
            a << e << s;
            result << a;
        }
        list.insert(c, e);
    }
    return result;
}

int32_t Factorial(int32_t n)
{
    if (n <= 2)
        return n;
    return n * Factorial(n - 1);
}

QString lines(const QList<Arrangement> &arrangements)
{
    QString out;
    if (!arrangements.isEmpty())
        out.reserve(arrangements.size() * (arrangements.front().size() + 2));
    for (const Arrangement &a : arrangements) {
        for (const Element &e : a)
            out += e;
        out += u"\r\n";
    }
    return out;
}

} // namespace permutations
