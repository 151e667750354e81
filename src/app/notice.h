// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a window says to a screen reader without moving the focus: one
// message at a time, shown as a notification, which Orca speaks as it comes
// up. The window's accessible interface lists it while it is up.

#include <QAccessible>
#include <QObject>

class QWidget;

class Notice : public QObject
{
    Q_OBJECT
public:
    explicit Notice(QWidget *window);
    ~Notice() override;

    QString text() const { return text_; }
    bool isShown() const { return shown_; }
    void say(const QString &text);
    void hide();

    QAccessibleInterface *accessibleInterface() const { return QAccessible::accessibleInterface(id_); }
    // The message up in a window, if any.
    static QAccessibleInterface *shownIn(const QWidget *window);

private:
    QAccessible::Id id_;
    QString text_;
    bool shown_ = false;
};
