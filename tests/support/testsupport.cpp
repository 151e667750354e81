// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/testsupport.h"

#include "app/appsetup.h"
#include "game/seged.h"
#include "game/tile.h"
#include "wiring.h"

#include <QAccessible>
#ifdef MORVALIN_HAVE_QPA_ACCESSIBILITY
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#endif

namespace testsupport {

Session::Session() {
    wiring::install(); // the program's own connections between the windows
    seged::resetState();
    program::setFolder(dir.path());
    program::setWarnHandler([this](const QString &text) { warnings << text; });
    program::setEndHandler([this](int status) { ends << status; });
}

Session::~Session() {
    forms::destroyAll();
    program::setWarnHandler({});
    program::setEndHandler({});
}

void Session::copyAsset(const QString &name) const {
    if (!QFile::copy(QStringLiteral(MORVALIN_SOURCE_ASSETS "/") + name, dir.filePath(name))) qFatal("cannot copy %s", qPrintable(name));
}

void GuiTest::initTestCase() { appsetup::init(); }

bool sendTileDrop(QWidget *target, int tileIndex, const QPointF &px) {
    std::unique_ptr<QMimeData> mime(tilemime::make(tileIndex));
    QDragEnterEvent enter(px.toPoint(), Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(px, Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

static A11yLog *currentLog = nullptr;

static QString described(QAccessibleInterface *iface) {
    return iface ? QString("%1 '%2'").arg(QAccessible::staticMetaObject.enumerator(QAccessible::staticMetaObject.indexOfEnumerator("Role"))
                                              .valueToKey(iface->role()), iface->text(QAccessible::Name))
                 : QString("nothing");
}

static void record(QAccessibleEvent *event) {
    if (!currentLog) return;
    QAccessibleInterface *iface = event->accessibleInterface();
    const QMetaEnum types = QAccessible::staticMetaObject.enumerator(QAccessible::staticMetaObject.indexOfEnumerator("Event"));
    QString seen = QString(types.valueToKey(event->type())) + ' ' + described(iface);
    if (iface && (event->type() == QAccessible::ObjectCreated || event->type() == QAccessible::ObjectDestroyed))
        seen += " in " + described(iface->parent());
    currentLog->events << seen;
    if (!iface) return;
    if (event->type() == QAccessible::Focus) {
        const QAccessibleInterface *parent = iface->parent();
        currentLog->said << (parent ? parent->text(QAccessible::Name) + " > " : QString()) + iface->text(QAccessible::Name) + " | " +
                                iface->text(QAccessible::Description);
    } else if (event->type() == QAccessible::ObjectShow && iface->role() == QAccessible::Notification) {
        currentLog->said << "notice: " + iface->text(QAccessible::Name);
    }
}

bool A11yLog::available() {
#ifdef MORVALIN_HAVE_QPA_ACCESSIBILITY
    return true;
#else
    return false;
#endif
}

A11yLog::A11yLog() {
    currentLog = this;
    QAccessible::installUpdateHandler(record);
#ifdef MORVALIN_HAVE_QPA_ACCESSIBILITY
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
#endif
}

A11yLog::~A11yLog() {
#ifdef MORVALIN_HAVE_QPA_ACCESSIBILITY
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
#endif
    QAccessible::installUpdateHandler(nullptr);
    currentLog = nullptr;
}

} // namespace testsupport
