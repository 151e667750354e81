// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictures stored with the start-up and about windows live in a static
// library; the linker keeps them only when something asks for them.

namespace startup {
void initResources();
}
