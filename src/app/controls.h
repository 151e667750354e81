// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Making the windows' controls the same way everywhere: placed in twips,
// coloured through their palette.

#include <QColor>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

namespace controls {

// A push button that is never the default button.
QPushButton *button(QWidget *parent, const QString &caption, int left, int top, int width, int height);

// A left-aligned label that paints its own background.
QLabel *label(QWidget *parent, const QString &caption, int left, int top, int width, int height);

// A caption-less frame without a border of its own, holding other controls.
QFrame *frame(QWidget *parent, int left, int top, int width, int height);

// An option button of a group.
QRadioButton *option(QWidget *parent, const QString &caption, int left, int top, int width, int height);

// The hourglass pointer on a window while a long piece of work runs.
class Hourglass
{
public:
    explicit Hourglass(QWidget *window);
    ~Hourglass();
    Hourglass(const Hourglass &) = delete;
    Hourglass &operator=(const Hourglass &) = delete;

private:
    QWidget *window_;
};

// The colour a control (or window) fills its background with.
void setBackColor(QWidget *w, const QColor &colour);
// The colour of a control's text.
void setForeColor(QWidget *w, const QColor &colour);

} // namespace controls
