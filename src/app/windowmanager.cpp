// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windowmanager.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef MORVALIN_HAVE_XCB
#include <QDeadlineTimer>
#include <QThread>
#include <qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <cstdlib>
#include <cstring>
#endif

namespace windowmanager {

#ifdef MORVALIN_HAVE_XCB
namespace {

// Qt's event reader owns the connection's event queue, so answers are
// polled for as properties and geometry, never waited for as events.
constexpr int PollMs = 2;
constexpr int AnswerMs = 500;

xcb_connection_t *connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    xcb_intern_atom_reply_t *r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(r);
    return a;
}

// The 32-bit values of a property, at most `max` of them.
QList<uint32_t> values(xcb_connection_t *c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type, uint32_t max)
{
    QList<uint32_t> out;
    xcb_get_property_reply_t *r = xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, max), nullptr);
    if (r && r->format == 32) {
        const auto *v = static_cast<const uint32_t *>(xcb_get_property_value(r));
        out = QList<uint32_t>(v, v + xcb_get_property_value_length(r) / 4);
    }
    free(r);
    return out;
}

struct Geometry
{
    xcb_window_t root = 0;
    QSize size;
};

std::optional<Geometry> geometry(xcb_connection_t *c, xcb_window_t w)
{
    xcb_get_geometry_reply_t *g = xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr);
    if (!g)
        return std::nullopt;
    const Geometry out{g->root, QSize(g->width, g->height)};
    free(g);
    return out;
}

// Whether the running window manager offers what `name` stands for; one
// that does not would leave us waiting for an answer.
bool supported(xcb_connection_t *c, xcb_window_t root, const char *name)
{
    return values(c, root, atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 4096).contains(atom(c, name));
}

template <class Answer> auto poll(Answer answer) -> decltype(answer())
{
    const QDeadlineTimer deadline(AnswerMs);
    do {
        if (auto a = answer())
            return a;
        QThread::msleep(PollMs);
    } while (!deadline.hasExpired());
    return {};
}

} // namespace
#endif

QMargins predictFrame(QWidget *window)
{
    if (!window || !window->isWindow() || window->windowFlags().testFlag(Qt::FramelessWindowHint))
        return {};
#ifdef MORVALIN_HAVE_XCB
    xcb_connection_t *c = connection();
    if (!c)
        return {};
    const xcb_window_t w = xcb_window_t(window->winId());
    const auto g = geometry(c, w);
    if (!g || !supported(c, g->root, "_NET_REQUEST_FRAME_EXTENTS"))
        return {};
    xcb_client_message_event_t ev;
    memset(&ev, 0, sizeof ev);
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = w;
    ev.type = atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    xcb_send_event(c, 0, g->root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&ev));
    xcb_flush(c);
    const xcb_atom_t extents = atom(c, "_NET_FRAME_EXTENTS");
    const auto m = poll([&]() -> std::optional<QMargins> {
        const QList<uint32_t> v = values(c, w, extents, XCB_ATOM_CARDINAL, 4);
        if (v.size() != 4) // left, right, top, bottom
            return std::nullopt;
        const qreal dpr = window->devicePixelRatioF();
        return QMargins(qRound(v[0] / dpr), qRound(v[2] / dpr), qRound(v[1] / dpr), qRound(v[3] / dpr));
    });
    return m.value_or(QMargins());
#else
    return {};
#endif
}

QMargins frame(QWidget *window)
{
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    if (outer == inner)
        return predictFrame(window);
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

std::optional<QSize> awaitMaximised(QWidget *window)
{
#ifdef MORVALIN_HAVE_XCB
    xcb_connection_t *c = connection();
    if (!c || !window->isVisible())
        return std::nullopt;
    const xcb_window_t w = xcb_window_t(window->winId());
    const auto g = geometry(c, w);
    if (!g || !supported(c, g->root, "_NET_WM_STATE_MAXIMIZED_VERT"))
        return std::nullopt;
    xcb_flush(c);
    const xcb_atom_t state = atom(c, "_NET_WM_STATE");
    const xcb_atom_t vert = atom(c, "_NET_WM_STATE_MAXIMIZED_VERT");
    const xcb_atom_t horz = atom(c, "_NET_WM_STATE_MAXIMIZED_HORZ");
    const QSize before = window->size();
    return poll([&]() -> std::optional<QSize> {
        const QList<uint32_t> now = values(c, w, state, XCB_ATOM_ATOM, 64);
        const auto size = geometry(c, w);
        if (!now.contains(vert) || !now.contains(horz) || !size || size->size == before)
            return std::nullopt;
        return size->size / window->devicePixelRatioF();
    });
#else
    Q_UNUSED(window);
    return std::nullopt;
#endif
}

} // namespace windowmanager
