// SPDX-License-Identifier: GPL-3.0-or-later
// Hungarian alphabetical order, ignoring case, whatever the machine's
// locale: cs, dzs, gy, ly, ny, sz, ty, zs are letters of their own; Á goes
// with A, Ö and Ő after O.
#pragma once

#include <QCollator>
#include <QStringList>

namespace ordering {

const QCollator &collator();

// The entries in order; entries that compare equal keep their order.
QStringList sorted(const QStringList &entries);

// Where an entry goes in a sorted list: after the entries equal to it.
qsizetype insertionIndex(const QStringList &sortedEntries, const QString &entry);

} // namespace ordering
