// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup/resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initStartupResources() { Q_INIT_RESOURCE(startup); }

namespace startup {

void initResources()
{
    static const bool done = (initStartupResources(), true);
    Q_UNUSED(done);
}

} // namespace startup
