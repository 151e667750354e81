// SPDX-License-Identifier: GPL-3.0-or-later
// Moving puzzle lists between their files and the list control Combo1 of
// the puzzle list window (created, not shown, if it is not loaded yet).
#pragma once

class QString;

namespace seged {

// Fills Combo1 with hires.txt. A missing or unreadable file gives a message
// and an empty list; returns whether the list was read.
bool LoadFamousList();

// Fills Combo1 with sajat.txt; a missing file is an empty list. An existing
// file that cannot be read gives a message and blocks every save until a
// later load succeeds, so the partial list never replaces the file.
bool LoadOwnList();

// Adds an entry to Combo1 at its place in the order; SaveOwnList writes it.
void AddListEntry(const QString &entry);

// Replaces sajat.txt with the entries of Combo1. On any failure the old file
// stays whole, Combo1 keeps every entry, and the player gets a message.
bool SaveOwnList();

} // namespace seged
