// SPDX-License-Identifier: GPL-3.0-or-later
// Timing helpers shared by the benchmarks.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QVector>
#include <functional>

namespace bench {

// Runs `body` `runs` times and returns the milliseconds of each run.
QVector<double> time(int runs, const std::function<void()> &body, const std::function<void()> &before = {});

double median(QVector<double> values);

// The process's resident memory now, in MB.
double rssMb();

// Prints one result line and returns whether it met its target (none
// when target <= 0).
bool report(const QString &what, const QVector<double> &values, double target, const QString &unit = QStringLiteral("ms"));

} // namespace bench
