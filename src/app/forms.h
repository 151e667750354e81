// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's windows. Each is a single instance, created on first
// use (its Form_Load runs then), afterwards shown and hidden, unloaded by
// name and created afresh on the next use.

#include <QWidget>
#include <functional>

class QCloseEvent;

enum class FormId { indit, betolt, board, lista, felvesz, permut, kereso, about, Count };
inline constexpr int FormCount = int(FormId::Count);

class Form : public QWidget
{
    Q_OBJECT
public:
    explicit Form(FormId id);
    FormId formId() const { return id_; }

    // Runs once, right after the window has been created and registered.
    virtual void Form_Load() {}

    // Shows the window in front of the others, with the keyboard focus.
    void showInFront();

protected:
    // Closing from the window frame: hides the window unless overridden.
    // Afterwards the program ends if none of its windows is left visible,
    // so that it never lingers as an invisible process.
    virtual void Form_FrameClose() {}

    void closeEvent(QCloseEvent *event) override;
    // Whatever hid the window, the program must not run on without one.
    void hideEvent(QHideEvent *event) override;

    // A fixed border without minimise and maximise buttons, around a client
    // area of the given size.
    void setFixedClientTw(int width, int height);
    // Top, then left, from the outer window size and the whole screen.
    void centreOnScreen();
    // The Tab key visits the controls in this order.
    static void setTabOrder(std::initializer_list<QWidget *> controls);
    using QWidget::setTabOrder;

private:
    FormId id_;
};

namespace forms {

Form *find(FormId id);

// Registers a newly built window and runs its Form_Load.
void adopt(Form *form);

// Called with each window as it is registered, before its Form_Load: where
// the program connects the window's requests to the windows that answer them.
void setLoadObserver(std::function<void(Form &)> observer);

// The window, loading it first if it is not loaded.
template <class F> F &load()
{
    if (Form *f = find(F::Id))
        return static_cast<F &>(*f);
    auto *f = new F;
    adopt(f);
    return *f;
}

// The window if it is loaded, else nullptr.
template <class F> F *loaded() { return static_cast<F *>(find(F::Id)); }

// Hides the window, stops its timers and forgets it; the object itself is
// deleted once control is back in the event loop, so a window may unload
// itself from its own handlers.
void unload(FormId id);
template <class F> void unload() { unload(F::Id); }

// Deletes every window at once: for the end of the program and of a test.
void destroyAll();

// Whether a window of the game, or a message box, is on screen.
bool anyVisible();
void endIfNoneVisible();
// The same check once the running handler has finished, so that a handler
// may hide one window and then show the next.
void endIfNoneVisibleLater();

} // namespace forms
