#include "puzzles/betolt.h"

#include "app/fonts.h"
#include "app/program.h"
#include "app/syscolour.h"
#include "app/twips.h"
#include "game/board.h"
#include "game/geometry.h"
#include "game/seged.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

static QPushButton *makeButton(QWidget *parent, const QString &caption, int left, int top, int width, int height)
{
    auto *b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    b->setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    b->setGeometry(twips::toPx(left, top, width, height));
    return b;
}

betolt::betolt() : Form(Id)
{
    setWindowTitle(QStringLiteral("Betöltés"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setFixedClientTw(4215, 1695);
    setAutoFillBackground(true);

    Label1 = new QLabel(QStringLiteral("Írd be a kiindulási szöveget!"), this);
    Label1->setGeometry(twips::toPx(120, 240, 2775, 255));
    Label1->setFont(fonts::msSansSerif(8.25));
    Label1->setAutoFillBackground(true);
    QPalette pal = Label1->palette();
    pal.setColor(QPalette::WindowText, syscolour::highlightText());
    Label1->setPalette(pal);

    Text1 = new QLineEdit(this);
    Text1->setGeometry(twips::toPx(120, 600, 3975, 375));
    Text1->setFont(fonts::timesCE(12));
    // No length limit of its own: over-long texts are refused with a message.
    Text1->setMaxLength(std::numeric_limits<int>::max());

    Command1 = makeButton(this, QStringLiteral("Mehet"), 3120, 1200, 975, 375);
    Command2 = makeButton(this, QStringLiteral("Törlés"), 120, 1200, 975, 375);
    Command3 = makeButton(this, QStringLiteral("Listából"), 1500, 1200, 1215, 375);
    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);

    connect(Command1, &QPushButton::clicked, this, &betolt::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &betolt::Command2_Click);
}

void betolt::Form_Load()
{
    centreOnScreen();
    for (QWidget *w : {static_cast<QWidget *>(this), static_cast<QWidget *>(Label1)}) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, geometry::BoardColour);
        w->setPalette(pal);
    }
}

void betolt::Form_Activate() { Text1->setFocus(); }

void betolt::changeEvent(QEvent *event)
{
    Form::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void betolt::Command1_Click()
{
    if (Text1->text().isEmpty()) {
        program::warn(QStringLiteral("Nem adtál meg kiindulási szöveget!"));
        forms::load<board>().setEnabled(false);
        Text1->setFocus();
        return;
    }
    forms::load<board>().setEnabled(true);
    seged::SetUpGame();
    seged::state.ElapsedMinutes = 0;
    seged::state.ElapsedSeconds = 0;
}

void betolt::Command2_Click()
{
    Text1->clear();
    Text1->setFocus();
}
