// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzles/puzzlelists.h"

#include "app/program.h"
#include "puzzles/rules/listfile.h"
#include "puzzles/lista.h"
#include "puzzles/sortedcombo.h"

namespace seged {

namespace {

const QString FamousFile = QStringLiteral("hires.txt");

const QString FamousMissing = QStringLiteral("A híres emberek listája (hires.txt) nem található a program mappájában.");
const QString FamousUnreadable = QStringLiteral("A híres emberek listája (hires.txt) nem olvasható.");
const QString OwnUnreadable = QStringLiteral(
    "A saját lista (sajat.txt) nem olvasható, ezért most nem módosítható. A fájlt a játék nem írja felül.");
const QString OwnNotLoaded = QStringLiteral(
    "A saját lista nincs hibátlanul betöltve, ezért nem menthető. A sajat.txt fájl változatlan maradt.");
const QString SaveFailed = QStringLiteral(
    "A saját lista (sajat.txt) mentése nem sikerült. A korábbi fájl változatlan maradt.");
const QString EntryUnstorable = QStringLiteral(
    "A saját lista egyik bejegyzése nem menthető. A sajat.txt fájl változatlan maradt.");

} // namespace

static bool load(const QString &path, lista::Holding whenRead)
{
    lista &l = forms::load<lista>();
    l.Combo1->clearEntries();
    l.holding = lista::Holding::Nothing;
    const bool own = whenRead == lista::Holding::Own;
    const listfile::ReadResult r = listfile::read(path);
    switch (r.status) {
    case listfile::ReadStatus::Ok:
        l.Combo1->setEntries(r.entries);
        l.holding = whenRead;
        return true;
    case listfile::ReadStatus::Missing:
        if (own) { // the player has not saved anything yet
            l.holding = lista::Holding::Own;
            return true;
        }
        program::warn(FamousMissing);
        return false;
    case listfile::ReadStatus::Unreadable:
        if (own)
            l.holding = lista::Holding::OwnUnreadable;
        program::warn(own ? OwnUnreadable : FamousUnreadable);
        return false;
    }
    return false;
}

bool LoadFamousList() { return load(program::filePath(FamousFile), lista::Holding::Famous); }

bool LoadOwnList() { return load(program::ownListPath(), lista::Holding::Own); }

void AddListEntry(const QString &entry) { forms::load<lista>().Combo1->addEntry(entry); }

bool SaveOwnList()
{
    lista &l = forms::load<lista>();
    if (l.holding != lista::Holding::Own) {
        program::warn(l.holding == lista::Holding::OwnUnreadable ? OwnUnreadable : OwnNotLoaded);
        return false;
    }
    const auto bytes = listfile::encode(l.Combo1->entries());
    if (!bytes) {
        program::warn(EntryUnstorable);
        return false;
    }
    if (!listfile::write(program::ownListPath(), *bytes)) {
        program::warn(SaveFailed);
        return false;
    }
    return true;
}

} // namespace seged
