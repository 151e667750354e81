// SPDX-License-Identifier: GPL-3.0-or-later
// A long own list (32,767 entries): load into the list control with the
// window on screen, clear it, save it. The load targets are relative to the
// bare read and decode of the same file, measured in the same run, so that
// a busy machine moves both figures alike.

#include "app/appsetup.h"
#include "app/forms.h"
#include "app/program.h"
#include "app/testhooks.h"
#include "benchsupport.h"
#include "puzzles/rules/listfile.h"
#include "puzzles/lista.h"
#include "puzzles/puzzlelists.h"
#include "puzzles/rules/ordering.h"
#include "puzzles/sortedcombo.h"

#include <QApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>

// Hungarian-looking names of about 20 characters.
static QStringList names(int count)
{
    const QStringList family{"Kovács", "Szabó", "Tóth", "Horváth", "Varga", "Kiss", "Molnár", "Németh", "Farkas",
                             "Balogh", "Papp", "Takács", "Juhász", "Lakatos", "Mészáros", "Oláh", "Simon", "Rácz",
                             "Fekete", "Szilágyi", "Török", "Fehér", "Gál", "Vörös", "Pintér", "Szűcs", "Győri"};
    const QStringList given{"Ágnes", "Béla", "Csaba", "Dénes", "Erzsébet", "Ferenc", "Gyöngyi", "Hajnalka",
                            "István", "János", "Katalin", "László", "Márta", "Nándor", "Orsolya", "Péter",
                            "Réka", "Sándor", "Tünde", "Ödön", "Zsuzsanna", "Ilona", "Gábor", "Endre"};
    QRandomGenerator rng(1250);
    QStringList out;
    out.reserve(count);
    for (int i = 0; i < count; ++i)
        out << family[rng.bounded(family.size())] + ' ' + given[rng.bounded(given.size())] + ' '
                   + given[rng.bounded(given.size())].left(3);
    return out;
}

static void writeList(const QTemporaryDir &dir, const QStringList &entries)
{
    QFile file(dir.filePath(QStringLiteral("sajat.txt")));
    if (!file.open(QIODevice::WriteOnly) || file.write(*listfile::encode(entries)) < 0)
        qFatal("cannot write the list");
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    appsetup::init();
    program::setWarnHandler([](const QString &text) { qFatal("unexpected warning: %s", qPrintable(text)); });

    // As the game writes it: sorted. And the same entries in no order.
    const QStringList inOrder = ordering::sorted(names(32767));
    QStringList shuffled = inOrder;
    std::shuffle(shuffled.begin(), shuffled.end(), QRandomGenerator(1250));
    QTemporaryDir sortedDir, shuffledDir;
    writeList(sortedDir, inOrder);
    writeList(shuffledDir, shuffled);

    lista &window = forms::load<lista>();
    window.show();
    QApplication::processEvents();

    const auto load = [] {
        seged::LoadOwnList();
        QApplication::processEvents();
    };
    const auto clear = [&] {
        window.Combo1->clearEntries();
        QApplication::processEvents();
    };
    const auto loadedWhole = [&] {
        if (window.Combo1->entries() != inOrder)
            qFatal("the list did not load whole and in order");
    };

    const int runs = 9;
    QTextStream(stdout) << "32,767-entry own list, " << runs << " runs each" << Qt::endl;
    bool ok = true;
    const QVector<double> read = bench::time(runs, [&] {
        (void)listfile::read(sortedDir.filePath(QStringLiteral("sajat.txt")));
    });
    const double readMs = bench::median(read);
    ok &= bench::report(QStringLiteral("read + decode only"), read, 0);

    program::setFolder(sortedDir.path());
    ok &= bench::report(QStringLiteral("LoadOwnList in order (2.5 x read)"), bench::time(runs, load, clear),
                        2.5 * readMs);
    loadedWhole();
    program::setFolder(shuffledDir.path());
    ok &= bench::report(QStringLiteral("LoadOwnList shuffled (6 x read)"), bench::time(runs, load, clear),
                        6 * readMs);
    loadedWhole();

    program::setFolder(sortedDir.path());
    ok &= bench::report(QStringLiteral("clear of the loaded list"), bench::time(runs, clear, load), 10);
    seged::LoadOwnList();
    ok &= bench::report(QStringLiteral("SaveOwnList"), bench::time(runs, [] { seged::SaveOwnList(); }), 50);

    forms::destroyAll();
    return ok ? 0 : 1;
}
