// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the windows tell assistive technology beyond what Qt's widgets tell:
// events of their own, and objects that stand for no widget.

#include <QAccessible>
#include <QPointer>
#include <QWidget>

namespace assistive {

// Tells assistive technology of an event of an interface (none: nothing is
// said) or of an object.
void send(QAccessibleInterface *iface, QAccessible::Event type);
void send(QObject *object, QAccessible::Event type);

// An object that assistive technology sees though no widget stands behind
// it (a place of a row, a notice). It has no children; its parent is the
// widget it belongs to, and it is gone with that widget.
class Widgetless : public QAccessibleInterface
{
public:
    explicit Widgetless(QWidget *owner) : owner_(owner) {}

    bool isValid() const override { return owner_; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return owner_ ? owner_->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(owner_.data()); }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    void setText(QAccessible::Text, const QString &) override {}

protected:
    QWidget *owner() const { return owner_; }

private:
    QPointer<QWidget> owner_;
};

} // namespace assistive
