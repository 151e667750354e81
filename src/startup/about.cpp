// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup/about.h"

#include "startup/resources.h"

#include "app/controls.h"
#include "app/fonts.h"
#include "app/program.h"
#include "app/twips.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

const QString about::OwnerNotice = QStringLiteral("© 2026 A Morvalin szerzői");
// The game is free software; the notice says so in the player's language.
const QString about::LegalNotice = QStringLiteral(
    "Ez a program szabad szoftver: a GNU General Public License 3. vagy bármely későbbi változata "
    "szerint másolható, továbbadható és módosítható. Semmilyen garanciát nem vállalunk rá. "
    "A részleteket a GNU GPL szövege tartalmazza.");

AboutFrame::AboutFrame(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Sunken);
}

void AboutFrame::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    // The design measures the lines from the frame's own top, 70 twips
    // above the window's client area.
    framelines::paint(p, {&Line2, &Line1});
}

static QLabel *picture(QWidget *parent, const QString &resource, int left, int top, int width, int height)
{
    auto *l = new QLabel(parent);
    l->setGeometry(twips::toPx(left, top, width, height));
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
    l->setPixmap(QPixmap(resource));
    return l;
}

about::about() : Form(Id)
{
    startup::initResources();
    setWindowTitle(QStringLiteral("Morvalin-program"));
    setFixedClientTw(5535, 3870);

    Frame1 = new AboutFrame(this);
    Frame1->setGeometry(twips::toPx(0, -70, 5535, 3255));

    Label1 = controls::label(Frame1, LegalNotice, 240, 2280, 5055, 855);
    Label1->setWordWrap(true);
    Picture1 = picture(Frame1, QStringLiteral(":/startup/emblem.jpg"), 240, 360, 800, 800);
    Picture2 = picture(Frame1, QStringLiteral(":/startup/title.jpg"), 2880, 360, 2415, 1575);
    Command1 = controls::button(this, QStringLiteral("OK"), 4320, 3360, 1095, 375);
    Label2 = controls::label(Frame1, OwnerNotice, 240, 1680, 2535, 255);
    Label2->setFont(fonts::arial(9));

    connect(Command1, &QPushButton::clicked, this, &about::Command1_Click);
}

void about::Form_Load() { centreOnScreen(); }

void about::Command1_Click()
{
    forms::unload<about>();
    program::end(0);
}

// Closing it from the frame ends the program as "OK" does.
void about::Form_FrameClose() { Command1_Click(); }
