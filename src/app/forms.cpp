// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms.h"

#include "app/notice.h"
#include "app/windowmanager.h"
#include "app/program.h"
#include "app/twips.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QApplication>
#include <QGuiApplication>
#include <QPixmapCache>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <array>

namespace {
std::array<QPointer<Form>, FormCount> g_forms;
std::function<void(Form &)> g_loadObserver;
// Bumped by destroyAll(), so that a check queued before it does not run.
int g_generation = 0;
bool g_checkQueued = false;

QPointer<Form> &slot(FormId id) { return g_forms[static_cast<size_t>(id)]; }
} // namespace

// A top-level QWidget reaches assistive technology as a "client" area
// (AT-SPI "filler"); the game's windows are windows, named by their captions,
// and list what they say while it is up.
namespace {
class WindowInterface : public QAccessibleWidget
{
public:
    explicit WindowInterface(QWidget *w) : QAccessibleWidget(w, QAccessible::Window) {}
    int childCount() const override { return QAccessibleWidget::childCount() + (Notice::shownIn(widget()) ? 1 : 0); }
    QAccessibleInterface *child(int index) const override
    {
        QAccessibleInterface *notice = Notice::shownIn(widget());
        return notice && index == QAccessibleWidget::childCount() ? notice : QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        QAccessibleInterface *notice = Notice::shownIn(widget());
        return notice && child == notice ? QAccessibleWidget::childCount() : QAccessibleWidget::indexOfChild(child);
    }
};
} // namespace

static QAccessibleInterface *windowInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String("Form"))
        if (auto *w = qobject_cast<QWidget *>(object))
            return new WindowInterface(w);
    return nullptr;
}

Form::Form(FormId id) : QWidget(nullptr), id_(id)
{
    static const bool installed = (QAccessible::installFactory(windowInterface), true);
    Q_UNUSED(installed);
}

void Form::closeEvent(QCloseEvent *event)
{
    event->accept();
    Form_FrameClose();
    hide();
    forms::endIfNoneVisible();
}

void Form::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    forms::endIfNoneVisibleLater();
}

void Form::showInFront()
{
    show();
    raise();
    activateWindow();
}

void Form::setFixedClientTw(int width, int height)
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(twips::toPx(width), twips::toPx(height));
}

void Form::centreOnScreen()
{
    const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    const QRect area = s->geometry();
    const QMargins frame = windowmanager::frame(this);
    const QSize outer = size().grownBy(frame);
    const double top = (area.height() - outer.height()) / 2.0;
    const double left = (area.width() - outer.width()) / 2.0;
    // Placed by its client area: how Qt reads a move() depends on whether
    // the native window exists yet, and asking for the frame creates it.
    const QPoint client(area.x() + qRound(left) + frame.left(), area.y() + qRound(top) + frame.top());
    setGeometry(QRect(client, size()));
}

void Form::setTabOrder(std::initializer_list<QWidget *> controls)
{
    QWidget *previous = nullptr;
    for (QWidget *w : controls) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

namespace forms {

Form *find(FormId id) { return slot(id).data(); }

void adopt(Form *form)
{
    slot(form->formId()) = form;
    if (g_loadObserver)
        g_loadObserver(*form);
    form->Form_Load();
}

void setLoadObserver(std::function<void(Form &)> observer) { g_loadObserver = std::move(observer); }

void unload(FormId id)
{
    Form *form = find(id);
    if (!form)
        return;
    slot(id) = nullptr;
    form->hide();
    for (QTimer *timer : form->findChildren<QTimer *>())
        timer->stop();
    // The style caches its drawings of buttons and boxes under the palette
    // they were drawn with, and every window made afresh has palettes of its
    // own: the gone window's drawings are never used again, yet each opening
    // would add more until the cache's 10 MB limit.
    QObject::connect(form, &QObject::destroyed, [] { QPixmapCache::clear(); });
    form->deleteLater();
}

void destroyAll()
{
    for (auto &f : g_forms) {
        delete f.data();
        f = nullptr;
    }
    ++g_generation;
    g_checkQueued = false;
    // Windows unloaded earlier may still wait for their deferred delete.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool anyVisible()
{
    for (const auto &f : g_forms)
        if (f && f->isVisible())
            return true;
    // A warning shown between hiding one window and showing the next.
    return QApplication::activeModalWidget() != nullptr;
}

void endIfNoneVisible()
{
    if (!program::ending() && !anyVisible())
        program::end(0);
}

void endIfNoneVisibleLater()
{
    if (g_checkQueued)
        return;
    g_checkQueued = true;
    QTimer::singleShot(0, qApp, [generation = g_generation] {
        if (generation != g_generation)
            return;
        g_checkQueued = false;
        endIfNoneVisible();
    });
}

} // namespace forms
