// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up cost of the game against a minimal Qt Widgets window, measured
// side by side in one run on the same X server: time from process start to
// the first picture on screen, and peak resident memory.
//
// Usage: bench_startup GAME MINIMAL   (DISPLAY must name an X server)

#include "benchsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTextStream>
#include <QThread>

struct Sample
{
    double ms = -1;
    double peakMb = -1;
};

// Peak resident set size of a process, from /proc.
static double peakRssMb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

// Starts the program and waits until the point below the screen centre
// shows the splash blue; both windows are centred and blue there.
static Sample measure(const QString &program, QScreen *screen)
{
    const QRect area = screen->geometry();
    const QPoint probe(area.width() / 2, area.height() / 2 + 60);
    const QRgb blue = qRgb(104, 136, 224);
    auto pixel = [&] { return screen->grabWindow(0, probe.x(), probe.y(), 1, 1).toImage().pixel(0, 0) & 0xffffff; };
    if (pixel() == (blue & 0xffffff))
        qFatal("the screen already shows the probe colour");

    QProcess process;
    process.setProgram(program);
    process.setWorkingDirectory(QFileInfo(program).absolutePath());
    QElapsedTimer clock;
    clock.start();
    process.start();
    if (!process.waitForStarted(5000))
        qFatal("cannot start %s", qPrintable(program));
    Sample s;
    while (clock.elapsed() < 15000) {
        if (pixel() == (blue & 0xffffff)) {
            s.ms = clock.nsecsElapsed() / 1e6;
            break;
        }
        QThread::usleep(200);
    }
    QThread::msleep(500); // let it settle before reading its peak
    s.peakMb = peakRssMb(process.processId());
    process.kill();
    process.waitForFinished(5000);
    // Wait until the window has gone again.
    while (pixel() == (blue & 0xffffff) && clock.elapsed() < 30000)
        QThread::msleep(5);
    return s;
}

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        qFatal("usage: bench_startup GAME MINIMAL");
    QScreen *screen = QGuiApplication::primaryScreen();

    const int runs = 7;
    QTextStream out(stdout);
    out << "start-up, " << runs << " runs each, alternating" << Qt::endl;
    QVector<double> gameMs, minMs, gameMb, minMb;
    // Warm the file cache for both before timing.
    measure(args[1], screen);
    measure(args[2], screen);
    for (int i = 0; i < runs; ++i) {
        const Sample g = measure(args[1], screen);
        const Sample m = measure(args[2], screen);
        if (g.ms < 0 || m.ms < 0)
            qFatal("a window never appeared");
        gameMs << g.ms;
        minMs << m.ms;
        gameMb << g.peakMb;
        minMb << m.peakMb;
    }

    bench::report(QStringLiteral("minimal window: start to first paint"), minMs, 0);
    bench::report(QStringLiteral("game: start to first splash frame"), gameMs, 0);
    bench::report(QStringLiteral("minimal window: peak RSS"), minMb, 0, QStringLiteral("MB"));
    bench::report(QStringLiteral("game: peak RSS"), gameMb, 0, QStringLiteral("MB"));
    const double timeRatio = bench::median(gameMs) / bench::median(minMs);
    const double rssRatio = bench::median(gameMb) / bench::median(minMb);
    const bool ok = timeRatio <= 1.3 && rssRatio <= 1.3;
    out << qSetRealNumberPrecision(2) << Qt::fixed << "time ratio " << timeRatio << " (target <= 1.30: "
        << (timeRatio <= 1.3 ? "met" : "MISSED") << "), peak RSS ratio " << rssRatio << " (target <= 1.30: "
        << (rssRatio <= 1.3 ? "met" : "MISSED") << ")" << Qt::endl;
    return ok ? 0 : 1;
}
