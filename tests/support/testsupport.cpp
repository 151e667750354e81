#include "support/testsupport.h"
#include "app/testhooks.h"

#include "app/appsetup.h"
#include "app/forms.h"
#include "app/program.h"
#include "app/twips.h"
#include "game/board.h"
#include "game/seged.h"
#include "puzzles/betolt.h"
#include "game/tile.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace testsupport {

void initGui()
{
    appsetup::init();
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

board &play(const QString &text)
{
    betolt &entry = forms::load<betolt>();
    entry.show();
    entry.Text1->setText(text);
    entry.Command1->click();
    return forms::load<board>();
}

CursorLog::CursorLog(QWidget *w) { w->installEventFilter(this); }

bool CursorLog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::CursorChange) {
        const Qt::CursorShape now = static_cast<QWidget *>(watched)->cursor().shape();
        if (now != (shapes.isEmpty() ? Qt::ArrowCursor : shapes.last()))
            shapes << now;
    }
    return false;
}

void GuiTest::initTestCase() { initGui(); }

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

QByteArray cp1250(const QString &text)
{
    QStringEncoder encoder("windows-1250");
    return encoder.encode(text);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

FileSizeLimit::FileSizeLimit(long long bytes)
{
    std::signal(SIGXFSZ, SIG_IGN); // fail the write instead of killing the process
    rlimit lim{};
    getrlimit(RLIMIT_FSIZE, &lim);
    old_ = (long long)lim.rlim_cur;
    oldMax_ = (long long)lim.rlim_max;
    lim.rlim_cur = rlim_t(bytes);
    if (setrlimit(RLIMIT_FSIZE, &lim) != 0)
        qFatal("cannot limit file sizes");
}

FileSizeLimit::~FileSizeLimit()
{
    const rlimit lim{rlim_t(old_), rlim_t(oldMax_)};
    setrlimit(RLIMIT_FSIZE, &lim);
}

NoNewFiles::NoNewFiles()
{
    rlimit lim{};
    getrlimit(RLIMIT_NOFILE, &lim);
    old_ = (long long)lim.rlim_cur;
    oldMax_ = (long long)lim.rlim_max;
    // The lowest free descriptor becomes the limit: the next open fails.
    const int lowestFree = dup(0);
    close(lowestFree);
    lim.rlim_cur = rlim_t(lowestFree);
    if (setrlimit(RLIMIT_NOFILE, &lim) != 0)
        qFatal("cannot limit open files");
}

NoNewFiles::~NoNewFiles()
{
    const rlimit lim{rlim_t(old_), rlim_t(oldMax_)};
    setrlimit(RLIMIT_NOFILE, &lim);
}

} // namespace testsupport
