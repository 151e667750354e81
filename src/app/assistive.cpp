// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/assistive.h"

namespace assistive {

void send(QAccessibleInterface *iface, QAccessible::Event type)
{
    if (!iface)
        return;
    QAccessibleEvent event(iface, type);
    QAccessible::updateAccessibility(&event);
}

void send(QObject *object, QAccessible::Event type)
{
    QAccessibleEvent event(object, type);
    QAccessible::updateAccessibility(&event);
}

} // namespace assistive
