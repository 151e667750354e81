// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frameline.h"

#include "app/syscolour.h"
#include "app/twips.h"

namespace framelines {

void paint(QPainter &painter, std::initializer_list<const FrameLine *> lines)
{
    const QColor light = syscolour::window();
    const QColor dark = syscolour::windowText();
    for (const FrameLine *line : lines) {
        painter.setPen(QPen(line->light ? light : dark, 1));
        painter.drawLine(twips::toPx(line->X1), twips::toPx(line->Y1), twips::toPx(line->X2), twips::toPx(line->Y2));
    }
}

} // namespace framelines
