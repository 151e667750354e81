// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup/indit.h"

#include "startup/resources.h"

#include "app/handcursor.h"
#include "app/program.h"
#include "app/twips.h"

#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

indit::indit() : Form(Id)
{
    startup::initResources();
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    // No caption is drawn, but a screen reader names the window.
    setAccessibleName(QStringLiteral("Morvalin"));
    setFixedSize(twips::toPx(5655), twips::toPx(3615));

    Picture1 = new QLabel(this);
    Picture1->setGeometry(twips::toPx(0, 0, 5655, 3615));
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1->setLineWidth(1);
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setPixmap(QPixmap(QStringLiteral(":/startup/splash1.gif")));
    Picture1->installEventFilter(this);

    loadFrame = [](const QString &path) -> std::optional<QPixmap> {
        QPixmap frame;
        if (!frame.load(path))
            return std::nullopt;
        return frame;
    };

    Timer1 = new QTimer(this);
    Timer1->setInterval(150);
    connect(Timer1, &QTimer::timeout, this, &indit::Timer1_Timer);
}

QString indit::framePath(int frame)
{
    return program::filePath(QStringLiteral("splash%1.gif").arg(frame));
}

void indit::Form_Load()
{
    centreOnScreen();
    TickCount = 1;
    FrameNumber = 1;
    // Without a usable cursor file the picture keeps the ordinary pointer.
    if (const auto hand = handcursor::load(program::filePath(QStringLiteral("hand.cur"))))
        Picture1->setCursor(*hand);
    Timer1->start();
}

void indit::Timer1_Timer()
{
    if (done_)
        return;
    ++TickCount;
    if (TickCount == 3 && FrameNumber < LastFrame) {
        ++FrameNumber;
        // A frame that cannot be read leaves the current picture; the
        // animation keeps its pace.
        if (const auto frame = loadFrame(framePath(FrameNumber)))
            Picture1->setPixmap(*frame);
        TickCount = 1;
    }
    if (FrameNumber == LastFrame && TickCount == HoldTicks)
        handOver();
}

void indit::handOver()
{
    if (done_)
        return;
    done_ = true;
    emit done();
    forms::unload<indit>();
}

void indit::Picture1_Click() { handOver(); }

void indit::Form_Click() { handOver(); }

bool indit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Picture1 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton
        && Picture1->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint())) {
        Picture1_Click();
        return true;
    }
    return Form::eventFilter(watched, event);
}

void indit::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Form_Click();
}
