// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/controls.h"

#include "app/twips.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace controls {

QPushButton *button(QWidget *parent, const QString &caption, int left, int top, int width, int height)
{
    auto *b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    b->setGeometry(twips::toPx(left, top, width, height));
    return b;
}

QLabel *label(QWidget *parent, const QString &caption, int left, int top, int width, int height)
{
    auto *l = new QLabel(caption, parent);
    l->setGeometry(twips::toPx(left, top, width, height));
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QFrame *frame(QWidget *parent, int left, int top, int width, int height)
{
    auto *f = new QFrame(parent);
    f->setGeometry(twips::toPx(left, top, width, height));
    f->setFrameShape(QFrame::NoFrame);
    return f;
}

QRadioButton *option(QWidget *parent, const QString &caption, int left, int top, int width, int height)
{
    auto *o = new QRadioButton(caption, parent);
    o->setGeometry(twips::toPx(left, top, width, height));
    return o;
}

Hourglass::Hourglass(QWidget *window) : window_(window) { window_->setCursor(Qt::WaitCursor); }

Hourglass::~Hourglass() { window_->unsetCursor(); }

void setBackColor(QWidget *w, const QColor &colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
    // Buttons would otherwise fill with the button colour.
    w->setBackgroundRole(QPalette::Window);
    w->setAutoFillBackground(true);
}

void setForeColor(QWidget *w, const QColor &colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, colour);
    pal.setColor(QPalette::Text, colour);
    pal.setColor(QPalette::ButtonText, colour);
    w->setPalette(pal);
}

} // namespace controls
