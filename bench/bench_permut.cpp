// SPDX-License-Identifier: GPL-3.0-or-later
// The permutator's whole run for a 7-character text: generate, format 5040
// lines, fill the results box and paint it.

#include "app/appsetup.h"
#include "app/testhooks.h"
#include "app/forms.h"
#include "app/program.h"
#include "benchsupport.h"
#include "permutator/permut.h"
#include "permutator/rules/permutations.h"

#include <QApplication>
#include <QLineEdit>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    appsetup::init();
    program::setWarnHandler([](const QString &text) { qFatal("unexpected warning: %s", qPrintable(text)); });

    permut &window = forms::load<permut>();
    window.show();
    window.Text1->setText(QStringLiteral("MORVALI"));
    QApplication::processEvents();

    const int runs = 15;
    QTextStream(stdout) << "7-character text, " << runs << " runs each" << Qt::endl;
    bool ok = true;
    ok &= bench::report(QStringLiteral("generate and join only"), bench::time(runs, [] {
        QList<permutations::Element> list = permutations::elementsOf(QStringLiteral("MORVALI"));
        (void)permutations::lines(permutations::Permutations(list));
    }), 0);
    ok &= bench::report(QStringLiteral("whole run, results painted"), bench::time(runs, [&] {
        window.cmdGo_Click();
        window.repaint();
        QApplication::processEvents();
    }), 30);
    if (window.results().count(QStringLiteral("\r\n")) != 5040)
        qFatal("the run did not produce 5040 lines");

    forms::destroyAll();
    return ok ? 0 : 1;
}
