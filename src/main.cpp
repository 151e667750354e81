#include "app/fonts.h"
#include "app/forms.h"
#include "puzzles/betolt.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Morvalin"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    fonts::installSubstitutes();
    // The windows decide themselves when closing one ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    forms::load<betolt>().show();

    const int status = QApplication::exec();
    forms::destroyAll();
    return status;
}
