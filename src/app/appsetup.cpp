// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appsetup.h"

#include "app/fonts.h"

#include <QApplication>

namespace appsetup {

void init()
{
    QApplication::setApplicationName(QStringLiteral("Morvalin"));
    QGuiApplication::setDesktopFileName(QStringLiteral(MORVALIN_APP_ID));
    QApplication::setStyle(QStringLiteral("Fusion"));
    fonts::installSubstitutes();
    QApplication::setQuitOnLastWindowClosed(false);
}

} // namespace appsetup
