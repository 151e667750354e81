// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzles/felvesz.h"

#include "app/controls.h"
#include "app/program.h"
#include "app/twips.h"
#include "game/rules/state.h"
#include "puzzles/puzzlelists.h"
#include "puzzles/rules/listfile.h"
#include "puzzles/rules/vocabulary.h"

#include <QFrame>
#include <QPushButton>
#include <QRadioButton>

felvesz::felvesz() : Form(Id)
{
    setWindowTitle(QStringLiteral("Felvétel a szójegyzékbe"));
    setFixedClientTw(3255, 1620);

    Frame1 = controls::frame(this, 0, -70, 3255, 1695);
    Option1 = controls::option(Frame1, QStringLiteral("Induló kifejezést"), 240, 360, 1455, 255);
    Option2 = controls::option(Frame1, QStringLiteral("Kész kifejezést"), 240, 840, 1455, 255);
    Option2->setChecked(true);
    Command1 = controls::button(Frame1, QStringLiteral("Mehet"), 1920, 1080, 1095, 375);
    setTabOrder({Option1, Option2, Command1});
    connect(Command1, &QPushButton::clicked, this, &felvesz::Command1_Click);

    // No load handler of its own; a sensible first place.
    centreOnScreen();
}

static QString describe(const QString &ch)
{
    if (ch == u"\r" || ch == u"\n")
        return QStringLiteral("sortörést");
    return QStringLiteral("„%1” karaktert").arg(ch);
}

void felvesz::Command1_Click()
{
    // An own list that cannot be read is never written over.
    if (!seged::LoadOwnList())
        return;
    const QString text = Option2->isChecked() ? vocabulary::finishedExpression(seged::state)
                                              : startingText ? startingText() : QString();
    // The list file holds Windows-1250 only: refuse rather than store a
    // substitute character.
    if (const auto bad = listfile::firstUnrepresentable(text)) {
        program::warn(QStringLiteral("A kifejezés olyan %1 tartalmaz, amely nem menthető a saját listába. "
                                     "A lista nem változott.")
                          .arg(describe(*bad)));
        return;
    }
    seged::AddListEntry(text);
    if (seged::SaveOwnList())
        hide();
}
