#include "app/appsetup.h"
#include "app/forms.h"
#include "app/program.h"
#include "startup/indit.h"
#include "startup/resources.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    program::useUtf8Locale();
    program::preferXcbOnWayland();
    QApplication app(argc, argv);
    appsetup::init();
    startup::initResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/startup/title.jpg")));

    forms::load<indit>().show();

    const int status = QApplication::exec();
    forms::destroyAll();
    return status;
}
