// SPDX-License-Identifier: GPL-3.0-or-later
// Resident memory over many openings and closings of the windows that are
// unloaded and loaded again from the board: the permutator, and the anagram
// finder with its word list. Every step runs from the event loop, as a click
// does, so that windows paint and their deferred deletes run as in the game.
// Usage: bench_windows WORDLIST

#include "app/appsetup.h"
#include "app/forms.h"
#include "app/program.h"
#include "app/testhooks.h"
#include "benchsupport.h"
#include "finder/kereso.h"
#include "finder/rules/wordlist.h"
#include "game/board.h"
#include "permutator/permut.h"
#include "puzzles/betolt.h"
#include "wiring.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <functional>
#include <vector>

using Steps = std::vector<std::function<void()>>;

// Runs the steps `rounds` times over, one step per turn of the event loop.
static void runRounds(const Steps &steps, int rounds)
{
    size_t next = 0;
    int done = 0;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        steps[next]();
        if (++next == steps.size()) {
            next = 0;
            if (++done == rounds)
                QCoreApplication::exit(0);
        }
    });
    timer.start();
    QApplication::exec();
}

// Warm-up rounds, then the growth of resident memory over 200 rounds.
static bool measure(const QString &what, const Steps &steps, double targetMb = 1)
{
    runRounds(steps, 20);
    const qsizetype widgets = QApplication::allWidgets().size();
    const double before = bench::rssMb();
    runRounds(steps, 200);
    const double growth = bench::rssMb() - before;
    // Otherwise the figure would hide windows that were never deleted.
    if (QApplication::allWidgets().size() != widgets)
        qFatal("%s: %lld widgets before, %lld after", qPrintable(what), (long long)widgets,
               (long long)QApplication::allWidgets().size());
    return bench::report(what, {growth}, targetMb, QStringLiteral("MB"));
}

static board &startGame()
{
    betolt &entry = forms::load<betolt>();
    entry.showInFront();
    entry.Text1->setText(QStringLiteral("Petőfi Sándor"));
    entry.Command1->click();
    return forms::load<board>();
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    appsetup::init();
    wiring::install();
    QTemporaryDir folder;
    program::setFolder(folder.path());
    program::setWarnHandler([](const QString &text) { qFatal("unexpected warning: %s", qPrintable(text)); });
    program::setEndHandler([](int) {});

    QTextStream(stdout) << "RSS growth over 200 rounds after 20 warm-up rounds, " << QGuiApplication::platformName()
                        << " platform" << Qt::endl;
    bool ok = true;

    board &b = startGame();
    ok &= measure(QStringLiteral("permutator opened and closed"), {
        [&] { b.Command6->click(); },
        [] { forms::loaded<permut>()->Command1->click(); },
    });

    // The list and its index made ahead, as the program has them beside it.
    const QString list = argc < 2 ? QString() : QString::fromLocal8Bit(argv[1]);
    if (list.isEmpty() || !QFile::copy(list, folder.filePath(QStringLiteral("szavak.txt"))) ||
        !QFile::copy(finder::WordList::indexPath(list), folder.filePath(QStringLiteral("szavak.idx"))))
        qFatal("usage: bench_windows WORDLIST (its index beside it)");
    ok &= measure(QStringLiteral("anagram finder opened, searched and closed"), {
        [&] { b.openFinder(); },
        [] {
            // Its first search done, as a player would look at it.
            kereso *k = forms::loaded<kereso>();
            while (k->isSearching())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        },
        [] { forms::loaded<kereso>()->closeButton->click(); },
    }, 2); // each opening maps and lets go the list and its index: a few kilobytes a time stay in the heap's pieces

    forms::destroyAll();
    return ok ? 0 : 1;
}
