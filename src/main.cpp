#include "app/fonts.h"
#include "app/forms.h"
#include "app/program.h"
#include "startup/indit.h"
#include "startup/resources.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    program::useUtf8Locale();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Morvalin"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    fonts::installSubstitutes();
    // The windows decide themselves when closing one ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    startup::initResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/startup/title.jpg")));

    forms::load<indit>().show();

    const int status = QApplication::exec();
    forms::destroyAll();
    return status;
}
