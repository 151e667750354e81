#include "app/notice.h"

#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace {

void send(QAccessibleInterface *iface, QAccessible::Event type)
{
    QAccessibleEvent event(iface, type);
    QAccessible::updateAccessibility(&event);
}

class NoticeInterface : public QAccessibleInterface
{
public:
    explicit NoticeInterface(Notice *notice) : notice_(notice) {}

    bool isValid() const override { return notice_; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return owner() ? owner()->windowHandle() : nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(owner()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && notice_ ? notice_->text() : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = !notice_ || !notice_->isShown();
        return s;
    }

private:
    QWidget *owner() const { return notice_ ? static_cast<QWidget *>(notice_->parent()) : nullptr; }
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
