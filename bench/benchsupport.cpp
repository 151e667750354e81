// SPDX-License-Identifier: GPL-3.0-or-later
#include "benchsupport.h"

#include <QFile>
#include <QTextStream>
#include <algorithm>

namespace bench {

QVector<double> time(int runs, const std::function<void()> &body, const std::function<void()> &before)
{
    QVector<double> ms;
    for (int i = 0; i < runs; ++i) {
        if (before)
            before();
        QElapsedTimer t;
        t.start();
        body();
        ms << t.nsecsElapsed() / 1e6;
    }
    return ms;
}

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double rssMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        qFatal("cannot read /proc/self/status");
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    qFatal("no VmRSS line");
}

bool report(const QString &what, const QVector<double> &values, double target, const QString &unit)
{
    const double m = median(values);
    const bool ok = target <= 0 || m <= target;
    QTextStream out(stdout);
    out << qSetFieldWidth(44) << Qt::left << what << qSetFieldWidth(0) << " median " << qSetRealNumberPrecision(1)
        << Qt::fixed << m << ' ' << unit;
    // Met with room: noise on a small machine must not flip a target.
    if (target > 0)
        out << "  (target <= " << target << ' ' << unit << ": " << (ok ? "met" : "MISSED") << ", "
            << qSetRealNumberPrecision(0) << 100 * m / target << " %" << (m <= target * 2 / 3 ? "" : ", NO ROOM") << ")"
            << qSetRealNumberPrecision(1);
    out << "  runs:";
    for (double v : values)
        out << ' ' << v;
    out << Qt::endl;
    return ok;
}

} // namespace bench
