// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appsetup.h"
#include "app/forms.h"
#include "app/program.h"
#include "finder/commandline.h"
#include "startup/indit.h"
#include "startup/resources.h"
#include "wiring.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    program::useUtf8Locale();
    // The finder from the command line needs no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (commandline::wanted(arguments)) {
        QCoreApplication app(argc, argv);
        return commandline::run(QCoreApplication::arguments());
    }
    program::preferXcbOnWayland();
    QApplication app(argc, argv);
    appsetup::init();
    startup::initResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/startup/title.jpg")));

    wiring::install();
    forms::load<indit>().show();

    const int status = QApplication::exec();
    forms::destroyAll();
    return status;
}
