// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up window: a borderless picture that plays a short animation
// and then hands over to the entry window. A click skips it.
#pragma once

#include "app/forms.h"

#include <QPixmap>
#include <cstdint>
#include <functional>
#include <optional>

class QLabel;
class QTimer;

class indit : public Form
{
    Q_OBJECT
public:
    static constexpr FormId Id = FormId::indit;
    indit();

    void Form_Load() override;
    void Timer1_Timer();
    void Picture1_Click();
    void Form_Click();

    QLabel *Picture1;
    QTimer *Timer1;
    int16_t TickCount = 0;   // ticks since the last frame change
    int16_t FrameNumber = 0; // the frame on show, 1..21

    static constexpr int LastFrame = 21;
    static constexpr int HoldTicks = 15;

    // Reads a frame file; nothing when it is missing or unreadable. Tests
    // replace it to watch which files are read.
    std::function<std::optional<QPixmap>(const QString &path)> loadFrame;

    static QString framePath(int frame);

signals:
    // The animation is over, or was clicked away: the entry window's turn.
    void done();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void handOver();
    bool done_ = false;
};
