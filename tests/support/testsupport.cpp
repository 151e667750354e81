#include "support/testsupport.h"

#include "app/appsetup.h"
#include "game/seged.h"
#include "game/tile.h"

namespace testsupport {

Session::Session() {
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

} // namespace testsupport
