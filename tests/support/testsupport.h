// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window suites share: the program's own wiring, a temporary program folder, warnings and the program's end recorded,
// a clean game.

#include "app/testhooks.h"
#include "app/twips.h"
#include "game/board.h"
#include "puzzles/betolt.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace testsupport {

struct Session { // one per test function; warnings and ends are recorded instead of shown or carried out
    Session();
    ~Session();
    QString folder() const { return dir.path(); }
    void copyAsset(const QString &name) const; // from assets/ into folder()
    QTemporaryDir dir;
    QStringList warnings;
    QList<int> ends;
};

class GuiTest : public QObject { // the program's style and fonts once, a fresh Session around every test function
    Q_OBJECT
protected:
    std::unique_ptr<Session> session;
protected slots:
    void initTestCase();
    void init() { session = std::make_unique<Session>(); }
    void cleanup() { session.reset(); }
};

inline board &play(const QString &text) { // types TEXT into the entry window and presses "Mehet"
    betolt &entry = forms::load<betolt>();
    entry.show();
    entry.Text1->setText(text);
    entry.Command1->click();
    return forms::load<board>();
}

// A tile's drag-enter and drop at a point in logical pixels, as the window system sends them; whether it was taken.
bool sendTileDrop(QWidget *target, int tileIndex, const QPointF &px);
inline QPointF pxAt(double xTwips, double yTwips) { return QPointF(xTwips, yTwips) / twips::PerPixel; }
inline QByteArray cp1250(const QString &text) { return QStringEncoder("windows-1250").encode(text); }

inline QByteArray readFile(const QString &path) { QFile f(path); return f.open(QIODevice::ReadOnly) ? f.readAll() : "<unreadable>"; }

inline void writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) qFatal("cannot write %s", qPrintable(path));
}

// What assistive technology is told while one lives: an installed update handler records every event.
// `said` is what a screen reader speaks: each focus as "row > name | description", each notice as "notice: text".
// `events` is every event as "Type role 'name'", with "in 'parent'" for a child added or removed.
struct A11yLog {
    A11yLog();
    ~A11yLog();
    static bool available(); // needs Qt's private platform headers to turn accessibility on offscreen
    void clear() { said.clear(); events.clear(); }
    QStringList said, events;
};

struct CursorLog : QObject { // each change of a window's pointer shape
    explicit CursorLog(QWidget *w) { w->installEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override {
        const Qt::CursorShape now = static_cast<QWidget *>(watched)->cursor().shape();
        if (event->type() == QEvent::CursorChange && now != (shapes.isEmpty() ? Qt::ArrowCursor : shapes.last())) shapes << now;
        return false;
    }
    QList<Qt::CursorShape> shapes;
};

} // namespace testsupport
