// SPDX-License-Identifier: GPL-3.0-or-later
#include "wiring.h"

#include "app/controls.h"
#include "app/forms.h"
#include "finder/boardlink.h"
#include "finder/kereso.h"
#include "game/board.h"
#include "game/rules/keyboard.h"
#include "game/seged.h"
#include "permutator/permut.h"
#include "puzzles/betolt.h"
#include "puzzles/felvesz.h"
#include "puzzles/lista.h"
#include "puzzles/puzzlelists.h"
#include "startup/about.h"
#include "startup/indit.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>

namespace {

using namespace geometry;

// The board as the finder sees it: whichever board is loaded when asked.
class FinderBoard final : public BoardLink
{
public:
    using BoardLink::BoardLink;

    bool inPlay() const override
    {
        const board *b = forms::loaded<board>();
        return b && b->isVisible();
    }

    std::vector<finder::UpperTile> upperTiles() const override
    {
        std::vector<finder::UpperTile> upper;
        if (const board *b = forms::loaded<board>())
            for (const Tile *t : b->tilesIn(Row::Upper))
                upper.push_back({b->indexOf(t), t->Caption(), int(slotOf(t->Left()))});
        return upper;
    }

    std::vector<bool> lowerTaken() const override
    {
        std::vector<bool> taken;
        if (const board *b = forms::loaded<board>())
            for (int k = 0; k < usableSlots(b->dropWindowState()); ++k)
                taken.push_back(seged::state.SlotTable[size_t(k)].LowerTaken);
        return taken;
    }

    bool moveToLowerSlot(int tile, int slot) override
    {
        board *b = forms::loaded<board>();
        if (!b || tile < 0 || tile >= MaxTiles || !b->Command1[size_t(tile)])
            return false;
        // A release at a point of the slot, so that the mouse's rule decides.
        const keyboard::Point at = keyboard::dropPoint({Row::Lower, slot});
        return b->Form_DragDrop(b->Command1[size_t(tile)], at.x, at.y);
    }

    void endLift() override
    {
        if (board *b = forms::loaded<board>())
            b->putBackLifted();
    }
};

QPointer<FinderBoard> finderBoard;

// The entry window's text when it is needed, not when a game began: the
// player may have written another meanwhile ("Ismét" after "Új játék" sets
// up whatever the box holds).
QString entryText() { return forms::load<betolt>().Text1->text(); }

// A game from the text, the clock from zero.
void play(const QString &text)
{
    seged::SetUpGame(text, forms::load<betolt>());
    seged::state.ElapsedMinutes = 0;
    seged::state.ElapsedSeconds = 0;
}

// "Listából". The list window is loaded on first use with "Híres emberek"
// chosen and afterwards keeps the player's last choice; the hourglass shows
// on the entry window while the long famous list loads; then the list window
// takes the entry window's place with its first entry chosen.
void openList()
{
    lista &list = forms::load<lista>();
    betolt &entry = forms::load<betolt>();
    if (list.Option1->isChecked()) {
        const controls::Hourglass busy(&entry);
        seged::LoadFamousList();
    } else {
        seged::LoadOwnList();
    }
    entry.hide();
    list.showInFront();
    list.selectFirstEntry();
}

// "Kilépés". The vocabulary window is left as it is; "OK" in the about
// window ends everything.
void leave()
{
    forms::unload<indit>();
    forms::unload<betolt>();
    forms::unload<permut>();
    forms::unload<kereso>();
    forms::unload<lista>();
    forms::unload<board>();
    forms::load<about>().showInFront();
}

void wireBoard(board &b)
{
    QObject::connect(&b, &board::tilesChanged, finderBoard.data(), &BoardLink::changed);
    QObject::connect(&b, &board::exitWanted, &b, leave);
    QObject::connect(&b, &board::newGameWanted, &b, [] { forms::load<betolt>().showInFront(); });
    QObject::connect(&b, &board::againWanted, &b, [] { play(entryText()); });
    QObject::connect(&b, &board::addToListWanted, &b, [] { forms::load<felvesz>().showInFront(); });
    QObject::connect(&b, &board::permutatorWanted, &b, [](const QString &letters) {
        permut &p = forms::load<permut>();
        p.Text1->setText(letters);
        p.showInFront();
    });
    QObject::connect(&b, &board::finderWanted, &b, [&b] { forms::load<kereso>().openFor(*finderBoard, b); });
}

void wire(Form &form)
{
    switch (form.formId()) {
    case FormId::indit: {
        auto &w = static_cast<indit &>(form);
        QObject::connect(&w, &indit::done, &w, [] { forms::load<betolt>().showInFront(); });
        break;
    }
    case FormId::betolt: {
        auto &w = static_cast<betolt &>(form);
        QObject::connect(&w, &betolt::playWanted, &w, [](const QString &text) {
            forms::load<board>().setEnabled(true);
            play(text);
        });
        QObject::connect(&w, &betolt::playRefused, &w, [] { forms::load<board>().setEnabled(false); });
        QObject::connect(&w, &betolt::listWanted, &w, openList);
        break;
    }
    case FormId::board:
        wireBoard(static_cast<board &>(form));
        break;
    case FormId::lista: {
        auto &w = static_cast<lista &>(form);
        QObject::connect(&w, &lista::entryChosen, &w, [](const QString &text) { forms::load<betolt>().Text1->setText(text); });
        QObject::connect(&w, &lista::done, &w, [] { forms::load<betolt>().showInFront(); });
        break;
    }
    case FormId::felvesz:
        static_cast<felvesz &>(form).startingText = entryText;
        break;
    case FormId::kereso:
        // Only an entry window already loaded has a starting expression.
        static_cast<kereso &>(form).startingText = [] {
            const betolt *entry = forms::loaded<betolt>();
            return entry ? entry->Text1->text() : QString();
        };
        break;
    case FormId::permut:
    case FormId::about:
    case FormId::Count:
        break;
    }
}

} // namespace

namespace wiring {

void install()
{
    if (!finderBoard)
        finderBoard = new FinderBoard(qApp);
    forms::setLoadObserver(wire);
}

} // namespace wiring
