#pragma once
// What every suite needs: a temporary program folder, warnings and the
// program's end recorded instead of shown or carried out, and a clean game.

#include <QList>
#include <QObject>
#include <QMimeData>
#include <QPointF>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class QWidget;
class board;

namespace testsupport {

// Once per GUI suite: the program's style and fonts.
void initGui();

// One per test function: create in init(), destroy in cleanup().
class Session
{
public:
    Session();
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    QString folder() const { return dir_.path(); }
    // Copies a file of assets/ into the temporary program folder.
    void copyAsset(const QString &name) const;

    QStringList warnings;
    QList<int> ends;

private:
    QTemporaryDir dir_;
};

// Base of the window suites: the program's style and fonts once, a fresh
// Session around every test function.
class GuiTest : public QObject
{
    Q_OBJECT
protected:
    std::unique_ptr<Session> session;

protected slots:
    void initTestCase();
    void init() { session = std::make_unique<Session>(); }
    void cleanup() { session.reset(); }
};

// Types TEXT into the entry window and presses "Mehet"; returns the board.
board &play(const QString &text);

// Records each change of a window's pointer shape.
class CursorLog : public QObject
{
public:
    explicit CursorLog(QWidget *w);
    QList<Qt::CursorShape> shapes;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// Sends a drag-enter and a drop of tile `tileIndex` to `target` at a point
// in its logical pixels, as the window system would. Returns whether the
// drop was accepted.
bool sendTileDrop(QWidget *target, int tileIndex, const QPointF &px);

// A point given in board twips, in logical pixels.
QPointF pxAt(double xTwips, double yTwips);

// Text in the list files' code page, Windows-1250.
QByteArray cp1250(const QString &text);

QByteArray readFile(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);

// While alive, every write past `bytes` bytes of a file fails, as on a full
// disk. Resource limits bind root too, unlike permission bits.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();

private:
    long long old_ = 0, oldMax_ = 0;
};

// While alive, no new file can be opened or created.
class NoNewFiles
{
public:
    NoNewFiles();
    ~NoNewFiles();

private:
    long long old_ = 0, oldMax_ = 0;
};

} // namespace testsupport
