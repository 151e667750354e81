// Where the program's files are, portable or installed; the platform on a
// Wayland session; and whatever locale the game is started in, a character
// type of UTF-8, the encoding Qt hands Xlib its window titles in.

#include "app/program.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <clocale>
#include <langinfo.h>

class TestProgram : public QObject
{
    Q_OBJECT
private slots:
    void locations_data();
    void locations();
    void waylandRunsThroughXWayland_data();
    void waylandRunsThroughXWayland();
    void characterTypeBecomesUtf8_data();
    void characterTypeBecomesUtf8();
};

void TestProgram::locations_data()
{
    // Files made under a temporary root, and where the data and the own list
    // must then be found (relative to that root).
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("xdgDataHome");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("own");
    QTest::newRow("portable") << QStringList{"bin/hires.txt", "share/morvalin/hires.txt"} << true << "bin"
                              << "bin/sajat.txt";
    QTest::newRow("installed") << QStringList{"share/morvalin/hires.txt"} << true << "share/morvalin"
                               << "xdg/morvalin/sajat.txt";
    QTest::newRow("installed, default data home") << QStringList{"share/morvalin/hires.txt"} << false
                                                  << "share/morvalin" << "home/.local/share/morvalin/sajat.txt";
    QTest::newRow("installed elsewhere, in the XDG data folders") << QStringList{"dirs/morvalin/hires.txt"} << true
                                                                  << "dirs/morvalin" << "xdg/morvalin/sajat.txt";
}

void TestProgram::locations()
{
    QFETCH(QStringList, files);
    QFETCH(bool, xdgDataHome);
    QFETCH(QString, data);
    QFETCH(QString, own);
    QTemporaryDir root;
    for (const QString &f : files) {
        QVERIFY(QDir(root.path()).mkpath(QFileInfo(f).path()));
        QFile(root.filePath(f)).open(QIODevice::WriteOnly);
    }
    QVERIFY(QDir(root.path()).mkpath("bin"));
    qputenv("HOME", root.filePath("home").toUtf8());
    if (xdgDataHome)
        qputenv("XDG_DATA_HOME", root.filePath("xdg").toUtf8());
    else
        qunsetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_DIRS", root.filePath("dirs").toUtf8());

    const program::Locations at = program::locate(root.filePath("bin"));
    QCOMPARE(at.dataFolder, QDir::cleanPath(root.filePath(data)));
    QCOMPARE(at.ownList, root.filePath(own));
}

void TestProgram::waylandRunsThroughXWayland_data()
{
    QTest::addColumn<QByteArray>("chosen");
    QTest::addColumn<QByteArray>("session");
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArray>("platform");
    QTest::newRow("Wayland session") << QByteArray() << QByteArray("wayland") << QByteArray(":0") << QByteArray("xcb");
    QTest::newRow("the player's choice wins") << QByteArray("wayland") << QByteArray("wayland") << QByteArray(":0")
                                              << QByteArray("wayland");
    QTest::newRow("X11 session") << QByteArray() << QByteArray("x11") << QByteArray(":0") << QByteArray();
    QTest::newRow("no XWayland to run on") << QByteArray() << QByteArray("wayland") << QByteArray() << QByteArray();
}

void TestProgram::waylandRunsThroughXWayland()
{
    QFETCH(QByteArray, chosen);
    QFETCH(QByteArray, session);
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, platform);
    const auto set = [](const char *name, const QByteArray &value) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    set("QT_QPA_PLATFORM", chosen);
    set("XDG_SESSION_TYPE", session);
    set("DISPLAY", display);
    qunsetenv("WAYLAND_DISPLAY");
    program::preferXcbOnWayland();
    QCOMPARE(qgetenv("QT_QPA_PLATFORM"), platform);
}

void TestProgram::characterTypeBecomesUtf8_data()
{
    QTest::addColumn<QByteArray>("lcAll");
    QTest::addColumn<QByteArray>("lang");
    QTest::newRow("no locale at all") << QByteArray() << QByteArray();
    QTest::newRow("POSIX") << QByteArray() << QByteArray("POSIX");
    QTest::newRow("LC_ALL=C over a UTF-8 LANG") << QByteArray("C") << QByteArray("C.UTF-8");
    QTest::newRow("a locale not installed") << QByteArray() << QByteArray("xx_XX.ISO-8859-2");
    QTest::newRow("already UTF-8") << QByteArray() << QByteArray("C.UTF-8");
}

void TestProgram::characterTypeBecomesUtf8()
{
    QFETCH(QByteArray, lcAll);
    QFETCH(QByteArray, lang);
    for (const char *name : {"LC_ALL", "LC_CTYPE", "LANG", "LANGUAGE"})
        qunsetenv(name);
    if (!lcAll.isEmpty())
        qputenv("LC_ALL", lcAll);
    if (!lang.isEmpty())
        qputenv("LANG", lang);
    std::setlocale(LC_ALL, "C");

    program::useUtf8Locale();
    // What the application object does next with the environment.
    std::setlocale(LC_ALL, "");
    QCOMPARE(QByteArray(nl_langinfo(CODESET)), QByteArray("UTF-8"));
    if (lang == "C.UTF-8" && lcAll.isEmpty())
        QVERIFY(!qEnvironmentVariableIsSet("LC_CTYPE")); // nothing to mend
}

QTEST_APPLESS_MAIN(TestProgram)
#include "tst_program.moc"
