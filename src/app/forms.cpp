#include "app/forms.h"

#include "app/program.h"
#include "app/twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <array>

namespace {
std::array<QPointer<Form>, FormCount> g_forms;
std::function<void(FormId)> g_unloadObserver;

QPointer<Form> &slot(FormId id) { return g_forms[static_cast<size_t>(id)]; }
} // namespace

Form::Form(FormId id) : QWidget(nullptr), id_(id) {}

void Form::closeEvent(QCloseEvent *event)
{
    event->accept();
    Form_FrameClose();
    hide();
    forms::endIfNoneVisible();
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
    const QSize outer = frameGeometry().size();
    const double top = (area.height() - outer.height()) / 2.0;
    const double left = (area.width() - outer.width()) / 2.0;
    move(area.x() + qRound(left), area.y() + qRound(top));
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
    form->Form_Load();
}

void unload(FormId id)
{
    Form *form = find(id);
    if (!form)
        return;
    slot(id) = nullptr;
    if (g_unloadObserver)
        g_unloadObserver(id);
    form->hide();
    for (QTimer *timer : form->findChildren<QTimer *>())
        timer->stop();
    form->deleteLater();
}

void setUnloadObserver(std::function<void(FormId)> observer) { g_unloadObserver = std::move(observer); }

void destroyAll()
{
    for (auto &f : g_forms) {
        delete f.data();
        f = nullptr;
    }
    // Windows unloaded earlier may still wait for their deferred delete.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool anyVisible()
{
    for (const auto &f : g_forms)
        if (f && f->isVisible())
            return true;
    return false;
}

void endIfNoneVisible()
{
    if (!program::ending() && !anyVisible())
        program::end(0);
}

} // namespace forms
