#include "support/testsupport.h"

#include "app/fonts.h"
#include "app/forms.h"
#include "app/program.h"
#include "app/twips.h"
#include "game/seged.h"
#include "game/tile.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QtTest>

namespace testsupport {

void initGui()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    fonts::installSubstitutes();
    QApplication::setQuitOnLastWindowClosed(false);
}

Session::Session()
{
    QVERIFY(dir_.isValid());
    seged::resetState();
    program::setFolder(dir_.path());
    program::setWarnHandler([this](const QString &text) { warnings << text; });
    program::setEndHandler([this](int status) { ends << status; });
}

Session::~Session()
{
    forms::destroyAll();
    program::setWarnHandler({});
    program::setEndHandler({});
    program::setFolder(QString());
    seged::resetState();
}

void Session::copyAsset(const QString &name) const
{
    const QString from = QStringLiteral(MORVALIN_SOURCE_ASSETS "/") + name;
    const QString to = dir_.filePath(name);
    QFile::remove(to);
    if (!QFile::copy(from, to))
        qFatal("cannot copy asset %s", qPrintable(name));
}

bool sendTileDrop(QWidget *target, int tileIndex, const QPointF &px)
{
    std::unique_ptr<QMimeData> mime(tilemime::make(tileIndex));
    QDragEnterEvent enter(px.toPoint(), Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(px, Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

QPointF pxAt(double xTwips, double yTwips)
{
    return QPointF(xTwips / twips::PerPixel, yTwips / twips::PerPixel);
}

} // namespace testsupport
