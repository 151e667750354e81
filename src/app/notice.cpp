// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/notice.h"

#include "app/assistive.h"

namespace {

using assistive::send;

class NoticeInterface : public assistive::Widgetless
{
public:
    explicit NoticeInterface(Notice *notice) : Widgetless(static_cast<QWidget *>(notice->parent())), notice_(notice) {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && notice_ ? notice_->text() : QString();
    }
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = !notice_ || !notice_->isShown();
        return s;
    }

private:
    QPointer<Notice> notice_;
};

} // namespace

Notice::Notice(QWidget *window) : QObject(window)
{
    id_ = QAccessible::registerAccessibleInterface(new NoticeInterface(this));
}

Notice::~Notice() { QAccessible::deleteAccessibleInterface(id_); }

void Notice::say(const QString &text)
{
    // Shown anew, so that the same message twice is said twice; whatever a
    // screen reader kept of the old text is stale.
    hide();
    text_ = text;
    shown_ = true;
    send(accessibleInterface(), QAccessible::NameChanged);
    send(accessibleInterface(), QAccessible::ObjectShow);
}

void Notice::hide()
{
    if (!shown_)
        return;
    shown_ = false;
    send(accessibleInterface(), QAccessible::ObjectHide);
}

QAccessibleInterface *Notice::shownIn(const QWidget *window)
{
    const Notice *notice = window->findChild<Notice *>(QString(), Qt::FindDirectChildrenOnly);
    return notice && notice->isShown() ? notice->accessibleInterface() : nullptr;
}
