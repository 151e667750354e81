// A long own list (32,767 entries): load into the list control with the
// window on screen, clear it, save it.

#include "app/appsetup.h"
#include "app/testhooks.h"
#include "app/forms.h"
#include "app/program.h"
#include "benchsupport.h"
#include "puzzles/rules/listfile.h"
#include "puzzles/lista.h"
#include "puzzles/lists.h"
#include "puzzles/sortedcombo.h"

#include <QApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

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

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    appsetup::init();
    QTemporaryDir dir;
    program::setFolder(dir.path());
    program::setWarnHandler([](const QString &text) { qFatal("unexpected warning: %s", qPrintable(text)); });

    const QStringList list = names(32767);
    QFile file(dir.filePath(QStringLiteral("sajat.txt")));
    if (!file.open(QIODevice::WriteOnly) || file.write(*listfile::encode(list)) < 0)
        qFatal("cannot write the list");
    file.close();

    lista &window = forms::load<lista>();
    window.show();
    QApplication::processEvents();

    const int runs = 9;
    QTextStream(stdout) << "32,767-entry own list, " << runs << " runs each" << Qt::endl;
    bool ok = true;
    ok &= bench::report(QStringLiteral("read + decode only"), bench::time(runs, [&] {
        (void)listfile::read(dir.filePath(QStringLiteral("sajat.txt")));
    }), 0);
    ok &= bench::report(QStringLiteral("LoadOwnList, window shown"), bench::time(runs, [&] {
        seged::LoadOwnList();
        QApplication::processEvents();
    }, [&] { window.Combo1->clearEntries(); QApplication::processEvents(); }), 100);
    if (window.Combo1->count() != 32767)
        qFatal("the list did not load whole");
    ok &= bench::report(QStringLiteral("clear of the loaded list"), bench::time(runs, [&] {
        window.Combo1->clearEntries();
        QApplication::processEvents();
    }, [&] { seged::LoadOwnList(); QApplication::processEvents(); }), 10);
    seged::LoadOwnList();
    ok &= bench::report(QStringLiteral("SaveOwnList"), bench::time(runs, [] { seged::SaveOwnList(); }), 50);

    forms::destroyAll();
    return ok ? 0 : 1;
}
