// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for start-up cost: the least a Qt Widgets program does to
// show a window of the splash's size and colour.

#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget w(nullptr, Qt::Window | Qt::FramelessWindowHint);
    w.setFixedSize(377, 241);
    QPalette pal = w.palette();
    pal.setColor(QPalette::Window, QColor(104, 136, 224));
    w.setPalette(pal);
    w.setAutoFillBackground(true);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    w.move((screen.width() - w.width()) / 2, (screen.height() - w.height()) / 2);
    w.show();
    return QApplication::exec();
}
