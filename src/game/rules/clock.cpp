// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/rules/clock.h"

#include <cmath>

namespace gameclock {

void tick(double &minutes, double &seconds)
{
    seconds += 1;
    if (seconds == 60) {
        seconds = 0;
        minutes += 1;
    }
}

static QString part(double value)
{
    const QString digits = QString::number(static_cast<qlonglong>(std::fabs(value)));
    return value < 10 ? QLatin1Char('0') + digits : digits;
}

QString text(double minutes, double seconds)
{
    return part(minutes) + QStringLiteral(" : ") + part(seconds);
}

} // namespace gameclock
