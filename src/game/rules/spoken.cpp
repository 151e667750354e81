// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/rules/spoken.h"

#include "game/rules/letters.h"

namespace spoken {

using geometry::Row;

static QString rowName(Row row) { return row == Row::Lower ? QStringLiteral("alsó") : QStringLiteral("felső"); }
// With its article, which Hungarian chooses by the sound that follows.
static QString theRow(Row row) { return row == Row::Lower ? QStringLiteral("az alsó sor") : QStringLiteral("a felső sor"); }

QString place(keyboard::Slot at) { return QStringLiteral("%1 sor, %2. hely").arg(rowName(at.row)).arg(at.slot + 1); }

// The tile standing at a place, if any.
static const keyboard::TileView *standing(keyboard::Slot at, const std::vector<keyboard::TileView> &tiles)
{
    for (const keyboard::TileView &t : tiles)
        if (keyboard::placeOf(t) == at)
            return &t;
    return nullptr;
}

QString target(const QString &lifted, keyboard::Slot own, keyboard::Slot at,
               const std::vector<keyboard::TileView> &tiles)
{
    if (at == own)
        return QStringLiteral("%1 felemelve, cél: %2").arg(lifted, place(at));
    if (const keyboard::TileView *there = standing(at, tiles))
        return place(at) + QStringLiteral(", foglalt: ") + there->caption;
    return place(at) + QStringLiteral(", szabad");
}

QString refused(Refusal why, const QString &lifted)
{
    switch (why) {
    case Refusal::OwnPlace:
        return QStringLiteral("Saját helye, %1 felemelve marad.").arg(lifted);
    case Refusal::Taken:
        return QStringLiteral("Foglalt hely, %1 felemelve marad.").arg(lifted);
    case Refusal::NotUsable:
        break;
    }
    return QStringLiteral("Ide nem tehető, %1 felemelve marad.").arg(lifted);
}

QString noTileFor(char32_t letter)
{
    return QStringLiteral("Nincs %1 betű a felső sorban.").arg(QString::fromUcs4(&letter, 1).toUpper());
}

QString noFreeSlot(Row row) { return QStringLiteral("Nincs szabad hely %1ban.").arg(theRow(row)); }

QString rowEmpty(Row row)
{
    QString text = theRow(row) + QStringLiteral(" üres.");
    text[0] = text[0].toUpper();
    return text;
}

QString rowEdge() { return QStringLiteral("A sor széle."); }

QString alreadyIn(Row row) { return QStringLiteral("Már %1ban.").arg(theRow(row)); }

QString nothingLifted() { return QStringLiteral("Nincs felemelt betű."); }

QString shuffled(const QString &upperRow) { return QStringLiteral("Összekeverve: %1").arg(upperRow.trimmed()); }

QString rowText(const std::vector<keyboard::TileView> &tiles, Row row)
{
    QString text(geometry::LastSlotInUse + 1, u' ');
    for (const keyboard::TileView &t : tiles) {
        const keyboard::Slot at = keyboard::placeOf(t);
        if (at.row == row && at.slot >= 0 && at.slot < text.size() && !t.caption.isEmpty())
            text[at.slot] = t.caption.front();
    }
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

} // namespace spoken
