// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program.h"
#include "app/testhooks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

#include <clocale>
#include <cstdlib>
#include <strings.h>
#include <langinfo.h>
#include <optional>
#include <string>

namespace program {
namespace {
std::optional<Locations> g_locations;
WarnHandler g_warn;
EndHandler g_end;
bool g_ending = false;
} // namespace

static bool utf8Ctype()
{
    const char *codeset = nl_langinfo(CODESET);
    return codeset && (strcasecmp(codeset, "UTF-8") == 0 || strcasecmp(codeset, "utf8") == 0);
}

void useUtf8Locale()
{
    // A locale that is not installed leaves the C locale in place.
    std::setlocale(LC_ALL, "");
    if (utf8Ctype())
        return;
    // "hu_HU.ISO-8859-2@euro" -> "hu_HU.UTF-8", else the locale every
    // Debian has.
    std::string language = std::setlocale(LC_CTYPE, nullptr);
    language = language.substr(0, language.find_first_of(".@"));
    for (const std::string &name : {language + ".UTF-8", std::string("C.UTF-8")}) {
        if (!std::setlocale(LC_CTYPE, name.c_str()) || !utf8Ctype())
            continue;
        // LC_ALL outranks LC_CTYPE when Qt reads the environment again.
        setenv(std::getenv("LC_ALL") && *std::getenv("LC_ALL") ? "LC_ALL" : "LC_CTYPE", name.c_str(), 1);
        return;
    }
}

void preferXcbOnWayland()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("DISPLAY"))
        return;
    if (qgetenv("XDG_SESSION_TYPE") == "wayland" || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

static const QString Famous = QStringLiteral("hires.txt");

Locations locate(const QString &binaryFolder)
{
    if (QFileInfo::exists(binaryFolder + u'/' + Famous))
        return {binaryFolder, binaryFolder + QStringLiteral("/sajat.txt")};
    // Relative to the binary, so that the whole prefix can be moved.
    QString data = QDir::cleanPath(binaryFolder + QStringLiteral("/" MORVALIN_DATA_FROM_BIN));
    if (!QFileInfo::exists(data + u'/' + Famous)) {
        const QString found = QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("morvalin/") + Famous);
        if (!found.isEmpty())
            data = QFileInfo(found).absolutePath();
    }
    return {data, QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                      + QStringLiteral("/morvalin/sajat.txt")};
}

static const Locations &locations()
{
    if (!g_locations)
        g_locations = locate(QCoreApplication::applicationDirPath());
    return *g_locations;
}

void setFolder(const QString &path)
{
    if (path.isEmpty())
        g_locations.reset();
    else
        g_locations = Locations{path, path + QStringLiteral("/sajat.txt")};
}

void setLocations(const Locations &where) { g_locations = where; }

QString filePath(const QString &name) { return locations().dataFolder + u'/' + name; }

QString ownListPath() { return locations().ownList; }

void warn(const QString &text)
{
    if (g_warn) {
        g_warn(text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Figyelem!"), text, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

WarnHandler setWarnHandler(WarnHandler handler) { return std::exchange(g_warn, std::move(handler)); }

void end(int status)
{
    g_ending = true;
    if (g_end) {
        g_end(status);
        return;
    }
    // exit(), not quit(): quit() would first offer every window a close
    // event, and the windows' close handlers have work of their own.
    QCoreApplication::exit(status);
}

bool ending() { return g_ending; }

EndHandler setEndHandler(EndHandler handler)
{
    g_ending = false;
    return std::exchange(g_end, std::move(handler));
}

} // namespace program
