#include "app/program.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace program {
namespace {
QString g_folder;
WarnHandler g_warn;
EndHandler g_end;
bool g_ending = false;
} // namespace

QString folder()
{
    return g_folder.isEmpty() ? QCoreApplication::applicationDirPath() : g_folder;
}

void setFolder(const QString &path) { g_folder = path; }

QString filePath(const QString &name) { return folder() + QLatin1Char('/') + name; }

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
