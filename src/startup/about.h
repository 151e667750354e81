// SPDX-License-Identifier: GPL-3.0-or-later
// The about window: the program's pictures and notices; "OK" ends the
// program.
#pragma once

#include "app/forms.h"
#include "app/frameline.h"

#include <QFrame>

class QLabel;
class QPushButton;

// A caption-less frame with the two separator lines drawn on it.
class AboutFrame : public QFrame
{
    Q_OBJECT
public:
    explicit AboutFrame(QWidget *parent);
    FrameLine Line1{240, 2160, 5400, 2160, true};
    FrameLine Line2{240, 2100, 5400, 2100, false};

protected:
    void paintEvent(QPaintEvent *event) override;
};

class about : public Form
{
    Q_OBJECT
public:
    static constexpr FormId Id = FormId::about;
    about();

    void Form_Load() override;
    void Command1_Click(); // "OK"

    AboutFrame *Frame1;
    QLabel *Label1;   // legal notice
    QLabel *Picture1; // emblem
    QLabel *Picture2; // title picture
    QPushButton *Command1;
    QLabel *Label2;   // owner's notice

    static const QString OwnerNotice;
    static const QString LegalNotice;

protected:
    void Form_FrameClose() override;
};
